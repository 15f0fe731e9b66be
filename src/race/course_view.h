// Drawing on the course view of the race window.
#pragma once

namespace chu {
struct Saver;
// The drawing cycle's last step: show the finished picture at once.
void RefreshCourse(Saver& s);
}  // namespace chu

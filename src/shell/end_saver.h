#pragma once

namespace chu {
struct Saver;
// Closes the clip players, unloads the backdrop and ends the run: no window
// runs its unload step and no timer fires again.
void EndSaver(Saver& s);
}  // namespace chu

#include "shell/end_saver.h"

#include "startup/saver.h"

namespace chu {

void EndSaver(Saver& s) {
  if (s.ended) return;
  CloseClips(s);
  UnloadBackWindow(s);
  // The end of the process: whatever is still loaded goes without its unload step.
  for (platform::TimerId t : {platform::TimerId::ShowClock, platform::TimerId::ShowMusicStatus,
                              platform::TimerId::RaceTick})
    s.platform.timers.stop(t);
  if (s.show) s.platform.display.destroy(*s.show);
  if (s.race) s.platform.display.destroy(*s.race);
  s.ended = true;
  if (s.observer != nullptr) s.observer->onEnd(s);
}

}  // namespace chu

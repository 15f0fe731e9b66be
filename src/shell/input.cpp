// The events that end the saver: a released key, a released mouse button, or
// the movement rule firing on a watched surface.
#include "startup/saver.h"

namespace chu {

using platform::SurfaceId;
using platform::WindowKind;

namespace {
// A user exit: the flag says so, and the unload ends the saver.
void UserExitFromBoard(Saver& s) {
  s.state.screenSwitch = 0;
  UnloadShowWindow(s);
}

void UserExitFromRace(Saver& s) {
  s.state.screenSwitch = 0;
  UnloadRaceWindow(s);
}
}  // namespace

void OnKeyUp(Saver& s, WindowKind window) {
  if (s.ended) return;
  if (window == WindowKind::Show && s.show) {
    UserExitFromBoard(s);
  } else if (window == WindowKind::Race && s.race) {
    if (s.race->mmcMIDI) s.race->mmcMIDI->command(platform::MciCommand::Close);
    UserExitFromRace(s);
  }
}

void OnMouseUp(Saver& s, SurfaceId surface) {
  if (s.ended) return;
  if (surface == SurfaceId::ShowWindow && s.show) UserExitFromBoard(s);
  if ((surface == SurfaceId::RaceWindow || surface == SurfaceId::RaceCourse) && s.race) UserExitFromRace(s);
}

void OnMouseMove(Saver& s, SurfaceId surface, int x, int y) {
  if (s.ended) return;
  switch (surface) {
    case SurfaceId::ShowWindow:
      if (s.show && s.show->windowMoves.report(x, y)) UserExitFromBoard(s);
      break;
    case SurfaceId::RaceWindow:
      if (s.race && s.race->windowMoves.report(x, y)) UserExitFromRace(s);
      break;
    case SurfaceId::RaceCourse:
      if (s.race && s.race->courseMoves.report(x, y)) UserExitFromRace(s);
      break;
    default:  // the board, the runner list, the backdrop: not watched
      break;
  }
}

}  // namespace chu

// frmRACE: the race screen with the course view, the runner list and the race tick.
#pragma once

#include <array>
#include <memory>

#include "platform/platform.h"
#include "shell/move_watch.h"

namespace chu {

struct Assets;

class RaceWindow : public platform::Window {
 public:
  explicit RaceWindow(const Assets& assets);
  platform::WindowKind kind() const override { return platform::WindowKind::Race; }
  platform::WindowView view() const override;

  platform::DrawingSurface course;  // picRACE's persistent image
  platform::PictureBox picRACE;     // where the course view sits in the window
  platform::PictureBox Picture1;    // the runner-list panel, inside picRACE
  std::array<platform::Label, 6> lblNM;

  int interval = 50;  // timRACE, as designed until the load step reads the setting
  int tickCount = 0;  // ticks delivered so far
  std::unique_ptr<platform::Player> mmcMIDI;
  int musicDigit = -1;  // the In piece drawn at load
  MoveWatch windowMoves;
  MoveWatch courseMoves;
};

struct Saver;
// The race window, loaded by the first write to it (as StartRace's writes do).
RaceWindow& RaceScreen(Saver& s);
// Unload step: a user exit ends the saver.
void UnloadRaceWindow(Saver& s);

}  // namespace chu

// frmSHOW: the paddock board with the next race card, the post time and a
// running clock, and its background music.
#pragma once

#include <array>
#include <memory>

#include "platform/platform.h"
#include "shell/move_watch.h"

namespace chu {

struct Assets;

class ShowWindow : public platform::Window {
 public:
  explicit ShowWindow(const Assets& assets);
  platform::WindowKind kind() const override { return platform::WindowKind::Show; }
  platform::WindowView view() const override;

  platform::PictureBox picSHOW;  // the board; every control below lies in it
  platform::Label Label1, lblHASO, Label2, lblNOW;
  std::array<platform::Label, 6> numberBox;  // Label4, Label7, Label6, Label10, Label12, Label14
  std::array<platform::Label, 6> lblNM;
  std::array<platform::PictureBox, 6> icon;  // Picture7, Picture2 … Picture6
  std::array<platform::Label, 6> lblRN;
  std::array<platform::Label, 6> oddsCaption;  // Label5, Label8, Label9, Label11, Label13, Label15
  std::array<platform::Label, 6> lblTANSYO;

  bool clockColon = false;
  std::unique_ptr<platform::Player> mmcMIDI;
  int musicDigit = -1;  // the Bgm piece drawn at load
  MoveWatch windowMoves;
};

struct Saver;
// The board, loaded by the first write to it (as DrawRaceCard's writes do).
ShowWindow& Board(Saver& s);
// The clock tick of timSHOW, once a second.
void ClockTick(Saver& s);
// The music player's status report: the paddock piece starts again when it has ended.
void ShowMusicStatus(Saver& s);
// Unload step: close the music; a user exit ends the saver.
void UnloadShowWindow(Saver& s);

}  // namespace chu

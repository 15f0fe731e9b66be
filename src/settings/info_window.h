// frmINFO: the settings dialog with the five race speeds.
#pragma once

#include <array>

#include "platform/platform.h"

namespace chu {

class InfoWindow : public platform::Window {
 public:
  InfoWindow();
  platform::WindowKind kind() const override { return platform::WindowKind::Info; }
  platform::WindowView view() const override;

  // Index of the selected option, −1 when none is.
  int selected() const;
  void select(int index);

  platform::Rect clientRect;  // on the screen
  platform::Label Label1;
  std::array<platform::OptionButton, 5> optSPEED;
  platform::PushButton comOK, comCANCEL;
  int dialogCancelled = 0;
  int focus = 0;  // tab position 1 … 7 of the control with the focus
};

struct Saver;
// Load step: centre, read the setting (repairing it), select its option.
void LoadInfoWindow(Saver& s);
void ClickOk(Saver& s);
void ClickCancel(Saver& s);
// Close step, however the dialog closes: store the choice unless cancelled, end.
void CloseInfoWindow(Saver& s);

}  // namespace chu

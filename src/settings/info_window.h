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
  int focus = 0;    // tab position 1 … 7 of the control with the focus
  int pressed = 0;  // tab position of the control held down by Space or the mouse, 0 for none
  bool pressedByMouse = false;
};

// Tab positions of the controls that take the focus (Label1, at 0, takes none).
inline constexpr int kFirstOption = 1;  // optSPEED(0) … optSPEED(4) at 1 … 5
inline constexpr int kOkButton = 6;
inline constexpr int kCancelButton = 7;

// The keys a dialog gives a meaning to. Enter and Escape are not among them:
// neither button is the dialog's default or cancel button.
enum class DialogKey { Tab, BackTab, Left, Right, Up, Down, Space };

// The control under a point of the dialog's inner area: its tab position, or
// 0 over the label and the bare dialog.
int DialogControlAt(const InfoWindow& w, platform::Point p);
// Moves the focus to the control at a tab position.
void SetDialogFocus(InfoWindow& w, int position);

struct Saver;
// Load step: centre, read the setting (repairing it), select its option.
void LoadInfoWindow(Saver& s);
void ClickOk(Saver& s);
void ClickCancel(Saver& s);
// Close step, however the dialog closes: store the choice unless cancelled, end.
void CloseInfoWindow(Saver& s);

// Keyboard use as in any dialog: Tab and Shift-Tab go round the tab stops
// (of the option group only the selected option is one), the arrow keys move
// and select within the option group (and move between the push buttons),
// Space presses the focused control, which acts when Space is released.
void DialogKeyDown(Saver& s, DialogKey key);
void DialogKeyUp(Saver& s, DialogKey key);
// The left mouse button, at a point of the dialog's inner area: pressing takes
// the focus to the control; releasing over the same control makes it act.
void DialogMouseDown(Saver& s, platform::Point p);
void DialogMouseUp(Saver& s, platform::Point p);

}  // namespace chu

// The controls of a window as plain data. The program sets them; a back-end
// paints a window from them, and tests read them instead of pixels.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "platform/raster/picture.h"
#include "platform/raster/surface.h"
#include "platform/types.h"

namespace chu::platform {

// The surfaces that may receive mouse events. Labels have none: events over
// a label go to the control that holds it.
enum class SurfaceId {
  None,
  BackWindow,   // frmBACK itself
  ShowWindow,   // frmSHOW's black surface
  ShowBoard,    // picSHOW, the board (not watched)
  ShowIcon,     // a runner icon on the board (not watched)
  RaceWindow,   // frmRACE's black surface
  RaceCourse,   // picRACE, the course view
  RacePanel,    // Picture1, the runner-list panel inside the course view (not watched)
  InfoWindow,   // the settings dialog
};

struct Label {
  std::string name;
  Rect rect;  // relative to its container
  std::string caption;
  Font font;
  Rgb fore = colour::windowText;
  Rgb back = colour::lightGrey;
  bool transparent = false;  // no background box
  Border border = Border::None;
  Align align = Align::Left;
  bool autoSize = false;     // sizes itself to its text
};

// A picture box or panel: a background colour and/or picture, a border.
struct PictureBox {
  std::string name;
  Rect rect;  // relative to its container
  SurfaceId surface = SurfaceId::None;
  Rgb back = colour::black;
  const Picture* picture = nullptr;           // a fixed picture, drawn at the inner top-left
  const DrawingSurface* drawing = nullptr;    // or a drawing surface's persistent image
  Border border = Border::None;
};

struct OptionButton {
  std::string name;
  Rect rect;
  std::string caption;
  Font font;
  bool value = false;
  bool focused = false;
};

struct PushButton {
  std::string name;
  Rect rect;
  std::string caption;
  Font font;
  bool focused = false;
  bool pressed = false;  // held down by Space or the mouse
};

// One control as placed in the window: `origin` is the window-client position
// of its container, so the control's rectangle in the window is rect + origin.
struct ViewItem {
  Point origin;
  std::variant<const Label*, const PictureBox*, const OptionButton*, const PushButton*> control;
};

enum class WindowKind { Back, Show, Race, Info };

// Everything a back-end needs to present a window, back to front.
struct WindowView {
  WindowKind kind = WindowKind::Back;
  std::string caption;
  bool fullScreen = true;      // maximised, borderless, top-most; else a fixed dialog
  Rect dialogRect;             // for a dialog: its client area on the screen
  Rgb background = colour::black;
  SurfaceId surface = SurfaceId::None;  // the window's own surface
  std::vector<ViewItem> items;
};

}  // namespace chu::platform

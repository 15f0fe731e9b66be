// Painting a window from its controls, back to front, the way the old toolkit
// drew them: labels, picture boxes and drawing surfaces, option buttons and
// push buttons. Shared by the SDL back-end and the headless frame dumps.
#pragma once

#include "platform/controls.h"
#include "platform/raster/picture.h"
#include "platform/raster/text.h"

namespace chu::platform {

// The colours of the three-dimensional edges.
namespace edge {
inline constexpr Rgb highlight{255, 255, 255};
inline constexpr Rgb light{192, 192, 192};
inline constexpr Rgb face{192, 192, 192};
inline constexpr Rgb shadow{128, 128, 128};
inline constexpr Rgb darkShadow{64, 64, 64};
}  // namespace edge

// Paints the window into `target`. The target's (0, 0) is the window's client
// point `offset`, so a part of a window (the course view alone) can be painted
// into a picture of that part's size. Without a text renderer no text is drawn.
void PaintWindow(Picture& target, const WindowView& view, const TextRenderer* text, Point offset = {});

// The single controls, `where` being the control's rectangle in the target.
void PaintLabel(Picture& target, Rect where, const Label& label, const TextRenderer* text);
void PaintPictureBox(Picture& target, Rect where, const PictureBox& box);
void PaintOptionButton(Picture& target, Rect where, const OptionButton& button, const TextRenderer* text);
void PaintPushButton(Picture& target, Rect where, const PushButton& button, const TextRenderer* text);

// The 2-pixel edges: sunken (a picture box's border) and raised (a button).
void DrawSunkenEdge(Picture& target, Rect r);
void DrawRaisedEdge(Picture& target, Rect r);
// A dotted rectangle, as the focus is shown.
void DrawFocusRect(Picture& target, Rect r);
// One line of text, clipped to `clip`: the pixels outside it stay as they were.
void DrawTextClipped(Picture& target, Rect clip, Point at, std::string_view utf8, const Font& font, Rgb fore,
                     const TextRenderer& text);

}  // namespace chu::platform

// A picture box with a persistent image and a background picture: the course
// view. Drawing goes into the image; clearing restores the background picture
// and puts the text position back to (0, 0); refreshing shows the image.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/raster/picture.h"
#include "platform/raster/text.h"
#include "platform/types.h"

namespace chu::platform {

class DrawingSurface {
 public:
  DrawingSurface() = default;
  explicit DrawingSurface(Picture background);
  // Shares a background picture that outlives the surface (a built-in
  // picture) instead of copying it.
  explicit DrawingSurface(const Picture* sharedBackground);

  void setBackground(Picture background);
  const Picture& background() const { return *background_; }
  // Until something is drawn the image is the background itself; the
  // surface's own copy is made by the first drawing.
  const Picture& image() const { return ownImage_ ? image_ : *background_; }
  Size size() const { return background_->size(); }

  // Text settings used by Print.
  void setFont(const Font& font) { font_ = font; }
  void setForeColor(Rgb c) { fore_ = c; }
  const Font& font() const { return font_; }
  Rgb foreColor() const { return fore_; }
  void setTextRenderer(const TextRenderer* renderer) { text_ = renderer; }

  // Drawing can be switched off entirely (a headless run that wants no pixels);
  // everything else, text lines and counters included, still happens.
  void setDrawingEnabled(bool on) { drawing_ = on; }
  bool drawingEnabled() const { return drawing_; }

  // Restores the background picture and the text position (0, 0). Only what was
  // drawn since the last clear is restored: the rest already is background.
  void Cls();
  Rect BitBlt(int x, int y, int w, int h, const Picture& src, int sx, int sy, Rop rop);
  // Writes one line at the text position, which moves to the next line.
  void Print(std::string_view line);
  // Shows what has been drawn: counts, and the changed area is handed on.
  void Refresh();

  Point textPosition() const { return textPos_; }
  // The lines printed since the last clear, as written.
  const std::vector<std::string>& printedLines() const { return lines_; }
  int refreshCount() const { return refreshes_; }
  // The rectangles changed between the last two refreshes: what a presenter
  // must update (they may overlap).
  const std::vector<Rect>& lastRefreshRects() const { return refreshed_; }

 private:
  void markDrawn(Rect r);
  void resetImage();
  Picture& imageToDraw();

  std::shared_ptr<const Picture> background_ = std::make_shared<const Picture>();
  Picture image_;
  bool ownImage_ = false;  // image_ holds the image (else it is the background)
  Font font_{FontFace::System, 13.5, true};
  Rgb fore_{255, 255, 255};
  const TextRenderer* text_ = nullptr;
  bool drawing_ = true;
  Point textPos_{};
  std::vector<std::string> lines_;
  std::vector<Rect> drawnSinceCls_;  // what differs from the background
  std::vector<Rect> changed_;        // changed since the last refresh
  std::vector<Rect> refreshed_;
  int refreshes_ = 0;
};

}  // namespace chu::platform

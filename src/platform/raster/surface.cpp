#include "platform/raster/surface.h"

namespace chu::platform {

namespace {
// Line height when no fonts are loaded (a headless run that records text only):
// that of "System" 13.5 pt bold.
constexpr int kFallbackLineHeight = 18;
}  // namespace

DrawingSurface::DrawingSurface(Picture background) { setBackground(std::move(background)); }

DrawingSurface::DrawingSurface(const Picture* sharedBackground) {
  // Not owned: the aliasing pointer never deletes it.
  background_ = std::shared_ptr<const Picture>(std::shared_ptr<const Picture>(), sharedBackground);
  resetImage();
}

void DrawingSurface::setBackground(Picture background) {
  background_ = std::make_shared<const Picture>(std::move(background));
  resetImage();
}

void DrawingSurface::resetImage() {
  image_ = Picture();
  ownImage_ = false;
  drawnSinceCls_.clear();
  changed_.assign(1, background_->bounds());
  textPos_ = {};
  lines_.clear();
}

Picture& DrawingSurface::imageToDraw() {
  if (!ownImage_) {
    image_ = *background_;
    ownImage_ = true;
  }
  return image_;
}

void DrawingSurface::markDrawn(Rect r) {
  if (r.empty()) return;
  // A runner's mask and image land on the same rectangle: keep it once.
  if (!drawnSinceCls_.empty() && drawnSinceCls_.back() == r) return;
  drawnSinceCls_.push_back(r);
  changed_.push_back(r);
}

void DrawingSurface::Cls() {
  for (const Rect& r : drawnSinceCls_) {
    CopyRect(image_, *background_, r);
    changed_.push_back(r);
  }
  drawnSinceCls_.clear();
  textPos_ = {};
  lines_.clear();
}

Rect DrawingSurface::BitBlt(int x, int y, int w, int h, const Picture& src, int sx, int sy, Rop rop) {
  if (!drawing_) return {};
  const Rect r = platform::BitBlt(imageToDraw(), x, y, w, h, src, sx, sy, rop);
  markDrawn(r);
  return r;
}

void DrawingSurface::Print(std::string_view line) {
  lines_.emplace_back(line);
  int height = kFallbackLineHeight;
  if (text_ != nullptr) {
    height = text_->lineHeight(font_);
    if (drawing_ && !line.empty()) markDrawn(text_->drawText(imageToDraw(), textPos_, line, font_, fore_));
  }
  textPos_ = {0, textPos_.y + height};
}

void DrawingSurface::Refresh() {
  ++refreshes_;
  refreshed_.swap(changed_);
  changed_.clear();
}

}  // namespace chu::platform

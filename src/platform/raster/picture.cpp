#include "platform/raster/picture.h"

#include <algorithm>

namespace chu::platform {

Picture::Picture(int width, int height, std::uint32_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

void Picture::fill(std::uint32_t p) { std::fill(pixels_.begin(), pixels_.end(), p); }

void Picture::fillRect(Rect r, std::uint32_t p) {
  r = intersect(r, bounds());
  for (int y = r.y; y < r.bottom(); ++y) std::fill_n(row(y) + r.x, r.w, p);
}

namespace {
// dst = op(dst, src) along a row: whole runs of eight first, each read into a
// local block so that the compiler can do the eight at once.
template <typename Op>
void CombineRow(std::uint32_t* d, const std::uint32_t* s, int w, Op op) {
  constexpr int kRun = 8;
  int i = 0;
  for (; i + kRun <= w; i += kRun) {
    std::uint32_t block[kRun];
    for (int k = 0; k < kRun; ++k) block[k] = s[i + k];
    for (int k = 0; k < kRun; ++k) d[i + k] = op(d[i + k], block[k]);
  }
  for (; i < w; ++i) d[i] = op(d[i], s[i]);
}
}  // namespace

Rect BitBlt(Picture& dst, int x, int y, int w, int h, const Picture& src, int sx, int sy, Rop rop) {
  // Clip the source block to the source picture, moving the destination with it.
  if (sx < 0) { x -= sx; w += sx; sx = 0; }
  if (sy < 0) { y -= sy; h += sy; sy = 0; }
  w = std::min(w, src.width() - sx);
  h = std::min(h, src.height() - sy);
  // Then clip the destination block to the destination picture.
  if (x < 0) { sx -= x; w += x; x = 0; }
  if (y < 0) { sy -= y; h += y; y = 0; }
  w = std::min(w, dst.width() - x);
  h = std::min(h, dst.height() - y);
  if (w <= 0 || h <= 0) return {};

  for (int row = 0; row < h; ++row) {
    std::uint32_t* d = dst.row(y + row) + x;
    const std::uint32_t* s = src.row(sy + row) + sx;
    switch (rop) {
      case Rop::SrcCopy: std::copy_n(s, w, d); break;
      case Rop::SrcAnd: CombineRow(d, s, w, [](std::uint32_t a, std::uint32_t b) { return a & b; }); break;
      case Rop::SrcPaint: CombineRow(d, s, w, [](std::uint32_t a, std::uint32_t b) { return a | b; }); break;
    }
  }
  return {x, y, w, h};
}

void CopyRect(Picture& dst, const Picture& src, Rect r) {
  r = intersect(intersect(r, dst.bounds()), src.bounds());
  for (int y = r.y; y < r.bottom(); ++y) std::copy_n(src.row(y) + r.x, r.w, dst.row(y) + r.x);
}

}  // namespace chu::platform

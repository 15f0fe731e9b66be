// Software pictures and the three raster copies the program uses.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace chu::platform {

// The published raster operation codes.
enum class Rop : std::uint32_t {
  SrcCopy = 0x00CC0020,   // dst = src
  SrcAnd = 0x008800C6,    // dst = dst AND src
  SrcPaint = 0x00EE0086,  // dst = dst OR src
};

// A picture of 0x00RRGGBB pixels, row by row.
class Picture {
 public:
  Picture() = default;
  Picture(int width, int height, std::uint32_t fill = 0);

  int width() const { return width_; }
  int height() const { return height_; }
  Size size() const { return {width_, height_}; }
  Rect bounds() const { return {0, 0, width_, height_}; }
  bool empty() const { return width_ == 0 || height_ == 0; }

  std::uint32_t at(int x, int y) const { return pixels_[index(x, y)]; }
  void set(int x, int y, std::uint32_t p) { pixels_[index(x, y)] = p; }
  std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint32_t* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::vector<std::uint32_t>& pixels() const { return pixels_; }

  void fill(std::uint32_t p);
  void fillRect(Rect r, std::uint32_t p);

  friend bool operator==(const Picture&, const Picture&) = default;

 private:
  std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// Copies a w×h block from src at (sx, sy) to dst at (x, y) with the raster
// operation, clipped to both pictures. Returns the destination rectangle that
// was written (empty when nothing was).
Rect BitBlt(Picture& dst, int x, int y, int w, int h, const Picture& src, int sx, int sy, Rop rop);

// Copies the rectangle r of src to the same place in dst (both the same size).
void CopyRect(Picture& dst, const Picture& src, Rect r);

}  // namespace chu::platform

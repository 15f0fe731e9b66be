// Small value types shared by the program and every back-end.
#pragma once

#include <cstdint>

namespace chu::platform {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  // 0x00RRGGBB: the pixel format of every picture, so AND and OR act per channel.
  constexpr std::uint32_t packed() const {
    return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | std::uint32_t{b};
  }
  static constexpr Rgb fromPacked(std::uint32_t p) {
    return Rgb{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
               static_cast<std::uint8_t>(p)};
  }
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

namespace colour {
inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb white{255, 255, 255};
inline constexpr Rgb red{255, 0, 0};
inline constexpr Rgb cyan{0, 255, 255};
inline constexpr Rgb green{0, 128, 0};
inline constexpr Rgb orange{255, 128, 0};
inline constexpr Rgb lightGrey{192, 192, 192};
inline constexpr Rgb grey{128, 128, 128};
// The system's default window text colour.
inline constexpr Rgb windowText{0, 0, 0};
}  // namespace colour

struct Point {
  int x = 0, y = 0;
  friend constexpr bool operator==(Point, Point) = default;
};

struct Size {
  int w = 0, h = 0;
  friend constexpr bool operator==(Size, Size) = default;
};

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  constexpr bool empty() const { return w <= 0 || h <= 0; }
  constexpr bool contains(Point p) const { return p.x >= x && p.y >= y && p.x < x + w && p.y < y + h; }
  constexpr int right() const { return x + w; }
  constexpr int bottom() const { return y + h; }
  friend constexpr bool operator==(Rect, Rect) = default;
};

// Smallest rectangle holding both (an empty one holds nothing).
constexpr Rect unite(Rect a, Rect b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  const int l = a.x < b.x ? a.x : b.x, t = a.y < b.y ? a.y : b.y;
  const int r = a.right() > b.right() ? a.right() : b.right();
  const int btm = a.bottom() > b.bottom() ? a.bottom() : b.bottom();
  return Rect{l, t, r - l, btm - t};
}

constexpr Rect intersect(Rect a, Rect b) {
  const int l = a.x > b.x ? a.x : b.x, t = a.y > b.y ? a.y : b.y;
  const int r = a.right() < b.right() ? a.right() : b.right();
  const int btm = a.bottom() < b.bottom() ? a.bottom() : b.bottom();
  if (r <= l || btm <= t) return Rect{};
  return Rect{l, t, r - l, btm - t};
}

// Local time of day as the platform clock reports it.
struct TimeOfDay {
  int hour = 0, minute = 0, second = 0;
  friend constexpr bool operator==(TimeOfDay, TimeOfDay) = default;
};

// The designer's font names; back-ends map them to installed fonts.
enum class FontFace {
  PGothic,  // "ＭＳ Ｐゴシック", proportional
  Gothic,   // "ＭＳ ゴシック", fixed pitch
  System,   // "System"
  Default,  // the platform's default interface font (no font stored)
};

struct Font {
  FontFace face = FontFace::Default;
  double points = 9.0;
  bool bold = false;
  // Points become pixels at 96 dots per inch: 20.25 pt is 27 px.
  constexpr int pixelSize() const { return static_cast<int>(points * 96.0 / 72.0 + 0.5); }
  friend constexpr bool operator==(const Font&, const Font&) = default;
};

enum class Border { None, Single, Sunken3D };
// How many pixels a border takes on each side of a control.
constexpr int BorderWidth(Border b) {
  switch (b) {
    case Border::None: return 0;
    case Border::Single: return 1;
    case Border::Sunken3D: return 2;
  }
  return 0;
}
enum class Align { Left, Centre };

}  // namespace chu::platform

// The course: turf mown in bands around the infield, the infield with its
// brown border and the tunnel mouth, the outer rail and the finish post.
// The bar, the inner rail of the home straight, is cut from the same brown.
#include <cmath>

#include "assets/art.h"
#include "assets/pictures.h"

namespace chu::pictures {

using art::Art;
using art::Rows;
using platform::Picture;
using platform::Rect;

namespace {

constexpr std::uint32_t kTurfDark = 0x32903C;
constexpr std::uint32_t kTurfLight = 0x3A9C46;
constexpr int kMowingBand = 24;  // pixels of one band of mown turf
constexpr std::uint32_t kRailWhite = 0xFFFFFF;
constexpr std::uint32_t kRailShadow = 0xB8C8B8;
constexpr std::uint32_t kPaving = 0xA8A8A0;
constexpr std::uint32_t kPavingJoint = 0x989890;
constexpr int kPavingTile = 24;

// The tunnel mouth: a yellow frame round a dark opening 32 wide, the width of
// a runner, on the column the runners come out of.
constexpr Rect kTunnelFrame{396, 357, 40, 43};
constexpr Rect kTunnelOpening{400, 361, 32, 39};
constexpr std::uint32_t kTunnelYellow = 0xF0C800;

// The finish post at the right-hand edge, and the finish line below it.
constexpr int kFinishX = 786;
constexpr Rect kGauge{779, 348, 14, 52};

// Distance from a point to the infield (0 on and inside it).
double DistanceToInfield(int x, int y) {
  const int dx = x < kInfield.x ? kInfield.x - x : (x >= kInfield.right() ? x - kInfield.right() + 1 : 0);
  const int dy = y < kInfield.y ? kInfield.y - y : (y >= kInfield.bottom() ? y - kInfield.bottom() + 1 : 0);
  return std::sqrt(static_cast<double>(dx * dx + dy * dy));
}

// Bands of mown turf follow the oval round the infield.
void PaintTurf(Picture& c) {
  for (int y = 0; y < c.height(); ++y) {
    std::uint32_t* row = c.row(y);
    for (int x = 0; x < c.width(); ++x)
      row[x] = static_cast<int>(DistanceToInfield(x, y) / kMowingBand) % 2 == 0 ? kTurfLight : kTurfDark;
  }
}

// The outer rail along the picture's edges.
void PaintOuterRail(Picture& c) {
  const int w = c.width(), h = c.height();
  c.fillRect({0, 0, w, 1}, kRailWhite);
  c.fillRect({0, h - 1, w, 1}, kRailWhite);
  c.fillRect({0, 0, 1, h}, kRailWhite);
  c.fillRect({w - 1, 0, 1, h}, kRailWhite);
  c.fillRect({1, 1, w - 2, 1}, kRailShadow);
  c.fillRect({1, 1, 1, h - 2}, kRailShadow);
}

// The brown border and the paved grey inside it.
void PaintInfield(Picture& c) {
  c.fillRect(kInfield, kRailBrown);
  const Rect inside{kInfield.x + kInfieldBorder, kInfield.y + kInfieldBorder, kInfield.w - 2 * kInfieldBorder,
                    kInfield.h - 2 * kInfieldBorder};
  for (int y = inside.y; y < inside.bottom(); ++y) {
    for (int x = inside.x; x < inside.right(); ++x) {
      const bool joint = (x - inside.x) % kPavingTile == 0 || (y - inside.y) % kPavingTile == 0;
      c.set(x, y, joint ? kPavingJoint : kPaving);
    }
  }
  // The border's shadow on the paving.
  c.fillRect({inside.x, inside.y, inside.w, 2}, 0x808078);
  c.fillRect({inside.x, inside.y, 2, inside.h}, 0x808078);
}

// The dark opening grows lighter towards the ground; the frame is outlined.
void PaintTunnel(Picture& c) {
  c.fillRect(kTunnelFrame, kTunnelYellow);
  c.fillRect({kTunnelFrame.x, kTunnelFrame.y, kTunnelFrame.w, 1}, 0);
  c.fillRect({kTunnelFrame.x, kTunnelFrame.y, 1, kTunnelFrame.h}, 0);
  c.fillRect({kTunnelFrame.right() - 1, kTunnelFrame.y, 1, kTunnelFrame.h}, 0);
  c.fillRect({kTunnelFrame.x + 1, kTunnelFrame.y + 1, kTunnelFrame.w - 2, 1}, 0xFFF080);
  for (int y = kTunnelOpening.y; y < kTunnelOpening.bottom(); ++y) {
    const int t = (y - kTunnelOpening.y) * 48 / kTunnelOpening.h;
    const std::uint32_t shade = static_cast<std::uint32_t>(8 + t) << 16 | static_cast<std::uint32_t>(8 + t) << 8 |
                                static_cast<std::uint32_t>(16 + t);
    c.fillRect({kTunnelOpening.x, y, kTunnelOpening.w, 1}, shade);
  }
  // Ribs of the tunnel deep inside.
  for (int y : {kTunnelOpening.y + 5, kTunnelOpening.y + 13}) c.fillRect({kTunnelOpening.x + 3, y, kTunnelOpening.w - 6, 1}, 0x303040);
  c.fillRect({kTunnelOpening.x, kTunnelOpening.y, 1, kTunnelOpening.h}, 0);
  c.fillRect({kTunnelOpening.right() - 1, kTunnelOpening.y, 1, kTunnelOpening.h}, 0);
}

// The finish judge on top of the post: a small mouse in a red bow tie.
const Art& Judge() {
  static const Art art = Rows({
      "....kkkkk.........kkkkk...",
      "...kGGGGGk.......kGGGGGk..",
      "..kGggpggGk.....kGggpggGk.",
      "..kggpppggk..k..kggpppggk.",
      "..kgpppppgkkkGkkkgpppppgk.",
      "..kdgpppgkGGGgGGGkgpppgdk.",
      "...kddddkGgggggggGkddddk..",
      "....kkkkGgggggggggGkkkk...",
      ".......kggkwgggkwggk......",
      "......kGggkkgggkkggGk.....",
      ".......kgggggggggggk......",
      ".......kdgggPPggggdk......",
      "........kdggkgkggdk.......",
      ".........kdddgdddk........",
      ".........kkkkdkkkk........",
      "........kGGSSgSSGGk.......",
      "........kggSSSSSggk.......",
      ".......kGggSSgSSggGk......",
      "........kgggggggggk.......",
      "........kddgggggddk.......",
      ".........kkdddddkk........",
  });
  return art;
}

// The mouse on the post, the gauge under it and the finish line down to the
// bottom edge across the home straight.
void PaintFinishPost(Picture& c) {
  // The line: white, with a shadow on its right so it shows on either band.
  c.fillRect({kFinishX, kGauge.bottom(), 1, c.height() - kGauge.bottom()}, kRailWhite);
  c.fillRect({kFinishX + 1, kGauge.bottom(), 1, c.height() - kGauge.bottom()}, 0x1E5A26);
  // The gauge: a framed column of lamps, red at the top to green below.
  c.fillRect(kGauge, 0);
  const Rect inner{kGauge.x + 2, kGauge.y + 2, kGauge.w - 4, kGauge.h - 4};
  c.fillRect(inner, 0xF8F8F8);
  constexpr std::uint32_t kLamps[] = {0xFF2020, 0xFF8000, 0xFFE000, 0x80E040, 0x20C040};
  const int pitch = inner.h / 5;
  for (int i = 0; i < 5; ++i) c.fillRect({inner.x + 1, inner.y + 1 + i * pitch, inner.w - 2, pitch - 2}, kLamps[i]);
  const Art& judge = Judge();
  const art::Palette inks{{'k', 0x000000}, {'g', 0xA8A8A8}, {'G', 0xD8D8D8}, {'d', 0x707070},
                          {'p', 0xF4A4B4}, {'P', 0xE05070}, {'w', 0xFFFFFF}, {'S', 0xFF0000}};
  art::PaintOver(c, kFinishX - static_cast<int>(judge.front().size()) / 2, kGauge.y - static_cast<int>(judge.size()) + 1,
                 judge, inks);
}

}  // namespace

Picture MakeCourse() {
  Picture c(kCourseSize.w, kCourseSize.h);
  PaintTurf(c);
  PaintOuterRail(c);
  PaintInfield(c);
  PaintTunnel(c);
  PaintFinishPost(c);
  return c;
}

Picture MakeBar() { return Picture(kBarSize.w, kBarSize.h, kRailBrown); }

}  // namespace chu::pictures

// The built-in pictures: sizes, masks that agree with their images, and the
// course details the race relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "assets/assets.h"
#include "assets/pictures.h"
#include "platform/raster/picture.h"

namespace chu {
namespace {

using platform::Picture;
using platform::Rop;
using platform::Size;

constexpr std::uint32_t kWhite = 0xFFFFFF;

TEST(PicturesBuiltIn, EveryPictureHasItsDesignSize) {
  const Assets& a = BuiltInAssets();
  const struct {
    const char* name;
    const Picture& picture;
    Size size;
  } cases[] = {
      {"course", a.course, {802, 602}},  {"sprites", a.sprites, {384, 224}}, {"gate", a.gate, {68, 34}},
      {"bar", a.bar, {160, 11}},         {"board", a.board, {336, 476}},     {"icon 1", a.icons[0], {32, 32}},
      {"icon 2", a.icons[1], {32, 32}},  {"icon 3", a.icons[2], {32, 32}},   {"icon 4", a.icons[3], {32, 32}},
      {"icon 5", a.icons[4], {32, 32}},  {"icon 6", a.icons[5], {32, 32}},   {"program icon", a.programIcon, {32, 32}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.picture.size(), c.size) << c.name;
}

TEST(PicturesBuiltIn, RunnerArtIsWellFormed) { EXPECT_EQ(pictures::CheckRunnerArt(), ""); }

// Every cell: the mask is pure black or white, the image is black wherever the
// mask lets the course through, and the figure is neither empty nor the whole cell.
TEST(PicturesBuiltIn, SpriteMasksAgreeWithEveryImageCell) {
  const Picture& sheet = BuiltInAssets().sprites;
  for (int col = 0; col < 12; ++col) {
    int covered = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const std::uint32_t mask = sheet.at(col * 32 + x, 192 + y);
        ASSERT_TRUE(mask == 0 || mask == kWhite) << "column " << col << " at " << x << "," << y;
        covered += mask == 0;
        for (int row = 0; row < 6 && mask == kWhite; ++row) {
          ASSERT_EQ(sheet.at(col * 32 + x, row * 32 + y), 0u) << "row " << row << " column " << col << " at " << x
                                                               << "," << y;
        }
      }
    }
    EXPECT_GT(covered, 150) << "column " << col;
    EXPECT_LT(covered, 32 * 32 - 150) << "column " << col;
  }
}

// The runners differ only in their saddle cloths: each row shows its post colour.
TEST(PicturesBuiltIn, EachRunnerRowWearsItsPostColour) {
  const Picture& sheet = BuiltInAssets().sprites;
  const std::uint32_t cloth[6] = {0xFFFFFF, 0x000000, 0xFF0000, 0x00FFFF, 0x008000, 0xFF8000};
  for (int row = 0; row < 6; ++row) {
    for (int col = 0; col < 12; ++col) {
      int found = 0;
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
          found += sheet.at(col * 32 + x, 192 + y) == 0 && sheet.at(col * 32 + x, row * 32 + y) == cloth[row];
      EXPECT_GE(found, 8) << "row " << row << " column " << col;
    }
  }
}

// The board's icons wear the post colours (post 2's cloth navy, to show on
// black); the program icon keeps to the sixteen colours of the old palette.
TEST(PicturesBuiltIn, IconsWearPostColoursAndTheProgramIconSixteenColours) {
  const Assets& a = BuiltInAssets();
  const std::uint32_t cloth[6] = {0xFFFFFF, 0x000080, 0xFF0000, 0x00FFFF, 0x008000, 0xFF8000};
  for (int i = 0; i < 6; ++i) {
    int found = 0;
    for (std::uint32_t p : a.icons[i].pixels()) found += p == cloth[i];
    EXPECT_GE(found, 20) << "icon " << i + 1;
    EXPECT_EQ(a.icons[i].at(0, 31), 0u) << "black ground, icon " << i + 1;
  }
  const std::uint32_t sixteen[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                     0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  for (std::uint32_t p : a.programIcon.pixels())
    EXPECT_NE(std::find(std::begin(sixteen), std::end(sixteen), p), std::end(sixteen)) << std::hex << p;
}

TEST(PicturesBuiltIn, GateMaskAgreesWithTheStallFront) {
  const Picture& gate = BuiltInAssets().gate;
  int bars = 0, gaps = 0;
  for (int y = 0; y < 34; ++y) {
    for (int x = 0; x < 34; ++x) {
      const std::uint32_t mask = gate.at(34 + x, y);
      ASSERT_TRUE(mask == 0 || mask == kWhite) << x << "," << y;
      if (mask == kWhite) {
        ASSERT_EQ(gate.at(x, y), 0u) << x << "," << y;
        ++gaps;
      } else {
        ++bars;
      }
    }
  }
  // The runner in the stall shows between the bars.
  EXPECT_GT(gaps, 300);
  EXPECT_GT(bars, 300);
}

// At its start the bar lies exactly on the infield's lower border; at its end
// it stands on the turf beside the home straight, where it shows.
TEST(PicturesBuiltIn, BarAtItsStartLeavesTheCourseUnchangedAndShowsAtItsEnd) {
  const Assets& a = BuiltInAssets();
  Picture course = a.course;
  platform::BitBlt(course, 438, 389, 160, 11, a.bar, 0, 0, Rop::SrcCopy);
  EXPECT_TRUE(course == a.course);
  platform::BitBlt(course, 612, 389, 160, 11, a.bar, 0, 0, Rop::SrcCopy);
  int changed = 0;
  for (int x = 612; x < 772; ++x) changed += course.at(x, 394) != a.course.at(x, 394);
  EXPECT_GT(changed, 150);
}

// The tunnel's dark opening is the runners' column, x 400 to 431, below y 361,
// framed in yellow; the infield's grey lies round the runner list.
TEST(PicturesBuiltIn, CourseHasTheTunnelMouthOnTheRunnersColumn) {
  const Picture& c = BuiltInAssets().course;
  auto dark = [&](int x, int y) {
    const std::uint32_t p = c.at(x, y);
    return (p >> 16 & 0xFF) < 80 && (p >> 8 & 0xFF) < 80 && (p & 0xFF) < 80;
  };
  for (int x = 401; x < 431; ++x) EXPECT_TRUE(dark(x, 380)) << x;
  for (int y = 358; y < 361; ++y) EXPECT_FALSE(dark(416, y)) << y;  // the frame's lintel
  EXPECT_EQ(c.at(398, 380), 0xF0C800u);  // the frame's yellow beside the opening
  EXPECT_EQ(c.at(433, 380), 0xF0C800u);
  auto grey = [&](int x, int y) {
    const int r = c.at(x, y) >> 16 & 0xFF, g = c.at(x, y) >> 8 & 0xFF, b = c.at(x, y) & 0xFF;
    return r == g && std::abs(r - b) <= 16 && r > 100;
  };
  EXPECT_TRUE(grey(300, 330));
  EXPECT_TRUE(grey(580, 220));
}

}  // namespace
}  // namespace chu

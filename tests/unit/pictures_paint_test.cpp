// Windows painted from their controls: the paddock board's labels, colours,
// icons and texts, and the settings dialog's option and push buttons.
#include <gtest/gtest.h>

#include "card/show_window.h"
#include "pictures_fixture.h"
#include "platform/raster/paint.h"
#include "settings/info_window.h"

namespace chu {
namespace {

using platform::Picture;
using platform::Rect;

// The bounds of the pixels of `colour` inside r (empty when there are none).
Rect InkOf(const Picture& p, Rect r, std::uint32_t colour) {
  Rect bounds;
  for (int y = r.y; y < r.bottom(); ++y)
    for (int x = r.x; x < r.right(); ++x)
      if (p.at(x, y) == colour) bounds = platform::unite(bounds, {x, y, 1, 1});
  return bounds;
}

class PaintedBoard : public ::testing::Test {
 protected:
  PaintedBoard() : board(BuiltInAssets()) {
    board.picSHOW.rect.x = 100;  // as if centred on a screen
    board.picSHOW.rect.y = 50;
    board.lblHASO.caption = "12:35.00";
    board.lblNOW.caption = "12:34 59";
    for (int i = 0; i < 6; ++i) {
      board.lblNM[i].caption = "チュウ";
      board.lblRN[i].caption = "先行";
      board.lblTANSYO[i].caption = "12.3";
    }
    // Only the board itself: its top-left corner is the picture's (0, 0).
    platform::PaintWindow(shot, board.view(), &pictures_test::Fonts(), {100, 50});
  }
  ShowWindow board;
  Picture shot{336, 476};
};

TEST_F(PaintedBoard, BackgroundPictureShowsBetweenTheControls) {
  EXPECT_EQ(shot.at(0, 0), 0xFFFFFFu);  // the light frame
  EXPECT_EQ(shot.at(20, 470), 0xC0C0C0u);
  EXPECT_EQ(shot.at(330, 100), 0xC0C0C0u);
}

// A post label: its colour, a one-pixel black frame, the text centred at the top.
TEST_F(PaintedBoard, NameLabelHasPostColoursFrameAndCentredText) {
  const Rect nm{48, 48 + 72 * 2, 279, 31};  // lblNM(2): red with white text
  for (auto [x, y] : {std::pair{nm.x, nm.y}, {nm.right() - 1, nm.y}, {nm.x, nm.bottom() - 1}, {nm.right() - 1, nm.bottom() - 1}})
    EXPECT_EQ(shot.at(x, y), 0u) << x << "," << y;
  EXPECT_EQ(shot.at(nm.x + 3, nm.y + 15), 0xFF0000u);
  const Rect ink = InkOf(shot, nm, 0xFFFFFF);
  ASSERT_FALSE(ink.empty());
  EXPECT_NEAR(ink.x + ink.w / 2.0, nm.x + nm.w / 2.0, 3);
  EXPECT_LE(ink.y, nm.y + 6);
  EXPECT_GT(ink.w, 3 * 20);  // three full-width characters at 27 pixels
}

TEST_F(PaintedBoard, EachPostShowsItsColoursInItsRow) {
  const std::uint32_t back[6] = {0xFFFFFF, 0x000000, 0xFF0000, 0x00FFFF, 0x008000, 0xFF8000};
  const std::uint32_t fore[6] = {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF};
  for (int i = 0; i < 6; ++i) {
    const int y = 48 + 72 * i;
    for (Rect r : {Rect{8, y, 36, 20}, Rect{48, y + 35, 81, 25}, Rect{246, y + 35, 81, 25}}) {
      EXPECT_EQ(shot.at(r.x + 2, r.bottom() - 2), back[i]) << "row " << i << " x " << r.x;
      EXPECT_FALSE(InkOf(shot, {r.x + 1, r.y + 1, r.w - 2, r.h - 2}, fore[i]).empty()) << "row " << i << " x " << r.x;
    }
  }
}

// Headings in the default font, 12 pixels: black text on the board's grey.
TEST_F(PaintedBoard, HeadingsAreSmallBlackText) {
  const Rect heading{40, 8, 117, 12};
  const Rect ink = InkOf(shot, heading, 0x000000);
  ASSERT_FALSE(ink.empty());
  EXPECT_GT(ink.w, 90);  // ten characters of "次のレースの発走時刻"
  EXPECT_EQ(InkOf(shot, {40, 20, 117, 3}, 0x000000), Rect{});  // nothing spills below
}

// The icon sits in a sunken 3D border: the picture at the inner top-left.
TEST_F(PaintedBoard, RunnerIconSitsInASunkenBorder) {
  const Rect box{8, 48 + 24, 36, 36};
  const Picture& icon = BuiltInAssets().icons[0];
  EXPECT_EQ(shot.at(box.x, box.y), platform::edge::shadow.packed());
  EXPECT_EQ(shot.at(box.right() - 1, box.bottom() - 1), platform::edge::highlight.packed());
  EXPECT_EQ(shot.at(box.x + 1, box.y + 1), platform::edge::darkShadow.packed());
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(shot.at(box.x + 2 + x, box.y + 2 + y), icon.at(x, y)) << x << "," << y;
}

TEST(PicturesPaint, DialogShowsTheSelectedOptionAndRaisedButtons) {
  InfoWindow info;
  info.select(2);
  info.comOK.focused = true;
  Picture shot(info.clientRect.w, info.clientRect.h);
  platform::PaintWindow(shot, info.view(), &pictures_test::Fonts());
  EXPECT_EQ(shot.at(300, 5 + 20), platform::edge::face.packed());  // the dialog's grey
  for (int i = 0; i < 5; ++i) {
    const Rect o = info.optSPEED[i].rect;
    const int cx = o.x + 5, cy = o.y + (o.h - 12) / 2 + 5;  // the radio mark's middle
    EXPECT_EQ(shot.at(cx, cy), i == 2 ? 0u : 0xFFFFFFu) << i;
    EXPECT_FALSE(InkOf(shot, {o.x + 16, o.y, o.w - 16, o.h}, 0).empty()) << "caption " << i;
  }
  const Rect ok = info.comOK.rect, cancel = info.comCANCEL.rect;
  EXPECT_EQ(shot.at(ok.x, ok.y), 0xFFFFFFu);
  EXPECT_EQ(shot.at(ok.right() - 1, ok.bottom() - 1), 0u);
  EXPECT_EQ(shot.at(ok.x + 4, ok.y + 4), 0u);          // a dot of the focus rectangle
  EXPECT_NE(shot.at(cancel.x + 4, cancel.y + 4), 0u);  // no focus there
  EXPECT_FALSE(InkOf(shot, {cancel.x + 2, cancel.y + 2, cancel.w - 4, cancel.h - 4}, 0).empty());

  // Held down, the button looks pushed in: dark edges top-left, light bottom-right.
  info.comCANCEL.pressed = true;
  platform::PaintWindow(shot, info.view(), &pictures_test::Fonts());
  EXPECT_EQ(shot.at(cancel.x, cancel.y), platform::edge::shadow.packed());
  EXPECT_EQ(shot.at(cancel.right() - 1, cancel.bottom() - 1), platform::edge::highlight.packed());
}

}  // namespace
}  // namespace chu

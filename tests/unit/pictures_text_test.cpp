// The real fonts (the IPA fonts must be installed) and text on pictures: the
// mapping of the designer's faces, full-width characters, blending, the one
// line that names the package when a font is missing, and the result board.
#include <gtest/gtest.h>

#include "pictures_fixture.h"
#include "race/phases.h"

namespace chu {
namespace {

using platform::Font;
using platform::FontFace;
using platform::Picture;
using platform::Rect;
using platform::Rgb;

// Pixels that differ between two pictures of the same size, and their bounds.
struct Changes {
  int count = 0;
  Rect bounds;
};
Changes Compare(const Picture& a, const Picture& b, Rect within) {
  Changes c;
  for (int y = within.y; y < within.bottom(); ++y)
    for (int x = within.x; x < within.right(); ++x)
      if (a.at(x, y) != b.at(x, y)) {
        ++c.count;
        c.bounds = platform::unite(c.bounds, {x, y, 1, 1});
      }
  return c;
}

TEST(PicturesText, FacesMapToTheIpaFonts) {
  const auto& f = pictures_test::Fonts();
  EXPECT_EQ(f.fileFor(FontFace::PGothic).family, "IPAPGothic");
  EXPECT_EQ(f.fileFor(FontFace::Default).family, "IPAPGothic");
  EXPECT_EQ(f.fileFor(FontFace::Gothic).family, "IPAGothic");
  EXPECT_EQ(f.fileFor(FontFace::System).family, "IPAGothic");
  EXPECT_NE(f.fileFor(FontFace::PGothic).path, f.fileFor(FontFace::Gothic).path);
  // The course view's font: 13.5 pt is 18 pixels, so the result board's eight
  // lines take 144 pixels from the top.
  EXPECT_EQ(f.lineHeight(Font{FontFace::System, 13.5, true}), 18);
  EXPECT_EQ(f.lineHeight(Font{FontFace::Default, 9, false}), 12);
}

// Full-width characters have glyphs: brackets, ideographic spaces (wide but
// blank), small kana and the full-width exclamation mark.
TEST(PicturesText, FullWidthCharactersRender) {
  const auto& f = pictures_test::Fonts();
  const Font font{FontFace::Gothic, 14.25, false};  // 19 pixels, fixed pitch
  const struct {
    const char* text;
    bool inked;
  } cases[] = {{"＜着順＞", true}, {"ィ", true}, {"！", true}, {"　", false}, {"　　　", false}};
  for (const auto& c : cases) {
    Picture p(200, 40, 0x000000);
    const Rect r = f.drawText(p, {4, 4}, c.text, font, Rgb{255, 255, 255});
    const Changes ink = Compare(p, Picture(200, 40, 0), p.bounds());
    EXPECT_EQ(ink.count > 0, c.inked) << c.text;
    EXPECT_GT(f.textWidth(c.text, font), 0) << c.text;
    if (c.inked) {
      EXPECT_EQ(platform::intersect(ink.bounds, r), ink.bounds) << c.text;
    }
  }
  // Fixed pitch: every full-width character is one em wide.
  EXPECT_EQ(f.textWidth("　　　", font), 3 * font.pixelSize());
  EXPECT_EQ(f.textWidth("＜着順＞", font), 4 * font.pixelSize());
}

// The glyph's coverage blends the text colour over what is there, with no
// background box; bold is heavier than regular.
TEST(PicturesText, TextBlendsOverThePictureWithoutABox) {
  const auto& f = pictures_test::Fonts();
  const Font regular{FontFace::System, 13.5, false}, bold{FontFace::System, 13.5, true};
  auto inked = [&](const Font& font) {
    Picture p(120, 30, 0xFF0000);
    f.drawText(p, {2, 2}, "着順", font, Rgb{255, 255, 255});
    int count = 0;
    for (std::uint32_t px : p.pixels()) {
      // Only blends of red and white: red full, green and blue equal.
      EXPECT_EQ(px >> 16, 0xFFu);
      EXPECT_EQ(px >> 8 & 0xFF, px & 0xFF);
      count += px != 0xFF0000;
    }
    return count;
  };
  const int r = inked(regular), b = inked(bold);
  EXPECT_GT(r, 40);
  EXPECT_GT(b, r);
}

TEST(PicturesText, MissingFontIsOneLineNamingThePackage) {
  std::string error;
  fonts::Families families;
  families.fixed = "NoSuchFamilyForChuDerby";
  EXPECT_EQ(fonts::TtfTextRenderer::Create(error, families), nullptr);
  EXPECT_NE(error.find("fonts-ipafont-gothic"), std::string::npos) << error;
  EXPECT_NE(error.find("NoSuchFamilyForChuDerby"), std::string::npos) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos);
}

// The result board: white text from the top-left corner, the heading, a blank
// line and six lines of 18 pixels each, nothing below them.
TEST(PicturesText, ResultBoardIsWrittenLineByLineFromTheTopLeft) {
  pictures_test::RaceRun run(&pictures_test::Fonts());
  RaceState& st = run.saver.state;
  st.runX = {810, 840, 805, 500, 820, 830};
  st.raceClock = 83;
  st.racePhase = 2;
  st.screenSwitch = 0;
  ResultStep(run.saver);
  const Picture& view = run.view();
  const Picture& course = BuiltInAssets().course;
  const Rect board{0, 0, 560, 200};
  auto band = [&](int line) { return Compare(view, course, {board.x, 18 * line, board.w, 18}); };
  EXPECT_GT(band(0).count, 100);      // ＜着順＞
  EXPECT_LT(band(0).bounds.right(), 80);
  EXPECT_EQ(band(1).count, 0);        // the empty line
  for (int line = 2; line < 8; ++line) {
    const Changes c = band(line);
    EXPECT_GT(c.count, 400) << line;
    EXPECT_LT(c.bounds.x, 8) << line;  // the place digit's own margin
  }
  EXPECT_EQ(Compare(view, course, {0, 144, 802, 602 - 144}).count, 0);
  // White text only: every changed pixel is lighter than the turf under it.
  for (int y = 0; y < 144; ++y)
    for (int x = 0; x < board.w; ++x)
      if (view.at(x, y) != course.at(x, y)) {
        ASSERT_GE(view.at(x, y) & 0xFF, course.at(x, y) & 0xFF) << x << "," << y;
      }
  EXPECT_EQ(run.saver.race->course.printedLines().size(), 8u);
}

}  // namespace
}  // namespace chu

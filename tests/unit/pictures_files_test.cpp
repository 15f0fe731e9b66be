// Pictures as files: PNG round trips, replacement pictures from the Images
// folder, the exported set, the frame dumps and their command-line options.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "pictures_fixture.h"
#include "platform/raster/assets_io.h"
#include "platform/raster/png.h"
#include "sim_frames.h"
#include "sim_options.h"

namespace chu {
namespace {

using pictures_test::TempFolder;
using platform::Picture;

TEST(PicturesFiles, PngKeepsEveryPixel) {
  TempFolder dir;
  Picture p(37, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 37; ++x) p.set(x, y, static_cast<std::uint32_t>(x * 0x070503 + y * 0x300000) & 0xFFFFFF);
  ASSERT_EQ(platform::WritePng(dir.file("p.png"), p), "");
  std::string error;
  const std::optional<Picture> back = platform::ReadPng(dir.file("p.png"), error);
  ASSERT_TRUE(back) << error;
  EXPECT_TRUE(*back == p);
}

TEST(PicturesFiles, UnreadableOrUnwritablePngIsOneLine) {
  TempFolder dir;
  std::string error;
  EXPECT_FALSE(platform::ReadPng(dir.file("missing.png"), error));
  EXPECT_NE(error.find("missing.png"), std::string::npos);
  std::ofstream(dir.file("junk.png")) << "not a picture";
  EXPECT_FALSE(platform::ReadPng(dir.file("junk.png"), error));
  EXPECT_NE(error.find("junk.png"), std::string::npos);
  EXPECT_NE(platform::WritePng(dir.file("no/such/folder/x.png"), Picture(2, 2)), "");
}

// A file of the right size replaces its picture; a wrong size or an
// unreadable file gives one line and the built-in picture; no file, silence.
TEST(PicturesFiles, ImagesFolderReplacesPicturesOfTheRightSize) {
  TempFolder dir;
  std::filesystem::create_directory(dir.file("Images"));
  const Picture board(336, 476, 0x123456);
  ASSERT_EQ(platform::WritePng(dir.file("Images/Board.png"), board), "");
  ASSERT_EQ(platform::WritePng(dir.file("Images/Bar.png"), Picture(100, 11, 0x00FF00)), "");
  std::ofstream(dir.file("Images/Icon3.png")) << "garbage";
  std::vector<std::string> warnings;
  const Assets a = LoadAssets(dir.str(), [&](const std::string& w) { warnings.push_back(w); });
  EXPECT_TRUE(a.board == board);
  EXPECT_TRUE(a.bar == BuiltInAssets().bar);
  EXPECT_TRUE(a.icons[2] == BuiltInAssets().icons[2]);
  EXPECT_TRUE(a.course == BuiltInAssets().course);
  ASSERT_EQ(warnings.size(), 2u);
  for (const std::string& w : warnings) EXPECT_EQ(w.find('\n'), std::string::npos);
  EXPECT_NE(warnings[0].find("Images/Bar.png is 100x11, not 160x11"), std::string::npos) << warnings[0];
  EXPECT_NE(warnings[1].find("Icon3.png"), std::string::npos) << warnings[1];
}

// A drawn sheet with soft edges is made exact: pure masks, black around the figures.
TEST(PicturesFiles, ReplacementSheetGetsExactMasks) {
  TempFolder dir;
  std::filesystem::create_directory(dir.file("Images"));
  Picture sheet(384, 224, 0x404040);           // grey everywhere, also round the figures
  sheet.fillRect({0, 192, 384, 32}, 0xF0F0F0);  // masks: near-white ...
  sheet.fillRect({8, 200, 16, 16}, 0x101010);   // ... with a near-black figure in column 0
  ASSERT_EQ(platform::WritePng(dir.file("Images/Sprites.png"), sheet), "");
  const Assets a = LoadAssets(dir.str(), {});
  EXPECT_EQ(a.sprites.at(0, 192), 0xFFFFFFu);
  EXPECT_EQ(a.sprites.at(10, 202), 0u);
  EXPECT_EQ(a.sprites.at(0, 0), 0u);            // cleared where the mask is white
  EXPECT_EQ(a.sprites.at(10, 32 * 5 + 10), 0x404040u);  // kept inside the figure
}

TEST(PicturesFiles, ExportWritesEveryPictureUnderItsName) {
  TempFolder dir;
  EXPECT_TRUE(ExportAssets(BuiltInAssets(), dir.str()).empty());
  Assets copy = BuiltInAssets();
  for (const AssetFile& f : AssetFiles()) {
    std::string error;
    const std::optional<Picture> p = platform::ReadPng(dir.file(f.fileName), error);
    ASSERT_TRUE(p) << error;
    EXPECT_TRUE(*p == f.picture(copy)) << f.fileName;
  }
}

TEST(PicturesFiles, FrameOptionsParse) {
  const struct {
    std::vector<std::string> args;
    bool ok;
  } cases[] = {
      {{"--frames", "out", "--frame-every", "5", "--screen", "800x600"}, true},
      {{"--export-images", "pics"}, true},
      {{"--frame-every", "0"}, false},
      {{"--screen", "800by600"}, false},
      {{"--screen", "0x600"}, false},
      {{"--frames"}, false},
  };
  for (const auto& c : cases) {
    const app::ParseResult r = app::ParseSimOptions(c.args);
    EXPECT_EQ(r.error.empty(), c.ok) << c.args[0] << ": " << r.error;
  }
  const app::SimOptions o = app::ParseSimOptions(cases[0].args).options;
  EXPECT_EQ(o.frames, "out");
  EXPECT_EQ(o.frameEvery, 5);
  EXPECT_EQ(o.screen, (platform::Size{800, 600}));
  EXPECT_EQ(app::ParseSimOptions({}).options.screen, (platform::Size{1024, 768}));
  EXPECT_EQ(app::ParseSimOptions({}).options.frameEvery, 10);
}

// A whole race with frames: the paddock screen at the screen's size, course
// views of every n-th tick and the result board.
TEST(PicturesFiles, FrameRecorderWritesTheScreensOfARace) {
  TempFolder dir;
  RunObserver quiet;
  app::FrameRecorder frames(quiet, dir.str(), 100, {640, 480}, pictures_test::Fonts());
  virt::Options vo = pictures_test::RaceRun::Options();
  vo.screen = {640, 480};
  virt::VirtualMachine vm(vo);
  platform::Platform platform = vm.platformFor(dir.str(), &pictures_test::Fonts());
  Saver saver(platform, BuiltInAssets(), 11, &frames);
  Main(saver, "/s");
  for (int budget = 200000; !std::filesystem::exists(dir.file("race01-result.png")) && budget > 0; --budget)
    ASSERT_TRUE(vm.step(saver));
  EXPECT_EQ(frames.error(), "");
  std::string error;
  const std::optional<Picture> card = platform::ReadPng(dir.file("race01-card.png"), error);
  ASSERT_TRUE(card) << error;
  EXPECT_EQ(card->size(), (platform::Size{640, 480}));
  EXPECT_EQ(card->at(5, 5), 0u);  // frmSHOW's black round the board
  const std::optional<Picture> tick = platform::ReadPng(dir.file("race01-tick0100.png"), error);
  ASSERT_TRUE(tick) << error;
  EXPECT_EQ(tick->size(), (platform::Size{802, 602}));
  EXPECT_FALSE(std::filesystem::exists(dir.file("race01-tick0050.png")));
  EXPECT_EQ(app::FrameName(3, "tick0040"), "race03-tick0040.png");
}

}  // namespace
}  // namespace chu

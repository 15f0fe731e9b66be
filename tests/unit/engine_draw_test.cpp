// Runner sprites on the course view: the masked copy, the cell for each pose
// and leg, clipping at the edge, and the phase driver's idle values.
#include "engine_fixture.h"
#include "race/phases.h"
#include "sim/run_step.h"

namespace chu {
namespace {

constexpr std::uint32_t kCourse = 0x2080A0;

// Each cell's colour tells its pose, leg and runner; the runner is a 16×16
// block in the middle of its cell (mask black there, white around it).
constexpr std::uint32_t CellColour(int pose, int leg, int runner) {
  return (static_cast<std::uint32_t>(pose * 2 + leg + 1) << 16) | static_cast<std::uint32_t>(runner + 1) << 8 | 0x40;
}

const Assets& PoseAssets() {
  static const Assets assets = [] {
    Assets a = test::PlainAssets();
    a.course = platform::Picture(802, 602, kCourse);
    a.sprites = platform::Picture(384, 224, 0);
    a.sprites.fillRect({0, 192, 384, 32}, 0xFFFFFF);
    for (int pose = 0; pose < 6; ++pose)
      for (int leg = 0; leg < 2; ++leg) {
        const int x = 64 * pose + 32 * leg;
        a.sprites.fillRect({x + 8, 192 + 8, 16, 16}, 0);
        for (int r = 0; r < 6; ++r) a.sprites.fillRect({x + 8, 32 * r + 8, 16, 16}, CellColour(pose, leg, r));
      }
    return a;
  }();
  return assets;
}

class Sprites : public ::testing::Test {
 protected:
  void SetUp() override { run.toRunning(); }
  RaceState& st() { return run.st(); }
  const platform::Picture& image() { return run.saver.race->course.image(); }
  void Draw(int x, int y, int pose, int leg, int runner) {
    run.saver.race->course.Cls();
    st().drawX = x, st().drawY = y, st().drawPose = pose, st().drawLeg = leg, st().runNo = runner;
    DrawMouse(run.saver);
  }
  test::SaverRun run{test::QuickStart(), 1, PoseAssets()};
};

TEST_F(Sprites, MaskThenImage) {
  Draw(100, 200, 2, 1, 4);
  EXPECT_EQ(image().at(116, 216), CellColour(2, 1, 4)) << "the runner fills the hole the mask made";
  EXPECT_EQ(image().at(101, 201), kCourse) << "around the runner the course shows";
  EXPECT_EQ(image().at(131, 231), kCourse);
}

TEST_F(Sprites, LastColumnAndClippingAtTheEdges) {
  Draw(780, 590, 5, 1, 0);  // pose 5, leg 1: the sheet's last column
  EXPECT_EQ(image().at(790, 599), CellColour(5, 1, 0));
  Draw(900, 200, 1, 0, 0);
  EXPECT_EQ(image(), PoseAssets().course) << "a runner beyond the right edge is not drawn";
  Draw(-20, -20, 1, 0, 0);
  EXPECT_EQ(image().at(3, 3), CellColour(1, 0, 0));
  EXPECT_EQ(image().at(5, 5), kCourse);
}

TEST_F(Sprites, RunningPosesByHeadingStageAndRunaway) {
  struct Placed {
    int stage, heading, x, y;
    int pose;  // expected
  };
  const Placed field[6] = {
      {1, kRight, 300, 450, kRight}, {3, kLeft, 400, 100, kLeft},  {2, kUp, 650, 300, kUp},
      {0, kDown, 60, 200, kDown},    {9, kRight, 500, 520, 4},     {5, kRight, 20, 420, 5},  // the runaway
  };
  for (int i = 0; i < kRunners; ++i) {
    st().runStage[i] = field[i].stage;
    st().runX[i] = field[i].x;
    st().runY[i] = field[i].y;
    st().runVX[i] = 0, st().runVY[i] = 0;
  }
  st().runawayNo = 5;
  RunStep(run.saver);
  for (int i = 0; i < kRunners; ++i) {
    EXPECT_EQ(st().runHeading[i], field[i].heading) << "runner " << i;
    EXPECT_EQ(image().at(st().runX[i] + 16, st().runY[i] + 16), CellColour(field[i].pose, st().runLeg[i], i))
        << "runner " << i;
  }
}

TEST(CourseView, MaskedCopiesActPerPixelForAnyWidth) {
  platform::Picture src(40, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 40; ++x) src.set(x, y, 0x010203u * static_cast<std::uint32_t>(x + 7 * y) ^ 0x00F0F0F0u);
  for (const platform::Rop rop : {platform::Rop::SrcAnd, platform::Rop::SrcPaint}) {
    for (int w = 1; w <= 37; ++w) {
      platform::Picture dst(50, 5, 0x005A5A5A);
      dst.set(3, 1, 0x00FFFFFF);
      const platform::Picture before = dst;
      platform::BitBlt(dst, 2, 1, w, 3, src, 1, 0, rop);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 50; ++x) {
          std::uint32_t want = before.at(x, y);
          if (x >= 2 && x < 2 + w && y >= 1 && y < 4) {
            const std::uint32_t s = src.at(x - 1, y - 1);
            want = rop == platform::Rop::SrcAnd ? want & s : want | s;
          }
          ASSERT_EQ(dst.at(x, y), want) << "width " << w << " at (" << x << ", " << y << ")";
        }
    }
  }
}

TEST(CourseView, SharedBackgroundIsNeverDrawnOn) {
  const platform::Picture course(64, 48, kCourse);
  const platform::Picture block(8, 8, 0x00FF00);
  platform::DrawingSurface view(&course);
  EXPECT_EQ(view.image(), course);
  view.setDrawingEnabled(false);
  view.BitBlt(4, 4, 8, 8, block, 0, 0, platform::Rop::SrcCopy);
  EXPECT_EQ(view.image(), course) << "nothing is drawn while drawing is off";
  view.setDrawingEnabled(true);
  view.BitBlt(4, 4, 8, 8, block, 0, 0, platform::Rop::SrcCopy);
  EXPECT_EQ(view.image().at(5, 5), 0x00FF00u);
  EXPECT_EQ(course.at(5, 5), kCourse) << "the shared picture stays as it was";
  view.Cls();
  EXPECT_EQ(view.image(), course);
  view.Refresh();
  EXPECT_EQ(view.lastRefreshRects().size(), 3u) << "the whole view once, the block drawn and restored";
}

TEST_F(Sprites, UnknownPhaseTicksDoNothing) {
  st().racePhase = 3;
  const RaceState before = st();
  const int refreshes = run.saver.race->course.refreshCount();
  for (int t = 0; t < 5; ++t) ASSERT_TRUE(run.step());
  EXPECT_EQ(st().runX, before.runX);
  EXPECT_EQ(st().runLeg, before.runLeg);
  EXPECT_EQ(st().talkState, before.talkState);
  EXPECT_EQ(run.saver.race->course.refreshCount(), refreshes);
}

}  // namespace
}  // namespace chu

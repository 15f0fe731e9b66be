// Sprites on the course view, pixel for pixel: the masked copy, overlapping
// runners, a runner coming out of the tunnel, the stall fronts.
#include <gtest/gtest.h>

#include "pictures_fixture.h"
#include "race/phases.h"

namespace chu {
namespace {

using pictures_test::Masked;
using pictures_test::RaceRun;
using platform::Picture;
using platform::Rect;

// What the view holds after `runner` was drawn in pose/leg at (x, y) over `under`.
std::uint32_t RunnerPixel(const Picture& under, int runner, int pose, int leg, int x, int y, int px, int py) {
  const Picture& sheet = BuiltInAssets().sprites;
  const int sx = 64 * pose + 32 * leg;
  return Masked(under.at(px, py), sheet.at(sx + px - x, 192 + py - y), sheet.at(sx + px - x, 32 * runner + py - y));
}

void Draw(Saver& s, int runner, int pose, int leg, int x, int y) {
  s.state.runNo = runner;
  s.state.drawPose = pose;
  s.state.drawLeg = leg;
  s.state.drawX = x;
  s.state.drawY = y;
  DrawMouse(s);
}

// The course shows through around the figure; inside it the runner's colours.
TEST(PicturesDrawing, RunnerIsMaskedOntoTheCourse) {
  RaceRun run;
  const Picture& course = BuiltInAssets().course;
  Draw(run.saver, 2, 1, 0, 100, 450);
  int courseShows = 0;
  for (int py = 440; py < 492; ++py) {
    for (int px = 90; px < 142; ++px) {
      const bool inBox = Rect{100, 450, 32, 32}.contains({px, py});
      const std::uint32_t want = inBox ? RunnerPixel(course, 2, 1, 0, 100, 450, px, py) : course.at(px, py);
      ASSERT_EQ(run.view().at(px, py), want) << px << "," << py;
      courseShows += inBox && want == course.at(px, py);
    }
  }
  EXPECT_GT(courseShows, 200);  // the turf between the legs and round the figure
}

// Where two runners overlap, the later one is whole on top.
TEST(PicturesDrawing, LaterRunnerCoversTheEarlierOne) {
  RaceRun run;
  const Picture& course = BuiltInAssets().course;
  Draw(run.saver, 0, 0, 1, 300, 480);
  const Picture afterFirst = run.view();
  Draw(run.saver, 1, 0, 0, 310, 484);
  for (int py = 484; py < 512; ++py)
    for (int px = 310; px < 332; ++px)
      ASSERT_EQ(run.view().at(px, py), RunnerPixel(afterFirst, 1, 0, 0, 310, 484, px, py)) << px << "," << py;
  // And the earlier one still shows where the later one's mask is clear.
  int earlierShows = 0;
  for (int py = 484; py < 512; ++py)
    for (int px = 310; px < 332; ++px)
      earlierShows += run.view().at(px, py) != course.at(px, py) &&
                      BuiltInAssets().sprites.at(px - 310, 192 + py - 484) == 0xFFFFFF;
  EXPECT_GT(earlierShows, 0);
}

// Runner 0 starts at y 328 in the tunnel: hidden in the first gate tick, then
// only its lower rows below the line y 361, exactly as its cell's bottom rows.
TEST(PicturesDrawing, RunnerComesOutOfTheTunnelBelowTheMouth) {
  RaceRun run;
  const Picture& course = BuiltInAssets().course;
  const Rect column{400, 300, 32, 100};
  GateStep(run.saver);
  for (int py = column.y; py < column.bottom(); ++py)
    for (int px = column.x; px < column.right(); ++px) ASSERT_EQ(run.view().at(px, py), course.at(px, py));

  for (int rows : {7, 15, 23, 31}) {
    const int leg = run.saver.state.runLeg[0];
    ASSERT_EQ(run.saver.state.runY[0], 329 + rows);
    GateStep(run.saver);
    for (int py = column.y; py < column.bottom(); ++py) {
      for (int px = column.x; px < column.right(); ++px) {
        // The rows shown are exactly those of the whole sprite at its own y.
        const bool shown = py >= 361 && py < 361 + rows;
        const std::uint32_t want = shown ? RunnerPixel(course, 0, 3, leg, 400, 329 + rows, px, py) : course.at(px, py);
        ASSERT_EQ(run.view().at(px, py), want) << "rows " << rows << " at " << px << "," << py;
      }
    }
  }
}

// Every gate tick draws the six stall fronts, masked, one pixel up and left of
// each stall.
TEST(PicturesDrawing, StallFrontsAreMaskedOntoTheCourse) {
  RaceRun run;
  const Picture& course = BuiltInAssets().course;
  const Picture& gate = BuiltInAssets().gate;
  GateStep(run.saver);
  for (int i = 0; i < 6; ++i) {
    const int x = 166 - 33 * i, y = 40 * i;
    for (int py = 0; py < 34; ++py)
      for (int px = 0; px < 34; ++px)
        ASSERT_EQ(run.view().at(x + px, y + py), Masked(course.at(x + px, y + py), gate.at(34 + px, py), gate.at(px, py)))
            << "stall " << i << " at " << px << "," << py;
  }
}

// Clearing the view restores exactly what the last tick drew.
TEST(PicturesDrawing, ClearingRestoresTheCourse) {
  RaceRun run;
  GateStep(run.saver);
  GateStep(run.saver);
  run.saver.race->course.Cls();
  EXPECT_TRUE(run.view() == BuiltInAssets().course);
}

}  // namespace
}  // namespace chu

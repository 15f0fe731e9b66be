// The running phase on hand-made fields: neighbour checks, pixel steps and
// sidesteps, steering, velocity, the finished runner, the runaway, ranking,
// the bar strip, stage events, the last-corner adjustment and the race end.
#include <set>

#include "engine_fixture.h"
#include "sim/run_step.h"

namespace chu {
namespace {

// Runner 0 at (x, y); the others parked far away where no check sees them.
RaceState Field(int x, int y) {
  RaceState st;
  for (int k = 0; k < kRunners; ++k) {
    st.runX[k] = 3000 + 100 * k;
    st.runY[k] = 3000;
    st.runStage[k] = 1;
  }
  st.runX[0] = x;
  st.runY[0] = y;
  return st;
}

using Check = int (*)(const RaceState&, int);

struct CheckCase {
  const char* name;
  Check check;
  int kx, ky;  // runner 3's position; runner 0 stands at (300, 300)
  int expected;
};

TEST(NeighbourChecks, ExactlyAdjacentBoxesWithOverlappingBands) {
  const CheckCase cases[] = {
      {"left, level", CheckLeft, 268, 300, 3},       {"left, 31 above", CheckLeft, 268, 269, 3},
      {"left, 32 above", CheckLeft, 268, 268, kFree}, {"left, 31 below", CheckLeft, 268, 331, 3},
      {"left, 32 below", CheckLeft, 268, 332, kFree}, {"left, a pixel gap", CheckLeft, 267, 300, kFree},
      {"right, level", CheckRight, 332, 300, 3},     {"right, 31 below", CheckRight, 332, 331, 3},
      {"right, 32 below", CheckRight, 332, 332, kFree}, {"right, a pixel gap", CheckRight, 333, 300, kFree},
      {"up, level", CheckUp, 300, 268, 3},           {"up, 31 right", CheckUp, 331, 268, 3},
      {"up, 32 right", CheckUp, 332, 268, kFree},    {"up, 32 left", CheckUp, 268, 268, kFree},
      {"down, level", CheckDown, 300, 332, 3},       {"down, 31 left", CheckDown, 269, 332, 3},
      {"down, 32 left", CheckDown, 268, 332, kFree}, {"down, a pixel gap", CheckDown, 300, 333, kFree},
  };
  for (const CheckCase& c : cases) {
    RaceState st = Field(300, 300);
    st.runX[3] = c.kx;
    st.runY[3] = c.ky;
    EXPECT_EQ(c.check(st, 0), c.expected) << c.name;
  }
}

TEST(NeighbourChecks, HighestBlockerWins) {
  RaceState st = Field(300, 300);
  st.runX[1] = 268, st.runY[1] = 280;
  st.runX[4] = 268, st.runY[4] = 320;
  EXPECT_EQ(CheckLeft(st, 0), 4);
  st.runX[5] = 268, st.runY[5] = 300;  // overlapping 4: only the numbers matter here
  EXPECT_EQ(CheckLeft(st, 0), 5);
}

struct EdgeCase {
  const char* name;
  Check check;
  int x, y, stage;
  int expected;
};

TEST(NeighbourChecks, FieldEdges) {
  const EdgeCase cases[] = {
      {"left edge", CheckLeft, 1, 300, 1, kEdge},        {"next to the left edge", CheckLeft, 2, 300, 1, kFree},
      {"top edge", CheckUp, 300, 1, 1, kEdge},           {"bottom edge", CheckDown, 300, 568, 1, kEdge},
      {"right edge, lap 1", CheckRight, 768, 300, 4, kEdge}, {"right edge from stage 5", CheckRight, 768, 300, 5, kFree},
      {"right edge, finished", CheckRight, 768, 300, 10, kFree},
  };
  for (const EdgeCase& c : cases) {
    RaceState st = Field(c.x, c.y);
    st.runStage[0] = c.stage;
    EXPECT_EQ(c.check(st, 0), c.expected) << c.name;
  }
  // The edge wins over a runner found there.
  RaceState st = Field(1, 300);
  st.runX[2] = -31, st.runY[2] = 300;
  EXPECT_EQ(CheckLeft(st, 0), kEdge);
}

struct Placed {
  int runner, x, y;
};

struct StepCase {
  const char* name;
  int x, y;                       // runner 0
  std::vector<Placed> others;
  double stepX, stepY;
  int stage = 1;
  bool runaway = false;
  int outsideOnly = 0;
  int endX, endY;
  int endOutsideOnly = -1;  // -1: as before
};

TEST(PixelSteps, MovesAndSidesteps) {
  const StepCase cases[] = {
      // Left steps.
      {"left, free", 300, 200, {}, -1, 0, 1, false, 0, 299, 200},
      {"left, under a runner near the top rail: inside", 300, 140, {{3, 268, 120}}, -1, 0, 1, false, 0, 300, 141},
      {"left, inside pass blocked: no outside step", 300, 140, {{3, 268, 120}, {2, 300, 172}}, -1, 0, 1, false, 0, 300, 140},
      {"left, blocker not near the rail: outside", 300, 140, {{3, 268, 150}}, -1, 0, 1, false, 0, 300, 139},
      {"left, outside blocked", 300, 140, {{3, 268, 150}, {2, 300, 108}}, -1, 0, 1, false, 0, 300, 140},
      {"left edge: up", 1, 300, {}, -1, 0, 1, false, 0, 1, 299},
      {"left edge, runaway: on", 1, 300, {}, -1, 0, 5, true, 0, 0, 300},
      {"less than a pixel", 300, 200, {}, -0.99, 0.99, 1, false, 0, 300, 200},
      {"two and a fraction", 300, 200, {}, -2.7, 0, 1, false, 0, 298, 200},
      // Right steps.
      {"right, free", 300, 420, {}, 1, 0, 1, false, 0, 301, 420},
      {"right, over a runner on the bottom straight: inside", 300, 420, {{3, 332, 440}}, 1, 0, 1, false, 0, 300, 419, 0},
      {"right, inside blocked: outside only from now", 300, 420, {{3, 332, 440}, {2, 300, 388}}, 1, 0, 1, false, 0, 300, 420, 1},
      {"right, outside only: outside", 300, 420, {{3, 332, 440}}, 1, 0, 1, false, 1, 300, 421, 1},
      {"right, not below y 400: outside", 300, 400, {{3, 332, 420}}, 1, 0, 1, false, 0, 300, 401, 0},
      {"right edge, lap 1: down", 768, 300, {}, 1, 0, 3, false, 0, 768, 301},
      {"right edge gone on lap 2", 768, 300, {}, 1, 0, 5, false, 0, 769, 300},
      // Down steps.
      {"down, free", 100, 200, {}, 0, 1, 1, false, 0, 100, 201},
      {"down, beside a runner near the left rail: inside", 100, 200, {{3, 80, 232}}, 0, 1, 1, false, 0, 101, 200},
      {"down, inside blocked", 100, 200, {{3, 80, 232}, {2, 132, 200}}, 0, 1, 1, false, 0, 100, 200},
      {"down, blocker not near the rail: outside", 100, 200, {{3, 110, 232}}, 0, 1, 1, false, 0, 99, 200},
      {"bottom edge: left", 100, 568, {}, 0, 1, 1, false, 0, 99, 568},
      {"bottom edge, runaway: on", 100, 568, {}, 0, 1, 5, true, 0, 100, 569},
      // Up steps.
      {"up, free", 650, 300, {}, 0, -1, 1, false, 0, 650, 299},
      {"up, beside a runner near the right rail: inside", 650, 300, {{3, 670, 268}}, 0, -1, 1, false, 0, 649, 300},
      {"up, inside blocked", 650, 300, {{3, 670, 268}, {2, 618, 300}}, 0, -1, 1, false, 0, 650, 300},
      {"up, blocker not near the rail: outside", 650, 300, {{3, 640, 268}}, 0, -1, 1, false, 0, 651, 300},
      {"top edge: right", 650, 1, {}, 0, -1, 1, false, 0, 651, 1},
      // Left steps come before down steps: the left step frees the way down.
      {"left first, then down", 300, 200, {{3, 331, 232}}, -1, 1, 1, false, 0, 299, 201},
  };
  for (const StepCase& c : cases) {
    RaceState st = Field(c.x, c.y);
    for (const Placed& p : c.others) st.runX[p.runner] = p.x, st.runY[p.runner] = p.y;
    st.runStage[0] = c.stage;
    st.runawayNo = c.runaway ? 0 : -1;
    st.runOutsideOnly[0] = c.outsideOnly;
    st.runStepX[0] = c.stepX;
    st.runStepY[0] = c.stepY;
    MoveRunner(st, 0);
    EXPECT_EQ(st.runX[0], c.endX) << c.name;
    EXPECT_EQ(st.runY[0], c.endY) << c.name;
    EXPECT_EQ(st.runOutsideOnly[0], c.endOutsideOnly < 0 ? c.outsideOnly : c.endOutsideOnly) << c.name;
    EXPECT_EQ(st.runStepX[0], 0) << c.name;
    EXPECT_EQ(st.runStepY[0], 0) << c.name;
    for (const Placed& p : c.others) EXPECT_EQ(st.runX[p.runner], p.x) << c.name << ": others stay";
  }
}

struct SteerCase {
  int stage, x, y;
  int heading, newStage;
};

TEST(Steering, TurnsAtTheTurningLines) {
  const SteerCase cases[] = {
      {0, 100, 399, kDown, 0},  {0, 100, 400, kRight, 1}, {4, 100, 400, kRight, 5}, {8, 100, 400, kRight, 9},
      {1, 599, 450, kRight, 1}, {1, 600, 450, kUp, 2},    {5, 600, 450, kUp, 6},
      {2, 650, 169, kUp, 2},    {2, 650, 168, kLeft, 3},  {6, 650, 168, kLeft, 7},
      {3, 169, 100, kLeft, 3},  {3, 168, 100, kDown, 4},  {7, 168, 100, kDown, 8},
      {9, 755, 450, kRight, 9}, {9, 756, 450, kRight, 10}, {10, 900, 450, kRight, 10},
  };
  test::SaverRun run;
  for (const SteerCase& c : cases) {
    RaceState& st = run.st();
    st = Field(c.x, c.y);
    st.runStage[0] = c.stage;
    st.runHeading[0] = kLeft == c.heading ? kRight : kLeft;
    st.runLeg[0] = 1;
    st.runAccel[0] = 2;
    st.runVX[0] = 11;
    st.runStyle[0] = 2;
    SteerRunner(run.saver, 0);
    const std::string name = "stage " + std::to_string(c.stage) + " at (" + std::to_string(c.x) + ", " +
                             std::to_string(c.y) + ")";
    EXPECT_EQ(st.runHeading[0], c.heading) << name;
    EXPECT_EQ(st.runStage[0], c.newStage) << name;
    EXPECT_EQ(st.runLeg[0], 0) << name;
    const bool finished = c.newStage == 10;
    EXPECT_EQ(st.runAccel[0], finished ? 8 : 2) << name;
    EXPECT_EQ(st.runVX[0], finished ? 0 : 11) << name;
    EXPECT_EQ(st.runStyle[0], finished ? -1 : 2) << name;
  }
}

struct VelocityCase {
  int heading;
  double vx, vy;
  std::set<double> vxAfter, vyAfter;  // the draw of 1 or 2 decides between two
};

TEST(Velocity, BuildsAlongAndBleedsAcross) {
  // Top speed 10, acceleration 3.
  const VelocityCase cases[] = {
      {kRight, 0, 0, {3}, {0}},     {kRight, 9, 5, {10}, {3, 4}},   {kRight, 12, 1, {12}, {0}},
      {kRight, -2, -3, {1}, {-3}},  {kLeft, 0, 0, {-3}, {0}},       {kLeft, -9, -5, {-10}, {-4, -3}},
      {kLeft, -12, -1, {-12}, {0}}, {kLeft, 2, 3, {-1}, {3}},       {kUp, 5, 0, {3, 4}, {-3}},
      {kUp, -5, -9, {-5}, {-10}},   {kUp, 1, -12, {0}, {-12}},      {kDown, -5, 0, {-4, -3}, {3}},
      {kDown, 5, 9, {5}, {10}},     {kDown, -1, 12, {0}, {12}},
  };
  test::SaverRun run;
  for (const VelocityCase& c : cases) {
    RaceState& st = run.st();
    st.runHeading[0] = c.heading;
    st.runTopSpeed[0] = 10;
    st.runAccel[0] = 3;
    st.runVX[0] = c.vx;
    st.runVY[0] = c.vy;
    UpdateVelocity(run.saver, 0);
    EXPECT_TRUE(c.vxAfter.count(st.runVX[0])) << "heading " << c.heading << " from (" << c.vx << ", " << c.vy
                                              << "): vx " << st.runVX[0];
    EXPECT_TRUE(c.vyAfter.count(st.runVY[0])) << "heading " << c.heading << " from (" << c.vx << ", " << c.vy
                                              << "): vy " << st.runVY[0];
  }
}

// A running race whose field the test then rearranges.
class RunningRace : public ::testing::Test {
 protected:
  void SetUp() override { run.toRunning(); }
  RaceState& st() { return run.st(); }
  test::SaverRun run{test::QuickStart(), 1, test::PlainAssets()};
};

TEST_F(RunningRace, FinishedRunnerMovesEightPixelsATick) {
  for (int i = 0; i < kRunners; ++i) {
    st().runStage[i] = 10;
    st().runX[i] = 820 + 100 * i;
    st().runY[i] = 500;
    st().runVX[i] = i * 4;  // whatever it ran before the line
    st().runVY[i] = 0;
    st().runTopSpeed[i] = 12;
    st().runHeading[i] = kRight;
  }
  st().runTopSpeed[5] = 6.5;  // a top speed below 8 caps it
  st().runStage[4] = 9;       // crossing the line now
  st().runX[4] = 756;
  st().runVX[4] = 15;
  const PerRunner<int> before = st().runX;
  RunStep(run.saver);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(st().runX[i] - before[i], 8) << "runner " << i;
  EXPECT_TRUE(st().runX[5] - before[5] == 6 || st().runX[5] - before[5] == 7) << st().runX[5] - before[5];
  EXPECT_EQ(st().runStage[4], 10);
  EXPECT_EQ(st().runStyle[4], -1);
  for (int i = 0; i < kRunners; ++i) EXPECT_EQ(st().runY[i], 500);
}

TEST_F(RunningRace, RunawayOnlyWhenAloneBelowTheLine) {
  const RaceState start = st();
  int runaways = 0;
  for (std::uint64_t seed = 1; seed <= 60; ++seed) {
    for (const int othersBelow : {0, 1}) {
      st() = start;
      run.saver.rnd.reseed(seed);
      // Runner 2 reaches the bottom turn on lap 2; the rest are higher up.
      for (int i = 0; i < kRunners; ++i) {
        st().runStage[i] = 4;
        st().runX[i] = 10 + 40 * i;
        st().runY[i] = 100 + 30 * i;
        st().runVY[i] = 8;
        st().runVX[i] = 0;
      }
      st().runY[2] = 400;
      if (othersBelow) st().runY[5] = 301;
      st().talkState = 3;
      RunStep(run.saver);
      if (othersBelow) {
        EXPECT_EQ(st().runawayNo, -1) << "seed " << seed;
        continue;
      }
      if (st().runawayNo == -1) continue;
      ++runaways;
      EXPECT_EQ(st().runawayNo, 2);
      EXPECT_EQ(st().runStage[2], 5);
      // It runs off to the lower left at 4 pixels a tick.
      EXPECT_EQ(st().runVX[2], -4);
      EXPECT_EQ(st().runVY[2], 4);
      EXPECT_EQ(st().runX[2], 90 - 4);
      EXPECT_EQ(st().runY[2], 400 + 4);
      EXPECT_TRUE(st().talkState == 7 || st().talkState == 8) << "the commentary turns to it";
    }
  }
  EXPECT_GT(runaways, 5);
  EXPECT_LT(runaways, 55);
}

TEST_F(RunningRace, RunawayStopsOnceOutOfThePicture) {
  for (int i = 0; i < kRunners; ++i) st().runX[i] = 300 + 40 * i, st().runY[i] = 100, st().runStage[i] = 3;
  st().runawayNo = 0;
  st().runStage[0] = 5;
  st().runX[0] = -33;
  st().runY[0] = 500;
  RunStep(run.saver);
  EXPECT_EQ(st().runVX[0], 0);
  EXPECT_EQ(st().runVY[0], 0);
  EXPECT_EQ(st().runX[0], -33);
  EXPECT_EQ(st().runY[0], 500);
}

struct RankCase {
  int stage, x, y, progress;
};

TEST(Ranking, ProgressAlongTheCurrentSide) {
  // Runner i gets row i; expected order by progress, ties to the lower number.
  const RankCase rows[] = {
      {1, 500, 450, 1500}, {3, 300, 150, 3500}, {0, 50, 300, 300},
      {10, 900, 500, 10900}, {2, 650, 200, 2400}, {1, 500, 450, 1500},
  };
  RaceState st;
  for (int i = 0; i < kRunners; ++i) st.runStage[i] = rows[i].stage, st.runX[i] = rows[i].x, st.runY[i] = rows[i].y;
  RankField(st);
  EXPECT_EQ(st.rankOrder, (PerRunner<int>{3, 1, 4, 0, 5, 2}));
  EXPECT_EQ(st.leaderNo, 3);
  // Stage 9 at the line still ranks below any finisher.
  st.runStage[2] = 9, st.runX[2] = 760;
  st.runStage[3] = 10, st.runX[3] = 756;
  RankField(st);
  EXPECT_EQ(st.rankOrder[0], 3);
  EXPECT_EQ(st.rankOrder[1], 2);
}

struct BarCase {
  const char* name;
  int tailStage, tailY;
  bool runaway;
  int barBefore, barAfter;
};

TEST_F(RunningRace, BarSlidesOutOnceTheTailIsOnTheLastTop) {
  const BarCase cases[] = {
      {"tail on lap 2's right side", 6, 200, false, 438, 438},
      {"tail on the last top straight", 7, 299, false, 438, 441},
      {"tail still at y 300", 7, 300, false, 438, 438},
      {"tail in the final descent", 8, 350, false, 500, 503},
      {"last step", 9, 450, false, 609, 612},
      {"stopped", 9, 450, false, 612, 612},
      {"tail behind the runaway", 8, 350, true, 438, 441},
  };
  for (const BarCase& c : cases) {
    for (int i = 0; i < kRunners; ++i) st().runStage[i] = 8, st().runY[i] = 350;
    st().rankOrder = {0, 1, 2, 3, 4, 5};
    st().runawayNo = c.runaway ? 5 : -1;
    st().runStage[5] = c.runaway ? 5 : c.tailStage;
    st().runY[5] = c.tailY;
    if (c.runaway) st().runStage[4] = c.tailStage, st().runY[4] = c.tailY;
    st().barX = c.barBefore;
    run.saver.race->course.Cls();
    SlideBar(run.saver);
    EXPECT_EQ(st().barX, c.barAfter) << c.name;
    EXPECT_EQ(run.saver.race->course.image().at(c.barAfter + 150, 395), test::kPlainBar) << c.name;
  }
}

TEST(StageEvents, OnePerTickEachOnceWithTheStyleBoosts) {
  RaceState st;
  st.runStyle = {0, 1, 2, 3, 0, 3};
  st.runTopSpeed = {10, 10, 10, 10, 10, 10};
  st.runStage = {7, 3, 3, 3, 3, 3};
  st.leaderNo = 0;  // seven stages ahead of the events
  const PerRunner<double> expected[] = {
      {10, 10, 10, 10, 10, 10},        // 0: nothing
      {10, 11.5, 11.5, 11.5, 10, 11.5},  // 1: all but 逃げ
      {10, 11.5, 11.5, 11.5, 10, 11.5},  // 2
      {10, 11.5, 13, 13, 10, 13},        // 3: 差し and 追込
      {10, 11.5, 13, 13, 10, 13},        // 4
      {10, 11.5, 13, 13, 10, 13},        // 5
      {10, 11.5, 13, 14.5, 10, 14.5},    // 6: 追込
  };
  for (int event = 0; event < 7; ++event) {
    FireStageEvent(st);
    EXPECT_EQ(st.stageDone, event + 1);
    EXPECT_EQ(st.runTopSpeed, expected[event]) << "after event " << event;
  }
  FireStageEvent(st);
  EXPECT_EQ(st.stageDone, 7) << "never ahead of the leader";
  // A new leader further behind fires nothing, and nothing fires twice.
  st.leaderNo = 1;
  FireStageEvent(st);
  EXPECT_EQ(st.stageDone, 7);
  EXPECT_EQ(st.runTopSpeed, expected[6]);
  // Entering the final descent: the last-corner adjustment.
  st.leaderNo = 0;
  st.runStage[0] = 8;
  st.runX = {20, 30, 40, 50, 60, 70};
  FireStageEvent(st);
  EXPECT_EQ(st.stageDone, 8);
  EXPECT_NE(st.runTopSpeed, expected[6]);
}

TEST(StageEvents, LastCornerAdjustmentOnAHandMadeField) {
  RaceState st;
  st.runX = {100, 50, 120, 10, 30, 60};  // the rear (largest x) is 2; half of 120 − 10 is 55
  st.runStyle = {0, 1, 2, 3, 0, 1};
  st.runTopSpeed = {10, 10, 10, 10, 0.6, 10};
  st.leaderNo = 3;
  LastCornerAdjustment(st);
  EXPECT_DOUBLE_EQ(st.runTopSpeed[0], 10 + 45.0 / 100);           // ahead of 55: gains
  EXPECT_DOUBLE_EQ(st.runTopSpeed[1], 10 - 5.0 / 120);            // behind: brakes
  EXPECT_DOUBLE_EQ(st.runTopSpeed[2], 10 + 65.0 / 80);
  EXPECT_DOUBLE_EQ(st.runTopSpeed[3], 10 - 45.0 / (220 * 1.015625));  // the leader brakes less
  EXPECT_DOUBLE_EQ(st.runTopSpeed[4], 0.3);                       // a brake over half the speed halves it
  EXPECT_DOUBLE_EQ(st.runTopSpeed[5], 10 + 5.0 / 90);
  EXPECT_DOUBLE_EQ(st.leaderFactor, 1.015625);

  RaceState fast;
  fast.runX = {0, 200, 0, 0, 0, 0};
  fast.runStyle = {0, 0, 0, 0, 0, 0};
  fast.runTopSpeed = {12, 12, 12, 12, 12, 12};
  fast.leaderNo = 0;
  LastCornerAdjustment(fast);
  EXPECT_DOUBLE_EQ(fast.runTopSpeed[0], 12 - 100 / (70 * 1.125));
  EXPECT_DOUBLE_EQ(fast.runTopSpeed[2], 12 - 100.0 / 70);
  EXPECT_DOUBLE_EQ(fast.runTopSpeed[1], 12 + 100.0 / 100);

  RaceState ahead;
  ahead.runX = {100, 120, 0, 0, 0, 0};  // half of 120 − 100 is 10: the leader is ahead of it
  ahead.runStyle = {1, 1, 1, 1, 1, 1};
  ahead.runTopSpeed = {12, 12, 12, 12, 12, 12};
  ahead.leaderNo = 0;
  LastCornerAdjustment(ahead);
  EXPECT_DOUBLE_EQ(ahead.runTopSpeed[0], 12 + 90.0 / 90);
  EXPECT_EQ(ahead.leaderFactor, 0) << "the factor is set only for a braking leader";
}

struct EndCase {
  const char* name;
  PerRunner<int> x;
  int runaway, talkState;
  bool ends;
  int flag;
};

TEST(RaceEnd, WhenTheFinishersHaveGoneAndTheCommentaryIsOver) {
  const EndCase cases[] = {
      {"all gone, talk over", {802, 900, 850, 1000, 810, 805}, -1, 1000, true, 0},
      {"one still in the picture", {802, 900, 801, 1000, 810, 805}, -1, 1000, false, 1},
      {"all gone, still talking", {802, 900, 850, 1000, 810, 805}, -1, 303, false, 0},
      {"the runaway does not count", {802, 900, 850, -40, 810, 805}, 3, 1000, true, 0},
      {"still talking, with a runaway", {802, 900, 850, -40, 810, 805}, 3, 999, false, 0},
  };
  for (const EndCase& c : cases) {
    RaceState st;
    st.racePhase = 1;
    st.runX = c.x;
    st.runStage = {10, 10, 10, 10, 10, 10};
    st.runawayNo = c.runaway;
    st.talkState = c.talkState;
    st.screenSwitch = 7;
    CheckRaceEnd(st);
    EXPECT_EQ(st.racePhase, c.ends ? 2 : 1) << c.name;
    EXPECT_EQ(st.screenSwitch, c.flag) << c.name;
    if (c.runaway >= 0) { EXPECT_EQ(st.runX[c.runaway], c.ends ? 500 : -40) << c.name; }
  }
}

TEST(RaceEnd, ClockStopsOnceTheLeaderHasFinished) {
  RaceState st;
  st.runX = {700, 100, 100, 100, 100, 100};
  st.runStage = {9, 8, 8, 8, 8, 8};
  st.leaderNo = 0;
  st.raceClock = 99;
  CheckRaceEnd(st);
  EXPECT_EQ(st.raceClock, 100);
  st.runStage[0] = 10;
  CheckRaceEnd(st);
  EXPECT_EQ(st.raceClock, 100);
}

}  // namespace
}  // namespace chu

// The result board: margins, race time, board lines, finishing order, and
// how long the board stays before the next card.
#include "engine_fixture.h"
#include "race/phases.h"

namespace chu {
namespace {

TEST(ResultTexts, MarginByDistance) {
  const std::pair<int, const char*> cases[] = {
      {0, " はな差"},          {4, " はな差"},          {5, " あたま差"},        {8, " あたま差"},
      {9, " 1/4ちゅう差"},     {16, " 1/4ちゅう差"},    {17, " 1/2ちゅう差"},    {24, " 1/2ちゅう差"},
      {25, " 3/4ちゅう差"},    {32, " 3/4ちゅう差"},    {33, " 1ちゅう差"},      {36, " 1ちゅう差"},
      {40, " 1ちゅう差"},      {41, " 1 1/4ちゅう差"},  {48, " 1 1/4ちゅう差"},  {49, " 1 1/2ちゅう差"},
      {57, " 1 3/4ちゅう差"},  {64, " 1 3/4ちゅう差"},  {65, " 2ちゅう差"},      {72, " 2ちゅう差"},
      {100, " 3ちゅう差"},     {330, " 10 1/4ちゅう差"},
  };
  for (const auto& [d, text] : cases) EXPECT_EQ(MarginText(d), text) << d << " pixels";
}

TEST(ResultTexts, RaceTimeInMinutesAndSeconds) {
  const std::pair<int, const char*> cases[] = {
      {0, " 0分 0秒"}, {59, " 0分 59秒"}, {60, " 1分 0秒"}, {83, " 1分 23秒"}, {120, " 2分 0秒"}, {725, " 12分 5秒"},
  };
  for (const auto& [ticks, text] : cases) EXPECT_EQ(RaceTimeText(ticks), text) << ticks << " ticks";
  EXPECT_EQ(Str(3), " 3");
  EXPECT_EQ(Str(-3), "-3");
}

std::string Repeat(const char* s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

class ResultBoard : public ::testing::Test {
 protected:
  void SetUp() override { run.toRunning(); }
  RaceState& st() { return run.st(); }
  // Every finisher off the picture and the commentary over: the next tick ends the race.
  void FinishAll() {
    for (int i = 0; i < kRunners; ++i) {
      st().runStage[i] = 10;
      st().runX[i] = 900 + 40 * i;
      st().runY[i] = 500;
    }
    st().talkState = 1000;
  }
  test::SaverRun run;
};

TEST_F(ResultBoard, LinesWithTimeMarginsFillerAndTheRunawayLast) {
  st().runName = {Repeat("ア", 10), Repeat("イ", 11), Repeat("ウ", 12), "タモシオン", Repeat("エ", 10), "マイネチュウラブ"};
  st().runX = {900, 900, 868, 835, 1000, 500};
  st().runawayNo = 5;
  st().raceClock = 83;
  st().racePhase = 2;
  st().screenSwitch = 0;
  ResultStep(run.saver);

  const std::vector<std::string> expected = {
      "＜着順＞",
      "",
      "１着　 5:" + Repeat("エ", 10) + "　( 1分 23秒)",
      "２着　 1:" + Repeat("ア", 10) + "　( 3ちゅう差)",
      "３着　 2:" + Repeat("イ", 11) + "( はな差)",  // same x: the lower number first
      "４着　 3:" + Repeat("ウ", 12) + "( 3/4ちゅう差)",
      "５着　 4:タモシオン" + Repeat("　", 6) + "( 1ちゅう差)",
      "６着　 6:マイネチュウラブ" + Repeat("　", 3) + "(競争中止)",
  };
  EXPECT_EQ(run.saver.race->course.printedLines(), expected);
  EXPECT_EQ(st().rankOrder, (PerRunner<int>{4, 0, 1, 2, 3, 5}));
  ASSERT_EQ(run.watch.boards.size(), 1u);
  EXPECT_EQ(run.watch.boards[0], expected);
  EXPECT_EQ(st().screenSwitch, 2);
}

TEST_F(ResultBoard, RunawayIsStoppedAtTheCourseNotInFront) {
  // The runaway can lead on x alone before the end check moves it to 500.
  FinishAll();
  st().runawayNo = 2;
  st().runStage[2] = 5;
  st().runX[2] = 5000;
  ASSERT_TRUE(run.step());
  ASSERT_EQ(st().racePhase, 2);
  ASSERT_TRUE(run.step());
  ASSERT_EQ(run.watch.boards.size(), 1u);
  EXPECT_EQ(st().rankOrder[5], 2);
  EXPECT_EQ(run.watch.boards[0].back().substr(run.watch.boards[0].back().size() - 14), "(競争中止)");
}

struct HoldCase {
  bool clipStillPlaying;
};

TEST_F(ResultBoard, StaysAtLeast150TicksAndUntilTheLastClipEnds) {
  FinishAll();
  ASSERT_TRUE(run.step());
  ASSERT_EQ(st().racePhase, 2) << "the race ended";
  EXPECT_EQ(st().screenSwitch, 0);
  int phaseTicks = 0;
  run.watch.tick = [&](int phase) { phaseTicks += phase == 2; };
  ASSERT_TRUE(run.step());
  EXPECT_EQ(run.watch.boards.size(), 1u) << "the first tick writes the board";
  // The last clip plays on: the board waits for it beyond tick 151.
  run.audio.holdClips = true;
  PlayClip(run.saver, 40);
  while (phaseTicks < 300) ASSERT_TRUE(run.step());
  EXPECT_EQ(run.watch.handovers, 0);
  EXPECT_TRUE(run.saver.race);
  run.audio.holdClips = false;
  ASSERT_TRUE(run.step());
  EXPECT_EQ(phaseTicks, 301);
  EXPECT_EQ(run.watch.handovers, 1);
  EXPECT_FALSE(run.saver.race) << "the race window is gone";
  EXPECT_TRUE(run.saver.show) << "the next card is up";
  EXPECT_EQ(run.watch.cards, 2);
  EXPECT_FALSE(run.saver.ended) << "a screen change by the program never ends the saver";
}

TEST_F(ResultBoard, SilentClipsHandOverInTheHundredAndFiftyFirstTick) {
  FinishAll();
  ASSERT_TRUE(run.step());
  ASSERT_EQ(st().racePhase, 2);
  int phaseTicks = 0;
  run.watch.tick = [&](int phase) { phaseTicks += phase == 2; };
  ASSERT_TRUE(run.runUntil([&] { return run.watch.handovers == 1; }));
  EXPECT_EQ(phaseTicks, 151);
  EXPECT_FALSE(run.saver.ended);
}

}  // namespace
}  // namespace chu

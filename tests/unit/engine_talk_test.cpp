// The race commentary: stage announcements, the state machine, the winner
// call, and how it waits for the clip before.
#include <algorithm>
#include <functional>
#include <set>

#include "engine_fixture.h"
#include "sim/run_step.h"

namespace chu {
namespace {

// A running race with a hand-made field, the commentary driven step by step.
class Commentary : public ::testing::Test {
 protected:
  void SetUp() override {
    run.toRunning();
    RaceState& s = st();
    s.runNameNo = {10, 11, 12, 13, 14, 15};
    s.rankOrder = {3, 1, 4, 0, 5, 2};
    s.leaderNo = 3;
    s.favouriteNo = 2;
    s.stageDone = 5;
    s.talkStage = 5;  // the stage is announced already
    s.runawayNo = -1;
    for (int i = 0; i < kRunners; ++i) {
      s.runX[i] = 300;
      s.runY[i] = 300;
      s.runStage[i] = 5;
      s.runTopSpeed[i] = 12;
      s.runStyle[i] = 1;
    }
  }
  RaceState& st() { return run.st(); }
  // One commentary step; the clip it started, −1 for none.
  int Talk() {
    const std::size_t before = run.audio.playedClips().size();
    TalkStep(run.saver);
    const std::vector<int> clips = run.audio.playedClips();
    EXPECT_LE(clips.size(), before + 1) << "at most one clip a step";
    return clips.size() > before ? clips.back() : -1;
  }

  test::SaverRun run;
};

struct AnnounceCase {
  int stageDone;
  std::set<int> clips;  // empty: none
  int talkState;        // 3: unchanged
};

TEST_F(Commentary, AnnouncesTheLeadersNewStage) {
  const AnnounceCase cases[] = {
      {0, {31, 32, 33}, 3}, {1, {}, 3},  {2, {42}, 6}, {3, {}, 3},     {4, {}, 3},    {5, {}, 3},
      {6, {43}, 6},         {7, {}, 3},  {8, {44, 45}, 6}, {9, {}, 100}, {10, {}, 300},
  };
  for (const AnnounceCase& c : cases) {
    st().stageDone = c.stageDone;
    st().talkStage = c.stageDone - 1;
    st().talkState = 3;
    const int clip = Talk();
    if (c.clips.empty()) EXPECT_EQ(clip, -1) << "stage " << c.stageDone;
    else EXPECT_TRUE(c.clips.count(clip)) << "stage " << c.stageDone << ": clip " << clip;
    EXPECT_EQ(st().talkState, c.talkState) << "stage " << c.stageDone;
    EXPECT_EQ(st().talkStage, c.stageDone);
  }
}

TEST_F(Commentary, HoldsWhileAClipPlaysThenAnnouncesOnlyTheNewestStage) {
  st().talkState = 0;
  run.audio.holdClips = true;
  EXPECT_EQ(Talk(), 35);
  st().stageDone = 6;
  for (int t = 0; t < 5; ++t) {
    EXPECT_EQ(Talk(), -1);
    if (t == 2) st().stageDone = 8;  // the leader moves on twice while the clip plays
  }
  EXPECT_EQ(st().talkState, 1) << "no state advances while the clip plays";
  EXPECT_EQ(st().talkStage, 5);
  run.audio.holdClips = false;
  const int clip = Talk();
  EXPECT_TRUE(clip == 44 || clip == 45) << clip;
  EXPECT_EQ(st().talkStage, 8);
  EXPECT_EQ(st().talkState, 6);
  const std::vector<int> played = run.audio.playedClips();
  EXPECT_EQ(std::count(played.begin(), played.end(), 43), 0)
      << "the stage passed meanwhile is never announced";
}

TEST_F(Commentary, RunawaySequenceSuppressesTheAnnouncement) {
  st().talkState = 8;
  st().runawayNo = 4;
  st().stageDone = 6;
  EXPECT_EQ(Talk(), -1);
  EXPECT_EQ(st().talkState, 8);
  EXPECT_EQ(st().talkStage, 6) << "counted as said";
  EXPECT_EQ(Talk(), 14) << "the runaway's name";
  EXPECT_EQ(Talk(), 68);
  EXPECT_EQ(st().talkState, 6);
  // From the home straight on, the runaway sequence no longer holds the announcement.
  st().talkState = 9;
  st().stageDone = 9;
  EXPECT_EQ(Talk(), -1);
  EXPECT_EQ(st().talkState, 100);
}

struct StateCase {
  const char* name;
  int state;
  std::function<void(RaceState&)> setup;
  int clip;  // −1: none
  int next;
};

TEST_F(Commentary, StateMachine) {
  // Runner numbers: leader 3, second 1, third 4; name clip of runner i is 10 + i.
  const StateCase cases[] = {
      {"opening", 0, {}, 35, 1},
      {"the leader's name", 1, {}, 13, 2},
      {"a silent state", 2, {}, -1, 3},
      {"name of the horse talked about", 4, [](RaceState& s) { s.talkHorse = 5; }, 15, 5},
      {"about the leader", 5, [](RaceState& s) { s.talkHorse = 3; }, 37, 6},
      {"second", 5, [](RaceState& s) { s.talkHorse = 1; }, 39, 6},
      {"third", 5, [](RaceState& s) { s.talkHorse = 4; }, 40, 6},
      {"fourth", 5, [](RaceState& s) { s.talkHorse = 0; }, 40, 6},
      {"fifth", 5, [](RaceState& s) { s.talkHorse = 5; }, 41, 6},
      {"last", 5, [](RaceState& s) { s.talkHorse = 2; }, 41, 6},
      {"runaway", 7, [](RaceState& s) { s.runawayNo = 0; }, 67, 8},
      {"runaway's name", 8, [](RaceState& s) { s.runawayNo = 0; }, 10, 9},
      {"runaway, last words", 9, [](RaceState& s) { s.runawayNo = 0; }, 68, 6},
      {"home straight: the leader", 100, {}, 13, 101},
      {"leader past the line", 101, [](RaceState& s) { s.talkHorse = 3, s.runX[3] = 756; }, 54, 303},
      {"leader at the line", 101, [](RaceState& s) { s.talkHorse = 3, s.runX[3] = 755; }, 46, 200},
      {"past the line, no longer leading", 101, [](RaceState& s) { s.talkHorse = 1, s.runX[1] = 800; }, 46, 200},
      {"the second's name", 102, {}, 11, 103},
      {"second took the lead", 103, [](RaceState& s) { s.talkHorse = 3; }, 46, 200},
      {"faster closer", 103, [](RaceState& s) { s.talkHorse = 1, s.runTopSpeed[1] = 13, s.runStyle[1] = 3; }, 49, 200},
      {"faster", 103, [](RaceState& s) { s.talkHorse = 1, s.runTopSpeed[1] = 13; }, 48, 200},
      {"not faster", 103, [](RaceState& s) { s.talkHorse = 1; }, 47, 200},
      {"lowest runner leads", 104, [](RaceState& s) { s.runY[3] = 400; }, -1, 200},
      {"lowest runner a front runner", 104, [](RaceState& s) { s.runY[0] = 400, s.runStyle[0] = 1; }, -1, 200},
      {"lowest runner a closer", 104, [](RaceState& s) { s.runY[0] = 400, s.runStyle[0] = 2; }, 50, 105},
      {"its name", 105, [](RaceState& s) { s.talkHorse = 10; }, 10, 106},
      {"then", 106, {}, 51, 200},
      {"a word", 107, {}, 66, 200},
      {"neck and neck", 200,
       [](RaceState& s) { s.runX[3] = 524, s.runX[1] = 500, s.runTopSpeed[1] = 13.5, s.runStage[1] = 9; }, 69, 200},
      {"finish", 300, {}, -1, 301},
      {"the winner's name", 301, {}, 13, 302},
      {"then", 302, {}, 54, 303},
      {"second not yet past 533", 303, [](RaceState& s) { s.runX[1] = 533; }, -1, 303},
      {"second past 533", 303, [](RaceState& s) { s.runX[1] = 534; }, -1, 304},
      {"nearly over", 999, {}, -1, 1000},
      {"over", 1000, {}, -1, 1000},
  };
  const RaceState base = st();
  for (const StateCase& c : cases) {
    st() = base;
    if (c.setup) c.setup(st());
    st().talkState = c.state;
    EXPECT_EQ(Talk(), c.clip) << c.name;
    EXPECT_EQ(st().talkState, c.next) << c.name;
  }
}

TEST_F(Commentary, PicksTheNameClipAsTheHorseForTheClosers) {
  st().runY[0] = 400;
  st().runStyle[0] = 3;
  st().talkState = 104;
  EXPECT_EQ(Talk(), 50);
  EXPECT_EQ(st().talkHorse, 10) << "the name clip, not the runner";
}

TEST_F(Commentary, SideBySideOnlyWhenTheSecondIsFasterByAtMostOneAndAHalf) {
  struct Case {
    int gap;
    double secondTop;
    int secondStage;
    bool talks;
  };
  const Case cases[] = {
      {24, 13.5, 9, true}, {25, 13.5, 9, false}, {24, 12, 9, false}, {24, 13.6, 9, false}, {24, 13.5, 8, false},
  };
  const RaceState base = st();
  for (const Case& c : cases) {
    st() = base;
    st().runX[3] = 500 + c.gap;
    st().runX[1] = 500;
    st().runTopSpeed[1] = c.secondTop;
    st().runStage[1] = c.secondStage;
    st().talkState = 200;
    const int clip = Talk();
    EXPECT_EQ(clip == 69, c.talks) << "gap " << c.gap << ", top " << c.secondTop;
    if (!c.talks) {
      EXPECT_EQ(clip, -1);
      EXPECT_TRUE(std::set<int>({100, 102, 104, 107}).count(st().talkState)) << st().talkState;
    }
  }
}

TEST_F(Commentary, HorseTalkedAboutIsSometimesTheFavourite) {
  std::set<int> horses;
  for (int t = 0; t < 200; ++t) {
    st().talkState = 3;
    const int clip = Talk();
    horses.insert(st().talkHorse);
    EXPECT_EQ(clip == 38, st().talkHorse == st().favouriteNo) << "the favourite gets its own words";
    EXPECT_EQ(st().talkState, 4);
  }
  EXPECT_EQ(horses, (std::set<int>{0, 1, 2, 3, 4, 5}));
}

struct WinnerCase {
  const char* name;
  int winnerRosterNo;
  int gapSecond, gapThird;
  const char* wave;  // nullptr: no wave file
  int clip;
};

TEST_F(Commentary, WinnerCall) {
  const WinnerCase cases[] = {
      {"clear win, own call", 0, 49, 60, "70", -1},  {"own call 71", 1, 80, 90, "71", -1},
      {"own call 72", 7, 49, 60, "72", -1},          {"own call 73", 8, 49, 60, "73", -1},
      {"own call 74", 14, 49, 60, "74", -1},         {"own call 75", 18, 49, 60, "75", -1},
      {"own call 76", 21, 49, 60, "76", -1},         {"own call 77", 26, 49, 60, "77", -1},
      {"clear win, general call", 5, 49, 60, "55", -1}, {"48 pixels is not clear", 0, 48, 60, nullptr, -1},
      {"blanket finish", 5, 15, 15, nullptr, 56},    {"third too far back", 5, 15, 16, nullptr, -1},
      {"between", 5, 20, 30, nullptr, -1},
  };
  const RaceState base = st();
  for (const WinnerCase& c : cases) {
    st() = base;
    run.audio.sounds.clear();
    st().runNameNo[3] = c.winnerRosterNo;
    st().runX[3] = 900;
    st().runX[1] = 900 - c.gapSecond;
    st().runX[4] = 900 - c.gapThird;
    st().talkState = 304;
    EXPECT_EQ(Talk(), c.clip) << c.name;
    EXPECT_EQ(st().talkState, 999) << c.name;
    if (c.wave == nullptr) {
      EXPECT_TRUE(run.audio.sounds.empty()) << c.name;
      continue;
    }
    ASSERT_EQ(run.audio.sounds.size(), 1u) << c.name;
    EXPECT_EQ(run.audio.sounds[0].path, run.folder.str() + "/Wave/Wave" + c.wave + ".Wav") << c.name;
    EXPECT_FALSE(run.audio.sounds[0].wait) << c.name;
    EXPECT_EQ(st().waveNumber, c.wave) << c.name;
  }
}

TEST_F(Commentary, RunawayTakesOverTheCommentaryInTheRace) {
  // Runner 2 alone below y 300 as it reaches the bottom turn on lap 2.
  for (std::uint64_t seed = 1; seed <= 40 && st().runawayNo < 0; ++seed) {
    run.saver.rnd.reseed(seed);
    for (int i = 0; i < kRunners; ++i) {
      st().runStage[i] = 4;
      st().runX[i] = 10 + 40 * i;
      st().runY[i] = 100 + 30 * i;
    }
    st().runY[2] = 400;
    st().stageDone = 4, st().talkStage = 4;
    st().talkState = 3;
    RunStep(run.saver);
  }
  ASSERT_EQ(st().runawayNo, 2);
  std::vector<int> said;
  for (int t = 0; t < 3; ++t) said.push_back(Talk());
  EXPECT_EQ(said, (std::vector<int>{67, 12, 68}));
}

}  // namespace
}  // namespace chu

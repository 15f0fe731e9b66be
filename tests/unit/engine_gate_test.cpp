// The parade out of the tunnel into the stalls, the calls and the start.
#include <algorithm>
#include <map>
#include <set>

#include "engine_fixture.h"

namespace chu {
namespace {

using platform::DeviceType;
using platform::MciCommand;
using test::SaverRun;

int StallX(int i) { return 167 - 33 * i; }
int StallY(int i) { return 1 + 40 * i; }

struct GateTick {
  PerRunner<int> x, y, heading, leg;
};

// Positions after every gate tick (index 0 is the state StartRace left).
std::vector<GateTick> RecordGate(SaverRun& run) {
  std::vector<GateTick> ticks;
  run.toRace();
  const RaceState& st = run.st();
  ticks.push_back({st.runX, st.runY, st.runHeading, st.runLeg});
  run.watch.tick = [&](int phase) {
    if (phase == 0) ticks.push_back({st.runX, st.runY, st.runHeading, st.runLeg});
  };
  EXPECT_TRUE(run.runUntil([&] { return st.racePhase == 1; }));
  return ticks;
}

TEST(Gate, EachRunnerWalksDownLeftAndUpIntoItsStall) {
  SaverRun run;
  const std::vector<GateTick> ticks = RecordGate(run);
  ASSERT_GT(ticks.size(), 140u);
  for (int i = 0; i < kRunners; ++i) {
    SCOPED_TRACE("runner " + std::to_string(i));
    std::size_t arrival = 0;
    while (arrival < ticks.size() && !(ticks[arrival].x[i] == StallX(i) && ticks[arrival].y[i] == StallY(i)))
      ++arrival;
    EXPECT_EQ(arrival, static_cast<std::size_t>(103 + 7 * i));
    int down = 0, left = 0, up = 0;
    for (std::size_t t = 1; t <= arrival && t < ticks.size(); ++t) {
      const int dx = ticks[t].x[i] - ticks[t - 1].x[i], dy = ticks[t].y[i] - ticks[t - 1].y[i];
      down += dy > 0;
      left += dx < 0;
      up += dy < 0;
      EXPECT_TRUE((dx == 0) != (dy == 0)) << "one step a tick, straight, until the stall (tick " << t << ")";
    }
    EXPECT_EQ(down, 16 + 8 * i);
    EXPECT_EQ(left, 30 + 4 * i);
    EXPECT_EQ(up, 57 - 5 * i);
    for (std::size_t t = arrival; t < ticks.size(); ++t) {
      EXPECT_EQ(ticks[t].x[i], StallX(i));
      EXPECT_EQ(ticks[t].y[i], StallY(i));
    }
    EXPECT_EQ(ticks.back().heading[i], kDown) << "facing the course in the stall";
    for (std::size_t t = 1; t < ticks.size(); ++t)
      EXPECT_EQ(ticks[t].leg[i], 1 - ticks[t - 1].leg[i]) << "the leg flips every tick, tick " << t;
  }
}

struct StartCase {
  int clipMs;
  std::optional<int> startTick;  // when known beforehand
};

// The start needs all six in their stalls (from tick 139) and the closing call
// over (talkState 5); the race starts on the 30th tick that finds both.
TEST(Gate, StartsThirtyTicksAfterBothConditionsHold) {
  const StartCase cases[] = {{0, 168}, {400, 168}, {1500, std::nullopt}, {3000, std::nullopt}};
  for (const StartCase& c : cases) {
    SCOPED_TRACE("clips of " + std::to_string(c.clipMs) + " ms");
    virt::Options o = test::QuickStart();
    o.clipMs = c.clipMs;
    SaverRun run(o);
    run.toRace();
    int callsOver = -1, startTick = -1;
    run.watch.tick = [&](int phase) {
      if (phase != 0) return;
      if (callsOver < 0 && run.st().talkState == 5) callsOver = run.saver.race->tickCount;
      if (run.st().racePhase == 1) startTick = run.saver.race->tickCount;
    };
    ASSERT_TRUE(run.runUntil([&] { return run.st().racePhase == 1; }));
    ASSERT_GT(callsOver, 0);
    EXPECT_EQ(startTick, std::max(callsOver, 139) + 29);
    if (c.startTick) { EXPECT_EQ(startTick, *c.startTick); }
    if (c.clipMs >= 1500) { EXPECT_GT(callsOver, 139) << "the calls outlast the walk"; }
  }
}

TEST(Gate, CallsTheFieldPostByPost) {
  SaverRun run;
  run.toRace();
  run.st().runNameNo = {3, 17, 0, 29, 8, 12};
  ASSERT_TRUE(run.runUntil([&] { return run.st().racePhase == 1; }));
  std::vector<int> calls = run.audio.playedClips();
  ASSERT_FALSE(calls.empty());
  EXPECT_TRUE(calls[0] == 57 || calls[0] == 58) << calls[0];
  calls.erase(calls.begin());
  EXPECT_EQ(calls, (std::vector<int>{59, 3, 60, 17, 61, 0, 62, 29, 63, 8, 64, 12, 65}));
}

TEST(Gate, OpeningCallIsEitherOfTwo) {
  std::set<int> openings;
  for (std::uint64_t seed = 1; seed <= 20; ++seed) {
    SaverRun run(test::QuickStart(), seed);
    run.toRace();
    ASSERT_TRUE(run.runUntil([&] { return !run.audio.playedClips().empty(); }));
    openings.insert(run.audio.playedClips().front());
  }
  EXPECT_EQ(openings, (std::set<int>{57, 58}));
}

TEST(Gate, EachCallWaitsForTheClipBefore) {
  SaverRun run;
  run.toRace();
  run.audio.holdClips = true;
  for (int t = 0; t < 200; ++t) ASSERT_TRUE(run.step());
  EXPECT_EQ(run.audio.playedClips().size(), 1u) << "the opening call is still playing";
  EXPECT_EQ(run.st().racePhase, 0) << "no start while the calls hold";
  EXPECT_EQ(run.st().waveNumber, "");
  run.audio.holdClips = false;
  ASSERT_TRUE(run.step());
  EXPECT_EQ(run.audio.playedClips(), (std::vector<int>{run.audio.playedClips()[0], 59}));
}

TEST(Gate, StartSoundsPlayToTheirEndBeforeTheRaceRuns) {
  virt::Options o = test::QuickStart();
  o.clipMs = 700;
  SaverRun run(o);
  run.toRace();
  std::int64_t lastRefresh = -1;
  run.vm.onRefresh = [&](const platform::Window&, const platform::DrawingSurface&) { lastRefresh = run.vm.now(); };
  ASSERT_TRUE(run.runUntil([&] { return run.st().racePhase == 1; }));

  const auto& sounds = run.audio.sounds;
  ASSERT_EQ(sounds.size(), 2u);
  EXPECT_EQ(sounds[0].path, run.folder.str() + "/Wave/Wave30.Wav");
  EXPECT_EQ(sounds[1].path, run.folder.str() + "/Wave/Beep1.Wav");
  for (const test::SoundCall& s : sounds) {
    EXPECT_TRUE(s.wait);
    EXPECT_EQ(s.racePhase, 0) << "played before the phase changes";
    EXPECT_EQ(s.msAfter - s.msBefore, 700) << "the clock stands still for the sound";
  }
  EXPECT_EQ(sounds[1].msBefore, sounds[0].msAfter) << "one after the other, nothing between";
  EXPECT_EQ(lastRefresh, sounds[1].msAfter) << "the start tick is shown after the sounds";

  // Then the race music stops.
  const auto& cmds = run.audio.commands;
  const auto stop = std::find_if(cmds.begin(), cmds.end(), [](const test::PlayerCommand& c) {
    return c.type == DeviceType::Sequencer && c.command == MciCommand::Stop && c.file.find("/Midi/In") != std::string::npos;
  });
  ASSERT_NE(stop, cmds.end());
  EXPECT_GE(static_cast<std::size_t>(stop - cmds.begin()), sounds[1].commandsBefore);

  const RaceState& st = run.st();
  EXPECT_EQ(st.leaderNo, 0);
  EXPECT_EQ(st.clipNo, 0);
  EXPECT_EQ(st.talkState, 0);
  EXPECT_EQ(st.talkStage, -1);
  for (int i = 0; i < kRunners; ++i) {
    EXPECT_EQ(st.runX[i], StallX(i));
    EXPECT_EQ(st.runY[i], StallY(i));
  }
}

// Rows of runner `r`'s colour in column x of the course view, and the first such row.
std::pair<int, int> RowsOf(const platform::Picture& image, int r, int x) {
  int rows = 0, top = -1;
  for (int y = 0; y < image.height(); ++y) {
    if (image.at(x, y) != test::PlainRunnerColour(r)) continue;
    if (top < 0) top = y;
    ++rows;
  }
  return {rows, top};
}

struct EmergingCase {
  int runner, tick, rows, top;
};

TEST(Gate, RunnersComeOutOfTheTunnelMouthRowByRow) {
  const EmergingCase cases[] = {
      {0, 1, 0, -1},    {0, 2, 7, 361},   {0, 3, 15, 361},  {0, 4, 23, 361}, {0, 5, 31, 361},
      {0, 6, 32, 368},  {5, 41, 0, -1},   {5, 42, 7, 361},  {5, 45, 31, 361}, {5, 46, 32, 368},
  };
  SaverRun run(test::QuickStart(), 1, test::PlainAssets());
  run.toRace();
  std::map<int, platform::Picture> frames;
  run.watch.tick = [&](int phase) {
    if (phase == 0 && run.saver.race->tickCount <= 46) frames[run.saver.race->tickCount] = run.saver.race->course.image();
  };
  ASSERT_TRUE(run.runUntil([&] { return frames.size() == 46; }));
  for (const EmergingCase& c : cases) {
    const auto [rows, top] = RowsOf(frames[c.tick], c.runner, 416);
    EXPECT_EQ(rows, c.rows) << "runner " << c.runner << " tick " << c.tick;
    EXPECT_EQ(top, c.top) << "runner " << c.runner << " tick " << c.tick;
  }
}

}  // namespace
}  // namespace chu

// The race card, the paddock clock and the race set-up.
#include <cmath>
#include <set>

#include "card/race_card.h"
#include "engine_fixture.h"

namespace chu {
namespace {

using platform::TimeOfDay;
using test::SaverRun;

double OddsOnBoard(const SaverRun& run, int slot) { return std::stod(run.saver.show->lblTANSYO[slot].caption); }

// The first slot holding the card's highest top speed.
int FirstFastest(const RaceState& st) {
  int best = 0;
  for (int i = 1; i < kRunners; ++i)
    if (st.runTopSpeed[i] > st.runTopSpeed[best]) best = i;
  return best;
}

TEST(RaceCard, SixDifferentRunnersWithStylesOddsAndFavourite) {
  int extremeCards = 0;
  for (std::uint64_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    SaverRun run(test::QuickStart(), seed);
    run.start();
    const RaceState& st = run.saver.state;
    const ShowWindow& board = *run.saver.show;

    std::set<int> drawn(st.runNameNo.begin(), st.runNameNo.end());
    ASSERT_EQ(drawn.size(), 6u);
    EXPECT_EQ(st.favouriteNo, FirstFastest(st));
    bool fast = false, slow = false;
    for (int i = 0; i < kRunners; ++i) {
      const int k = st.runNameNo[i];
      ASSERT_GE(k, 0);
      ASSERT_LT(k, kRosterSize);
      EXPECT_EQ(st.runName[i], st.rosterName[k]);
      EXPECT_EQ(st.runTopSpeed[i], st.rosterSpeed[k]);
      EXPECT_EQ(st.runAccel[i], st.rosterAccel[k]);
      EXPECT_EQ(board.lblNM[i].caption, st.rosterName[k]);
      // The board shows the roster style, 自在 included; the race uses 0 to 3.
      EXPECT_EQ(board.lblRN[i].caption, kStyleWords[k / 7 > 4 ? 4 : k / 7]);
      if (k < 28) { EXPECT_EQ(st.runStyle[i], k / 7); }
      EXPECT_GE(st.runStyle[i], 0);
      EXPECT_LE(st.runStyle[i], 3);

      const double lack = (st.runTopSpeed[st.favouriteNo] - st.runTopSpeed[i]) * 10;
      const double odds = OddsOnBoard(run, i);
      EXPECT_GE(odds, std::floor((lack + 1) * 10 + 0.5) / 10 - 1e-9) << board.lblTANSYO[i].caption;
      EXPECT_LE(odds, std::floor((lack + 2) * 10 + 0.5) / 10 + 1e-9) << board.lblTANSYO[i].caption;
      if (i == st.favouriteNo) {
        EXPECT_GE(odds, 1.0);
        EXPECT_LE(odds, 2.0);
      }
      fast = fast || k == 8;   // タイキシャトチュウ, 13
      slow = slow || k == 25;  // メイチュウオウドウ, 10.1
    }
    if (fast && slow) {
      ++extremeCards;
      for (int i = 0; i < kRunners; ++i) {
        if (st.runNameNo[i] != 25) continue;
        EXPECT_GE(OddsOnBoard(run, i), 30.0);
        EXPECT_LE(OddsOnBoard(run, i), 31.0);
      }
    }
  }
  EXPECT_GT(extremeCards, 0) << "no card held both the fastest and the slowest horse";
}

TEST(RaceCard, TiedFavouriteIsTheLowerSlot) {
  // A roster in which three speeds repeat ten times each: every card has ties.
  for (std::uint64_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    SaverRun run;
    run.saver.rnd.reseed(seed);
    FillRoster(run.st());
    for (int k = 0; k < kRosterSize; ++k) run.st().rosterSpeed[k] = 10.0 + k % 3;
    DrawRaceCard(run.saver);
    const RaceState& st = run.st();
    EXPECT_EQ(st.favouriteNo, FirstFastest(st));
    for (int i = 0; i < kRunners; ++i) {
      if (st.runTopSpeed[i] != st.runTopSpeed[st.favouriteNo]) continue;
      EXPECT_GE(OddsOnBoard(run, i), 1.0);
      EXPECT_LE(OddsOnBoard(run, i), 2.0);
    }
  }
}

TEST(RaceCard, OddsTextHasOneDecimalRounded) {
  const std::pair<double, const char*> cases[] = {
      {1.0, "1.0"}, {1.04, "1.0"}, {1.06, "1.1"}, {1.96, "2.0"}, {9.94, "9.9"}, {30.96, "31.0"}, {12.34, "12.3"},
  };
  for (const auto& [odds, text] : cases) EXPECT_EQ(FormatOdds(odds), text) << odds;
}

TEST(RaceCard, PostTimeIsTheNextFullMinute) {
  const std::pair<TimeOfDay, const char*> cases[] = {
      {{9, 5, 7}, "09:06.00"},   {{12, 34, 59}, "12:35.00"}, {{12, 34, 0}, "12:35.00"},
      {{12, 59, 30}, "13:00.00"}, {{23, 59, 30}, "00:00.00"}, {{0, 0, 0}, "00:01.00"},
  };
  for (const auto& [now, text] : cases) EXPECT_EQ(PostTimeText(now), text);
  EXPECT_EQ(ClockText({9, 5, 7}, ' '), "09 05.07");
  EXPECT_EQ(ClockText({23, 0, 9}, ':'), "23:00.09");
}

struct PaddockCase {
  TimeOfDay drawnAt;
  const char* post;
  const char* clock;    // as the card is drawn
  std::int64_t raceMs;  // when StartRace runs
};

TEST(Paddock, ClockAlternatesAndTheRaceStartsAtTheFirstColonTickOfThePostMinute) {
  const PaddockCase cases[] = {
      {{12, 34, 59}, "12:35.00", "12 34.59", 1000},    // the next second is the post minute
      {{12, 34, 0}, "12:35.00", "12 34.00", 61000},    // 12:35:00 shows a blank, 12:35:01 the colon
      {{23, 59, 30}, "00:00.00", "23 59.30", 31000},   // past midnight
      {{9, 5, 7}, "09:06.00", "09 05.07", 53000},
  };
  for (const PaddockCase& c : cases) {
    SCOPED_TRACE(c.post);
    virt::Options o;
    o.start = c.drawnAt;
    SaverRun run(o);
    std::vector<std::string> clock;
    run.vm.onInvalidate = [&](const platform::Window& w) {
      if (w.kind() == platform::WindowKind::Show) clock.push_back(run.saver.show->lblNOW.caption);
    };
    std::int64_t startedAt = -1;
    run.watch.start = [&] { startedAt = run.vm.now(); };
    run.start();
    EXPECT_EQ(run.saver.show->lblHASO.caption, c.post);
    ASSERT_TRUE(run.runUntil([&] { return run.saver.race != nullptr; }));
    EXPECT_EQ(startedAt, c.raceMs);
    EXPECT_FALSE(run.saver.show) << "the board is gone";
    EXPECT_FALSE(run.saver.ended);

    ASSERT_EQ(clock.size(), static_cast<std::size_t>(c.raceMs / 1000 + 1));
    EXPECT_EQ(clock[0], c.clock);
    for (std::size_t t = 1; t < clock.size(); ++t) EXPECT_EQ(clock[t][2], t % 2 == 1 ? ':' : ' ') << clock[t];
    EXPECT_EQ(clock.back().substr(0, 5), std::string(c.post).substr(0, 5));
  }
}

TEST(StartRace, ResetsTheRaceForTheNextCard) {
  SaverRun run;
  RaceState snapshot;
  int secondStartTicks = -1;
  bool clipsRewound = false;
  std::size_t commandsBefore = 0;
  run.watch.card = [&] { commandsBefore = run.audio.commands.size(); };
  run.watch.start = [&] {
    if (run.watch.starts != 2) return;
    snapshot = run.st();
    secondStartTicks = run.saver.race->tickCount;
    // The 70 clip players were rewound, in order, since the card.
    std::vector<int> rewound;
    for (std::size_t c = commandsBefore; c < run.audio.commands.size(); ++c) {
      const auto& cmd = run.audio.commands[c];
      if (cmd.type == platform::DeviceType::WaveAudio && cmd.command == platform::MciCommand::Prev)
        rewound.push_back(test::ClipNumberOf(cmd.file));
    }
    std::vector<int> all(70);
    for (int k = 0; k < 70; ++k) all[k] = k;
    clipsRewound = rewound == all;
  };
  run.start();
  ASSERT_TRUE(run.runUntil([&] { return run.watch.starts == 2; }));
  ASSERT_EQ(run.watch.handovers, 1) << "a whole race ran before";

  EXPECT_EQ(secondStartTicks, 0);
  EXPECT_TRUE(clipsRewound);
  const RaceState& st = snapshot;
  for (int i = 0; i < kRunners; ++i) {
    SCOPED_TRACE("runner " + std::to_string(i));
    EXPECT_EQ(st.runX[i], 400);
    EXPECT_EQ(st.runY[i], 328 - 64 * i);
    EXPECT_EQ(st.runHeading[i], kDown);
    EXPECT_TRUE(st.runLeg[i] == 0 || st.runLeg[i] == 1);
    EXPECT_EQ(st.runStage[i], 0);
    EXPECT_EQ(st.runOutsideOnly[i], 0);
    EXPECT_EQ(st.runVX[i], 0);
    EXPECT_EQ(st.runVY[i], 0);
    static constexpr double kHandicap[4] = {0, 0.5, 1.0, 1.5};
    EXPECT_DOUBLE_EQ(st.runTopSpeed[i], st.rosterSpeed[st.runNameNo[i]] - kHandicap[st.runStyle[i]]);
    EXPECT_EQ(run.saver.race->lblNM[i].caption, std::to_string(i + 1) + ":" + st.runName[i]);
  }
  EXPECT_EQ(st.racePhase, 0);
  EXPECT_EQ(st.stageDone, 0);
  EXPECT_EQ(st.talkState, 0);
  EXPECT_EQ(st.talkStage, 0);
  EXPECT_EQ(st.raceClock, 0);
  EXPECT_EQ(st.runawayNo, -1);
  EXPECT_EQ(st.barX, 438);
  EXPECT_EQ(st.waveNumber, "");
  EXPECT_EQ(st.screenSwitch, 1);
}

}  // namespace
}  // namespace chu

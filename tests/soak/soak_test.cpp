// Soak: 2,000 races from varied seeds, start times, speed settings and clip
// lengths, on virtual time, checked tick by tick: every race ends, no two
// runner boxes ever overlap while running, every stage event fires exactly
// once, and every result board lists six different runners.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "platform/virtual/virtual_machine.h"
#include "startup/observer.h"
#include "startup/saver.h"
#include "support/temp_folder.h"

namespace chu {
namespace {

constexpr int kRuns = 40;
constexpr int kRacesPerRun = 50;

struct RunSetup {
  std::uint64_t seed;
  platform::TimeOfDay start;
  int speedIndex;  // what RaceSpeed.Dat holds
  int clipMs;      // every clip and direct sound lasts this long
  bool drawing;    // most runs switch the pixels off; a few keep them
};

RunSetup SetupFor(int run) {
  static constexpr std::array<int, 5> kIntervals{1, 50, 100, 200, 300};
  static constexpr std::array<int, 5> kClips{0, 250, 700, 1500, 2600};
  static constexpr std::array<int, 3> kShortClips{0, 15, 60};  // at 1 ms ticks
  RunSetup s{};
  s.seed = 0x5EED0000ULL + 7919ULL * static_cast<std::uint64_t>(run);
  s.start = {(run * 5) % 24, (run * 37) % 60, (run * 13) % 60};
  s.speedIndex = run % 5;
  s.clipMs = kIntervals[s.speedIndex] == 1 ? kShortClips[(run / 5) % 3] : kClips[(run / 5) % 5];
  s.drawing = run % 10 == 9;
  return s;
}

// Ticks a race may take at most: the gate, the running, the commentary's
// last clips and the board, with room to spare; a race beyond it hangs.
long TickBound(const RunSetup& s) {
  static constexpr std::array<int, 5> kIntervals{1, 50, 100, 200, 300};
  return 3000 + 60L * (s.clipMs / kIntervals[s.speedIndex] + 1);
}

bool Overlap(const RaceState& st, int a, int b) {
  return std::abs(st.runX[a] - st.runX[b]) < 32 && std::abs(st.runY[a] - st.runY[b]) < 32;
}

// Post numbers of the six place lines: "１着　 3:name…".
std::vector<int> PostsOnBoard(const std::vector<std::string>& lines) {
  std::vector<int> posts;
  for (std::size_t q = 2; q < lines.size(); ++q) {
    const std::string& l = lines[q];
    const std::size_t colon = l.find(':');
    if (colon == std::string::npos || colon < 1) return {};
    posts.push_back(l[colon - 1] - '0');
  }
  return posts;
}

struct Totals {
  long races = 0, ticks = 0, runningTicks = 0, runaways = 0, overlapChecks = 0;
};

// Follows one run tick by tick and checks every race as it goes.
class SoakWatcher final : public RunObserver {
 public:
  SoakWatcher(const RunSetup& setup, Totals& totals) : setup_(setup), totals_(totals) {}
  void attach(Saver& s) { saver_ = &s; }

  void onStart(const Saver& s) override {
    if (!setup_.drawing) saver_->race->course.setDrawingEnabled(false);
    ++starts_;
    raceTicks_ = 0;
    lastStageDone_ = s.state.stageDone;
    resultSeen_ = false;
    EXPECT_EQ(s.state.stageDone, 0) << where();
  }

  void onTick(const Saver& s, int phase) override {
    const RaceState& st = s.state;
    ++totals_.ticks;
    if (++raceTicks_ > TickBound(setup_)) {
      if (!hung_) ADD_FAILURE() << where() << ": no end after " << raceTicks_ << " ticks, phase " << phase
                                << ", talkState " << st.talkState << ", x " << st.runX[0] << " " << st.runX[5];
      hung_ = true;
      return;
    }
    if (phase == 1) checkRunningTick(st);
  }

  void onResult(const Saver& s, const std::vector<std::string>& lines) override {
    const RaceState& st = s.state;
    resultSeen_ = true;
    EXPECT_EQ(lastStageDone_, 10) << where() << ": the race ended before every stage event fired";
    ASSERT_EQ(lines.size(), 8u) << where();
    EXPECT_EQ(lines[0], "＜着順＞") << where();
    std::set<int> order(st.rankOrder.begin(), st.rankOrder.end());
    EXPECT_EQ(order.size(), 6u) << where();
    const std::vector<int> posts = PostsOnBoard(lines);
    ASSERT_EQ(posts.size(), 6u) << where();
    std::set<std::string> names;
    for (int q = 0; q < kRunners; ++q) {
      EXPECT_EQ(posts[q], st.rankOrder[q] + 1) << where() << ": " << lines[q + 2];
      names.insert(st.runName[st.rankOrder[q]]);
    }
    EXPECT_EQ(std::set<int>(posts.begin(), posts.end()).size(), 6u) << where();
    EXPECT_EQ(names.size(), 6u) << where();
    for (int i = 0; i < kRunners; ++i) {
      if (i == st.runawayNo) continue;
      EXPECT_EQ(st.runStage[i], 10) << where() << ": runner " << i << " never finished";
    }
    if (st.runawayNo >= 0) {
      ++totals_.runaways;
      EXPECT_EQ(st.rankOrder[5], st.runawayNo) << where();
      EXPECT_NE(lines[7].find("(競争中止)"), std::string::npos) << where();
    }
  }

  void onHandover(const Saver&) override {
    EXPECT_TRUE(resultSeen_) << where();
    ++handovers_;
    ++totals_.races;
  }

  void onEnd(const Saver&) override { ADD_FAILURE() << where() << ": the saver ended without input"; }

  int handovers() const { return handovers_; }
  bool hung() const { return hung_; }

 private:
  void checkRunningTick(const RaceState& st) {
    ++totals_.runningTicks;
    EXPECT_TRUE(st.stageDone == lastStageDone_ || st.stageDone == lastStageDone_ + 1)
        << where() << ": stageDone went from " << lastStageDone_ << " to " << st.stageDone;
    lastStageDone_ = st.stageDone;
    for (int i = 0; i < kRunners; ++i) {
      if (i == st.runawayNo) continue;
      // Inside the field: the edges hold every runner but the runaway.
      const bool inside =
          st.runX[i] >= 1 && st.runY[i] >= 1 && st.runY[i] <= 568 && (st.runStage[i] >= 5 || st.runX[i] <= 768);
      if (!inside) {
        ADD_FAILURE() << where() << ": runner " << i << " at (" << st.runX[i] << ", " << st.runY[i] << ") stage "
                      << st.runStage[i] << " is off the field";
      }
    }
    for (int a = 0; a < kRunners; ++a)
      for (int b = a + 1; b < kRunners; ++b) {
        ++totals_.overlapChecks;
        if (Overlap(st, a, b)) {
          ADD_FAILURE() << where() << ": runners " << a << " (" << st.runX[a] << ", " << st.runY[a] << ") and " << b
                        << " (" << st.runX[b] << ", " << st.runY[b] << ") overlap";
        }
      }
  }

  std::string where() const {
    return "seed " + std::to_string(setup_.seed) + " race " + std::to_string(starts_) + " tick " +
           std::to_string(raceTicks_);
  }

  const RunSetup& setup_;
  Totals& totals_;
  Saver* saver_ = nullptr;
  int starts_ = 0, handovers_ = 0;
  long raceTicks_ = 0;
  int lastStageDone_ = 0;
  bool resultSeen_ = false;
  bool hung_ = false;
};


TEST(Soak, TwoThousandRaces) {
  Totals totals;
  for (int r = 0; r < kRuns; ++r) {
    const RunSetup setup = SetupFor(r);
    testsupport::TempFolder folder("chu-soak");
    folder.write("RaceSpeed.Dat", std::to_string(setup.speedIndex) + "\r\n");

    virt::Options o;
    o.start = setup.start;
    o.clipMs = setup.clipMs;
    virt::VirtualMachine vm(o);
    platform::Platform platform = vm.platformFor(folder.str());
    SoakWatcher watch(setup, totals);
    Saver saver(platform, BuiltInAssets(), setup.seed, &watch);
    watch.attach(saver);
    Main(saver, "/s");
    vm.run(saver, [&] { return watch.handovers() >= kRacesPerRun || watch.hung() || HasFatalFailure(); });
    ASSERT_FALSE(watch.hung());
    ASSERT_EQ(watch.handovers(), kRacesPerRun) << "seed " << setup.seed;
    if (HasFailure()) break;  // one run's failures are enough to read
  }
  EXPECT_EQ(totals.races, static_cast<long>(kRuns) * kRacesPerRun);
  std::ostringstream summary;
  summary << totals.races << " races, " << totals.ticks << " ticks (" << totals.runningTicks << " running), "
          << totals.runaways << " runaways, " << totals.overlapChecks << " box pairs checked";
  RecordProperty("summary", summary.str());
  std::cout << "soak: " << summary.str() << '\n';
}

}  // namespace
}  // namespace chu

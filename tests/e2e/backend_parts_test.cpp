// The back-end's own parts that need no display: the timer grid, hit testing
// and the geometry of presenting, the single-copy lock, the clock override.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "assets/assets.h"
#include "card/show_window.h"
#include "platform/sdl/instance_lock.h"
#include "platform/sdl/tick_schedule.h"
#include "platform/sdl/view_geometry.h"
#include "platform/sdl/wall_clock.h"
#include "race/race_window.h"
#include "support/temp_folder.h"

namespace chu::sdl {
namespace {

using platform::Point;
using platform::Rect;
using platform::SurfaceId;
using platform::TimerId;
constexpr std::int64_t kMs = TickSchedule::kMs;

// Runs every tick due at `now`, returning how many ran.
int RunDue(TickSchedule& s, std::int64_t now) {
  int n = 0;
  while (s.takeDue(now)) ++n;
  return n;
}

TEST(TickSchedule, TicksStayOnTheirGridWhenTheyRunLate) {
  TickSchedule s;
  s.start(TimerId::RaceTick, 100, 0);
  EXPECT_FALSE(s.takeDue(99 * kMs));
  EXPECT_EQ(s.takeDue(100 * kMs + 7 * kMs), TimerId::RaceTick);  // 7 ms late
  EXPECT_EQ(s.nextDue(), 200 * kMs);                              // not 207
}

TEST(TickSchedule, OneMillisecondTicksCatchUpAfterAShortDelay) {
  TickSchedule s;
  s.start(TimerId::RaceTick, 1, 0);
  // Woken 10 ms late by a present: the ten ticks run back to back.
  EXPECT_EQ(RunDue(s, 10 * kMs), 10);
  // Over a second of uneven wake-ups exactly a thousand ticks come.
  int total = 10;
  for (std::int64_t t = 10 * kMs; t < 1000 * kMs;) {
    t += (t / kMs % 3 == 0) ? 3 * kMs : kMs + kMs / 10;
    total += RunDue(s, std::min(t, 1000 * kMs));
  }
  EXPECT_EQ(total, 1000);
}

TEST(TickSchedule, ALongStallDelaysTheNextTickInsteadOfABurst) {
  TickSchedule s;
  s.start(TimerId::RaceTick, 50, 0);
  // A sound played to its end held everything for three seconds.
  EXPECT_EQ(RunDue(s, 3000 * kMs), 1);
  EXPECT_EQ(s.nextDue(), 3050 * kMs);
}

TEST(TickSchedule, TiesGoToTheTimerStartedFirstAndStopIsFinal) {
  TickSchedule s;
  s.start(TimerId::ShowMusicStatus, 1000, 0);
  s.start(TimerId::ShowClock, 1000, 0);
  EXPECT_EQ(s.takeDue(1000 * kMs), TimerId::ShowMusicStatus);
  EXPECT_EQ(s.takeDue(1000 * kMs), TimerId::ShowClock);
  s.stop(TimerId::ShowClock);
  EXPECT_EQ(s.takeDue(5000 * kMs), TimerId::ShowMusicStatus);
  EXPECT_FALSE(s.takeDue(5000 * kMs));
  // A restart counts from the restart.
  s.start(TimerId::ShowClock, 1000, 5500 * kMs);
  EXPECT_EQ(s.nextDue(), 6000 * kMs);
}

class Views : public ::testing::Test {
 protected:
  Views() : board(BuiltInAssets()), race(BuiltInAssets()) {
    board.picSHOW.rect.x = 344;
    board.picSHOW.rect.y = 146;
    race.picRACE.rect.x = 111;
    race.picRACE.rect.y = 83;
  }
  ShowWindow board;
  RaceWindow race;
};

TEST_F(Views, MouseEventsGoToTheTopmostPictureUnderThePointer) {
  struct Case {
    bool onRace;
    Point at;
    SurfaceId surface;
    Point local;
    bool overPicture;
  };
  const Case cases[] = {
      {false, {10, 10}, SurfaceId::ShowWindow, {10, 10}, false},
      {false, {343, 200}, SurfaceId::ShowWindow, {343, 200}, false},  // just left of the board
      {false, {344, 146}, SurfaceId::ShowBoard, {0, 0}, true},
      // Over a label on the board (lblNM(0)): labels catch nothing.
      {false, {344 + 60, 146 + 50}, SurfaceId::ShowBoard, {60, 50}, true},
      // A runner icon has its sunken border: coordinates inside it.
      {false, {344 + 8 + 5, 146 + 72 + 5}, SurfaceId::ShowIcon, {3, 3}, true},
      {true, {110, 83}, SurfaceId::RaceWindow, {110, 83}, false},
      {true, {111 + 801, 83 + 601}, SurfaceId::RaceCourse, {801, 601}, true},
      {true, {111 + 216, 83 + 216}, SurfaceId::RacePanel, {0, 0}, true},
      {true, {111 + 215, 83 + 216}, SurfaceId::RaceCourse, {215, 216}, true},
  };
  for (const Case& c : cases) {
    const SurfaceHit hit = HitTest(c.onRace ? race.view() : board.view(), c.at);
    EXPECT_EQ(hit.surface, c.surface) << c.at.x << "," << c.at.y;
    EXPECT_EQ(hit.local, c.local) << c.at.x << "," << c.at.y;
    EXPECT_EQ(hit.overPicture, c.overPicture) << c.at.x << "," << c.at.y;
  }
}

TEST_F(Views, TheCourseShowsThroughEverywhereButUnderTheRunnerList) {
  const std::vector<Rect> area = VisibleDrawingArea(race.view(), &race.course);
  const Rect panel{111 + 216, 83 + 216, 369, 96};
  long covered = 0;
  for (const Rect& r : area) {
    EXPECT_TRUE(platform::intersect(r, panel).empty());
    covered += static_cast<long>(r.w) * r.h;
  }
  EXPECT_EQ(covered, 802L * 602 - 369L * 96);
  EXPECT_TRUE(VisibleDrawingArea(board.view(), &race.course).empty());
}

TEST(Geometry, SubtractLeavesThePartsOutsideTheHole) {
  struct Case {
    Rect r, hole;
    long area;
    std::size_t parts;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, {20, 20, 5, 5}, 100, 1},   // apart
      {{0, 0, 10, 10}, {0, 0, 10, 10}, 0, 0},     // covered
      {{0, 0, 10, 10}, {3, 3, 4, 4}, 84, 4},      // a hole in the middle
      {{0, 0, 10, 10}, {5, -5, 20, 20}, 50, 1},   // the right half cut off
      {{0, 0, 10, 10}, {-1, 8, 12, 5}, 80, 1},    // the bottom cut off
  };
  for (const Case& c : cases) {
    const auto parts = Subtract(c.r, c.hole);
    long area = 0;
    for (const Rect& p : parts) {
      EXPECT_TRUE(platform::intersect(p, c.hole).empty());
      area += static_cast<long>(p.w) * p.h;
    }
    EXPECT_EQ(area, c.area);
    EXPECT_EQ(parts.size(), c.parts);
  }
}

TEST(Geometry, ChangedTilesFindOnlyWhatChanged) {
  platform::Picture a(100, 70, 0), b(100, 70, 0);
  EXPECT_TRUE(ChangedTiles(a, b).empty());
  b.set(40, 65, 1);  // tile (32, 64) of the last, short row
  b.set(99, 0, 1);   // tile (96, 0), narrow
  const auto changed = ChangedTiles(a, b);
  ASSERT_EQ(changed.size(), 2u);
  EXPECT_EQ(changed[0], (Rect{96, 0, 4, 32}));
  EXPECT_EQ(changed[1], (Rect{32, 64, 32, 6}));
  // Neighbours in a row are one rectangle.
  b.set(70, 66, 1);
  EXPECT_EQ(ChangedTiles(a, b)[1], (Rect{32, 64, 64, 6}));
  EXPECT_EQ(ChangedTiles(platform::Picture(5, 5), b), std::vector<Rect>{b.bounds()});
}

class Lock : public ::testing::Test {
 protected:
  testsupport::TempFolder folder{"chu-lock"};
  const std::string dir = folder.str();
};

TEST_F(Lock, OnlyTheFirstHolderRunsAndTheLockDiesWithIt) {
  const std::string path = dir + "/chuderby.lock";
  auto first = std::make_unique<InstanceLock>(path);
  EXPECT_FALSE(first->anotherCopyRunning());
  EXPECT_FALSE(first->anotherCopyRunning());  // asking again changes nothing
  InstanceLock second(path);
  EXPECT_TRUE(second.anotherCopyRunning());
  first.reset();
  InstanceLock third(path);
  EXPECT_FALSE(third.anotherCopyRunning());
  EXPECT_TRUE(third.held());
}

TEST_F(Lock, ALockFileThatCannotBeOpenedBlocksNothing) {
  InstanceLock lock(dir + "/missing-folder/chuderby.lock");
  EXPECT_FALSE(lock.anotherCopyRunning());
  EXPECT_FALSE(lock.held());
  // A symbolic link planted in the lock's place is not followed.
  std::filesystem::create_symlink(dir + "/elsewhere", dir + "/planted.lock");
  InstanceLock planted(dir + "/planted.lock");
  EXPECT_FALSE(planted.anotherCopyRunning());
  EXPECT_FALSE(std::filesystem::exists(dir + "/elsewhere"));
}

TEST(LockPath, LivesInTheRuntimeFolderOrFallsBackToTmp) {
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string keep = saved != nullptr ? saved : "";
  setenv("XDG_RUNTIME_DIR", "/run/user/1234", 1);
  EXPECT_EQ(DefaultLockPath(), "/run/user/1234/chuderby.lock");
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(DefaultLockPath().rfind("/tmp/chuderby-", 0), 0u);
  setenv("XDG_RUNTIME_DIR", "relative", 1);
  EXPECT_EQ(DefaultLockPath().rfind("/tmp/chuderby-", 0), 0u);
  if (saved != nullptr) setenv("XDG_RUNTIME_DIR", keep.c_str(), 1);
  else unsetenv("XDG_RUNTIME_DIR");
}

TEST(WallClock, StartTimeOverride) {
  struct Case {
    const char* text;
    std::optional<platform::TimeOfDay> time;
  };
  const Case cases[] = {
      {"12:34:56", platform::TimeOfDay{12, 34, 56}}, {"00:00", platform::TimeOfDay{0, 0, 0}},
      {"23:59:59", platform::TimeOfDay{23, 59, 59}}, {"24:00:00", std::nullopt},
      {"12:60:00", std::nullopt},                    {"1:02:03", std::nullopt},
      {"12-34-56", std::nullopt},                    {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseTimeOfDay(c.text), c.time) << c.text;

  // The clock reads the chosen time now (give or take the second it may tick).
  const WallClock clock(platform::TimeOfDay{23, 59, 59});
  const platform::TimeOfDay t = clock.localTime();
  EXPECT_TRUE((t == platform::TimeOfDay{23, 59, 59}) || (t == platform::TimeOfDay{0, 0, 0}));
}

}  // namespace
}  // namespace chu::sdl

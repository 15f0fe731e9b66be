// Ending on user input: the movement rule, key-up and mouse-up on each screen,
// EndSaver's order, and screen changes made by the program.
#include <algorithm>
#include <functional>

#include "engine_fixture.h"

namespace chu {
namespace {

using platform::DeviceType;
using platform::MciCommand;
using platform::SurfaceId;
using platform::WindowKind;
using test::SaverRun;

TEST(MoveWatch, ThirdChangedReportInARowFires) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> reports;
    int firesAt;  // index of the report that fires, −1: none
  };
  const Case cases[] = {
      {"three changes", {{5, 5}, {6, 5}, {6, 7}}, 2},
      {"1, 2, 0, 1, 2 keeps running; the next change ends it", {{5, 5}, {6, 6}, {6, 6}, {7, 7}, {8, 8}, {9, 9}}, 5},
      {"a resting pointer at the origin never counts", {{0, 0}, {0, 0}, {0, 0}, {0, 0}}, -1},
      {"a resting pointer elsewhere counts once", {{40, 30}, {40, 30}, {40, 30}, {40, 30}, {40, 30}}, -1},
      {"only x changes", {{1, 0}, {2, 0}, {3, 0}}, 2},
      {"only y changes", {{0, 1}, {0, 2}, {0, 3}}, 2},
  };
  for (const Case& c : cases) {
    MoveWatch watch;
    int fired = -1;
    for (std::size_t i = 0; i < c.reports.size() && fired < 0; ++i)
      if (watch.report(c.reports[i].first, c.reports[i].second)) fired = static_cast<int>(i);
    EXPECT_EQ(fired, c.firesAt) << c.name;
  }
}

struct MoveCase {
  const char* name;
  bool onRace;  // else on the paddock board
  std::vector<SurfaceId> surfaces;  // one changed report on each, in order
  bool ends;
};

TEST(UserInput, MouseMovementOnWatchedSurfaces) {
  const MoveCase cases[] = {
      {"board's black border", false, {SurfaceId::ShowWindow, SurfaceId::ShowWindow, SurfaceId::ShowWindow}, true},
      {"over the board itself", false, {SurfaceId::ShowBoard, SurfaceId::ShowBoard, SurfaceId::ShowBoard}, false},
      {"over a runner icon", false, {SurfaceId::ShowIcon, SurfaceId::ShowIcon, SurfaceId::ShowIcon}, false},
      {"course and border counted apart", true,
       {SurfaceId::RaceCourse, SurfaceId::RaceCourse, SurfaceId::RaceWindow, SurfaceId::RaceWindow}, false},
      {"course", true, {SurfaceId::RaceCourse, SurfaceId::RaceCourse, SurfaceId::RaceCourse}, true},
      {"race border", true, {SurfaceId::RaceWindow, SurfaceId::RaceWindow, SurfaceId::RaceWindow}, true},
      {"runner list", true, {SurfaceId::RacePanel, SurfaceId::RacePanel, SurfaceId::RacePanel}, false},
  };
  for (const MoveCase& c : cases) {
    SaverRun run;
    if (c.onRace) run.toRace();
    else run.start();
    int x = 10;
    for (SurfaceId s : c.surfaces) OnMouseMove(run.saver, s, x += 7, 20);
    EXPECT_EQ(run.saver.ended, c.ends) << c.name;
    EXPECT_EQ(run.watch.ended, c.ends) << c.name;
  }
}

struct ReleaseCase {
  const char* name;
  bool onRace;
  std::function<void(Saver&)> input;
  bool ends;
};

TEST(UserInput, ReleasesEndTheSaver) {
  const ReleaseCase cases[] = {
      {"key on the board", false, [](Saver& s) { OnKeyUp(s, WindowKind::Show); }, true},
      {"button on the board's border", false, [](Saver& s) { OnMouseUp(s, SurfaceId::ShowWindow); }, true},
      {"button on the board", false, [](Saver& s) { OnMouseUp(s, SurfaceId::ShowBoard); }, false},
      {"key on the backdrop", false, [](Saver& s) { OnKeyUp(s, WindowKind::Back); }, false},
      {"button on the backdrop", false, [](Saver& s) { OnMouseUp(s, SurfaceId::BackWindow); }, false},
      {"key on the race", true, [](Saver& s) { OnKeyUp(s, WindowKind::Race); }, true},
      {"button on the race border", true, [](Saver& s) { OnMouseUp(s, SurfaceId::RaceWindow); }, true},
      {"button on the course", true, [](Saver& s) { OnMouseUp(s, SurfaceId::RaceCourse); }, true},
      {"button on the runner list", true, [](Saver& s) { OnMouseUp(s, SurfaceId::RacePanel); }, false},
  };
  for (const ReleaseCase& c : cases) {
    SaverRun run;
    if (c.onRace) run.toRunning();
    else run.start();
    c.input(run.saver);
    EXPECT_EQ(run.saver.ended, c.ends) << c.name;
    if (!c.ends) {
      EXPECT_TRUE(run.step()) << c.name << ": the saver goes on";
      continue;
    }
    EXPECT_FALSE(run.vm.shown(WindowKind::Back)) << c.name;
    EXPECT_FALSE(run.vm.shown(WindowKind::Show)) << c.name;
    EXPECT_FALSE(run.vm.shown(WindowKind::Race)) << c.name;
    EXPECT_FALSE(run.step()) << c.name << ": no timer fires again";
  }
}

// Commands sent from `from` on, as "Close Midi/In2.Mid" and "Close 07".
std::vector<std::string> CommandsFrom(const SaverRun& run, std::size_t from) {
  std::vector<std::string> out;
  for (std::size_t i = from; i < run.audio.commands.size(); ++i) {
    const test::PlayerCommand& c = run.audio.commands[i];
    std::string what = platform::commandName(c.command);
    if (c.type == DeviceType::WaveAudio) {
      const int k = test::ClipNumberOf(c.file);
      what += std::string(" ") + char('0' + k / 10) + char('0' + k % 10);
    } else {
      what += " " + c.file.substr(c.file.rfind("/Midi/") + 1);
    }
    out.push_back(what);
  }
  return out;
}

std::vector<std::string> AllClipsClosed() {
  std::vector<std::string> out;
  for (int k = 0; k < 70; ++k) out.push_back(std::string("Close ") + char('0' + k / 10) + char('0' + k % 10));
  return out;
}

TEST(UserInput, KeyOnTheRaceClosesTheMusicThenEveryClipInOrder) {
  SaverRun run;
  run.toRace();
  const std::size_t from = run.audio.commands.size();
  OnKeyUp(run.saver, WindowKind::Race);
  const std::vector<std::string> sent = CommandsFrom(run, from);
  ASSERT_EQ(sent.size(), 71u);
  EXPECT_EQ(sent[0].substr(0, 13), "Close Midi/In");
  EXPECT_EQ(std::vector<std::string>(sent.begin() + 1, sent.end()), AllClipsClosed());
  EXPECT_TRUE(run.watch.ended);
}

TEST(UserInput, BoardExitClosesItsMusicThenTheClips) {
  SaverRun run;
  run.start();
  const std::size_t from = run.audio.commands.size();
  OnMouseUp(run.saver, SurfaceId::ShowWindow);
  const std::vector<std::string> sent = CommandsFrom(run, from);
  ASSERT_EQ(sent.size(), 71u);
  EXPECT_EQ(sent[0].substr(0, 14), "Close Midi/Bgm");
  EXPECT_EQ(std::vector<std::string>(sent.begin() + 1, sent.end()), AllClipsClosed());
}

TEST(UserInput, ButtonOnTheRaceLeavesTheMusicToTheEnd) {
  SaverRun run;
  run.toRace();
  const std::size_t from = run.audio.commands.size();
  OnMouseUp(run.saver, SurfaceId::RaceCourse);
  EXPECT_EQ(CommandsFrom(run, from), AllClipsClosed());
}

TEST(ScreenChanges, ProgramChangesNeverEndTheSaver) {
  SaverRun run;
  run.start();
  const std::size_t from = run.audio.commands.size();
  // Paddock to race: the board's music closes, the clips are rewound, none is closed.
  ASSERT_TRUE(run.runUntil([&] { return run.saver.race != nullptr; }));
  const std::vector<std::string> sent = CommandsFrom(run, from);
  EXPECT_EQ(std::count_if(sent.begin(), sent.end(), [](const std::string& s) { return s.rfind("Close", 0) == 0; }), 1);
  EXPECT_EQ(sent[0].substr(0, 14), "Close Midi/Bgm");
  EXPECT_EQ(run.st().screenSwitch, 1);
  // Race to the next paddock, twice over.
  ASSERT_TRUE(run.runUntil([&] { return run.watch.handovers == 2; }));
  EXPECT_FALSE(run.saver.ended);
  EXPECT_FALSE(run.watch.ended);
  EXPECT_TRUE(run.vm.shown(WindowKind::Back));
  EXPECT_TRUE(run.vm.shown(WindowKind::Show));
}

}  // namespace
}  // namespace chu

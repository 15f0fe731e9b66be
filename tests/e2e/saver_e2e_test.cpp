// The saver on a real (virtual) X display: the paddock board and the race
// screen, ending on input, the modes that end at once, the single copy, the
// failures, the watch window.
#include <gtest/gtest.h>
#include <signal.h>

#include <array>
#include <cstdlib>

#include "e2e_support.h"

namespace chu::e2e {
namespace {

// The tests run on a 1024×768 screen: the board (336×476) and the course
// view (802×602) are centred on it.
constexpr int kScreenW = 1024, kScreenH = 768;
constexpr int kBoardX = (kScreenW - 336) / 2, kBoardY = (kScreenH - 476) / 2;
constexpr int kCourseX = (kScreenW - 802) / 2, kCourseY = (kScreenH - 602) / 2;

// The post colours of the six rows, as the number boxes show them.
constexpr std::array<Rgb, 6> kPostColours = {
    Rgb{255, 255, 255}, Rgb{0, 0, 0}, Rgb{255, 0, 0}, Rgb{0, 255, 255}, Rgb{0, 128, 0}, Rgb{255, 128, 0}};

// Inside the number box of a row, clear of its border and its digit.
int NumberBoxX() { return kBoardX + 8 + 4; }
int NumberBoxY(int row) { return kBoardY + 48 + 72 * row + 4; }

bool BoardShown(const Screenshot& s) {
  for (int row = 0; row < 6; ++row)
    if (!(s.at(NumberBoxX(), NumberBoxY(row)) == kPostColours[row])) return false;
  return s.at(5, 5) == Rgb{};
}

// The course's turf shows where the board was.
bool RaceShown(const Screenshot& s) {
  const Rgb turf = s.at(kCourseX + 30, kCourseY + 300);
  return turf.g > 80 && turf.r < turf.g && turf.b < turf.g && !BoardShown(s);
}

class Saver : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveDisplay()) GTEST_SKIP() << "no X display: these tests run under xvfb-run (not installed here)";
    ASSERT_TRUE(x.ok()) << "cannot open the display";
    // The pointer rests on the middle of the screen (the board, the runner
    // list), where a window appearing under it is not watched.
    ASSERT_TRUE(MoveMouse(kScreenW / 2, kScreenH / 2));
  }

  // The program's environment: its own folder and lock, a clock that puts the
  // post time where the test wants it.
  std::map<std::string, std::optional<std::string>> Env(const std::string& startTime = "12:00:05") const {
    return {{"CHUDERBY_FOLDER", folder.str()},
            {"XDG_RUNTIME_DIR", runtime.str()},
            {"CHUDERBY_START_TIME", startTime},
            {"CHUDERBY_WINDOW", std::nullopt}};
  }

  // Waits until the board is on the screen.
  bool WaitForBoard() {
    return WaitFor([&] { return BoardShown(x.shot()); });
  }

  // Waits until the screen has shown at least one timer tick since now: the
  // input sent before has been handled (input comes before the next tick).
  bool WaitForTicks(int x0, int y0, int w, int h, int changes = 2) {
    std::uint64_t last = x.shot().hash(x0, y0, w, h);
    for (int i = 0; i < changes; ++i) {
      const bool changed = WaitFor([&] {
        const std::uint64_t now = x.shot().hash(x0, y0, w, h);
        if (now == last) return false;
        last = now;
        return true;
      });
      if (!changed) return false;
    }
    return true;
  }
  // The board's clock changes every second.
  bool WaitForBoardClock() { return WaitForTicks(kBoardX + 176, kBoardY + 24, 117, 22); }
  bool WaitForCourse() { return WaitForTicks(kCourseX, kCourseY, 802, 602); }

  XSession x;
  TempFolder folder, runtime;
};

TEST_F(Saver, BoardShowsTheCardInThePostColoursAndAKeyReleaseEndsIt) {
  Program p({"/s"}, Env());
  ASSERT_TRUE(WaitForBoard()) << "the paddock board did not appear";
  const Screenshot s = x.shot();
  for (int row = 0; row < 6; ++row)
    EXPECT_EQ(s.at(NumberBoxX(), NumberBoxY(row)), kPostColours[row]) << "row " << row;
  EXPECT_EQ(s.at(kBoardX - 20, kBoardY + 100), Rgb{}) << "the border around the board is black";

  // Holding a key down does nothing; releasing it ends the saver.
  ASSERT_TRUE(Xdotool({"keydown", "a"}));
  ASSERT_TRUE(WaitForBoardClock());
  EXPECT_TRUE(p.running()) << "a key press ended the saver";
  ASSERT_TRUE(Xdotool({"keyup", "a"}));
  const double sent = p.secondsSinceStart();
  EXPECT_EQ(p.waitExit(), 0) << p.standardError();
  std::printf("ended %.3f s after the key release\n", p.secondsSinceStart() - sent);
}

TEST_F(Saver, AMouseButtonReleasedOverTheBorderEndsIt) {
  Program p({"/s"}, Env());
  ASSERT_TRUE(WaitForBoard());
  ASSERT_TRUE(MoveMouse(kBoardX - 40, kBoardY));  // first report: one changed position
  ASSERT_TRUE(Click(1));
  EXPECT_EQ(p.waitExit(), 0) << p.standardError();
}

// The movement rule: the third changed report in a row on a watched surface.
struct MoveCase {
  const char* name;
  std::vector<std::array<int, 2>> moves;
  bool ends;
};

void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }

class SaverMoves : public Saver, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(SaverMoves, OnTheBoardScreen) {
  const MoveCase& c = GetParam();
  Program p({"/s"}, Env());
  ASSERT_TRUE(WaitForBoard());
  for (const auto& [mx, my] : c.moves) ASSERT_TRUE(MoveMouse(mx, my));
  if (c.ends) {
    EXPECT_EQ(p.waitExit(), 0) << p.standardError();
  } else {
    ASSERT_TRUE(WaitForBoardClock());
    EXPECT_TRUE(p.running()) << "the moves ended the saver";
    ASSERT_TRUE(BoardShown(x.shot()));
    ASSERT_TRUE(Key("Escape"));
    EXPECT_EQ(p.waitExit(), 0) << p.standardError();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Saver, SaverMoves,
    ::testing::Values(MoveCase{"ThreeOverTheBorderEnd", {{40, 40}, {50, 60}, {70, 80}}, true},
                      MoveCase{"ThreeOverTheBoardDoNot",
                               {{kBoardX + 100, kBoardY + 100}, {kBoardX + 150, kBoardY + 200},
                                {kBoardX + 200, kBoardY + 300}},
                               false},
                      // Onto the board and back out: the border saw two changed reports only.
                      MoveCase{"TwoOverTheBorderAroundOneOnTheBoardDoNot",
                               {{40, 40}, {kBoardX + 100, kBoardY + 100}, {50, 60}},
                               false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Saver, RaceScreenCountsMovesOnTheCourseAndOnTheBorderApart) {
  // The post minute begins three seconds after the start.
  Program p({"/s"}, Env("12:00:57"));
  ASSERT_TRUE(WaitForBoard());
  ASSERT_TRUE(WaitFor([&] { return RaceShown(x.shot()); })) << "the race screen did not come";
  const Screenshot s = x.shot();
  EXPECT_EQ(s.at(kCourseX - 20, kCourseY + 100), Rgb{}) << "the border around the course is black";

  // Two changed reports on the course (clear of the runner list) and two on
  // the border: each surface counts to two only.
  ASSERT_TRUE(MoveMouse(kCourseX + 40, kCourseY + 40));
  ASSERT_TRUE(MoveMouse(kCourseX + 60, kCourseY + 50));
  ASSERT_TRUE(MoveMouse(20, 30));
  ASSERT_TRUE(MoveMouse(30, 40));
  ASSERT_TRUE(WaitForCourse());
  EXPECT_TRUE(p.running()) << "two moves on each surface ended the saver";

  // A third changed report on the border does.
  ASSERT_TRUE(MoveMouse(40, 50));
  EXPECT_EQ(p.waitExit(), 0) << p.standardError();
}

TEST_F(Saver, AfterTheRaceTheNextCardComesUp) {
  // At the 1 ms setting a silent race is over in about a second: too soon to
  // be sure of a screenshot of it, but a new card only comes after a race.
  WriteFile(folder.file("RaceSpeed.Dat"), " 0 \r\n");
  Program p({"/s"}, Env("12:00:57"));
  ASSERT_TRUE(WaitForBoard());
  auto card = [&](const Screenshot& s) { return s.hash(kBoardX, kBoardY + 48, 336, 420); };
  const std::uint64_t firstCard = card(x.shot());
  ASSERT_TRUE(WaitFor([&] {
    const Screenshot s = x.shot();
    return BoardShown(s) && card(s) != firstCard;
  })) << "the next card did not come up";
  EXPECT_TRUE(p.running());
  ASSERT_TRUE(Key("Escape"));
  EXPECT_EQ(p.waitExit(), 0) << p.standardError();
}

TEST_F(Saver, KeyReleaseOnTheRaceScreenEndsIt) {
  Program p({"/s"}, Env("12:00:57"));
  ASSERT_TRUE(WaitFor([&] { return RaceShown(x.shot()); })) << "the race screen did not come";
  ASSERT_TRUE(Key("space"));
  EXPECT_EQ(p.waitExit(), 0) << p.standardError();
}

TEST_F(Saver, OtherCommandLinesEndAtOnceWithoutAWindow) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"/p", "1234"}, {"/s", "0"}, {"/S", "1234"}, {"/a", "1234"}, {"-s"}, {"/x"}}) {
    x.windowsCreated();
    Program p(args, Env());
    EXPECT_EQ(p.waitExit(), 0) << args[0] << p.standardError();
    EXPECT_EQ(x.windowsCreated(), 0) << args[0];
    EXPECT_EQ(p.standardError(), "") << args[0];
  }
  EXPECT_FALSE(FileExists(folder.file("RaceSpeed.Dat"))) << "no file is touched";
}

TEST_F(Saver, ASecondCopyEndsAndLeavesTheFirstRunning) {
  Program first({"/s"}, Env());
  ASSERT_TRUE(WaitForBoard());
  for (const std::vector<std::string>& args : {std::vector<std::string>{"/s"}, {"/c"}, {}}) {
    x.windowsCreated();
    Program second(args, Env());
    EXPECT_EQ(second.waitExit(), 0) << second.standardError();
    EXPECT_EQ(x.windowsCreated(), 0) << "the second copy showed a window";
  }
  EXPECT_FALSE(FileExists(folder.file("RaceSpeed.Dat"))) << "the second dialog touched the settings";
  ASSERT_TRUE(WaitForBoardClock());
  EXPECT_TRUE(first.running());
  EXPECT_TRUE(BoardShown(x.shot()));
  ASSERT_TRUE(Key("Escape"));
  EXPECT_EQ(first.waitExit(), 0) << first.standardError();
}

TEST_F(Saver, ACrashedCopyDoesNotBlockTheNext) {
  {
    Program crashed({"/s"}, Env());
    ASSERT_TRUE(WaitForBoard());
    crashed.kill(SIGKILL);
    ASSERT_FALSE(crashed.waitExit().has_value());
    ASSERT_TRUE(crashed.signalled());
  }
  ASSERT_TRUE(WaitFor([&] { return !BoardShown(x.shot()); }));
  Program next({"/s"}, Env());
  ASSERT_TRUE(WaitForBoard()) << "the next copy did not start";
  ASSERT_TRUE(Key("Escape"));
  EXPECT_EQ(next.waitExit(), 0) << next.standardError();
}

TEST_F(Saver, EndsCleanlyWhenTheSystemAsksItToQuit) {
  Program p({"/s"}, Env());
  ASSERT_TRUE(WaitForBoard());
  p.kill(SIGTERM);
  EXPECT_EQ(p.waitExit(), 0) << p.standardError();
}

// Failures: one line on standard error, exit code 1, nothing left behind.
TEST_F(Saver, FailsClearlyWithoutADisplay) {
  struct Case {
    std::optional<std::string> display;
    const char* says;
    std::optional<std::string> driver;
  };
  for (const Case& c : {Case{std::nullopt, "chuderby: no display (DISPLAY is not set)", std::nullopt},
                        Case{":4242", "chuderby: cannot open the display :4242", std::nullopt},
                        Case{std::getenv("DISPLAY"), "chuderby: cannot start the video driver nosuch", "nosuch"}}) {
    auto env = Env();
    env["DISPLAY"] = c.display;
    env["WAYLAND_DISPLAY"] = std::nullopt;
    env["SDL_VIDEODRIVER"] = c.driver;
    x.windowsCreated();
    Program p({"/s"}, env);
    EXPECT_EQ(p.waitExit(), 1) << p.standardError();
    const std::string err = p.standardError();
    EXPECT_EQ(err.rfind(c.says, 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(x.windowsCreated(), 0);
  }
  // Nothing blocks the next start.
  Program p({"/s"}, Env());
  ASSERT_TRUE(WaitForBoard());
  ASSERT_TRUE(Key("Escape"));
  EXPECT_EQ(p.waitExit(), 0) << p.standardError();
}

TEST_F(Saver, FailsClearlyWithoutTheJapaneseFont) {
  // A font configuration that knows no fonts at all.
  const std::string fonts = folder.file("fonts.conf");
  WriteFile(fonts,
            "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig><dir>" + folder.str() +
                "/nofonts</dir><cachedir>" + folder.str() + "/cache</cachedir></fontconfig>\n");
  for (const char* mode : {"/s", "/c"}) {
    auto env = Env();
    env["FONTCONFIG_FILE"] = fonts;
    x.windowsCreated();
    Program p({mode}, env);
    EXPECT_EQ(p.waitExit(), 1) << mode << p.standardError();
    const std::string err = p.standardError();
    EXPECT_EQ(err.rfind("chuderby: ", 0), 0u) << err;
    EXPECT_NE(err.find("fonts-ipafont-gothic"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(x.windowsCreated(), 0) << mode;
  }
  EXPECT_FALSE(FileExists(folder.file("RaceSpeed.Dat")));
}

TEST_F(Saver, WatchWindowIgnoresInputAndEndsOnEscape) {
  auto env = Env();
  env["CHUDERBY_WINDOW"] = "800x600";
  Program p({"/s"}, env);
  std::optional<unsigned long> window;
  ASSERT_TRUE(WaitFor([&] { return (window = x.findWindow("Chu Derby")).has_value(); }));
  const auto g = x.geometry(*window);
  ASSERT_TRUE(g.has_value());
  EXPECT_EQ(g->w, 800);
  EXPECT_EQ(g->h, 600);
  // The board, centred in the window.
  const int bx = g->x + (800 - 336) / 2, by = g->y + (600 - 476) / 2;
  ASSERT_TRUE(WaitFor([&] { return x.shot().at(bx + 12, by + 48 + 72 * 2 + 4) == kPostColours[2]; }));
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(MoveMouse(g->x + 10 + 7 * i, g->y + 10 + 5 * i));
  ASSERT_TRUE(Click(1));
  ASSERT_TRUE(Key("a"));
  ASSERT_TRUE(WaitForTicks(bx + 176, by + 24, 117, 22));
  EXPECT_TRUE(p.running()) << "input ended the watch window";
  ASSERT_TRUE(Key("Escape"));
  EXPECT_EQ(p.waitExit(), 0) << p.standardError();
}

}  // namespace
}  // namespace chu::e2e

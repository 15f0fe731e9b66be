// Start-up: the command-line table, what Main does in each mode, a second
// copy, the clip players it opens; and the command line of chuderby-sim.
#include <sys/wait.h>

#include <cstdlib>

#include "engine_fixture.h"
#include "sim_options.h"

#ifndef CHU_SIM_EXE
#error "CHU_SIM_EXE must name the simulator under test"
#endif

namespace chu {
namespace {

using platform::DeviceType;
using platform::MciCommand;
using platform::WindowKind;
using test::SaverRun;

struct ModeCase {
  const char* commandLine;
  RunMode mode;
};

TEST(CommandLine, ChoosesTheRunMode) {
  const ModeCase cases[] = {
      {"/s", RunMode::Saver},          {"/S", RunMode::Saver},
      {"/S 1234", RunMode::EndAtOnce}, {"/s 0", RunMode::EndAtOnce},
      {"/s ", RunMode::EndAtOnce},     {" /s", RunMode::EndAtOnce},
      {"/c", RunMode::Settings},       {"/C", RunMode::Settings},
      {"/c:1234", RunMode::Settings},  {"/c 1234", RunMode::Settings},
      {"/Cx", RunMode::Settings},      {"", RunMode::Settings},
      {"/p 1234", RunMode::EndAtOnce}, {"/a 1234", RunMode::EndAtOnce},
      {"/", RunMode::EndAtOnce},       {"c", RunMode::EndAtOnce},
      {" /c", RunMode::EndAtOnce},     {"-s", RunMode::EndAtOnce},
  };
  for (const ModeCase& c : cases)
    EXPECT_EQ(ModeForCommandLine(c.commandLine), c.mode) << "command line '" << c.commandLine << "'";
}

struct MainCase {
  const char* commandLine;
  bool anotherCopy;
  bool saver;     // backdrop and paddock board up, clips opened
  bool settings;  // the dialog up
};

TEST(Main, OutcomeOfEachStart) {
  const MainCase cases[] = {
      {"/s", false, true, false},      {"/S", false, true, false},  {"/c:5678", false, false, true},
      {"", false, false, true},        {"/p 5678", false, false, false}, {"/s 0", false, false, false},
      {"/s", true, false, false},      {"/c", true, false, false},  {"", true, false, false},
  };
  for (const MainCase& c : cases) {
    SCOPED_TRACE(std::string("command line '") + c.commandLine + "'" + (c.anotherCopy ? ", second copy" : ""));
    virt::Options o = test::QuickStart();
    o.anotherCopyRunning = c.anotherCopy;
    SaverRun run(o);
    run.start(c.commandLine);

    EXPECT_EQ(run.vm.shown(WindowKind::Back), c.saver);
    EXPECT_EQ(run.vm.shown(WindowKind::Show), c.saver);
    EXPECT_EQ(run.watch.cards, c.saver ? 1 : 0);
    EXPECT_EQ(run.vm.shown(WindowKind::Info), c.settings);
    EXPECT_EQ(run.saver.ended, !c.saver && !c.settings);
    // Only the dialog reads (and repairs) the settings at start-up.
    EXPECT_EQ(run.folder.exists("RaceSpeed.Dat"), c.settings);
    if (!c.saver) { EXPECT_TRUE(run.audio.commands.empty()); }
    if (!c.saver && !c.settings) { EXPECT_FALSE(run.step()) << "an ended run has nothing left to do"; }
  }
}

TEST(Main, OpensTheSeventyClipsInOrderBeforeTheCard) {
  SaverRun run;
  run.start();
  std::vector<test::PlayerCommand> clips;
  for (const auto& c : run.audio.commands)
    if (c.type == DeviceType::WaveAudio) clips.push_back(c);
  ASSERT_EQ(clips.size(), 70u);
  for (int k = 0; k < 70; ++k) {
    EXPECT_EQ(clips[k].player, k) << "the clip players come first, before the board's music";
    EXPECT_EQ(clips[k].command, MciCommand::Open);
    EXPECT_EQ(test::ClipNumberOf(clips[k].file), k) << clips[k].file;
    EXPECT_EQ(clips[k].file, run.folder.str() + "/" + ClipFileName(k));
  }
  EXPECT_EQ(ClipFileName(5), "Wave/Wave05.Wav");
  EXPECT_EQ(ClipFileName(69), "Wave/Wave69.Wav");
}

TEST(ProgramPath, JoinsWithExactlyOneSeparator) {
  EXPECT_EQ(platform::ProgramPath("/", "Wave/Wave00.Wav"), "/Wave/Wave00.Wav");
  EXPECT_EQ(platform::ProgramPath("/opt/chu", "Wave/Wave00.Wav"), "/opt/chu/Wave/Wave00.Wav");
  EXPECT_EQ(platform::ProgramPath("/opt/chu/", "RaceSpeed.Dat"), "/opt/chu/RaceSpeed.Dat");
}

// ------------------------------------------------------------- chuderby-sim

TEST(SimOptions, BadCommandLinesAreRefused) {
  const std::vector<std::vector<std::string>> bad = {
      {"--seed"},        {"--seed", "x"},       {"--seed", "-1"},           {"--races", "0"},
      {"--races", "2x"}, {"--start-time", "25:00:00"}, {"--start-time", "9:00:00"}, {"--clip-ms", "-5"},
      {"--folder", ""},  {"--trace", ""},       {"--bogus", "1"},           {"races"},
  };
  for (const auto& args : bad) {
    const app::ParseResult r = app::ParseSimOptions(args);
    EXPECT_FALSE(r.error.empty()) << args[0] << (args.size() > 1 ? " " + args[1] : "");
  }
}

TEST(SimOptions, GoodCommandLineIsRead) {
  const app::ParseResult r = app::ParseSimOptions(
      {"--seed", "7", "--races", "3", "--start-time", "23:59:30", "--clip-ms", "0", "--trace", "t.jsonl"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.seed, 7u);
  EXPECT_EQ(r.options.races, 3);
  EXPECT_EQ(r.options.start, (platform::TimeOfDay{23, 59, 30}));
  EXPECT_EQ(r.options.clipMs, 0);
  EXPECT_EQ(r.options.trace, "t.jsonl");
  EXPECT_FALSE(r.options.folder.has_value());
}

int ExitCode(const std::string& command) {
  const int status = std::system((command + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SimOptions, SimulatorExitsWithTwoOnABadCommandLine) {
  ASSERT_TRUE(std::filesystem::exists(CHU_SIM_EXE)) << "chuderby-sim is not built at " << CHU_SIM_EXE;
  test::TempFolder folder;
  const std::string base = std::string(CHU_SIM_EXE) + " --folder " + folder.str();
  EXPECT_EQ(ExitCode(base + " --races 0"), 2);
  EXPECT_EQ(ExitCode(base + " --colour red"), 2);
  EXPECT_EQ(ExitCode(base + " --seed"), 2);
  EXPECT_EQ(ExitCode(base + " --seed 3 --races 1"), 0);
}

}  // namespace
}  // namespace chu

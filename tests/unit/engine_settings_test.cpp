// RaceSpeed.Dat as the race window reads it at every load: the tick interval
// and the bytes left on disk.
#include "engine_fixture.h"
#include "settings/speed_file.h"

namespace chu {
namespace {

using platform::TimerId;

struct SpeedFileCase {
  const char* name;
  std::optional<std::string> before;  // nothing: no file
  int interval;
  std::string after;
};

const std::string kRepaired = "2\r\n";

TEST(SpeedFile, RaceWindowLoadTakesTheIntervalAndRepairsWhatItCannotRead) {
  const SpeedFileCase cases[] = {
      {"no file", std::nullopt, 100, kRepaired},
      {"0", "0", 1, "0"},
      {"1", "1\r\n", 50, "1\r\n"},
      {"2", "2\r\n", 100, "2\r\n"},
      {"3", "3", 200, "3"},
      {"dialog form of 4", " 4 \r\n", 300, " 4 \r\n"},
      {"lone 4", "4", 300, "4"},
      {"7: readable, no speed", "7", 50, "7"},
      {"negative", "-1\r\n", 50, "-1\r\n"},
      {"largest 16-bit number", "32767", 50, "32767"},
      {"beyond 16 bits", "32768\r\n", 100, kRepaired},
      {"far beyond 16 bits", "99999999999999999999", 100, kRepaired},
      {"below 16 bits", "-32769", 100, kRepaired},
      {"empty", "", 100, kRepaired},
      {"only blanks and line breaks", "  \r\n\r\n ", 100, kRepaired},
      {"blank lines before the number", "\r\n\r\n  3\r\n", 200, "\r\n\r\n  3\r\n"},
      {"comma ends the number", "1,4", 50, "1,4"},
      {"text after the number", "3 fast", 200, "3 fast"},
      // A first line that does not start with a number is unreadable.
      {"word first", "fast\r\n", 100, kRepaired},
      {"letters glued to the number", "3x", 100, kRepaired},
  };
  for (const SpeedFileCase& c : cases) {
    SCOPED_TRACE(c.name);
    test::SaverRun run;
    if (c.before) run.folder.write(kSpeedFileName, *c.before);
    run.toRace();
    EXPECT_EQ(run.vm.timerInterval(TimerId::RaceTick), c.interval);
    EXPECT_EQ(run.saver.race->interval, c.interval);
    EXPECT_EQ(run.folder.read(kSpeedFileName), c.after);
  }
}

TEST(SpeedFile, IsReadAgainForEveryRace) {
  test::SaverRun run;
  run.folder.write(kSpeedFileName, "4");
  run.toRunning();
  EXPECT_EQ(run.vm.timerInterval(TimerId::RaceTick), 300);
  run.folder.write(kSpeedFileName, "1");
  ASSERT_TRUE(run.runUntil([&] { return run.watch.starts == 2; }));
  EXPECT_EQ(run.vm.timerInterval(TimerId::RaceTick), 50);
}

TEST(SpeedFile, DialogAndRepairWriteTheirOwnForms) {
  test::TempFolder folder;
  WriteSpeedFile(folder.str(), 3);
  EXPECT_EQ(folder.read(kSpeedFileName), std::string("\x20\x33\x20\x0D\x0A"));
  EXPECT_EQ(ReadSpeedFile(folder.str()), 3);
  WriteSpeedFile(folder.str(), 0);
  EXPECT_EQ(folder.read(kSpeedFileName), " 0 \r\n");
  RepairSpeedFile(folder.str());
  EXPECT_EQ(folder.read(kSpeedFileName), std::string("\x32\x0D\x0A"));
  EXPECT_EQ(ReadSpeedFile(folder.str()), 2);
}

TEST(SpeedFile, MissingFileIsAFailedRead) {
  test::TempFolder folder;
  EXPECT_EQ(ReadSpeedFile(folder.str()), std::nullopt);
  EXPECT_FALSE(folder.exists(kSpeedFileName)) << "reading alone never writes";
}

TEST(SpeedFile, OnlyTheFirstNumberIsRead) {
  test::TempFolder folder;
  // A long tail after the number is never read.
  folder.write(kSpeedFileName, " 3 \r\n" + std::string(8 << 20, 'x'));
  EXPECT_EQ(ReadSpeedFile(folder.str()), 3);
  // Nor is an endless one: a file that never ends before its first item.
  std::filesystem::remove(folder.file(kSpeedFileName));
  std::filesystem::create_symlink("/dev/zero", folder.file(kSpeedFileName));
  EXPECT_EQ(ReadSpeedFile(folder.str()), std::nullopt);
}

TEST(SpeedFile, ParseTakesTheFirstItem) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"4", 4},         {" 4 \r\n", 4},   {"\t\r\n 2,x", 2}, {"+1", 1},       {"-0", 0},
      {"0004", 4},      {"32767", 32767}, {"32768", std::nullopt}, {"-32768", -32768}, {"", std::nullopt},
      {"-", std::nullopt}, {"x1", std::nullopt}, {"1x", std::nullopt}, {"1.5", std::nullopt},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseSpeed(text), value) << "'" << text << "'";
}

}  // namespace
}  // namespace chu

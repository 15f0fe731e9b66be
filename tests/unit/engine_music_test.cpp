// Music of the two screens and the clip chain's player commands.
#include <set>

#include "engine_fixture.h"

namespace chu {
namespace {

using platform::DeviceType;
using platform::MciCommand;
using test::PlayerCommand;
using test::SaverRun;

// Empty music files, so that the music players open and play for musicMs.
void AddMusic(const test::TempFolder& folder) {
  std::filesystem::create_directories(folder.file("Midi"));
  for (int d = 0; d < 10; ++d) folder.write("Midi/Bgm" + std::to_string(d) + ".Mid", "");
  for (int d = 0; d < 4; ++d) folder.write("Midi/In" + std::to_string(d) + ".Mid", "");
}

std::vector<PlayerCommand> MusicCommands(const SaverRun& run, const std::string& stem) {
  std::vector<PlayerCommand> out;
  for (const PlayerCommand& c : run.audio.commands)
    if (c.type == DeviceType::Sequencer && c.file.find("/Midi/" + stem) != std::string::npos) out.push_back(c);
  return out;
}

TEST(Music, PaddockPieceStartsAgainWithinASecondOfItsEnd) {
  virt::Options o;
  o.start = {12, 34, 0};  // a minute on the board
  o.musicMs = 2500;
  SaverRun run(o);
  AddMusic(run.folder);
  run.start();
  ASSERT_TRUE(run.runUntil([&] { return run.saver.race != nullptr; }));

  const std::vector<PlayerCommand> cmds = MusicCommands(run, "Bgm");
  ASSERT_GE(cmds.size(), 6u);
  const std::string piece = cmds[0].file;
  EXPECT_EQ(piece.substr(0, piece.size() - 5), run.folder.str() + "/Midi/Bgm");
  EXPECT_EQ(cmds[0].command, MciCommand::Open);
  EXPECT_EQ(cmds[1].command, MciCommand::Play);
  EXPECT_EQ(cmds[1].ms, 0);
  // Then, every time the piece has ended: Stop, Close, Open, Play at the next status report.
  std::int64_t lastPlay = 0;
  std::size_t i = 2;
  int restarts = 0;
  for (; i + 3 < cmds.size() && cmds[i].command == MciCommand::Stop; i += 4) {
    EXPECT_EQ(cmds[i + 1].command, MciCommand::Close);
    EXPECT_EQ(cmds[i + 2].command, MciCommand::Open);
    EXPECT_EQ(cmds[i + 3].command, MciCommand::Play);
    EXPECT_GE(cmds[i].ms, lastPlay + 2500);
    EXPECT_LT(cmds[i].ms, lastPlay + 2500 + 1000) << "within a second of the end";
    EXPECT_EQ(cmds[i + 3].file, piece) << "the same piece";
    lastPlay = cmds[i + 3].ms;
    ++restarts;
  }
  EXPECT_GE(restarts, 15);
  // The race start closes it.
  ASSERT_EQ(i + 1, cmds.size());
  EXPECT_EQ(cmds[i].command, MciCommand::Close);
  EXPECT_EQ(cmds[i].ms, 61000);
}

TEST(Music, RacePiecePlaysOnceAndStopsAtTheStart) {
  virt::Options o = test::QuickStart();
  o.musicMs = 1000;
  SaverRun run(o);
  AddMusic(run.folder);
  run.toRunning();
  const std::vector<PlayerCommand> cmds = MusicCommands(run, "In");
  ASSERT_EQ(cmds.size(), 3u);
  EXPECT_EQ(cmds[0].command, MciCommand::Open);
  EXPECT_EQ(cmds[1].command, MciCommand::Play);
  EXPECT_EQ(cmds[2].command, MciCommand::Stop);
  EXPECT_EQ(cmds[2].ms, run.vm.now());
}

TEST(Music, PiecesAreDrawnFromTenAndFour) {
  std::set<std::string> board, race;
  for (std::uint64_t seed = 1; seed <= 60; ++seed) {
    SaverRun run(test::QuickStart(), seed);
    run.toRace();
    board.insert(MusicCommands(run, "Bgm").at(0).file);
    race.insert(MusicCommands(run, "In").at(0).file);
  }
  std::set<std::string> allBoard, allRace;
  for (int d = 0; d < 10; ++d) allBoard.insert("/Midi/Bgm" + std::to_string(d) + ".Mid");
  for (int d = 0; d < 4; ++d) allRace.insert("/Midi/In" + std::to_string(d) + ".Mid");
  auto tails = [](const std::set<std::string>& files) {
    std::set<std::string> out;
    for (const std::string& f : files) out.insert(f.substr(f.rfind("/Midi/")));
    return out;
  };
  EXPECT_EQ(tails(board), allBoard);
  EXPECT_EQ(tails(race), allRace);
}

TEST(Clips, PlayClipRewindsTheClipHeardLastThenPlays) {
  SaverRun run;
  run.start();
  const std::size_t from = run.audio.commands.size();
  PlayClip(run.saver, 40);
  PlayClip(run.saver, 40);  // the same clip again: rewound, then from the start
  PlayClip(run.saver, 7);
  std::vector<std::pair<int, MciCommand>> sent;
  for (std::size_t c = from; c < run.audio.commands.size(); ++c)
    sent.emplace_back(test::ClipNumberOf(run.audio.commands[c].file), run.audio.commands[c].command);
  const std::vector<std::pair<int, MciCommand>> expected = {
      {0, MciCommand::Prev},  {40, MciCommand::Play}, {40, MciCommand::Prev},
      {40, MciCommand::Play}, {40, MciCommand::Prev}, {7, MciCommand::Play},
  };
  EXPECT_EQ(sent, expected);
  EXPECT_EQ(run.st().clipNo, 7);
}

TEST(Clips, ClipFinishedFollowsTheClipStartedLast) {
  virt::Options o = test::QuickStart();
  o.clipMs = 1000;
  SaverRun run(o);
  run.toRace();
  // The opening call in the first gate tick plays a second: the next call
  // comes in the first tick at least a second later (ticks every 100 ms).
  std::vector<std::int64_t> plays;
  run.watch.tick = [&](int) {
    const std::size_t n = run.audio.playedClips().size();
    if (n > plays.size()) plays.push_back(run.vm.now());
  };
  ASSERT_TRUE(run.runUntil([&] { return plays.size() >= 3; }));
  EXPECT_EQ(plays[1] - plays[0], 1000);
  EXPECT_EQ(plays[2] - plays[1], 1000);
}

}  // namespace
}  // namespace chu

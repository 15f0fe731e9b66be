// The sound pack as the generator makes it (CHU_SOUNDPACK_DIR), and races run
// on virtual time with its clips at their real lengths.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "pack_format.h"
#include "platform/virtual/virtual_machine.h"
#include "startup/observer.h"
#include "startup/saver.h"
#include "state/race_state.h"

namespace chu::soundtest {
namespace {

using soundpack::PackFiles;
using soundpack::ReadMidi;
using soundpack::ReadWav;

std::string PackDir() {
  const char* dir = std::getenv("CHU_SOUNDPACK_DIR");
  return dir != nullptr ? dir : "";
}

std::string PackFile(const std::string& relative) { return PackDir() + "/" + relative; }

class GeneratedPack : public ::testing::Test {
 protected:
  void SetUp() override {
    if (PackDir().empty()) GTEST_SKIP() << "CHU_SOUNDPACK_DIR names no pack";
  }
};

bool IsWave(const std::string& f) { return f.rfind("Wave/", 0) == 0; }

TEST_F(GeneratedPack, HoldsEveryFileTheSaverOpensUnderItsExactName) {
  std::set<std::string> present;
  for (const char* sub : {"Wave", "Midi"})
    for (const auto& e : std::filesystem::directory_iterator(PackFile(sub)))
      present.insert(std::string(sub) + "/" + e.path().filename().string());
  for (const std::string& f : PackFiles()) EXPECT_TRUE(present.count(f)) << f;
}

// Short enough for the commentary to keep up, trimmed so that a clip speaks
// at once, and loud enough to hear.
TEST_F(GeneratedPack, EveryWaveIsAShortLoudPcmClip) {
  for (const std::string& f : PackFiles()) {
    if (!IsWave(f)) continue;
    SCOPED_TRACE(f);
    std::string why;
    const auto wav = ReadWav(PackFile(f), &why);
    ASSERT_TRUE(wav) << why;
    EXPECT_GE(wav->seconds(), 0.3);
    EXPECT_LE(wav->seconds(), 2.5);
    EXPECT_GT(wav->peak(), 16000);
    EXPECT_GT(wav->loudestRms(), 0.05);
    std::size_t firstLoud = 0;
    while (firstLoud < wav->samples.size() && std::abs(wav->samples[firstLoud]) < 1000) ++firstLoud;
    EXPECT_LT(static_cast<double>(firstLoud) / wav->channels / wav->rate, 0.1) << "silence before the sound";
  }
}

// A generator that writes one line into several files shows here.
TEST_F(GeneratedPack, NoTwoClipsAreTheSame) {
  std::map<std::vector<std::int16_t>, std::string> seen;
  for (const std::string& f : PackFiles()) {
    if (!IsWave(f)) continue;
    const auto wav = ReadWav(PackFile(f));
    ASSERT_TRUE(wav) << f;
    const auto [it, fresh] = seen.emplace(wav->samples, f);
    EXPECT_TRUE(fresh) << f << " sounds exactly like " << it->second;
  }
}

TEST_F(GeneratedPack, EveryPieceIsAStandardMidiFileOfFittingLength) {
  for (const std::string& f : PackFiles()) {
    if (IsWave(f)) continue;
    SCOPED_TRACE(f);
    std::string why;
    const auto midi = ReadMidi(PackFile(f), &why);
    ASSERT_TRUE(midi) << why;
    EXPECT_EQ(midi->format, 1);
    EXPECT_GE(midi->noteOns, 40);
    const bool paddock = f.find("Bgm") != std::string::npos;
    // The paddock lasts about a minute; the parade to the gate some 15 to 20 seconds.
    EXPECT_GE(midi->seconds, paddock ? 25.0 : 12.0);
    EXPECT_LE(midi->seconds, paddock ? 90.0 : 25.0);
  }
}

// Played again from its start, a paddock piece goes on like its next verse:
// it starts on its first beat, ends on a bar line, and nothing sounds past
// the end nor falls silent long before it.
TEST_F(GeneratedPack, PaddockPiecesLoopCleanly) {
  for (int k = 0; k <= 9; ++k) {
    const std::string f = "Midi/Bgm" + std::to_string(k) + ".Mid";
    SCOPED_TRACE(f);
    const auto midi = ReadMidi(PackFile(f));
    ASSERT_TRUE(midi);
    EXPECT_EQ(midi->firstNoteOn, 0u);
    EXPECT_EQ(midi->end % midi->barTicks, 0u);
    EXPECT_LE(midi->lastNoteOff, midi->end);
    EXPECT_LT(midi->end - midi->lastNoteOff, static_cast<std::uint32_t>(midi->division));
  }
}

// --- The spoken lines -------------------------------------------------------

std::map<int, std::string> SpokenLines() {
  std::ifstream in(CHU_SOUNDPACK_SOURCE "/lines.tsv");
  std::map<int, std::string> lines;
  for (std::string row; std::getline(in, row);) {
    if (row.empty() || row[0] == '#' || row.rfind("clip\t", 0) == 0) continue;
    std::istringstream cols(row);
    std::string number, when, text;
    std::getline(cols, number, '\t');
    std::getline(cols, when, '\t');
    std::getline(cols, text);
    lines[std::stoi(number)] = text;
  }
  return lines;
}

// espeak-ng cannot say ュィ; the name clip of roster 14 spells it ュイ.
std::string Spoken(std::string name) {
  const std::string hard = "ュィ";
  if (const auto at = name.find(hard); at != std::string::npos) name.replace(at, hard.size(), "ュイ");
  return name;
}

TEST(SpokenLines, NameClipsSayTheRosterNamesAndWinnerCallsNameTheirHorse) {
  RaceState roster;
  FillRoster(roster);
  const auto lines = SpokenLines();
  for (int k = 0; k < kRosterSize; ++k) EXPECT_EQ(lines.at(k), Spoken(roster.rosterName[k])) << "clip " << k;
  const int dedicated[8] = {0, 1, 7, 8, 14, 18, 21, 26};
  for (int i = 0; i < 8; ++i) {
    const std::string& call = lines.at(70 + i);
    EXPECT_NE(call.find(Spoken(roster.rosterName[dedicated[i]])), std::string::npos) << "clip " << 70 + i;
  }
}

TEST(SpokenLines, EveryClipButTheStartSignalHasALine) {
  const auto lines = SpokenLines();
  for (int k = 0; k <= 77; ++k) {
    if (k == 30) EXPECT_FALSE(lines.count(k)) << "clip 30 is the start signal, made by sox";
    else EXPECT_FALSE(lines.at(k).empty()) << k;
  }
}

// --- Races with the pack's clips at their real lengths ----------------------

struct ClipTimes final : RunObserver {
  explicit ClipTimes(const virt::VirtualMachine& vm) : vm(vm) {}
  struct Clip {
    std::int64_t ms = 0;
    int clip = 0;
  };
  const virt::VirtualMachine& vm;
  std::vector<std::vector<Clip>> races;  // clips started, race by race
  std::vector<std::pair<std::string, std::int64_t>> sounds;  // waited-for sounds, when they began
  std::int64_t firstRunningTickMs = -1;  // of the first race
  int results = 0;

  void onStart(const Saver&) override { races.emplace_back(); }
  void onClip(const Saver&, int clip) override { races.back().push_back({vm.now(), clip}); }
  void onSound(const Saver&, std::string_view name, bool wait) override {
    if (wait) sounds.emplace_back(std::string(name), vm.now());
  }
  void onTick(const Saver&, int phase) override {
    if (phase == 1 && firstRunningTickMs < 0) firstRunningTickMs = vm.now();
  }
  void onResult(const Saver&, const std::vector<std::string>&) override { ++results; }
};

std::int64_t LengthMs(int clip) {
  char name[32];
  std::snprintf(name, sizeof name, "Wave/Wave%02d.Wav", clip);
  return virt::WavLengthMs(PackFile(name)).value_or(-1);
}

// The commentary never starts a clip before the one before it has played out,
// and the start sounds hold the race for their whole length.
TEST_F(GeneratedPack, RacesChainTheClipsAtTheirRealLengths) {
  virt::VirtualMachine vm;  // no fixed clip length: the WAV files' own
  ClipTimes times(vm);
  platform::Platform p = vm.platformFor(PackDir());
  Saver saver(p, BuiltInAssets(), 77, &times);
  Main(saver, "/s");
  vm.run(saver, [&] { return times.results >= 3; });
  ASSERT_EQ(times.results, 3);

  for (const auto& race : times.races) {
    ASSERT_GE(race.size(), 14u + 3u);
    for (std::size_t i = 1; i < race.size(); ++i) {
      const std::int64_t before = LengthMs(race[i - 1].clip);
      ASSERT_GT(before, 0) << "clip " << race[i - 1].clip;
      EXPECT_GE(race[i].ms - race[i - 1].ms, before)
          << "clip " << race[i].clip << " began while clip " << race[i - 1].clip << " played";
    }
  }

  // Wave30 then Beep1, waited for; the first running tick comes after both.
  ASSERT_GE(times.sounds.size(), 2u);
  EXPECT_EQ(times.sounds[0].first, "Wave30");
  EXPECT_EQ(times.sounds[1].first, "Beep1");
  const auto start = virt::WavLengthMs(PackFile("Wave/Wave30.Wav")).value_or(0);
  const auto beep = virt::WavLengthMs(PackFile("Wave/Beep1.Wav")).value_or(0);
  ASSERT_GT(start, 0);
  ASSERT_GT(beep, 0);
  EXPECT_EQ(times.sounds[1].second - times.sounds[0].second, start);
  EXPECT_GE(times.firstRunningTickMs, times.sounds[1].second + beep);
}

}  // namespace
}  // namespace chu::soundtest

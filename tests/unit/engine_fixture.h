// A whole saver run on virtual time for the engine tests: its own program
// folder, the headless machine, a sound layer that records every command, and
// an observer with hooks.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "assets/assets.h"
#include "platform/platform.h"
#include "platform/virtual/virtual_machine.h"
#include "startup/observer.h"
#include "startup/saver.h"
#include "support/temp_folder.h"

namespace chu::test {

using testsupport::TempFolder;

// Clip number of a clip player's file ".../Wave/WaveNN.Wav", −1 for any other file.
inline int ClipNumberOf(const std::string& file) {
  const std::string tail = "Wave/Wave00.Wav";
  if (file.size() < tail.size()) return -1;
  const std::string end = file.substr(file.size() - tail.size());
  if (end.compare(0, 9, "Wave/Wave") != 0 || end.compare(11, 4, ".Wav") != 0) return -1;
  if (end[9] < '0' || end[9] > '9' || end[10] < '0' || end[10] > '9') return -1;
  return (end[9] - '0') * 10 + (end[10] - '0');
}

struct PlayerCommand {
  int player = 0;  // in order of creation
  platform::DeviceType type{};
  std::string file;
  platform::MciCommand command{};
  std::int64_t ms = 0;  // virtual time it was sent
};

struct SoundCall {
  std::string path;
  bool wait = false;
  std::int64_t msBefore = 0, msAfter = 0;
  int racePhase = -1;  // as the call was made
  std::size_t commandsBefore = 0;  // player commands sent before it
};

// The machine's sound, with every player command and direct sound written down.
// With `holdClips`, a wave clip that was told to play reports playing (not 525)
// until the flag is cleared: a clip that takes as long as the test wants.
class RecordingAudio final : public platform::Audio {
 public:
  explicit RecordingAudio(virt::VirtualMachine& vm) : vm_(vm) {}

  std::unique_ptr<platform::Player> createPlayer(platform::DeviceType type) override;
  void playSound(const std::string& path, bool wait) override {
    SoundCall call{path, wait, vm_.now(), 0, state != nullptr ? state->racePhase : -1, commands.size()};
    vm_.playSound(path, wait);
    call.msAfter = vm_.now();
    sounds.push_back(call);
  }

  // Clip numbers in the order they were told to play.
  std::vector<int> playedClips() const {
    std::vector<int> out;
    for (const PlayerCommand& c : commands)
      if (c.type == platform::DeviceType::WaveAudio && c.command == platform::MciCommand::Play)
        out.push_back(ClipNumberOf(c.file));
    return out;
  }

  std::vector<PlayerCommand> commands;
  std::vector<SoundCall> sounds;
  const RaceState* state = nullptr;
  bool holdClips = false;
  std::int64_t now() const { return vm_.now(); }

 private:
  virt::VirtualMachine& vm_;
  int created_ = 0;
};

class RecordingPlayer final : public platform::Player {
 public:
  RecordingPlayer(RecordingAudio& audio, std::unique_ptr<platform::Player> inner, platform::DeviceType type, int id)
      : audio_(audio), inner_(std::move(inner)), type_(type), id_(id) {}

  void setFileName(const std::string& path) override { inner_->setFileName(path); }
  const std::string& fileName() const override { return inner_->fileName(); }
  void command(platform::MciCommand c) override {
    audio_.commands.push_back({id_, type_, inner_->fileName(), c, audio_.now()});
    if (c == platform::MciCommand::Play) started_ = true;
    if (c == platform::MciCommand::Prev || c == platform::MciCommand::Stop || c == platform::MciCommand::Close)
      started_ = false;
    inner_->command(c);
  }
  int mode() const override {
    if (type_ == platform::DeviceType::WaveAudio && audio_.holdClips && started_) return platform::kModePlaying;
    return inner_->mode();
  }

 private:
  RecordingAudio& audio_;
  std::unique_ptr<platform::Player> inner_;
  platform::DeviceType type_;
  int id_;
  bool started_ = false;
};

inline std::unique_ptr<platform::Player> RecordingAudio::createPlayer(platform::DeviceType type) {
  return std::make_unique<RecordingPlayer>(*this, vm_.createPlayer(type), type, created_++);
}

// Counts what happens in a run and hands each event to an optional hook.
struct Watcher final : RunObserver {
  void onCard(const Saver&) override {
    ++cards;
    if (card) card();
  }
  void onStart(const Saver&) override {
    ++starts;
    if (start) start();
  }
  void onTick(const Saver&, int phase) override {
    ++ticks;
    if (tick) tick(phase);
  }
  void onResult(const Saver&, const std::vector<std::string>& lines) override { boards.push_back(lines); }
  void onHandover(const Saver&) override { ++handovers; }
  void onEnd(const Saver&) override { ended = true; }

  std::function<void()> card, start;
  std::function<void(int phase)> tick;
  int cards = 0, starts = 0, ticks = 0, handovers = 0;
  bool ended = false;
  std::vector<std::vector<std::string>> boards;
};

// Pictures whose pixels tell what was drawn: a plain course, every runner a
// solid 32×32 block in its own colour (masks all black), an invisible gate and
// a plain bar.
inline constexpr std::uint32_t kPlainCourse = 0x336633;
inline constexpr std::uint32_t kPlainBar = 0x804020;
inline constexpr std::uint32_t PlainRunnerColour(int runner) { return 0x1000F0u + 0x100u * static_cast<unsigned>(runner); }

inline const Assets& PlainAssets() {
  static const Assets assets = [] {
    Assets a = BuiltInAssets();
    a.course = platform::Picture(802, 602, kPlainCourse);
    a.sprites = platform::Picture(384, 224, 0);
    for (int r = 0; r < 6; ++r) a.sprites.fillRect({0, 32 * r, 384, 32}, PlainRunnerColour(r));
    a.gate = platform::Picture(68, 34, 0);
    a.gate.fillRect({34, 0, 34, 34}, 0xFFFFFF);
    a.bar = platform::Picture(160, 11, kPlainBar);
    return a;
  }();
  return assets;
}

// The options most tests want: the card is drawn at hh:mm:59, so the race
// starts at the first clock tick, one second later.
inline virt::Options QuickStart() {
  virt::Options o;
  o.start = {12, 0, 59};
  return o;
}

// One run of the saver in its own folder.
struct SaverRun {
  explicit SaverRun(virt::Options options = QuickStart(), std::uint64_t seed = 1,
               const Assets& assets = BuiltInAssets())
      : vm(options),
        audio(vm),
        platform{vm, vm, audio, vm, vm, folder.str(), nullptr},
        saver(platform, assets, seed, &watch) {
    audio.state = &saver.state;
  }

  RaceState& st() { return saver.state; }

  void start(std::string_view commandLine = "/s") { Main(saver, commandLine); }

  // Delivers events until `done` holds; false when the run stopped first or
  // the event budget ran out.
  bool runUntil(const std::function<bool()>& done, long budget = 2'000'000) {
    while (!done()) {
      if (budget-- <= 0 || !vm.step(saver)) return done();
    }
    return true;
  }
  // One event (a timer tick or an input).
  bool step() { return vm.step(saver); }

  // Main, then up to the race window: the gate phase has not ticked yet.
  void toRace() {
    start();
    ASSERT_TRUE(runUntil([&] { return saver.race != nullptr; }));
  }
  // ... and on to the running phase: the start tick has just been run.
  void toRunning() {
    toRace();
    ASSERT_TRUE(runUntil([&] { return saver.state.racePhase == 1; }));
  }

  TempFolder folder;
  virt::VirtualMachine vm;
  RecordingAudio audio;
  platform::Platform platform;
  Watcher watch;
  Saver saver;
};

}  // namespace chu::test

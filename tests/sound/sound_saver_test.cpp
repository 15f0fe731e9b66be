// Whole saver runs on the real SDL_mixer players: the program's timers on a
// virtual clock paced to a fraction of real time, the sound in real time.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "platform/virtual/virtual_machine.h"
#include "sdl_audio.h"
#include "sound_support.h"
#include "startup/observer.h"
#include "startup/saver.h"

namespace chu::soundtest {
namespace {

using platform::DeviceType;
using platform::kModePlaying;
using platform::kModeStopped;
using platform::MciCommand;
using platform::Player;

// What the program did with its players, watched from between it and SdlAudio.
struct SoundLog {
  struct Command {
    int player = 0;
    MciCommand command{};
    int modeAfter = 0;
  };
  std::vector<Command> music;          // commands to the music players
  std::map<std::string, int> clipPlays;  // clip file -> plays that really started
  std::vector<std::string> overlaps;   // a clip started while another played
  std::vector<std::pair<std::string, bool>> direct;  // direct sounds: file, wait
  std::vector<const Player*> clips;    // the clip players alive
  int players = 0;
};

class SpyPlayer final : public Player {
 public:
  SpyPlayer(std::unique_ptr<Player> inner, DeviceType type, SoundLog& log)
      : inner_(std::move(inner)), type_(type), log_(log), id_(log.players++) {
    if (type_ == DeviceType::WaveAudio) log_.clips.push_back(inner_.get());
  }
  ~SpyPlayer() override { std::erase(log_.clips, inner_.get()); }

  void setFileName(const std::string& path) override { inner_->setFileName(path); }
  const std::string& fileName() const override { return inner_->fileName(); }
  int mode() const override { return inner_->mode(); }

  void command(MciCommand c) override {
    if (type_ == DeviceType::WaveAudio && c == MciCommand::Play) checkNothingElsePlays();
    inner_->command(c);
    if (type_ == DeviceType::Sequencer) log_.music.push_back({id_, c, inner_->mode()});
    if (type_ == DeviceType::WaveAudio && c == MciCommand::Play && inner_->mode() == kModePlaying)
      ++log_.clipPlays[std::filesystem::path(fileName()).filename().string()];
  }

 private:
  void checkNothingElsePlays() {
    for (const Player* other : log_.clips)
      if (other != inner_.get() && other->mode() != kModeStopped)
        log_.overlaps.push_back(fileName() + " started while " + other->fileName() + " played");
  }

  std::unique_ptr<Player> inner_;
  DeviceType type_;
  SoundLog& log_;
  int id_;
};

class SpyAudio final : public platform::Audio {
 public:
  SpyAudio(platform::Audio& inner, SoundLog& log) : inner_(inner), log_(log) {}
  std::unique_ptr<Player> createPlayer(DeviceType type) override {
    return std::make_unique<SpyPlayer>(inner_.createPlayer(type), type, log_);
  }
  void playSound(const std::string& path, bool wait) override {
    log_.direct.emplace_back(std::filesystem::path(path).filename().string(), wait);
    inner_.playSound(path, wait);
  }

 private:
  platform::Audio& inner_;
  SoundLog& log_;
};

struct Milestones final : RunObserver {
  bool started = false;
  int results = 0;
  std::size_t directBeforeRunning = 0;  // direct sounds made before the first running tick
  const SoundLog* log = nullptr;
  void onStart(const Saver&) override { started = true; }
  void onTick(const Saver& s, int) override {
    if (s.state.racePhase == 1 && directBeforeRunning == 0) directBeforeRunning = log->direct.size();
  }
  void onResult(const Saver&, const std::vector<std::string>&) override { ++results; }
};

// Every sound of the test pack has a level of its own between 4000 and 7999,
// so two sounds at once show in the output as a sample of 8000 or more.
int LevelOf(int wave) { return 4000 + 50 * wave; }
constexpr int kBeepLevel = 7950;
constexpr int kClipMs = 60;
constexpr int kStartSoundMs = 150;

class SaverOnRealPlayers : public ::testing::Test {
 protected:
  void writeWaves() {
    pack.mkdir("Wave");
    char name[32];
    for (int k = 0; k <= 77; ++k) {
      std::snprintf(name, sizeof name, "Wave/Wave%02d.Wav", k);
      WriteTone(pack.file(name), k == 30 ? kStartSoundMs : kClipMs, LevelOf(k));
    }
    WriteTone(pack.file("Wave/Beep1.Wav"), kStartSoundMs, kBeepLevel);
  }
  void writeMusic(int notes) {
    pack.mkdir("Midi");
    for (int k = 0; k <= 9; ++k) WriteTune(pack.file("Midi/Bgm" + std::to_string(k) + ".Mid"), notes);
    for (int k = 0; k <= 3; ++k) WriteTune(pack.file("Midi/In" + std::to_string(k) + ".Mid"), notes);
  }

  // Runs the saver until `done`, the virtual clock kept at `speedup` times real time.
  void run(sdl::SdlAudio& audio, double speedup, const std::function<bool()>& done) {
    virt::VirtualMachine vm;
    SpyAudio spy(audio, log);
    platform::Platform p{vm, vm, spy, vm, vm, pack.str()};
    const Assets& assets = BuiltInAssets();
    Saver saver(p, assets, 20240611, &milestones);
    milestones.log = &log;
    Main(saver, "/s");
    const auto start = std::chrono::steady_clock::now();
    vm.run(saver, [&] {
      const double ahead = static_cast<double>(vm.now()) / speedup / 1000.0 - SecondsSince(start);
      if (ahead > 0) usleep(static_cast<useconds_t>(ahead * 1e6));
      return done() || SecondsSince(start) > 100;
    });
  }

  ScopedEnv driver{"SDL_AUDIODRIVER", "dummy"};
  TempFolder pack;
  SoundLog log;
  Milestones milestones;
};

std::vector<std::int16_t> ReadRaw(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

// One race with every clip there, heard through the disk driver: the calls and
// the commentary follow one another without a sample of overlap, every clip
// started is heard whole, and the two start sounds are heard whole before the
// commentary's first clip.
TEST_F(SaverOnRealPlayers, ARaceSoundsOneClipAtATime) {
  writeWaves();
  TempFolder out;
  ScopedEnv disk("SDL_AUDIODRIVER", "disk");
  ScopedEnv file("SDL_DISKAUDIOFILE", out.file("race.raw"));
  {
    sdl::SdlAudio audio;
    ASSERT_TRUE(audio.hasDevice());
    run(audio, 20, [&] { return milestones.results >= 1; });
  }
  ASSERT_EQ(milestones.results, 1);
  EXPECT_TRUE(log.overlaps.empty()) << log.overlaps.front();

  // The start: Wave30 then Beep1, each waited for, before the first running tick.
  ASSERT_GE(log.direct.size(), 2u);
  EXPECT_EQ(log.direct[0], (std::pair<std::string, bool>{"Wave30.Wav", true}));
  EXPECT_EQ(log.direct[1], (std::pair<std::string, bool>{"Beep1.Wav", true}));
  EXPECT_EQ(milestones.directBeforeRunning, 2u);

  const auto samples = ReadRaw(out.file("race.raw"));
  std::map<int, std::size_t> heard;
  int peak = 0;
  for (std::int16_t v : samples) {
    const int level = std::abs(static_cast<int>(v));
    ++heard[level];
    peak = std::max(peak, level);
  }
  EXPECT_LT(peak, 8000) << "two sounds at once";
  const std::size_t clipSamples = 44100u * kClipMs / 1000u * 2u;
  const std::size_t startSamples = 44100u * kStartSoundMs / 1000u * 2u;
  EXPECT_EQ(heard[LevelOf(30)], startSamples);
  EXPECT_EQ(heard[kBeepLevel], startSamples);
  int clipsStarted = 0;
  for (const auto& [name, plays] : log.clipPlays) {
    const int k = std::stoi(name.substr(4, 2));
    clipsStarted += plays;
    EXPECT_EQ(heard[LevelOf(k)], static_cast<std::size_t>(plays) * clipSamples) << name;
  }
  EXPECT_GE(clipsStarted, 14 + 3);  // the field called, and a commentary
}

// A paddock longer than its piece: the piece ends, reports stopped, and the
// status report sends Stop, Close, Open and Play, which start it again.
TEST_F(SaverOnRealPlayers, PaddockMusicStartsAgainAfterItsEnd) {
  writeMusic(3);  // three quarters of a second
  sdl::SdlAudio audio;
  if (!audio.hasMusic()) GTEST_SKIP() << "no soundfont";
  run(audio, 15, [&] { return milestones.started; });
  ASSERT_TRUE(milestones.started);

  int restarts = 0;
  const auto& m = log.music;
  for (std::size_t i = 0; i + 3 < m.size(); ++i) {
    if (m[i].player != m[0].player) break;  // the paddock's player only
    if (m[i].command == MciCommand::Stop && m[i + 1].command == MciCommand::Close &&
        m[i + 2].command == MciCommand::Open && m[i + 3].command == MciCommand::Play) {
      ++restarts;
      EXPECT_EQ(m[i + 3].modeAfter, kModePlaying);
    }
  }
  EXPECT_GE(restarts, 2);
  // The race's own piece started when the race screen came.
  ASSERT_FALSE(m.empty());
  EXPECT_EQ(m.back().command, MciCommand::Play);
  EXPECT_NE(m.back().player, m[0].player);
  EXPECT_EQ(m.back().modeAfter, kModePlaying);
}

// With the Wave folder gone, every clip reports stopped at once and the race
// still runs to its result board.
TEST_F(SaverOnRealPlayers, WithoutTheWaveFolderTheRaceStillFinishes) {
  writeMusic(8);
  sdl::SdlAudio audio;
  run(audio, 50, [&] { return milestones.results >= 1; });
  EXPECT_EQ(milestones.results, 1);
  EXPECT_TRUE(log.clipPlays.empty());
  EXPECT_TRUE(log.overlaps.empty());
  EXPECT_GE(log.direct.size(), 2u);  // the start sounds were asked for, and returned
}

}  // namespace
}  // namespace chu::soundtest

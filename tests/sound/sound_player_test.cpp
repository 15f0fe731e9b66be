// The SDL_mixer players as the program drives them: on SDL's dummy driver
// where nothing is examined, on the disk driver where the output is.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sdl_audio.h"
#include "sound_support.h"

namespace chu::soundtest {
namespace {

using platform::DeviceType;
using platform::kModePlaying;
using platform::kModeStopped;
using platform::MciCommand;
using platform::Player;
using sdl::AudioOptions;
using sdl::SdlAudio;

constexpr int kShortMs = 300;
constexpr int kLongMs = 3000;
// Guards against a hang only; the tests never depend on how fast things are.
constexpr int kPatienceMs = 15000;

class SoundPlayers : public ::testing::Test {
 protected:
  SoundPlayers() {
    WriteTone(dir.file("short.Wav"), kShortMs);
    WriteTone(dir.file("long.Wav"), kLongMs);
  }

  std::unique_ptr<Player> openClip(SdlAudio& audio, const std::string& name) {
    auto p = audio.createPlayer(DeviceType::WaveAudio);
    p->setFileName(dir.file(name));
    p->command(MciCommand::Open);
    return p;
  }

  static bool PlaysOut(const Player& p) {
    return WaitFor([&] { return p.mode() == kModeStopped; }, kPatienceMs);
  }

  ScopedEnv driver{"SDL_AUDIODRIVER", "dummy"};
  TempFolder dir;
};

TEST_F(SoundPlayers, ClipPlaysToItsEndAndStaysThereUntilRewound) {
  SdlAudio audio;
  ASSERT_TRUE(audio.hasDevice());
  auto clip = openClip(audio, "short.Wav");
  EXPECT_EQ(clip->mode(), kModeStopped);
  clip->command(MciCommand::Play);
  EXPECT_EQ(clip->mode(), kModePlaying);
  ASSERT_TRUE(PlaysOut(*clip));

  clip->command(MciCommand::Play);  // at the end of its media: nothing to play
  EXPECT_EQ(clip->mode(), kModeStopped);
  clip->command(MciCommand::Prev);
  EXPECT_EQ(clip->mode(), kModeStopped);
  clip->command(MciCommand::Play);
  EXPECT_EQ(clip->mode(), kModePlaying);
}

TEST_F(SoundPlayers, StopHoldsTheClipAndPlayGoesOn) {
  SdlAudio audio;
  auto clip = openClip(audio, "long.Wav");
  clip->command(MciCommand::Play);
  clip->command(MciCommand::Stop);
  EXPECT_EQ(clip->mode(), kModeStopped);
  usleep(100'000);
  EXPECT_EQ(clip->mode(), kModeStopped);  // held, not playing on behind our back
  clip->command(MciCommand::Play);
  EXPECT_EQ(clip->mode(), kModePlaying);
}

TEST_F(SoundPlayers, PrevRewindsAPlayingClipAndCloseSilencesIt) {
  SdlAudio audio;
  auto clip = openClip(audio, "long.Wav");
  clip->command(MciCommand::Play);
  clip->command(MciCommand::Prev);
  EXPECT_EQ(clip->mode(), kModeStopped);
  clip->command(MciCommand::Play);
  EXPECT_EQ(clip->mode(), kModePlaying);

  clip->command(MciCommand::Close);
  EXPECT_EQ(clip->mode(), kModeStopped);
  clip->command(MciCommand::Play);  // closed: nothing happens
  EXPECT_EQ(clip->mode(), kModeStopped);
  clip->command(MciCommand::Close);
  clip->command(MciCommand::Open);
  clip->command(MciCommand::Play);
  EXPECT_EQ(clip->mode(), kModePlaying);
}

TEST_F(SoundPlayers, CommandsBeforeOpenDoNothing) {
  SdlAudio audio;
  for (DeviceType type : {DeviceType::WaveAudio, DeviceType::Sequencer}) {
    auto p = audio.createPlayer(type);
    p->setFileName(dir.file("short.Wav"));
    for (MciCommand c : {MciCommand::Play, MciCommand::Stop, MciCommand::Prev, MciCommand::Play, MciCommand::Close})
      p->command(c);
    EXPECT_EQ(p->mode(), kModeStopped);
  }
}

// Whatever is wrong with the file, the player reports stopped at once, so the
// clip chain goes on.
TEST_F(SoundPlayers, UnplayableFilesReportStoppedAtOnce) {
  dir.write("garbage.Wav", "this is not a sound file at all, just words");
  dir.write("empty.Wav", "");
  dir.write("header-only.Wav", "RIFF\x24\x00\x00\x00WAVEfmt ");
  dir.mkdir("folder.Wav");
  SdlAudio audio;
  for (const char* name : {"missing.Wav", "garbage.Wav", "empty.Wav", "header-only.Wav", "folder.Wav", ""}) {
    SCOPED_TRACE(name);
    for (DeviceType type : {DeviceType::WaveAudio, DeviceType::Sequencer}) {
      auto p = audio.createPlayer(type);
      p->setFileName(*name ? dir.file(name) : std::string());
      p->command(MciCommand::Open);
      p->command(MciCommand::Play);
      EXPECT_EQ(p->mode(), kModeStopped);
      p->command(MciCommand::Prev);
      p->command(MciCommand::Stop);
      p->command(MciCommand::Close);
      EXPECT_EQ(p->mode(), kModeStopped);
    }
    audio.playSound(*name ? dir.file(name) : std::string(), true);  // returns, plays nothing
  }
  EXPECT_EQ(audio.clipStats().decoded, 0);
}

// Open only queues the file: all seventy open at once, and a clip played
// before its turn in the queue is decoded there and then.
TEST_F(SoundPlayers, SeventyClipsOpenAndAnyPlaysAtOnce) {
  std::vector<std::unique_ptr<Player>> clips;
  SdlAudio audio;
  for (int k = 0; k < 70; ++k) {
    const std::string name = "clip" + std::to_string(k) + ".Wav";
    WriteTone(dir.file(name), kShortMs, 4000 + k);
    clips.push_back(openClip(audio, name));
  }
  clips[69]->command(MciCommand::Play);
  EXPECT_EQ(clips[69]->mode(), kModePlaying);
  clips[0]->command(MciCommand::Play);  // every clip has a channel of its own
  EXPECT_EQ(clips[0]->mode(), kModePlaying);
  EXPECT_EQ(clips[69]->mode(), kModePlaying);

  audio.waitForDecoding();
  const auto stats = audio.clipStats();
  EXPECT_EQ(stats.decoded, 70);
  EXPECT_EQ(stats.failed, 0);
  // 44100 frames a second, two channels of two bytes each.
  EXPECT_EQ(stats.bytes, 70u * (44100u * kShortMs / 1000u) * 4u);

  for (auto& c : clips) c->command(MciCommand::Close);
  EXPECT_EQ(audio.clipStats().bytes, 0u);
}

// Clips closed, or the whole sound layer gone, while the worker still
// decodes: nothing is left behind and nothing crashes.
TEST_F(SoundPlayers, ClosingWhileDecodingIsSafe) {
  for (int k = 0; k < 20; ++k) WriteTone(dir.file("c" + std::to_string(k) + ".Wav"), kLongMs);
  for (int round = 0; round < 3; ++round) {
    auto audio = std::make_unique<SdlAudio>();
    std::vector<std::unique_ptr<Player>> clips;
    for (int k = 0; k < 20; ++k) clips.push_back(openClip(*audio, "c" + std::to_string(k) + ".Wav"));
    if (round == 0) {
      for (auto& c : clips) c->command(MciCommand::Close);
      audio->waitForDecoding();
      EXPECT_EQ(audio->clipStats().bytes, 0u);
    }
    if (round == 1) audio.reset();  // the players keep what they need alive
    clips.clear();
  }
}

TEST_F(SoundPlayers, MusicPlaysOutAndTheRepeatRuleStartsItAgain) {
  SdlAudio audio;
  if (!audio.hasMusic()) GTEST_SKIP() << "no soundfont";
  WriteTune(dir.file("Tune.Mid"), 2);
  auto music = audio.createPlayer(DeviceType::Sequencer);
  music->setFileName(dir.file("Tune.Mid"));
  music->command(MciCommand::Open);
  EXPECT_EQ(music->mode(), kModeStopped);
  music->command(MciCommand::Play);
  EXPECT_EQ(music->mode(), kModePlaying);
  ASSERT_TRUE(PlaysOut(*music));

  for (MciCommand c : {MciCommand::Stop, MciCommand::Close, MciCommand::Open, MciCommand::Play}) music->command(c);
  EXPECT_EQ(music->mode(), kModePlaying);
  music->command(MciCommand::Stop);
  EXPECT_EQ(music->mode(), kModeStopped);
  music->command(MciCommand::Play);
  EXPECT_EQ(music->mode(), kModePlaying);
}

// One screen at a time: the paddock's piece goes, the race's piece comes, and
// the race's is stopped at the start.
TEST_F(SoundPlayers, PaddockThenRaceMusicShareTheOneStream) {
  SdlAudio audio;
  if (!audio.hasMusic()) GTEST_SKIP() << "no soundfont";
  WriteTune(dir.file("Bgm0.Mid"), 40);
  WriteTune(dir.file("In0.Mid"), 40);
  auto paddock = audio.createPlayer(DeviceType::Sequencer);
  paddock->setFileName(dir.file("Bgm0.Mid"));
  paddock->command(MciCommand::Open);
  paddock->command(MciCommand::Play);
  EXPECT_EQ(paddock->mode(), kModePlaying);
  paddock->command(MciCommand::Close);

  auto race = audio.createPlayer(DeviceType::Sequencer);
  race->setFileName(dir.file("In0.Mid"));
  race->command(MciCommand::Open);
  race->command(MciCommand::Play);
  EXPECT_EQ(race->mode(), kModePlaying);
  EXPECT_EQ(paddock->mode(), kModeStopped);

  // A second piece started on the stream takes it over as soon as it is
  // loaded; the first reports stopped from then on.
  paddock->command(MciCommand::Open);
  paddock->command(MciCommand::Play);
  EXPECT_EQ(paddock->mode(), kModePlaying);
  EXPECT_TRUE(WaitFor([&] { return race->mode() == kModeStopped; }, kPatienceMs));
  EXPECT_EQ(paddock->mode(), kModePlaying);
  paddock->command(MciCommand::Close);

  race->command(MciCommand::Stop);
  EXPECT_EQ(race->mode(), kModeStopped);
}

// SDL_mixer crashes when two of its decoders run at once: pieces loading on
// their threads, and clips decoding on the worker (a clip file that holds
// MIDI goes through the music decoders too), must take turns.
TEST_F(SoundPlayers, LoadsOnSeveralThreadsTakeTurns) {
  AudioOptions options;
  options.decodeHoldBackMs = 0;
  SdlAudio audio(options);
  if (!audio.hasMusic()) GTEST_SKIP() << "no soundfont";
  for (int k = 0; k < 4; ++k) WriteTune(dir.file("Tune" + std::to_string(k) + ".Mid"), 2);
  WriteTune(dir.file("midi-in-a-clip.Wav"), 2);
  for (int round = 0; round < 10; ++round) {
    std::vector<std::unique_ptr<Player>> players;
    for (int k = 0; k < 4; ++k) {
      players.push_back(audio.createPlayer(DeviceType::Sequencer));
      players.back()->setFileName(dir.file("Tune" + std::to_string(k) + ".Mid"));
      players.back()->command(MciCommand::Open);
      players.back()->command(MciCommand::Play);
      players.push_back(openClip(audio, "midi-in-a-clip.Wav"));
    }
    for (auto& p : players) p->command(MciCommand::Close);
  }
  audio.waitForDecoding();
}

// --- Missing pieces -----------------------------------------------------

TEST_F(SoundPlayers, NoDeviceRunsSilentlyWithOneLine) {
  ScopedEnv none("SDL_AUDIODRIVER", "no-such-driver");
  CaptureStderr err;
  AudioOptions options;
  options.tryOtherDrivers = false;
  SdlAudio audio(options);
  const std::string said = err.text();
  EXPECT_FALSE(audio.hasDevice());
  EXPECT_FALSE(audio.hasMusic());
  EXPECT_EQ(Lines(said), 1) << said;
  EXPECT_NE(said.find("running silently"), std::string::npos) << said;

  WriteTune(dir.file("Tune.Mid"), 4);
  for (auto [type, name] : {std::pair{DeviceType::WaveAudio, "long.Wav"}, std::pair{DeviceType::Sequencer, "Tune.Mid"}}) {
    auto p = audio.createPlayer(type);
    p->setFileName(dir.file(name));
    p->command(MciCommand::Open);
    p->command(MciCommand::Play);
    EXPECT_EQ(p->mode(), kModeStopped);
    EXPECT_EQ(p->fileName(), dir.file(name));
  }
  audio.playSound(dir.file("long.Wav"), true);  // returns at once
}

// Asked for a driver that is not there, the layer tries the others and says
// at most one line, whatever the machine has (alsa-lib's own complaints on a
// machine without a sound card included).
TEST_F(SoundPlayers, AnUnknownDriverSaysAtMostOneLine) {
  ScopedEnv none("SDL_AUDIODRIVER", "no-such-driver");
  CaptureStderr err;
  { SdlAudio audio; }
  const std::string said = err.text();
  EXPECT_LE(Lines(said), 1) << said;
}

TEST_F(SoundPlayers, NoSoundfontMeansNoMusicButTheClipsPlay) {
  ScopedEnv fonts("SDL_SOUNDFONTS", std::nullopt);
  CaptureStderr err;
  AudioOptions options;
  options.soundFont = dir.file("missing.sf2");
  SdlAudio audio(options);
  const std::string said = err.text();
  EXPECT_TRUE(audio.hasDevice());
  EXPECT_FALSE(audio.hasMusic());
  EXPECT_EQ(Lines(said), 1) << said;
  EXPECT_NE(said.find("soundfont"), std::string::npos) << said;

  WriteTune(dir.file("Tune.Mid"), 4);
  auto music = audio.createPlayer(DeviceType::Sequencer);
  music->setFileName(dir.file("Tune.Mid"));
  music->command(MciCommand::Open);
  music->command(MciCommand::Play);
  EXPECT_EQ(music->mode(), kModeStopped);
  auto clip = openClip(audio, "long.Wav");
  clip->command(MciCommand::Play);
  EXPECT_EQ(clip->mode(), kModePlaying);
}

TEST_F(SoundPlayers, SdlSoundfontsChoosesTheSoundfont) {
  const std::string real = AudioOptions{}.soundFont;
  if (!std::filesystem::exists(real)) GTEST_SKIP() << "no soundfont at " << real;
  {
    ScopedEnv fonts("SDL_SOUNDFONTS", dir.file("missing.sf2"));
    CaptureStderr err;
    SdlAudio audio;  // the default soundfont exists, but the variable wins
    err.text();
    EXPECT_FALSE(audio.hasMusic());
  }
  {
    ScopedEnv fonts("SDL_SOUNDFONTS", dir.file("missing.sf2") + ":" + real);
    AudioOptions options;
    options.soundFont = dir.file("missing.sf2");
    SdlAudio audio(options);
    EXPECT_TRUE(audio.hasMusic());
  }
}

// --- What reaches the output (disk driver) ------------------------------

// The samples SDL's disk driver wrote: 16-bit stereo at 44100 Hz, as opened.
std::vector<std::int16_t> ReadRaw(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

std::size_t CountLevel(const std::vector<std::int16_t>& s, int level) {
  std::size_t n = 0;
  for (std::int16_t v : s) n += std::abs(static_cast<int>(v)) == level;
  return n;
}

int Peak(const std::vector<std::int16_t>& s) {
  int peak = 0;
  for (std::int16_t v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
  return peak;
}

class SoundOutput : public SoundPlayers {
 protected:
  std::string raw = dir.file("out.raw");
  ScopedEnv disk{"SDL_AUDIODRIVER", "disk"};
  ScopedEnv file{"SDL_DISKAUDIOFILE", raw};
};

// Chained the way the commentary chains them (the next starts when the last
// reports stopped), two clips reach the output whole, one after the other:
// never a sample where both sound at once.
TEST_F(SoundOutput, ChainedClipsFollowOneAnotherWhole) {
  WriteTone(dir.file("a.Wav"), kShortMs, 4000);
  WriteTone(dir.file("b.Wav"), kShortMs, 9000);
  {
    SdlAudio audio;
    auto a = openClip(audio, "a.Wav");
    auto b = openClip(audio, "b.Wav");
    for (Player* p : {a.get(), b.get()}) {
      p->command(MciCommand::Play);
      ASSERT_TRUE(PlaysOut(*p));
    }
  }
  const auto out = ReadRaw(raw);
  const std::size_t clipSamples = 44100u * kShortMs / 1000u * 2u;
  EXPECT_EQ(CountLevel(out, 4000), clipSamples);
  EXPECT_EQ(CountLevel(out, 9000), clipSamples);
  EXPECT_EQ(Peak(out), 9000);  // 13000 would be the two at once
}

TEST_F(SoundOutput, WaitingSoundIsPlayedWholeBeforeItReturns) {
  WriteTone(dir.file("signal.Wav"), kShortMs, 7000);
  {
    SdlAudio audio;
    audio.playSound(dir.file("signal.Wav"), true);
  }  // the device closes at once: what it wrote is what had played
  EXPECT_EQ(CountLevel(ReadRaw(raw), 7000), 44100u * kShortMs / 1000u * 2u);
}

TEST_F(SoundOutput, SoundWithoutWaitingReturnsWhileItPlays) {
  WriteTone(dir.file("call.Wav"), kLongMs, 5000);
  WriteTone(dir.file("signal.Wav"), kShortMs, 7000);
  {
    SdlAudio audio;
    audio.playSound(dir.file("call.Wav"), false);
    // Back at once, the call playing: it reaches the output while we wait here.
    ASSERT_TRUE(WaitFor([&] { return CountLevel(ReadRaw(raw), 5000) > 0; }, kPatienceMs));
    audio.playSound(dir.file("signal.Wav"), true);  // a new direct sound cuts the one before
  }
  const auto out = ReadRaw(raw);
  EXPECT_EQ(CountLevel(out, 7000), 44100u * kShortMs / 1000u * 2u);
  // The call was cut long before its end.
  EXPECT_LT(CountLevel(out, 5000), 44100u * kLongMs / 1000u * 2u);
  EXPECT_EQ(Peak(out), 7000);
}

}  // namespace
}  // namespace chu::soundtest

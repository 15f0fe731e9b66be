// Figures of the players, for the report: the time to open all 70 clips at
// start-up, how long decoding them takes (on the worker, here without its
// hold-back), the memory the decoded clips hold, the time a music Open and
// Play take on the caller's thread, and how long loading a piece takes on its
// loading thread.
//   chu-sound-figures PACKDIR [ROUNDS]
// Run it with SDL_AUDIODRIVER=dummy on a machine without a sound card.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <SDL_mixer.h>

#include "sdl_audio.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

std::string ClipPath(const std::string& pack, int k) {
  char name[32];
  std::snprintf(name, sizeof name, "/Wave/Wave%02d.Wav", k);
  return pack + name;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: chu-sound-figures PACKDIR [ROUNDS]\n");
    return 2;
  }
  const std::string pack = argv[1];
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  using chu::platform::DeviceType;
  using chu::platform::MciCommand;

  for (int round = 0; round < rounds; ++round) {
    auto t = Clock::now();
    chu::sdl::AudioOptions options;
    options.decodeHoldBackMs = 0;
    chu::sdl::SdlAudio audio(options);
    const double deviceMs = MsSince(t);

    std::vector<std::unique_ptr<chu::platform::Player>> clips;
    t = Clock::now();
    for (int k = 0; k < 70; ++k) {
      clips.push_back(audio.createPlayer(DeviceType::WaveAudio));
      clips.back()->setFileName(ClipPath(pack, k));
      clips.back()->command(MciCommand::Open);
    }
    const double openMs = MsSince(t);

    t = Clock::now();
    auto music = audio.createPlayer(DeviceType::Sequencer);
    music->setFileName(pack + "/Midi/Bgm0.Mid");
    music->command(MciCommand::Open);
    music->command(MciCommand::Play);
    const double musicMs = MsSince(t);

    audio.waitForDecoding();
    const double decodedMs = MsSince(t) + openMs;

    // What the loading thread does for a piece, timed here on this one.
    t = Clock::now();
    Mix_Music* piece = Mix_LoadMUS((pack + "/Midi/Bgm1.Mid").c_str());
    const double loadMs = MsSince(t);
    Mix_FreeMusic(piece);
    const auto stats = audio.clipStats();
    std::printf(
        "round %d: device %.1f ms, open 70 clips %.2f ms, music Open+Play %.2f ms (loading a piece %.1f ms), "
        "all clips decoded %.0f ms after the first Open; %d clips hold %.1f MB (%s music)\n",
        round + 1, deviceMs, openMs, musicMs, loadMs, decodedMs, stats.decoded,
        static_cast<double>(stats.bytes) / 1e6, audio.hasMusic() ? "with" : "no");
  }
  return 0;
}

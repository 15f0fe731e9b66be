// A saver run on the real SDL_mixer players with the program's timers paced to
// real time, for listening (or looking at what SDL's disk driver wrote):
//   SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=out.raw chu-sound-listen PACKDIR SECONDS [SEED]
// The run starts ten seconds before the first post time, so the first race's
// parade begins after ten seconds of paddock music.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "assets/assets.h"
#include "platform/virtual/virtual_machine.h"
#include "sdl_audio.h"
#include "startup/saver.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: chu-sound-listen PACKDIR SECONDS [SEED]\n");
    return 2;
  }
  const std::string pack = argv[1];
  const double seconds = std::atof(argv[2]);
  const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;

  chu::virt::Options options;
  options.start = {12, 0, 50};
  chu::virt::VirtualMachine vm(options);
  chu::sdl::SdlAudio audio;
  chu::platform::Platform platform{vm, vm, audio, vm, vm, pack};
  chu::Saver saver(platform, chu::BuiltInAssets(), seed);
  chu::Main(saver, "/s");

  const auto start = std::chrono::steady_clock::now();
  auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
  vm.run(saver, [&] {
    const double ahead = static_cast<double>(vm.now()) / 1000.0 - elapsed();
    if (ahead > 0) usleep(static_cast<useconds_t>(ahead * 1e6));
    return elapsed() >= seconds;
  });
  std::printf("ran %.1f s: virtual clock %.1f s\n", elapsed(), static_cast<double>(vm.now()) / 1000.0);
  return 0;
}

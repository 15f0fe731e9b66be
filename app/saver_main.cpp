// chuderby: the screen saver. The command line is the screen-saver
// convention's: "/s" runs the saver, "/c…" or nothing opens the settings
// dialog, anything else ends at once.
//
// Environment (for trying and testing; nothing needs them):
//   CHUDERBY_WINDOW=1024x768   watch the saver in an ordinary window; input
//                              does not end it, closing the window or Escape does
//   CHUDERBY_FOLDER=DIR        the program folder (RaceSpeed.Dat, Wave, Midi,
//                              Images) instead of the executable's own
//   CHUDERBY_START_TIME=HH:MM:SS  the clock reads this time at start and runs
//                              on from it (the post time comes when you like)
//   CHUDERBY_SEED=N            the random seed instead of the clock's
//   CHUDERBY_STATS=1           print counters and timings on standard error at exit
#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/sdl/instance_lock.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/silent_audio.h"
#include "platform/sdl/wall_clock.h"
#include "startup/saver.h"

#include "platform/fonts/ttf_text.h"
#include "platform/raster/assets_io.h"
#include "platform/sdl/audio/sdl_audio.h"

namespace {

constexpr const char* kName = "chuderby";

int Fail(const std::string& what) {
  std::cerr << kName << ": " << what << '\n';
  return 1;
}

// The text after the program's name, as the platform passes it: the
// arguments joined with single blanks.
std::string CommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

std::optional<std::string> Env(const char* name) {
  const char* v = std::getenv(name);
  if (v == nullptr || *v == '\0') return std::nullopt;
  return std::string(v);
}

std::string ExecutableFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : exe.parent_path().string();
}

// "1024x768": a window size.
std::optional<chu::platform::Size> ParseSize(const std::string& text) {
  const auto x = text.find_first_of("xX");
  if (x == std::string::npos) return std::nullopt;
  try {
    std::size_t used = 0;
    const int w = std::stoi(text.substr(0, x), &used);
    if (used != x) return std::nullopt;
    const std::string rest = text.substr(x + 1);
    const int h = std::stoi(rest, &used);
    if (used != rest.size() || w < 64 || h < 64 || w > 16384 || h > 16384) return std::nullopt;
    return chu::platform::Size{w, h};
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<std::uint64_t> ParseSeed(const std::string& text) {
  try {
    std::size_t used = 0;
    const unsigned long long v = std::stoull(text, &used);
    if (used != text.size()) return std::nullopt;
    return v;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

struct Settings {
  chu::sdl::BackendOptions backend;
  std::string folder;
  std::optional<chu::platform::TimeOfDay> startTime;
  std::uint64_t seed = 0;
  bool stats = false;
};

// Reads the environment; an error line when a value makes no sense.
std::string ReadEnvironment(Settings& out) {
  if (const auto w = Env("CHUDERBY_WINDOW")) {
    out.backend.watchWindow = ParseSize(*w);
    if (!out.backend.watchWindow) return "CHUDERBY_WINDOW must be a size such as 1024x768, not \"" + *w + "\"";
  }
  out.folder = Env("CHUDERBY_FOLDER").value_or(ExecutableFolder());
  if (const auto t = Env("CHUDERBY_START_TIME")) {
    out.startTime = chu::sdl::ParseTimeOfDay(*t);
    if (!out.startTime) return "CHUDERBY_START_TIME must be a time such as 12:34:56, not \"" + *t + "\"";
  }
  if (const auto seed = Env("CHUDERBY_SEED")) {
    const auto v = ParseSeed(*seed);
    if (!v) return "CHUDERBY_SEED must be a whole number, not \"" + *seed + "\"";
    out.seed = *v;
  } else {
    out.seed = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  }
  out.stats = Env("CHUDERBY_STATS").value_or("0") != "0";
  return {};
}

void PrintStats(const chu::sdl::RunStats& st, std::uint64_t seed, double wallSeconds, double cpuSeconds) {
  auto& out = std::cerr;
  out << kName << " stats: seed " << seed << '\n';
  out << kName << " stats: ticks clock " << st.ticks[0] << ", music status " << st.ticks[1] << ", race "
      << st.ticks[2] << '\n';
  for (const auto& r : st.raceRates) {
    if (r.seconds <= 0) continue;
    out << kName << " stats: race tick " << r.intervalMs << " ms: " << r.ticks << " ticks in " << r.seconds
        << " s = " << static_cast<double>(r.ticks) / r.seconds << " ticks/s";
    if (r.stalledSeconds > 0 && r.seconds > r.stalledSeconds)
      out << "; " << r.stalledSeconds << " s inside ticks that waited for sounds, "
          << static_cast<double>(r.ticks) / (r.seconds - r.stalledSeconds) << " ticks/s without them";
    out << '\n';
  }
  out << kName << " stats: presents " << st.presents << " in " << wallSeconds
      << " s = " << static_cast<double>(st.presents) / wallSeconds << "/s, pixels pushed " << st.pushedPixels
      << '\n';
  if (st.raceSeconds > 0) {
    out << kName << " stats: race window up " << st.raceSeconds << " s, cpu " << st.raceCpuSeconds
        << " s = " << 100.0 * st.raceCpuSeconds / st.raceSeconds << " % of one core\n";
    out << kName << " stats: presents with the race window up " << st.racePresents << " = "
        << static_cast<double>(st.racePresents) / st.raceSeconds << "/s\n";
  }
  out << kName << " stats: whole run " << wallSeconds << " s, cpu " << cpuSeconds
      << " s = " << 100.0 * cpuSeconds / wallSeconds << " % of one core\n";
  if (st.firstBoardMs) out << kName << " stats: paddock board on the screen " << *st.firstBoardMs << " ms after start\n";
}

double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// Milestones of the start, for the stats.
class StartTimes {
 public:
  explicit StartTimes(std::uint64_t start) : start_(start) {}
  void mark(const char* what) { marks_.emplace_back(what, SDL_GetPerformanceCounter()); }
  void print() const {
    std::cerr << kName << " stats: start";
    for (const auto& [what, at] : marks_)
      std::cerr << ", " << what << " " << static_cast<double>(at - start_) * 1000.0 / SDL_GetPerformanceFrequency()
                << " ms";
    std::cerr << '\n';
  }

 private:
  std::uint64_t start_;
  std::vector<std::pair<const char*, std::uint64_t>> marks_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::uint64_t startCounter = SDL_GetPerformanceCounter();
  const std::string commandLine = CommandLine(argc, argv);
  const chu::RunMode mode = chu::ModeForCommandLine(commandLine);
  StartTimes times(startCounter);

  Settings settings;
  settings.backend.startCounter = startCounter;
  if (const std::string problem = ReadEnvironment(settings); !problem.empty()) return Fail(problem);
  settings.backend.allowScreenSaver = mode == chu::RunMode::Settings;

  chu::sdl::InstanceLock instance;
  chu::sdl::SdlBackend backend(settings.backend);
  chu::sdl::WallClock clock(settings.startTime);
  chu::platform::SilentAudio silence;
  chu::platform::Audio* audio = &silence;
  std::unique_ptr<chu::platform::Audio> sound;
  std::unique_ptr<chu::platform::TextRenderer> text;
  chu::Assets assets = chu::BuiltInAssets();

  // A window is needed: a second copy ends before it touches the display,
  // then the display and the fonts must be there.
  if (mode != chu::RunMode::EndAtOnce && !instance.anotherCopyRunning()) {
    std::string error;
    if (!backend.openVideo(error)) return Fail(error);
    times.mark("video");
    text = chu::fonts::TtfTextRenderer::Create(error);
    if (!text) return Fail(error);
    backend.setTextRenderer(text.get());
    times.mark("fonts");
    assets = chu::LoadAssets(settings.folder, [](const std::string& line) { std::cerr << kName << ": " << line << '\n'; });
    times.mark("pictures");
    backend.setIcon(&assets.programIcon);
    if (mode == chu::RunMode::Saver) {
      sound = std::make_unique<chu::sdl::SdlAudio>();
      audio = sound.get();
      times.mark("sound");
    }
  }

  chu::platform::Platform platform{backend, backend, *audio, clock, instance, settings.folder, text.get()};
  chu::Saver saver(platform, assets, settings.seed);
  chu::Main(saver, commandLine);
  times.mark("Main");
  if (!saver.ended) backend.run(saver);

  if (settings.stats) {
    const double wall = static_cast<double>(SDL_GetPerformanceCounter() - startCounter) /
                        static_cast<double>(SDL_GetPerformanceFrequency());
    PrintStats(backend.stats(), settings.seed, wall, CpuSeconds());
    times.print();
  }
  return 0;
}

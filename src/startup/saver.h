// One run of the program: the platform it is given, the race state, the one
// random generator and the windows. The routines of the program work on it;
// two runs can live side by side.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "assets/assets.h"
#include "card/show_window.h"
#include "platform/platform.h"
#include "race/race_window.h"
#include "settings/info_window.h"
#include "shell/back_window.h"
#include "sound/clips.h"
#include "startup/observer.h"
#include "state/race_state.h"
#include "state/random.h"

namespace chu {

enum class RunMode { Saver, Settings, EndAtOnce };

struct Saver {
  Saver(platform::Platform& p, const Assets& a, std::uint64_t seed, RunObserver* o = nullptr)
      : platform(p), assets(a), seed(seed), observer(o) {}
  Saver(const Saver&) = delete;
  Saver& operator=(const Saver&) = delete;

  platform::Platform& platform;
  const Assets& assets;
  std::uint64_t seed;  // the clock's value that Main seeds the generator with
  RunObserver* observer;

  RaceState state;
  Random rnd;
  ClipBank clips;

  std::optional<BackWindow> back;
  std::unique_ptr<ShowWindow> show;
  std::unique_ptr<RaceWindow> race;
  std::unique_ptr<InfoWindow> info;

  bool ended = false;  // the process has ended: no handler runs any more
};

// The command-line table.
RunMode ModeForCommandLine(std::string_view commandLine);

// The entry routine: single copy, run mode, the start sequence.
void Main(Saver& s, std::string_view commandLine);

// Events from the back-end, one at a time.
void OnTimer(Saver& s, platform::TimerId id);
void OnKeyUp(Saver& s, platform::WindowKind window);
void OnMouseMove(Saver& s, platform::SurfaceId surface, int x, int y);
void OnMouseUp(Saver& s, platform::SurfaceId surface);

}  // namespace chu

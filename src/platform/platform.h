// The platform layer as the program sees it: a few small interfaces that each
// back-end (SDL, the headless virtual one) implements. Nothing here names a
// library; the program asks only for what it uses.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/types.h"

namespace chu::platform {

// A window the program owns: its controls, and what it looks like.
class Window {
 public:
  virtual ~Window() = default;
  virtual WindowKind kind() const = 0;
  virtual WindowView view() const = 0;
};

class Display {
 public:
  virtual ~Display() = default;
  // The screen in pixels: full-screen windows are this size.
  virtual Size screenSize() const = 0;
  // A window is shown, made top-most (SetWindowPos with HWND_TOPMOST), changed
  // (its controls were written), or destroyed.
  virtual void show(const Window& w) = 0;
  virtual void setTopMost(const Window& w) = 0;
  virtual void invalidate(const Window& w) = 0;
  virtual void destroy(const Window& w) = 0;
  // The drawing surface of a window was refreshed: its image is to be shown.
  virtual void refresh(const Window& w, const DrawingSurface& s) = 0;
};

enum class TimerId { ShowClock, ShowMusicStatus, RaceTick };

class Timers {
 public:
  virtual ~Timers() = default;
  // (Re)starts the timer: its first tick comes one interval from now.
  virtual void start(TimerId id, int intervalMs) = 0;
  virtual void stop(TimerId id) = 0;
};

// The commands of the multimedia player control.
enum class MciCommand { Open, Play, Stop, Close, Prev };
const char* commandName(MciCommand c);

enum class DeviceType { Sequencer, WaveAudio };

// The player's Mode values that matter: 525 stopped (also after playing to the
// end, and for a player that could not open its file), 526 playing.
inline constexpr int kModeNotOpen = 524;
inline constexpr int kModeStopped = 525;
inline constexpr int kModePlaying = 526;

class Player {
 public:
  virtual ~Player() = default;
  virtual void setFileName(const std::string& path) = 0;
  virtual const std::string& fileName() const = 0;
  virtual void command(MciCommand c) = 0;
  virtual int mode() const = 0;
};

class Audio {
 public:
  virtual ~Audio() = default;
  virtual std::unique_ptr<Player> createPlayer(DeviceType type) = 0;
  // Plays a wave file directly: with wait, returns only when it has ended and
  // nothing else runs meanwhile; without, returns at once. A missing or bad
  // file plays nothing.
  virtual void playSound(const std::string& path, bool wait) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual TimeOfDay localTime() const = 0;
};

// Tells whether another copy of the program runs. The first copy holds the
// guard for as long as it lives.
class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  virtual bool anotherCopyRunning() = 0;
};

// What one run of the program is given by its back-end.
struct Platform {
  Display& display;
  Timers& timers;
  Audio& audio;
  Clock& clock;
  SingleInstance& instance;
  std::string folder;                  // the program's folder
  const TextRenderer* text = nullptr;  // fonts, when the back-end has them
};

// A file in the program folder: the folder, exactly one separator, the
// relative part; no separator is added when the folder already ends in one
// (the root). `relative` uses '/' between its own parts.
std::string ProgramPath(std::string_view folder, std::string_view relative);

}  // namespace chu::platform

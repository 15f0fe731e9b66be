// The headless back-end: a virtual clock that jumps from event to event, the
// windows' timers, sound players that play for a scripted time, and scripted
// input. A whole saver run is a function of its inputs and runs in a moment.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace chu {
struct Saver;
}

namespace chu::virt {

struct ScriptedInput {
  enum class Kind { KeyUp, MouseMove, MouseUp };
  std::int64_t ms = 0;  // virtual time of delivery
  Kind kind = Kind::KeyUp;
  platform::WindowKind window = platform::WindowKind::Show;  // for a key
  platform::SurfaceId surface = platform::SurfaceId::None;   // for the mouse
  int x = 0, y = 0;
};

struct Options {
  platform::TimeOfDay start{12, 0, 0};  // local time when the run begins
  platform::Size screen{1024, 768};
  // Every clip and direct sound lasts this long; otherwise the WAV file's
  // length where there is one, else 0.
  std::optional<int> clipMs;
  int musicMs = 60000;  // a music piece whose file exists plays this long
  bool anotherCopyRunning = false;
};

// Length of a WAV file in milliseconds, nothing when it is no readable WAV.
std::optional<std::int64_t> WavLengthMs(const std::string& path);

class VirtualMachine final : public platform::Display,
                             public platform::Timers,
                             public platform::Audio,
                             public platform::Clock,
                             public platform::SingleInstance {
 public:
  explicit VirtualMachine(Options options = {});
  ~VirtualMachine() override;

  // The platform for a run in `folder`.
  platform::Platform platformFor(std::string folder, const platform::TextRenderer* text = nullptr);

  std::int64_t now() const { return now_; }
  void script(const ScriptedInput& input);

  // Delivers the next event (input or timer) to the run; false when the run
  // has ended or nothing is left to happen.
  bool step(Saver& s);
  // Steps until the run ends, `stop` returns true, or nothing is left.
  void run(Saver& s, const std::function<bool()>& stop = {});

  // Looking on: the windows now shown, the timer intervals.
  bool shown(platform::WindowKind kind) const;
  std::optional<int> timerInterval(platform::TimerId id) const;
  std::int64_t soundLengthMs(const std::string& path) const;

  // Called after every refresh of a drawing surface, and every change of a window.
  std::function<void(const platform::Window&, const platform::DrawingSurface&)> onRefresh;
  std::function<void(const platform::Window&)> onInvalidate;

  // Display
  platform::Size screenSize() const override { return options_.screen; }
  void show(const platform::Window& w) override;
  void setTopMost(const platform::Window& w) override;
  void invalidate(const platform::Window& w) override;
  void destroy(const platform::Window& w) override;
  void refresh(const platform::Window& w, const platform::DrawingSurface& s) override;
  // Timers
  void start(platform::TimerId id, int intervalMs) override;
  void stop(platform::TimerId id) override;
  // Audio
  std::unique_ptr<platform::Player> createPlayer(platform::DeviceType type) override;
  void playSound(const std::string& path, bool wait) override;
  // Clock
  platform::TimeOfDay localTime() const override;
  // SingleInstance
  bool anotherCopyRunning() override { return options_.anotherCopyRunning; }

 private:
  struct TimerState {
    int interval = 0;
    std::int64_t due = 0;
    std::uint64_t order = 0;  // ties go to the timer started first
  };

  Options options_;
  std::int64_t now_ = 0;
  std::uint64_t timerOrder_ = 0;
  std::map<platform::TimerId, TimerState> timers_;
  std::deque<ScriptedInput> inputs_;
  std::vector<platform::WindowKind> windows_;  // bottom to top
};

}  // namespace chu::virt

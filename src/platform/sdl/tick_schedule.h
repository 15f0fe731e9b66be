// The windows' timers on a steady clock. Each timer keeps a grid of due times
// (start + k × interval), so ticks never drift; a short lag is caught up tick
// by tick, while a long stall (a sound played to its end) restarts the grid,
// as a slow handler simply delays the next tick.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/platform.h"

namespace chu::sdl {

class TickSchedule {
 public:
  static constexpr std::int64_t kMs = 1'000'000;  // the schedule counts nanoseconds

  // (Re)starts the timer: its first tick is due one interval after `now`.
  void start(platform::TimerId id, int intervalMs, std::int64_t now);
  void stop(platform::TimerId id);
  bool running(platform::TimerId id) const { return slot(id).running; }
  int interval(platform::TimerId id) const { return slot(id).intervalMs; }

  // The timer whose tick is to run at `now`, if any is due: the earliest due,
  // ties to the timer started first. Its next due time is set before the tick
  // runs, so the tick itself may stop or restart it.
  std::optional<platform::TimerId> takeDue(std::int64_t now);
  // The earliest due time of a running timer.
  std::optional<std::int64_t> nextDue() const;

  // How far behind its grid a timer may fall and still catch up.
  static std::int64_t catchUpLimit(int intervalMs);

 private:
  struct Slot {
    bool running = false;
    int intervalMs = 0;
    std::int64_t due = 0;
    std::uint64_t order = 0;
  };
  static constexpr std::size_t kTimers = 3;
  static std::size_t index(platform::TimerId id) { return static_cast<std::size_t>(id); }
  const Slot& slot(platform::TimerId id) const { return slots_[index(id)]; }

  std::array<Slot, kTimers> slots_{};
  std::uint64_t order_ = 0;
};

}  // namespace chu::sdl

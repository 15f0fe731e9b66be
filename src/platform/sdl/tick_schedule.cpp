#include "platform/sdl/tick_schedule.h"

#include <algorithm>

namespace chu::sdl {

using platform::TimerId;

void TickSchedule::start(TimerId id, int intervalMs, std::int64_t now) {
  const int ms = std::max(intervalMs, 1);
  slots_[index(id)] = Slot{true, ms, now + ms * kMs, order_++};
}

void TickSchedule::stop(TimerId id) { slots_[index(id)].running = false; }

std::int64_t TickSchedule::catchUpLimit(int intervalMs) {
  // Fast timers make up for a present or a busy moment (up to 25 ms of ticks);
  // anything longer than one interval behind is a stall, not a lag.
  return std::max<std::int64_t>(intervalMs, 25) * kMs;
}

std::optional<TimerId> TickSchedule::takeDue(std::int64_t now) {
  Slot* next = nullptr;
  std::size_t nextIndex = 0;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    Slot& s = slots_[i];
    if (!s.running || s.due > now) continue;
    if (next == nullptr || s.due < next->due || (s.due == next->due && s.order < next->order)) {
      next = &s;
      nextIndex = i;
    }
  }
  if (next == nullptr) return std::nullopt;
  const std::int64_t step = next->intervalMs * kMs;
  if (now - next->due > catchUpLimit(next->intervalMs)) {
    next->due = now + step;  // stalled: this tick runs late, the grid starts again from it
  } else {
    next->due += step;
  }
  return static_cast<TimerId>(nextIndex);
}

std::optional<std::int64_t> TickSchedule::nextDue() const {
  std::optional<std::int64_t> due;
  for (const Slot& s : slots_)
    if (s.running && (!due || s.due < *due)) due = s.due;
  return due;
}

}  // namespace chu::sdl

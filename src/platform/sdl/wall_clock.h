// The local time of day. For trying and testing, the clock can be made to
// read a chosen time at start-up and run on from there.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/platform.h"

namespace chu::sdl {

// "HH:MM:SS" (or "HH:MM") as a time of day; nothing when it is no such time.
std::optional<platform::TimeOfDay> ParseTimeOfDay(std::string_view text);

class WallClock final : public platform::Clock {
 public:
  // With `startAs`, the clock reads that time now and runs on from it.
  explicit WallClock(std::optional<platform::TimeOfDay> startAs = std::nullopt);
  platform::TimeOfDay localTime() const override;

 private:
  std::int64_t offsetSeconds_ = 0;
};

}  // namespace chu::sdl

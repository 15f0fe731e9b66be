#include "platform/sdl/wall_clock.h"

#include <ctime>

namespace chu::sdl {

namespace {
constexpr std::int64_t kDay = 24 * 60 * 60;

std::int64_t SecondsOfDay(const platform::TimeOfDay& t) { return t.hour * 3600LL + t.minute * 60LL + t.second; }

std::int64_t LocalSecondsOfDay() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec;
}

std::optional<int> TwoDigits(std::string_view s, std::size_t at, int most) {
  if (s.size() < at + 2 || s[at] < '0' || s[at] > '9' || s[at + 1] < '0' || s[at + 1] > '9') return std::nullopt;
  const int v = (s[at] - '0') * 10 + (s[at + 1] - '0');
  if (v > most) return std::nullopt;
  return v;
}
}  // namespace

std::optional<platform::TimeOfDay> ParseTimeOfDay(std::string_view text) {
  if (text.size() != 5 && text.size() != 8) return std::nullopt;
  if (text[2] != ':' || (text.size() == 8 && text[5] != ':')) return std::nullopt;
  const auto h = TwoDigits(text, 0, 23), m = TwoDigits(text, 3, 59);
  const auto s = text.size() == 8 ? TwoDigits(text, 6, 59) : std::optional<int>(0);
  if (!h || !m || !s) return std::nullopt;
  return platform::TimeOfDay{*h, *m, *s};
}

WallClock::WallClock(std::optional<platform::TimeOfDay> startAs) {
  if (startAs) offsetSeconds_ = SecondsOfDay(*startAs) - LocalSecondsOfDay();
}

platform::TimeOfDay WallClock::localTime() const {
  std::int64_t t = (LocalSecondsOfDay() + offsetSeconds_) % kDay;
  if (t < 0) t += kDay;
  return {static_cast<int>(t / 3600), static_cast<int>(t / 60 % 60), static_cast<int>(t % 60)};
}

}  // namespace chu::sdl

#include "settings/speed_file.h"

#include <cstdint>
#include <fstream>
#include <limits>

#include "platform/platform.h"

namespace chu {

namespace {
std::string SpeedPath(std::string_view folder) { return platform::ProgramPath(folder, kSpeedFileName); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool EndsNumber(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n'; }

void WriteWhole(std::string_view folder, std::string_view content) {
  std::ofstream out(SpeedPath(folder), std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

// The first number from a source of characters, reading no further than the
// character after it: a file of any size costs a few bytes.
template <typename Next>
std::optional<int> FirstNumber(Next next) {
  char c = 0;
  bool more = next(c);
  while (more && IsBlank(c)) more = next(c);
  bool negative = false;
  if (more && (c == '-' || c == '+')) {
    negative = c == '-';
    more = next(c);
  }
  int digits = 0;
  long long value = 0;
  while (more && c >= '0' && c <= '9') {
    value = value * 10 + (c - '0');
    if (value > 100000) return std::nullopt;  // far beyond 16 bits already
    ++digits;
    more = next(c);
  }
  if (digits == 0) return std::nullopt;                 // no number first
  if (more && !EndsNumber(c)) return std::nullopt;      // "3x", "3.5": not a number
  if (negative) value = -value;
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
    return std::nullopt;
  return static_cast<int>(value);
}
}  // namespace

std::optional<int> ParseSpeed(std::string_view text) {
  std::size_t i = 0;
  return FirstNumber([&](char& c) {
    if (i >= text.size()) return false;
    c = text[i++];
    return true;
  });
}

std::optional<int> ReadSpeedFile(std::string_view folder) {
  std::ifstream in(SpeedPath(folder), std::ios::binary);
  if (!in) return std::nullopt;
  const std::optional<int> value = FirstNumber([&](char& c) { return static_cast<bool>(in.get(c)); });
  if (in.bad()) return std::nullopt;
  return value;
}

void WriteSpeedFile(std::string_view folder, int speedIndex) {
  WriteWhole(folder, " " + std::to_string(speedIndex) + " \r\n");
}

void RepairSpeedFile(std::string_view folder) { WriteWhole(folder, "2\r\n"); }

int IntervalForSpeed(int value) {
  switch (value) {
    case 0: return 1;
    case 1: return 50;
    case 2: return 100;
    case 3: return 200;
    case 4: return 300;
    default: return kDesignInterval;
  }
}

int ReadRaceInterval(std::string_view folder) {
  const std::optional<int> value = ReadSpeedFile(folder);
  if (!value) {
    RepairSpeedFile(folder);
    return 100;
  }
  return IntervalForSpeed(*value);
}

}  // namespace chu

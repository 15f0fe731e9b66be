// The command line of chuderby-sim.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace chu::app {

struct SimOptions {
  std::optional<std::uint64_t> seed;  // default: from the clock
  int races = 1;
  platform::TimeOfDay start{12, 0, 0};
  std::optional<std::string> folder;  // default: the executable's folder
  std::optional<int> clipMs;
  std::optional<std::string> trace;
  std::optional<std::string> frames;        // folder for PNG frames
  int frameEvery = 10;                      // a course frame every N-th race tick
  platform::Size screen{1024, 768};         // the screen the windows fill
  std::optional<std::string> exportImages;  // write the built-in pictures there and end
  bool help = false;
};

struct ParseResult {
  SimOptions options;
  std::string error;  // one line; empty when the command line is good
};

ParseResult ParseSimOptions(const std::vector<std::string>& args);
const char* SimUsage();

}  // namespace chu::app

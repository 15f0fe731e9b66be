#include "sim_options.h"

#include <charconv>

namespace chu::app {

namespace {
template <typename T>
bool ParseNumber(const std::string& text, T& out, T min, T max) {
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size() || value < min || value > max) return false;
  out = value;
  return true;
}

bool ParseTime(const std::string& text, platform::TimeOfDay& out) {
  int h = 0, m = 0, s = 0;
  if (text.size() != 8 || text[2] != ':' || text[5] != ':') return false;
  if (!ParseNumber(text.substr(0, 2), h, 0, 23) || !ParseNumber(text.substr(3, 2), m, 0, 59) ||
      !ParseNumber(text.substr(6, 2), s, 0, 59))
    return false;
  out = {h, m, s};
  return true;
}

// "WxH", each side 1 to 16384 pixels.
bool ParseScreen(const std::string& text, platform::Size& out) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) return false;
  platform::Size s;
  if (!ParseNumber(text.substr(0, x), s.w, 1, 16384) || !ParseNumber(text.substr(x + 1), s.h, 1, 16384)) return false;
  out = s;
  return true;
}
}  // namespace

const char* SimUsage() {
  return "usage: chuderby-sim [--seed N] [--races N] [--start-time HH:MM:SS] [--folder DIR] [--clip-ms N] "
         "[--trace FILE] [--frames DIR] [--frame-every N] [--screen WxH] [--export-images DIR]";
}

ParseResult ParseSimOptions(const std::vector<std::string>& args) {
  ParseResult r;
  SimOptions& o = r.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      o.help = true;
      continue;
    }
    if (a.rfind("--", 0) != 0) {
      r.error = "unexpected argument '" + a + "'";
      return r;
    }
    if (i + 1 >= args.size()) {
      r.error = "option " + a + " needs a value";
      return r;
    }
    const std::string& v = args[++i];
    bool ok = true;
    if (a == "--seed") {
      std::uint64_t seed = 0;
      ok = ParseNumber<std::uint64_t>(v, seed, 0, UINT64_MAX);
      if (ok) o.seed = seed;
    } else if (a == "--races") {
      ok = ParseNumber(v, o.races, 1, 1'000'000);
    } else if (a == "--start-time") {
      ok = ParseTime(v, o.start);
    } else if (a == "--folder") {
      ok = !v.empty();
      o.folder = v;
    } else if (a == "--clip-ms") {
      int ms = 0;
      ok = ParseNumber(v, ms, 0, 3'600'000);
      if (ok) o.clipMs = ms;
    } else if (a == "--trace") {
      ok = !v.empty();
      o.trace = v;
    } else if (a == "--frames") {
      ok = !v.empty();
      o.frames = v;
    } else if (a == "--frame-every") {
      ok = ParseNumber(v, o.frameEvery, 1, 1'000'000);
    } else if (a == "--screen") {
      ok = ParseScreen(v, o.screen);
    } else if (a == "--export-images") {
      ok = !v.empty();
      o.exportImages = v;
    } else {
      r.error = "unknown option " + a;
      return r;
    }
    if (!ok) {
      r.error = "bad value '" + v + "' for " + a;
      return r;
    }
  }
  return r;
}

}  // namespace chu::app

#include "midi_length.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace chu::sdl {

namespace {

std::uint32_t Be(const std::uint8_t* p, int n) {
  std::uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = v << 8 | p[i];
  return v;
}

struct Reader {
  const std::uint8_t* p;
  const std::uint8_t* end;

  bool varLen(std::uint32_t& v) {
    v = 0;
    for (int i = 0; i < 4 && p < end; ++i) {
      const std::uint8_t b = *p++;
      v = v << 7 | (b & 0x7F);
      if ((b & 0x80) == 0) return true;
    }
    return false;
  }
  bool skip(std::uint32_t n) {
    if (n > static_cast<std::uint32_t>(end - p)) return false;
    p += n;
    return true;
  }
};

// Walks one track; adds its tempo changes and returns the tick of its end.
std::optional<std::uint32_t> ReadTrack(Reader r, std::multimap<std::uint32_t, std::uint32_t>& tempos) {
  std::uint32_t tick = 0;
  std::uint8_t status = 0;
  while (r.p < r.end) {
    std::uint32_t delta = 0;
    if (!r.varLen(delta) || r.p >= r.end) return std::nullopt;
    tick += delta;
    if (*r.p & 0x80) status = *r.p++;
    if (status == 0xFF) {
      if (r.p >= r.end) return std::nullopt;
      const std::uint8_t type = *r.p++;
      std::uint32_t len = 0;
      if (!r.varLen(len) || len > static_cast<std::uint32_t>(r.end - r.p)) return std::nullopt;
      if (type == 0x51 && len == 3) tempos.emplace(tick, Be(r.p, 3));
      if (type == 0x2F) return tick;
      r.p += len;
      status = 0;
    } else if (status == 0xF0 || status == 0xF7) {
      std::uint32_t len = 0;
      if (!r.varLen(len) || !r.skip(len)) return std::nullopt;
      status = 0;
    } else if (status >= 0x80) {
      const int kind = status >> 4;
      if (!r.skip(kind == 0xC || kind == 0xD ? 1 : 2)) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  return tick;  // no end-of-track event: the track ends with its last event
}

}  // namespace

std::optional<std::uint64_t> MidiLengthMs(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> b;
  try {
    b.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (b.size() < 14 || b[0] != 'M' || b[1] != 'T' || b[2] != 'h' || b[3] != 'd') return std::nullopt;
  const std::uint32_t division = Be(&b[12], 2);
  if (division == 0 || division >= 0x8000) return std::nullopt;

  std::multimap<std::uint32_t, std::uint32_t> tempos;  // tick -> microseconds a quarter note
  std::uint32_t end = 0;
  bool anyTrack = false;
  for (std::size_t at = 8 + Be(&b[4], 4); at + 8 <= b.size();) {
    const std::uint32_t size = Be(&b[at + 4], 4);
    if (size > b.size() - at - 8) return std::nullopt;
    if (b[at] == 'M' && b[at + 1] == 'T' && b[at + 2] == 'r' && b[at + 3] == 'k') {
      const auto trackEnd = ReadTrack(Reader{&b[at + 8], &b[at + 8] + size}, tempos);
      if (!trackEnd) return std::nullopt;
      end = std::max(end, *trackEnd);
      anyTrack = true;
    }
    at += 8 + size;
  }
  if (!anyTrack) return std::nullopt;

  double micros = 0;
  std::uint32_t tick = 0, tempo = 500000;
  for (const auto& [at, value] : tempos) {
    if (at >= end) break;
    micros += static_cast<double>(at - tick) * tempo / division;
    tick = at;
    tempo = value;
  }
  micros += static_cast<double>(end - tick) * tempo / division;
  return static_cast<std::uint64_t>(micros / 1000.0 + 0.5);
}

}  // namespace chu::sdl

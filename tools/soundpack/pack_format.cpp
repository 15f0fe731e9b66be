#include "pack_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace chu::soundpack {

namespace {

std::optional<std::vector<std::uint8_t>> ReadAll(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

template <typename T>
std::optional<T> Fail(std::string* why, const std::string& what) {
  if (why != nullptr) *why = what;
  return std::nullopt;
}

std::uint32_t Le(const std::uint8_t* p, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

std::uint32_t Be(const std::uint8_t* p, int n) {
  std::uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = v << 8 | p[i];
  return v;
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t v, int n) {
  for (int i = 0; i < n; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Reads one track's events; false on any malformed byte.
struct TrackReader {
  const std::uint8_t* p;
  const std::uint8_t* end;
  std::uint32_t tick = 0;

  bool varLen(std::uint32_t& v) {
    v = 0;
    for (int i = 0; i < 4; ++i) {
      if (p >= end) return false;
      const std::uint8_t b = *p++;
      v = v << 7 | (b & 0x7F);
      if ((b & 0x80) == 0) return true;
    }
    return false;
  }
};

}  // namespace

std::vector<std::string> PackFiles() {
  std::vector<std::string> files;
  char name[32];
  for (int k = 0; k <= 77; ++k) {
    std::snprintf(name, sizeof name, "Wave/Wave%02d.Wav", k);
    files.emplace_back(name);
  }
  files.emplace_back("Wave/Beep1.Wav");
  for (int k = 0; k <= 9; ++k) files.push_back("Midi/Bgm" + std::to_string(k) + ".Mid");
  for (int k = 0; k <= 3; ++k) files.push_back("Midi/In" + std::to_string(k) + ".Mid");
  return files;
}

double Wav::seconds() const {
  if (channels <= 0 || rate <= 0) return 0;
  return static_cast<double>(samples.size()) / channels / rate;
}

int Wav::peak() const {
  int peak = 0;
  for (std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

double Wav::loudestRms() const {
  const std::size_t window = std::max<std::size_t>(1, static_cast<std::size_t>(rate / 20 * channels));
  double best = 0;
  for (std::size_t from = 0; from < samples.size(); from += window / 2) {
    const std::size_t to = std::min(samples.size(), from + window);
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    best = std::max(best, std::sqrt(sum / static_cast<double>(window)) / 32768.0);
  }
  return best;
}

std::optional<Wav> ReadWav(const std::string& path, std::string* why) {
  const auto bytes = ReadAll(path);
  if (!bytes) return Fail<Wav>(why, "cannot read " + path);
  const std::vector<std::uint8_t>& b = *bytes;
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
    return Fail<Wav>(why, "no RIFF WAVE header");
  if (Le(&b[4], 4) + 8 != b.size()) return Fail<Wav>(why, "the RIFF size does not match the file");
  Wav wav;
  bool haveFormat = false, haveData = false;
  for (std::size_t at = 12; at + 8 <= b.size();) {
    const std::string id(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
    const std::uint32_t size = Le(&b[at + 4], 4);
    const std::size_t body = at + 8;
    if (body + size > b.size()) return Fail<Wav>(why, "chunk '" + id + "' runs past the end");
    if (id == "fmt ") {
      if (size < 16) return Fail<Wav>(why, "short fmt chunk");
      const std::uint32_t tag = Le(&b[body], 2);
      if (tag != 1 && tag != 0xFFFE) return Fail<Wav>(why, "not PCM");
      wav.channels = static_cast<int>(Le(&b[body + 2], 2));
      wav.rate = static_cast<int>(Le(&b[body + 4], 4));
      wav.bits = static_cast<int>(Le(&b[body + 14], 2));
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) return Fail<Wav>(why, "data before fmt");
      if (wav.bits != 16) return Fail<Wav>(why, "not 16-bit samples");
      wav.samples.resize(size / 2);
      for (std::size_t i = 0; i < wav.samples.size(); ++i)
        wav.samples[i] = static_cast<std::int16_t>(Le(&b[body + 2 * i], 2));
      haveData = true;
    }
    at = body + size + (size & 1);
  }
  if (!haveFormat || !haveData) return Fail<Wav>(why, "fmt or data chunk missing");
  if (wav.channels < 1 || wav.rate < 8000) return Fail<Wav>(why, "implausible format");
  return wav;
}

bool WriteWav(const std::string& path, const Wav& wav) {
  const auto dataBytes = static_cast<std::uint32_t>(wav.samples.size() * 2);
  std::vector<std::uint8_t> out;
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  PutLe(out, 36 + dataBytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);
  PutLe(out, static_cast<std::uint32_t>(wav.channels), 2);
  PutLe(out, static_cast<std::uint32_t>(wav.rate), 4);
  PutLe(out, static_cast<std::uint32_t>(wav.rate * wav.channels * 2), 4);
  PutLe(out, static_cast<std::uint32_t>(wav.channels * 2), 2);
  PutLe(out, 16, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutLe(out, dataBytes, 4);
  for (std::int16_t s : wav.samples) PutLe(out, static_cast<std::uint16_t>(s), 2);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file);
}

std::optional<Midi> ReadMidi(const std::string& path, std::string* why) {
  const auto bytes = ReadAll(path);
  if (!bytes) return Fail<Midi>(why, "cannot read " + path);
  const std::vector<std::uint8_t>& b = *bytes;
  if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || Be(&b[4], 4) != 6)
    return Fail<Midi>(why, "no MThd header");
  Midi midi;
  midi.format = static_cast<int>(Be(&b[8], 2));
  const int declared = static_cast<int>(Be(&b[10], 2));
  midi.division = static_cast<int>(Be(&b[12], 2));
  if (midi.format > 2 || midi.division <= 0 || midi.division >= 0x8000)
    return Fail<Midi>(why, "unsupported format or timing");

  std::multimap<std::uint32_t, std::uint32_t> tempos;  // tick -> microseconds a quarter
  bool firstNote = true;
  for (std::size_t at = 14; at < b.size();) {
    if (at + 8 > b.size() || std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4) != "MTrk")
      return Fail<Midi>(why, "expected a track chunk");
    const std::uint32_t size = Be(&b[at + 4], 4);
    if (at + 8 + size > b.size()) return Fail<Midi>(why, "track runs past the end");
    TrackReader r{&b[at + 8], &b[at + 8] + size};
    std::uint8_t status = 0;
    bool ended = false;
    while (r.p < r.end && !ended) {
      std::uint32_t delta = 0;
      if (!r.varLen(delta) || r.p >= r.end) return Fail<Midi>(why, "bad delta time");
      r.tick += delta;
      if (*r.p & 0x80) status = *r.p++;
      if (status == 0) return Fail<Midi>(why, "data byte without a status");
      if (status == 0xFF) {
        if (r.p >= r.end) return Fail<Midi>(why, "cut meta event");
        const std::uint8_t type = *r.p++;
        std::uint32_t len = 0;
        if (!r.varLen(len) || r.p + len > r.end) return Fail<Midi>(why, "bad meta length");
        if (type == 0x51 && len == 3) tempos.emplace(r.tick, Be(r.p, 3));
        if (type == 0x58 && len == 4 && midi.barTicks == 0)
          midi.barTicks = r.p[0] * static_cast<std::uint32_t>(midi.division) * 4 >> r.p[1];
        if (type == 0x2F) ended = true;
        r.p += len;
        status = 0;
      } else if (status == 0xF0 || status == 0xF7) {
        std::uint32_t len = 0;
        if (!r.varLen(len) || r.p + len > r.end) return Fail<Midi>(why, "bad sysex length");
        r.p += len;
        status = 0;
      } else {
        const int kind = status >> 4;
        const int dataBytes = (kind == 0xC || kind == 0xD) ? 1 : 2;
        if (r.p + dataBytes > r.end) return Fail<Midi>(why, "cut channel event");
        const bool noteOn = kind == 0x9 && r.p[1] > 0;
        const bool noteOff = kind == 0x8 || (kind == 0x9 && r.p[1] == 0);
        if (noteOn) {
          ++midi.noteOns;
          midi.firstNoteOn = firstNote ? r.tick : std::min(midi.firstNoteOn, r.tick);
          firstNote = false;
        }
        if (noteOff) midi.lastNoteOff = std::max(midi.lastNoteOff, r.tick);
        r.p += dataBytes;
      }
    }
    if (!ended || r.p != r.end) return Fail<Midi>(why, "a track does not end with its end-of-track event");
    midi.end = std::max(midi.end, r.tick);
    ++midi.tracks;
    at += 8 + size;
  }
  if (midi.tracks != declared) return Fail<Midi>(why, "the header counts a different number of tracks");
  if (midi.barTicks == 0) midi.barTicks = static_cast<std::uint32_t>(midi.division) * 4;

  std::uint32_t tick = 0, micros = 500000;
  for (const auto& [at, value] : tempos) {
    if (at >= midi.end) break;
    midi.seconds += static_cast<double>(at - tick) * micros / midi.division / 1e6;
    tick = at;
    micros = value;
  }
  midi.seconds += static_cast<double>(midi.end - tick) * micros / midi.division / 1e6;
  return midi;
}

}  // namespace chu::soundpack

#include "midi_writer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace chu::soundpack {

namespace {
enum Rank { kNoteOff = 0, kSetting = 1, kNoteOn = 2 };

std::uint8_t Byte7(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 127)); }

void CheckChannel(int channel) {
  if (channel < 0 || channel > 15) throw std::invalid_argument("MIDI channel out of range");
}

void AppendBe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void AppendBe16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

void AppendChunk(std::vector<std::uint8_t>& out, const char* id, const std::vector<std::uint8_t>& body) {
  out.insert(out.end(), id, id + 4);
  AppendBe32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}
}  // namespace

void AppendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (n > 1) out.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
  out.push_back(groups[0]);
}

MidiTrack::MidiTrack(std::string name) {
  if (name.empty()) return;
  std::vector<std::uint8_t> bytes{0xFF, 0x03};
  AppendVarLen(bytes, static_cast<std::uint32_t>(name.size()));
  bytes.insert(bytes.end(), name.begin(), name.end());
  add(0, kSetting, std::move(bytes));
}

void MidiTrack::add(Tick at, int rank, std::vector<std::uint8_t> bytes) {
  events_.push_back(Event{at, rank, events_.size(), std::move(bytes)});
}

void MidiTrack::tempo(Tick at, double bpm) {
  const auto micros = static_cast<std::uint32_t>(std::lround(60'000'000.0 / bpm));
  add(at, kSetting,
      {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(micros >> 16), static_cast<std::uint8_t>(micros >> 8),
       static_cast<std::uint8_t>(micros)});
}

void MidiTrack::timeSignature(Tick at, int numerator, int denominator) {
  std::uint8_t power = 0;
  while ((1 << power) < denominator) ++power;
  add(at, kSetting, {0xFF, 0x58, 0x04, static_cast<std::uint8_t>(numerator), power, 24, 8});
}

void MidiTrack::program(Tick at, int channel, int program) {
  CheckChannel(channel);
  add(at, kSetting, {static_cast<std::uint8_t>(0xC0 | channel), Byte7(program)});
}

void MidiTrack::control(Tick at, int channel, int controller, int value) {
  CheckChannel(channel);
  add(at, kSetting, {static_cast<std::uint8_t>(0xB0 | channel), Byte7(controller), Byte7(value)});
}

void MidiTrack::note(Tick at, Tick length, int channel, int key, int velocity) {
  CheckChannel(channel);
  if (length == 0) return;
  add(at, kNoteOn, {static_cast<std::uint8_t>(0x90 | channel), Byte7(key), Byte7(std::max(1, velocity))});
  add(at + length, kNoteOff, {static_cast<std::uint8_t>(0x80 | channel), Byte7(key), 64});
}

Tick MidiTrack::lastTick() const {
  Tick last = 0;
  for (const Event& e : events_) last = std::max(last, e.at);
  return last;
}

std::vector<std::uint8_t> MidiTrack::encode(Tick end) const {
  std::vector<const Event*> sorted;
  sorted.reserve(events_.size());
  for (const Event& e : events_) sorted.push_back(&e);
  std::stable_sort(sorted.begin(), sorted.end(), [](const Event* a, const Event* b) {
    if (a->at != b->at) return a->at < b->at;
    if (a->rank != b->rank) return a->rank < b->rank;
    return a->order < b->order;
  });
  std::vector<std::uint8_t> out;
  Tick now = 0;
  for (const Event* e : sorted) {
    AppendVarLen(out, e->at - now);
    now = e->at;
    out.insert(out.end(), e->bytes.begin(), e->bytes.end());
  }
  AppendVarLen(out, std::max(end, now) - now);
  out.insert(out.end(), {0xFF, 0x2F, 0x00});
  return out;
}

std::vector<std::uint8_t> EncodeSmf(const std::vector<MidiTrack>& tracks, int ticksPerQuarter, Tick end) {
  std::vector<std::uint8_t> header;
  AppendBe16(header, 1);
  AppendBe16(header, static_cast<std::uint32_t>(tracks.size()));
  AppendBe16(header, static_cast<std::uint32_t>(ticksPerQuarter));
  std::vector<std::uint8_t> file;
  AppendChunk(file, "MThd", header);
  for (const MidiTrack& t : tracks) AppendChunk(file, "MTrk", t.encode(end));
  return file;
}

}  // namespace chu::soundpack

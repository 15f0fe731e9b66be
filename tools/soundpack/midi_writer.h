// A small Standard MIDI File writer: tracks of timed events, written as a
// format 1 file. Enough for the saver's own music, nothing more.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace chu::soundpack {

using Tick = std::uint32_t;

class MidiTrack {
 public:
  explicit MidiTrack(std::string name = {});

  void tempo(Tick at, double bpm);
  void timeSignature(Tick at, int numerator, int denominator);
  void program(Tick at, int channel, int program);
  void control(Tick at, int channel, int controller, int value);
  // A note from `at` for `length` ticks; a zero length is ignored.
  void note(Tick at, Tick length, int channel, int key, int velocity);

  // The track chunk's body: events in time order, the end of the track at
  // `end` (never before the last event).
  std::vector<std::uint8_t> encode(Tick end) const;
  Tick lastTick() const;

 private:
  struct Event {
    Tick at = 0;
    int rank = 0;  // at one instant: note-offs first, then settings, then note-ons
    std::uint64_t order = 0;
    std::vector<std::uint8_t> bytes;
  };
  void add(Tick at, int rank, std::vector<std::uint8_t> bytes);

  std::vector<Event> events_;
};

// A format 1 file: header chunk, then one chunk per track, each ending at `end`.
std::vector<std::uint8_t> EncodeSmf(const std::vector<MidiTrack>& tracks, int ticksPerQuarter, Tick end);

// A variable-length quantity as MIDI writes delta times.
void AppendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value);

}  // namespace chu::soundpack

// Reading back what the sound pack holds: the file list the saver opens, PCM
// WAV files and Standard MIDI Files, strictly enough to catch a broken file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace chu::soundpack {

// Every file of a pack, relative to its folder, as the saver names them:
// Wave/Wave00.Wav ... Wave/Wave77.Wav, Wave/Beep1.Wav, Midi/Bgm0.Mid ...
// Midi/Bgm9.Mid, Midi/In0.Mid ... Midi/In3.Mid.
std::vector<std::string> PackFiles();

struct Wav {
  int channels = 0;
  int rate = 0;
  int bits = 0;
  std::vector<std::int16_t> samples;  // interleaved
  double seconds() const;
  // Largest absolute sample, 0..32768.
  int peak() const;
  // Root mean square of the loudest 50 ms, as a share of full scale.
  double loudestRms() const;
};

// A 16-bit PCM WAV file; nothing (and `why`) when it is not one.
std::optional<Wav> ReadWav(const std::string& path, std::string* why = nullptr);
// Writes a 16-bit PCM WAV file; false when it cannot be written.
bool WriteWav(const std::string& path, const Wav& wav);

struct Midi {
  int format = 0;
  int division = 0;  // ticks per quarter note
  int tracks = 0;
  int noteOns = 0;
  std::uint32_t firstNoteOn = 0;  // tick of the earliest note-on
  std::uint32_t lastNoteOff = 0;  // tick of the latest note-off
  std::uint32_t end = 0;          // tick of the latest end of track
  std::uint32_t barTicks = 0;     // from the first time signature (4/4 when none)
  double seconds = 0;             // to the end, through the tempo map
};

// A Standard MIDI File whose every track parses to its end-of-track event.
std::optional<Midi> ReadMidi(const std::string& path, std::string* why = nullptr);

}  // namespace chu::soundpack

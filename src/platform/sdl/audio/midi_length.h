// The length of a Standard MIDI File's score: to its last end-of-track event,
// through its tempo changes. FluidSynth keeps playing until the last voice has
// died away, seconds after the score ends; a sequencer reports stopped at the
// end of the score, so the music player ends its piece there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace chu::sdl {

// Nothing when the file is no Standard MIDI File with ticks per quarter note.
std::optional<std::uint64_t> MidiLengthMs(const std::string& path);

}  // namespace chu::sdl

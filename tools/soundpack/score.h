// The saver's music as text: melodies in a small note notation, chords as
// symbols, and a groove that turns the chords into bass, accompaniment and
// drums. A piece renders to a Standard MIDI File.
//
// Melody notation, one token per note, bars separated by '|':
//   c5q  e5e.  f#4h  bb4s  a4et  rq  rw
//   pitch letter, optional # or b, octave (c4 is middle C), then the length:
//   w whole, h half, q quarter, e eighth, s sixteenth; '.' makes it dotted,
//   't' a triplet. 'r' instead of a pitch is a rest. Every bar must fill the
//   meter exactly; a bar that does not is an error in the piece.
// Chord symbols, bars separated by '|', several chords in a bar share it
// evenly: C Am F#m Bb7 Dm7 Fmaj7 Gsus4 Bdim C6; N is no chord.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "midi_writer.h"

namespace chu::soundpack {

inline constexpr Tick kQuarter = 480;

struct Meter {
  int beats = 4;  // notes of `unit` in a bar
  int unit = 4;   // 4: quarter, 8: eighth
  Tick bar() const { return static_cast<Tick>(beats) * kQuarter * 4 / static_cast<Tick>(unit); }
};

struct Note {
  Tick at = 0;
  Tick length = 0;
  int key = 0;
  int velocity = 96;
};

struct Chord {
  Tick at = 0;
  Tick length = 0;
  int root = -1;                // pitch class 0..11; -1 for no chord
  std::vector<int> intervals;  // semitones above the root, 0 first
};

// Parses a melody; throws std::invalid_argument naming the bar of a mistake.
std::vector<Note> ParseMelody(std::string_view text, Meter meter);
std::vector<Chord> ParseChords(std::string_view text, Meter meter);

enum class Groove { Pop, Waltz, March, Bossa, Swing, TwoBeat, Ballad, Calypso, Jig, Chip, Fanfare };

struct Piece {
  std::string name;  // file stem: Bgm0 ... In3
  std::string title;
  double bpm = 120;  // quarter notes a minute
  Meter meter;
  Groove groove = Groove::Pop;
  int passes = 1;  // the form is played this many times; the counter line joins from the second
  int melodyProgram = 0;
  int counterProgram = 48;
  int compProgram = 0;
  int bassProgram = 33;
  std::string chords;
  std::string melody;
  std::string counter;                 // optional second line
  std::vector<std::string> harmony;    // fanfares: the lower brass voices
};

// The piece as a format 1 Standard MIDI File, exactly as long as its bars.
std::vector<std::uint8_t> RenderPiece(const Piece& piece);
// Its length in seconds.
double PieceSeconds(const Piece& piece);

}  // namespace chu::soundpack

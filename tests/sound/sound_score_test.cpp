// The MIDI writer and the note notation the saver's music is written in.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "midi_writer.h"
#include "pack_format.h"
#include "score.h"

namespace chu::soundpack {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(MidiWriter, DeltaTimesAreVariableLengthQuantities) {
  const std::vector<std::pair<std::uint32_t, Bytes>> cases = {
      {0, {0x00}},           {0x40, {0x40}},        {0x7F, {0x7F}},
      {0x80, {0x81, 0x00}},  {0x2000, {0xC0, 0x00}}, {0x3FFF, {0xFF, 0x7F}},
      {0x4000, {0x81, 0x80, 0x00}}, {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
  };
  for (const auto& [value, bytes] : cases) {
    Bytes out;
    AppendVarLen(out, value);
    EXPECT_EQ(out, bytes) << value;
  }
}

// The same key struck again right after itself: the old note is let go
// before the new one sounds, or the new one would be cut off at once.
TEST(MidiWriter, ARepeatedKeyIsReleasedBeforeItIsStruckAgain) {
  MidiTrack t;
  t.note(480, 480, 0, 60, 100);
  t.note(0, 480, 0, 60, 100);
  const Bytes body = t.encode(960);
  const Bytes expected = {0x00, 0x90, 60, 100,  // tick 0: on
                          0x83, 0x60, 0x80, 60, 64,  // tick 480: off first
                          0x00, 0x90, 60, 100,  // then on again
                          0x83, 0x60, 0x80, 60, 64,  // tick 960: off
                          0x00, 0xFF, 0x2F, 0x00};
  EXPECT_EQ(body, expected);
}

TEST(MidiWriter, WhatItWritesReadsBack) {
  MidiTrack conductor("tempo");
  conductor.tempo(0, 120);
  conductor.timeSignature(0, 3, 4);
  MidiTrack melody("melody");
  melody.program(0, 0, 73);
  for (int i = 0; i < 6; ++i) melody.note(static_cast<Tick>(i) * 480, 240, 0, 60 + i, 90);
  const Bytes file = EncodeSmf({conductor, melody}, 480, 6 * 480);
  const auto path = std::filesystem::temp_directory_path() / "chu-score-test.Mid";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                              static_cast<std::streamsize>(file.size()));
  std::string why;
  const auto midi = ReadMidi(path.string(), &why);
  std::filesystem::remove(path);
  ASSERT_TRUE(midi) << why;
  EXPECT_EQ(midi->format, 1);
  EXPECT_EQ(midi->tracks, 2);
  EXPECT_EQ(midi->noteOns, 6);
  EXPECT_EQ(midi->barTicks, 3u * 480u);
  EXPECT_EQ(midi->end, 6u * 480u);
  EXPECT_EQ(midi->lastNoteOff, 5u * 480u + 240u);
  EXPECT_DOUBLE_EQ(midi->seconds, 3.0);  // six quarters at 120 a minute
}

TEST(Notation, PitchesAndLengths) {
  const auto notes = ParseMelody("c4q a4e. bb3s f#5h | re c5et d5et e5et re g4h", Meter{4, 4});
  const std::vector<std::tuple<Tick, Tick, int>> expected = {
      {0, 480, 60},      {480, 360, 69},    {840, 120, 58},    {960, 960, 78},
      {2160, 160, 72},   {2320, 160, 74},   {2480, 160, 76},   {2880, 960, 67}};
  ASSERT_EQ(notes.size(), expected.size());
  for (std::size_t i = 0; i < notes.size(); ++i) {
    EXPECT_EQ(notes[i].at, std::get<0>(expected[i])) << i;
    EXPECT_EQ(notes[i].length, std::get<1>(expected[i])) << i;
    EXPECT_EQ(notes[i].key, std::get<2>(expected[i])) << i;
  }
}

// A slip of the pen in a tune stops the generator rather than shifting every
// bar after it.
TEST(Notation, MistakesAreRefused) {
  const std::vector<std::pair<const char*, Meter>> bad = {
      {"c4q c4q c4q", {4, 4}},        // a bar short
      {"c4h c4h | c4w c4q", {4, 4}},  // a bar long
      {"c4h.", {4, 4}},               // three beats in four
      {"h4q c4h.", {4, 4}},           // no such pitch
      {"c4 c4h.", {4, 4}},            // no length
      {"cq c4h.", {4, 4}},            // no octave
      {"c4x c4h.", {4, 4}},           // no such length
      {"c4h c4h", {3, 4}},            // four beats in three
  };
  for (const auto& [text, meter] : bad) EXPECT_THROW(ParseMelody(text, meter), std::invalid_argument) << text;
  EXPECT_NO_THROW(ParseMelody("c4q. c4q.", Meter{6, 8}));
  EXPECT_THROW(ParseChords("C | Hm", Meter{4, 4}), std::invalid_argument);
  EXPECT_THROW(ParseChords("C Dm G F C Dm G", Meter{4, 4}), std::invalid_argument);  // seven cannot share a bar
}

TEST(Notation, ChordSymbols) {
  const auto chords = ParseChords("C | F#m7 Bb | N", Meter{4, 4});
  ASSERT_EQ(chords.size(), 4u);
  EXPECT_EQ(chords[0].root, 0);
  EXPECT_EQ(chords[0].intervals, (std::vector<int>{0, 4, 7}));
  EXPECT_EQ(chords[1].root, 6);
  EXPECT_EQ(chords[1].intervals, (std::vector<int>{0, 3, 7, 10}));
  EXPECT_EQ(chords[1].at, 1920u);
  EXPECT_EQ(chords[1].length, 960u);
  EXPECT_EQ(chords[2].root, 10);
  EXPECT_EQ(chords[2].at, 2880u);
  EXPECT_EQ(chords[3].root, -1);
}

}  // namespace
}  // namespace chu::soundpack

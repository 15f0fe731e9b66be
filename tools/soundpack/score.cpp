#include "score.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <stdexcept>

namespace chu::soundpack {

namespace {

// General MIDI percussion keys on channel 10.
enum Drum {
  kKick = 36,
  kSideStick = 37,
  kSnare = 38,
  kClosedHat = 42,
  kLowTom = 45,
  kPedalHat = 44,
  kCrash = 49,
  kRide = 51,
  kTambourine = 54,
  kMuteConga = 62,
  kOpenConga = 63,
  kLowConga = 64,
  kMaracas = 70,
};

constexpr int kDrumChannel = 9;
constexpr int kTimpani = 47;

std::vector<std::string_view> Split(std::string_view text, char sep) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(sep, start), text.size());
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    const std::size_t start = i;
    while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

[[noreturn]] void Fail(const std::string& what, std::size_t bar, std::string_view token) {
  throw std::invalid_argument(what + " in bar " + std::to_string(bar + 1) + " at '" + std::string(token) + "'");
}

int PitchClass(char letter) {
  switch (std::tolower(static_cast<unsigned char>(letter))) {
    case 'c': return 0;
    case 'd': return 2;
    case 'e': return 4;
    case 'f': return 5;
    case 'g': return 7;
    case 'a': return 9;
    case 'b': return 11;
    default: return -1;
  }
}

// Reads '#' or 'b' after a pitch letter; returns the shift.
int Accidental(std::string_view token, std::size_t& i) {
  if (i < token.size() && token[i] == '#') return ++i, 1;
  if (i < token.size() && token[i] == 'b') return ++i, -1;
  return 0;
}

Tick NoteLength(std::string_view token, std::size_t& i, std::size_t bar) {
  if (i >= token.size()) Fail("missing note length", bar, token);
  Tick length = 0;
  switch (token[i++]) {
    case 'w': length = 4 * kQuarter; break;
    case 'h': length = 2 * kQuarter; break;
    case 'q': length = kQuarter; break;
    case 'e': length = kQuarter / 2; break;
    case 's': length = kQuarter / 4; break;
    default: Fail("unknown note length", bar, token);
  }
  for (; i < token.size(); ++i) {
    if (token[i] == '.') length = length * 3 / 2;
    else if (token[i] == 't') length = length * 2 / 3;
    else Fail("unknown length mark", bar, token);
  }
  return length;
}

// One token of the melody: the key (-1 for a rest) and its length.
std::pair<int, Tick> ParseNoteToken(std::string_view token, std::size_t bar) {
  std::size_t i = 0;
  if (token[0] == 'r') return {-1, NoteLength(token, ++i, bar)};
  const int pc = PitchClass(token[i++]);
  if (pc < 0) Fail("unknown pitch", bar, token);
  const int shift = Accidental(token, i);
  if (i >= token.size() || !std::isdigit(static_cast<unsigned char>(token[i]))) Fail("missing octave", bar, token);
  const int octave = token[i++] - '0';
  const int key = 12 * (octave + 1) + pc + shift;
  return {key, NoteLength(token, i, bar)};
}

const std::map<std::string_view, std::vector<int>>& Qualities() {
  static const std::map<std::string_view, std::vector<int>> table{
      {"", {0, 4, 7}},          {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},
      {"m7", {0, 3, 7, 10}},    {"maj7", {0, 4, 7, 11}},   {"dim", {0, 3, 6}},
      {"sus4", {0, 5, 7}},      {"6", {0, 4, 7, 9}},       {"aug", {0, 4, 8}},
  };
  return table;
}

Chord ParseChordToken(std::string_view token, std::size_t bar) {
  Chord c;
  if (token == "N") return c;
  std::size_t i = 0;
  const int pc = PitchClass(token[i++]);
  if (pc < 0 || !std::isupper(static_cast<unsigned char>(token[0]))) Fail("unknown chord root", bar, token);
  const int shift = Accidental(token, i);
  const auto quality = Qualities().find(token.substr(i));
  if (quality == Qualities().end()) Fail("unknown chord quality", bar, token);
  c.root = (pc + shift + 12) % 12;
  c.intervals = quality->second;
  return c;
}

// The lowest key at or above `low` with pitch class `pc`.
int KeyFrom(int pc, int low) {
  int key = low;
  while (((key % 12) + 12) % 12 != pc) ++key;
  return key;
}

std::vector<int> Voicing(const Chord& c, int low) {
  std::vector<int> keys;
  for (int iv : c.intervals) keys.push_back(KeyFrom((c.root + iv) % 12, low));
  std::sort(keys.begin(), keys.end());
  return keys;
}

int ChordTone(const Chord& c, int index, int low) { return KeyFrom((c.root + c.intervals[index % c.intervals.size()]) % 12, low); }
int Root(const Chord& c, int low) { return KeyFrom(c.root, low); }
int Fifth(const Chord& c, int low) {
  const int iv = c.intervals.size() > 2 ? c.intervals[2] : 7;
  return KeyFrom((c.root + iv) % 12, low);
}

struct Part {
  std::string name;
  int channel = 0;
  int program = 0;
  int volume = 100;
  int pan = 64;
  int reverb = 40;
  std::vector<Note> notes;

  // A small accent on the first beat of a bar and a fixed wobble, so that a
  // repeated figure does not sound like a machine gun.
  void add(Tick at, Tick length, int key, int velocity) {
    const int wobble = static_cast<int>((at / 60 * 7919u) % 7) - 3;
    notes.push_back(Note{at, length, key, std::clamp(velocity + wobble, 1, 127)});
  }
  void chord(Tick at, Tick length, const std::vector<int>& keys, int velocity) {
    for (int k : keys) add(at, length, k, velocity);
  }
};

struct Band {
  Part comp, bass, drums, extra;
};

const Chord* ChordAt(const std::vector<Chord>& chords, Tick t) {
  for (const Chord& c : chords)
    if (t >= c.at && t < c.at + c.length) return c.root >= 0 ? &c : nullptr;
  return nullptr;
}

// Calls `fn(at, chord, bar, step)` for every step of `step` ticks where a chord sounds.
template <typename Fn>
void EachStep(const std::vector<Chord>& chords, Meter meter, Tick total, Tick step, Fn fn) {
  for (Tick at = 0; at < total; at += step) {
    if (const Chord* c = ChordAt(chords, at)) fn(at, *c, at / meter.bar(), (at % meter.bar()) / step);
  }
}

constexpr Tick q = kQuarter, e = kQuarter / 2, s = kQuarter / 4;

void Pop(const std::vector<Chord>& chords, Meter m, Tick total, Band& b) {
  EachStep(chords, m, total, e, [&](Tick at, const Chord& c, Tick, Tick step) {
    b.bass.add(at, e - 20, step == 7 ? Fifth(c, 36) : Root(c, 36), step % 2 ? 70 : 90);
    if (step == 0 || step == 3 || step == 6) b.comp.chord(at, step == 0 ? 3 * e : 2 * e, Voicing(c, 55), 62);
    b.drums.add(at, e, kClosedHat, step % 2 ? 50 : 70);
    if (step == 0 || step == 4 || step == 5) b.drums.add(at, e, kKick, 92);
    if (step == 2 || step == 6) b.drums.add(at, e, kSnare, 84);
  });
  b.drums.add(0, q, kCrash, 80);
}

void Waltz(const std::vector<Chord>& chords, Meter m, Tick total, Band& b) {
  EachStep(chords, m, total, q, [&](Tick at, const Chord& c, Tick bar, Tick beat) {
    if (beat == 0) b.bass.add(at, q, bar % 2 ? Fifth(c, 36) : Root(c, 36), 88);
    else b.comp.chord(at, q * 3 / 4, Voicing(c, 57), 54);
  });
}

void March(const std::vector<Chord>& chords, Meter m, Tick total, Band& b) {
  EachStep(chords, m, total, q, [&](Tick at, const Chord& c, Tick bar, Tick beat) {
    if (beat % 2 == 0) {
      b.bass.add(at, q, beat == 0 ? Root(c, 36) : Fifth(c, 36), 92);
      b.drums.add(at, e, kKick, 90);
    } else {
      b.comp.chord(at, e, Voicing(c, 55), 66);
      b.drums.add(at, e, kSnare, 80);
      b.drums.add(at + e, s, kSnare, 52);
    }
    if (beat == 0 && bar % 4 == 0) b.drums.add(at, q, kCrash, 70);
  });
}

void Bossa(const std::vector<Chord>& chords, Meter m, Tick total, Band& b) {
  EachStep(chords, m, total, e, [&](Tick at, const Chord& c, Tick bar, Tick step) {
    if (step == 0 || step == 4) b.bass.add(at, 3 * e, Root(c, 36), 86);
    if (step == 3 || step == 7) b.bass.add(at, e, Fifth(c, 36), 72);
    const bool clave = bar % 2 == 0 ? (step == 0 || step == 3 || step == 6) : (step == 2 || step == 5);
    if (clave) {
      b.comp.chord(at, e + e / 2, Voicing(c, 55), 60);
      b.drums.add(at, e, kSideStick, 72);
    }
    b.drums.add(at, e, kClosedHat, step % 2 ? 40 : 56);
    if (step == 0 || step == 3 || step == 4 || step == 7) b.drums.add(at, e, kKick, 60);
  });
}

void Swing(const std::vector<Chord>& chords, Meter m, Tick total, Band& b) {
  EachStep(chords, m, total, q, [&](Tick at, const Chord& c, Tick, Tick beat) {
    // A walking line: root, a chord tone, the fifth, then a step into the next root.
    int key = Root(c, 36);
    if (beat == 1) key = ChordTone(c, 1, 36);
    if (beat == 2) key = Fifth(c, 36);
    if (beat == 3) {
      const Chord* next = ChordAt(chords, at + q);
      key = (next ? Root(*next, 36) : Root(c, 36)) - 1;
    }
    b.bass.add(at, q - 30, key, beat % 2 ? 76 : 88);
    if (beat % 2 == 1) {
      b.comp.chord(at, e, Voicing(c, 55), 60);
      b.drums.add(at, e, kPedalHat, 64);
      b.drums.add(at + e, e, kRide, 58);
    }
    b.drums.add(at, e, kRide, beat % 2 ? 72 : 62);
  });
}

void TwoBeat(const std::vector<Chord>& chords, Meter m, Tick total, Band& b) {
  EachStep(chords, m, total, e, [&](Tick at, const Chord& c, Tick bar, Tick step) {
    if (step == 0) b.bass.add(at, q, Root(c, 36), 92);
    if (step == 4) b.bass.add(at, q, bar % 2 ? Fifth(c, 31) : Fifth(c, 36), 84);
    if (step == 2 || step == 6) b.comp.chord(at, e, Voicing(c, 55), 66);
    // A banjo roll through the chord under everything.
    static constexpr int kRoll[8] = {0, 1, 2, 3, 1, 2, 3, 2};
    const std::vector<int> keys = Voicing(c, 62);
    b.extra.add(at, e, keys[kRoll[step] % keys.size()] + (kRoll[step] == 3 ? 12 : 0), 50);
    b.drums.add(at, e, kSnare, step % 2 ? 30 : 44);
    if (step == 0 || step == 4) b.drums.add(at, e, kKick, 80);
  });
}

void Ballad(const std::vector<Chord>& chords, Meter m, Tick total, Band& b) {
  EachStep(chords, m, total, e, [&](Tick at, const Chord& c, Tick, Tick step) {
    const int root = Root(c, 43);
    const int tones[8] = {root, root + 7, root + 12, ChordTone(c, 1, root + 12), ChordTone(c, 2, root + 12),
                          ChordTone(c, 1, root + 12), root + 12, root + 7};
    b.comp.add(at, 2 * e, tones[step], step == 0 ? 64 : 48);
    if (step == 0) b.bass.add(at, 2 * q, Root(c, 36), 70);
    if (step == 4) b.bass.add(at, 2 * q, Fifth(c, 36), 62);
  });
  for (const Chord& c : chords)
    if (c.root >= 0) b.extra.chord(c.at, c.length, Voicing(c, 55), 44);
}

void Calypso(const std::vector<Chord>& chords, Meter m, Tick total, Band& b) {
  EachStep(chords, m, total, e, [&](Tick at, const Chord& c, Tick, Tick step) {
    if (step == 0) b.bass.add(at, 3 * e, Root(c, 36), 90);
    if (step == 3) b.bass.add(at, e, Root(c, 36), 76);
    if (step == 4) b.bass.add(at, 2 * e, Fifth(c, 36), 84);
    if (step == 7) b.bass.add(at, e, Fifth(c, 36) - 12 >= 31 ? Fifth(c, 36) - 12 : Fifth(c, 36), 70);
    if (step % 2 == 1) b.comp.chord(at, e, Voicing(c, 60), 56);
    b.drums.add(at, e, kMaracas, step % 2 ? 46 : 60);
    if (step == 3 || step == 7) b.drums.add(at, e, kOpenConga, 74);
    if (step == 2 || step == 6) b.drums.add(at, e, kMuteConga, 62);
    if (step == 4 || step == 5) b.drums.add(at, e, kLowConga, 70);
    if (step == 0 || step == 4) b.drums.add(at, e, kKick, 78);
  });
}

void Jig(const std::vector<Chord>& chords, Meter m, Tick total, Band& b) {
  EachStep(chords, m, total, e, [&](Tick at, const Chord& c, Tick, Tick step) {
    if (step == 0) b.bass.add(at, 3 * e, Root(c, 36), 90);
    if (step == 3) b.bass.add(at, 3 * e, Fifth(c, 36), 80);
    if (step % 3 != 0) b.comp.chord(at, e - 20, Voicing(c, 55), 52);
    if (step % 3 == 0) {
      b.drums.add(at, e, kTambourine, step == 0 ? 70 : 56);
      b.drums.add(at, e, kLowTom, step == 0 ? 64 : 48);
    }
  });
}

void Chip(const std::vector<Chord>& chords, Meter m, Tick total, Band& b) {
  EachStep(chords, m, total, s, [&](Tick at, const Chord& c, Tick, Tick step) {
    const std::vector<int> keys = Voicing(c, 60);
    b.comp.add(at, s, keys[step % keys.size()] + (step % 8 >= 4 ? 12 : 0), 48);
    if (step % 2 == 0) b.bass.add(at, e - 20, Root(c, 36) + (step % 4 == 2 ? 12 : 0), step % 4 ? 74 : 92);
    if (step % 2 == 0) b.drums.add(at, e, kClosedHat, step % 4 ? 44 : 60);
    if (step == 0 || step == 10) b.drums.add(at, e, kKick, 96);
    if (step == 4 || step == 12) b.drums.add(at, e, kSnare, 86);
  });
}

// Brass over timpani: a snare roll where no chord sounds, the tuba and the
// timpani on every chord, a roll into the last chord and a cymbal on it.
void Fanfare(const std::vector<Chord>& chords, Meter, Tick, Band& b) {
  bool crashed = false;
  for (const Chord& c : chords) {
    if (c.root < 0) {
      for (Tick at = c.at; at < c.at + c.length; at += s / 2) {
        const int swell = 36 + static_cast<int>(70 * (at - c.at) / c.length);
        b.drums.add(at, s / 2, kSnare, swell);
      }
      continue;
    }
    const bool last = &c == &chords.back();
    b.bass.add(c.at, c.length, Root(c, 34), 96);
    b.extra.add(c.at, q, Root(c, 41), 100);
    if (last) {
      for (Tick at = c.at + q; at < c.at + c.length - q; at += s / 2)
        b.extra.add(at, s / 2, Root(c, 41), 60 + static_cast<int>(40 * (at - c.at) / c.length));
      b.extra.add(c.at + c.length - q, q, Root(c, 41), 110);
    }
    if (!crashed || last) b.drums.add(c.at, 2 * q, kCrash, 100);
    crashed = true;
  }
}

void Arrange(Groove g, const std::vector<Chord>& chords, Meter m, Tick total, Band& b) {
  switch (g) {
    case Groove::Pop: return Pop(chords, m, total, b);
    case Groove::Waltz: return Waltz(chords, m, total, b);
    case Groove::March: return March(chords, m, total, b);
    case Groove::Bossa: return Bossa(chords, m, total, b);
    case Groove::Swing: return Swing(chords, m, total, b);
    case Groove::TwoBeat: return TwoBeat(chords, m, total, b);
    case Groove::Ballad: return Ballad(chords, m, total, b);
    case Groove::Calypso: return Calypso(chords, m, total, b);
    case Groove::Jig: return Jig(chords, m, total, b);
    case Groove::Chip: return Chip(chords, m, total, b);
    case Groove::Fanfare: return Fanfare(chords, m, total, b);
  }
}

// Swung eighths: the second eighth of every beat comes a third of a beat late.
Tick SwingTime(Tick t) {
  const Tick beat = t / q * q, r = t % q;
  return beat + (r <= e ? r * 320 / e : 320 + (r - e) * 160 / e);
}

template <typename T>
std::vector<T> Repeat(const std::vector<T>& one, Tick form, int passes) {
  std::vector<T> all;
  for (int p = 0; p < passes; ++p)
    for (T x : one) {
      x.at += form * static_cast<Tick>(p);
      all.push_back(x);
    }
  return all;
}

Tick FormLength(const Piece& p) {
  return static_cast<Tick>(Split(p.chords, '|').size()) * p.meter.bar();
}

void CheckSameLength(const Piece& p, std::string_view line, Tick form) {
  const Tick length = static_cast<Tick>(Split(line, '|').size()) * p.meter.bar();
  if (length != form) throw std::invalid_argument(p.name + ": a line is not as long as the chords");
}

std::vector<Note> Line(const Piece& p, std::string_view text, int velocity) {
  std::vector<Note> notes = ParseMelody(text, p.meter);
  for (Note& n : notes) n.velocity = velocity;
  return notes;
}

void Write(MidiTrack& track, const Part& part, Tick end, bool swing) {
  track.program(0, part.channel, part.program);
  track.control(0, part.channel, 7, part.volume);
  track.control(0, part.channel, 10, part.pan);
  track.control(0, part.channel, 91, part.reverb);
  for (const Note& n : part.notes) {
    Tick from = n.at, to = std::min(n.at + n.length, end);
    if (swing) from = SwingTime(from), to = SwingTime(to);
    if (to > from) track.note(from, to - from, part.channel, n.key, n.velocity);
  }
}

}  // namespace

std::vector<Note> ParseMelody(std::string_view text, Meter meter) {
  std::vector<Note> notes;
  Tick bar0 = 0;
  const auto bars = Split(text, '|');
  for (std::size_t b = 0; b < bars.size(); ++b) {
    Tick at = bar0;
    for (std::string_view token : Words(bars[b])) {
      const auto [key, length] = ParseNoteToken(token, b);
      if (key >= 0) notes.push_back(Note{at, length, key, 96});
      at += length;
    }
    if (at - bar0 != meter.bar())
      Fail("the bar holds " + std::to_string(at - bar0) + " ticks of " + std::to_string(meter.bar()), b, bars[b]);
    bar0 += meter.bar();
  }
  return notes;
}

std::vector<Chord> ParseChords(std::string_view text, Meter meter) {
  std::vector<Chord> chords;
  const auto bars = Split(text, '|');
  for (std::size_t b = 0; b < bars.size(); ++b) {
    const auto words = Words(bars[b]);
    if (words.empty() || meter.bar() % words.size() != 0) Fail("cannot share the bar", b, bars[b]);
    const Tick each = meter.bar() / static_cast<Tick>(words.size());
    for (std::size_t k = 0; k < words.size(); ++k) {
      Chord c = ParseChordToken(words[k], b);
      c.at = static_cast<Tick>(b) * meter.bar() + static_cast<Tick>(k) * each;
      c.length = each;
      chords.push_back(c);
    }
  }
  return chords;
}

double PieceSeconds(const Piece& piece) {
  return static_cast<double>(FormLength(piece)) * piece.passes / kQuarter * 60.0 / piece.bpm;
}

std::vector<std::uint8_t> RenderPiece(const Piece& p) {
  const Tick form = FormLength(p);
  const Tick total = form * static_cast<Tick>(p.passes);
  CheckSameLength(p, p.melody, form);
  const std::vector<Chord> chords = Repeat(ParseChords(p.chords, p.meter), form, p.passes);

  std::vector<Part> parts;
  const bool fanfare = p.groove == Groove::Fanfare;
  parts.push_back(Part{"melody", 0, p.melodyProgram, 110, fanfare ? 54 : 64, 50,
                       Repeat(Line(p, p.melody, 100), form, p.passes)});
  if (!p.counter.empty()) {
    CheckSameLength(p, p.counter, form);
    std::vector<Note> counter = Line(p, p.counter, 72);
    for (Note& n : counter) n.at += form;  // joins on the second time round
    parts.push_back(Part{"counter", 1, p.counterProgram, 80, 40, 60, Repeat(counter, form, p.passes - 1)});
  }
  static constexpr int kHarmonyPrograms[2] = {56, 60};
  for (std::size_t v = 0; v < p.harmony.size() && v < 2; ++v) {
    CheckSameLength(p, p.harmony[v], form);
    parts.push_back(Part{"brass " + std::to_string(v + 2), static_cast<int>(v) + 5, kHarmonyPrograms[v], 96,
                         v == 0 ? 80 : 30, 50, Repeat(Line(p, p.harmony[v], 88), form, p.passes)});
  }

  Band band{Part{"accompaniment", 2, p.compProgram, 84, 88, 50, {}},
            Part{"bass", 3, p.bassProgram, 100, 64, 20, {}},
            Part{"drums", kDrumChannel, 0, 90, 64, 30, {}},
            Part{fanfare ? "timpani" : "colour", 4, fanfare ? kTimpani : (p.groove == Groove::Ballad ? 49 : 105),
                 fanfare ? 110 : 76, 44, 50, {}}};
  Arrange(p.groove, chords, p.meter, total, band);
  for (Part* part : {&band.comp, &band.bass, &band.drums, &band.extra})
    if (!part->notes.empty()) parts.push_back(std::move(*part));

  std::vector<MidiTrack> tracks;
  MidiTrack conductor(p.title);
  conductor.tempo(0, p.bpm);
  conductor.timeSignature(0, p.meter.beats, p.meter.unit);
  tracks.push_back(std::move(conductor));
  const bool swing = p.groove == Groove::Swing;
  for (const Part& part : parts) {
    MidiTrack t(part.name);
    Write(t, part, total, swing);
    tracks.push_back(std::move(t));
  }
  return EncodeSmf(tracks, kQuarter, total);
}

}  // namespace chu::soundpack

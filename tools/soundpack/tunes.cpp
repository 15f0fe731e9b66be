#include "tunes.h"

namespace chu::soundpack {

// General MIDI programs used below (numbered from 0).
namespace gm {
constexpr int Piano = 0, ElectricPiano = 4, MusicBox = 10, Vibraphone = 11, Marimba = 12, Accordion = 21,
              Harmonica = 22, NylonGuitar = 24, SteelGuitar = 25, AcousticBass = 32, FingerBass = 33,
              SynthBass = 38, Violin = 40, Strings = 48, Trumpet = 56, Tuba = 58, MutedTrumpet = 59,
              BrassSection = 61, Oboe = 68, Clarinet = 71, Flute = 73, Recorder = 74, SquareLead = 80,
              SawLead = 81, SteelDrums = 114;
}

namespace {
constexpr Meter kFour{4, 4}, kThree{3, 4}, kSixEight{6, 8};
}

// Every paddock piece ends on the chord that leads back to its first bar, and
// its last note ends exactly on the last bar line, so a restart sounds like
// the next verse.
const std::vector<Piece>& PaddockPieces() {
  static const std::vector<Piece> pieces{
      {"Bgm0", "Paddock Stroll", 112, kFour, Groove::Pop, 2, gm::Flute, gm::Strings, gm::ElectricPiano,
       gm::FingerBass,
       "C | Am | F | G7 | C | Am | Dm G7 | C | F | G | Em | Am | Dm | G7 | C | G7",
       "e5q. d5e c5q e5q | a5h g5q e5q | f5q. e5e d5q c5q | d5h. rq | e5q. d5e c5q e5q | a5q c6q b5q a5q |"
       " f5q a5q g5q f5q | e5h c5h | a5q. g5e f5q a5q | g5q. f5e e5q g5q | e5q g5q b5q g5q | a5h. rq |"
       " f5q e5q d5q f5q | b4q d5q f5q g5q | e5h c5q e5q | d5h. rq",
       "g4w | e4w | f4w | g4w | g4w | a4w | a4h g4h | g4w | c5w | b4w | b4w | c5w | a4w | b4h g4h | g4w | b4w",
       {}},
      {"Bgm1", "Carousel Waltz", 160, kThree, Groove::Waltz, 2, gm::MusicBox, gm::Flute, gm::Accordion,
       gm::AcousticBass,
       "F | F | C7 | C7 | C7 | C7 | F | F | F | F7 | Bb | Bb | F | C7 | F | C7",
       "c5h a4q | f5h. | e5q f5q g5q | c5h. | bb4h g4q | e5h. | f5q e5q f5q | a5h. | a5h f5q | eb5h c5q |"
       " d5q f5q bb5q | d6h. | c6h a5q | g5q f5q e5q | f5h. | g5q e5q c5q",
       "a4h. | c5h. | bb4h. | g4h. | g4h. | bb4h. | a4h. | c5h. | c5h. | a4h. | bb4h. | f5h. | f5h. | e5h. |"
       " c5h. | bb4h.",
       {}},
      {"Bgm2", "Band in the Infield", 116, kFour, Groove::March, 2, gm::Trumpet, 60, gm::BrassSection,
       gm::Tuba,
       "G | G | D7 | G | C | G | A7 | D7 | G | G | C | C | G | E7 Am | D7 | G",
       "g4e g4e b4e d5e g5q d5q | b4q. a4e g4q b4q | a4e a4e c5e e5e d5q c5q | b4h g4h |"
       " e5e e5e g5e e5e c5q e5q | d5q. b4e g4q b4q | c#5q e5q a5q g5q | f#5h d5q rq |"
       " g5e g5e f#5e e5e d5q g4q | b4q d5q g5h | e5e f#5e g5e e5e c5q e5q | g5h. rq |"
       " d5q b4q g4q b4q | g#4q b4q c5q e5q | d5q. c5e a4q f#4q | g4h. rq",
       "d4w | d4w | c4w | d4w | e4w | d4w | e4w | f#4w | d4w | d4w | e4w | e4w | d4w | e4h e4h | f#4w | d4w",
       {}},
      {"Bgm3", "Starting Price Bossa", 128, kFour, Groove::Bossa, 2, gm::Vibraphone, gm::Flute,
       gm::NylonGuitar, gm::AcousticBass,
       "Dm7 | Dm7 | Gm7 | C7 | Fmaj7 | Bb | Em7 A7 | Dm7 | Dm7 | Gm7 | C7 | Fmaj7 | Bb | A7 | Dm7 | A7",
       "a4q. c5e f5q e5q | d5h. rq | bb4q. d5e f5q g5q | e5h. rq | e5q. f5e a5q g5q | f5h d5h |"
       " e5q g5q c#5q e5q | d5w | f5e e5e d5e c5e d5q a4q | bb4e c5e d5e f5e g5h |"
       " g5e f5e e5e d5e c5q bb4q | a4h. rq | d5q f5q bb5q. a5e | g5q e5q c#5h | d5h f5q e5q | e5h c#5h",
       "f5w | e5w | d5w | bb4w | c5w | d5w | b4h a4h | a4w | f4w | g4w | bb4w | a4w | f4w | e4w | f4w | g4w",
       {}},
      {"Bgm4", "Photo Finish Shuffle", 138, kFour, Groove::Swing, 2, gm::Clarinet, gm::MutedTrumpet, gm::Piano,
       gm::AcousticBass,
       "Bb7 | Eb7 | Bb7 | Bb7 | Eb7 | Eb7 | Bb7 | G7 | Cm7 | F7 | Bb7 G7 | Cm7 F7",
       "f4e g4e bb4e d5e f5q d5q | eb5q db5q bb4q g4q | f4e bb4e d5e f5e ab5q f5q | d5h. rq |"
       " g5e f5e eb5e db5e bb4q g4q | bb4h. rq | d5e f5e bb5e ab5e f5q d5q | b4h. rq |"
       " c5e eb5e g5e bb5e g5q eb5q | f5q eb5q c5q a4q | bb4q d5q b4q d5q | c5q eb5q f5q a4q",
       "rh f4h | rh g4h | rh ab4h | rh f4h | rh bb4h | rh g4h | rh f4h | rh f4h | rh g4h | rh a4h | rh b4h |"
       " rh a4h",
       {}},
      {"Bgm5", "Home Stretch Hoedown", 150, kFour, Groove::TwoBeat, 2, gm::Violin, gm::Harmonica,
       gm::SteelGuitar, gm::AcousticBass,
       "D | D | G | D | D | D | E7 | A7 | D | D7 | G | G | D | A7 | D | A7",
       "f#4e a4e d5e f#5e a5q f#5q | e5e d5e c#5e d5e a4h | b4e d5e g5e b5e a5q g5q | f#5h. rq |"
       " a5e g5e f#5e e5e d5q f#5q | a5q f#5q d5q a4q | g#4e b4e d5e e5e g#5q e5q | a5h. rq |"
       " d5e e5e f#5e g5e a5q f#5q | c5e d5e c5e a4e f#4q a4q | b4e a4e b4e d5e g5q b5q | g5h. rq |"
       " f#5e e5e d5e f#5e a5q d6q | c#6q a5q g5q e5q | d5h f#5q e5q | e5q c#5q a4q c#5q",
       "d5w | c#5w | b4w | a4w | a4w | a4w | b4w | c#5w | a4w | a4w | b4w | b4w | a4w | e4w | f#4w | g4w",
       {}},
      {"Bgm6", "Evening Paddock", 80, kFour, Groove::Ballad, 1, gm::Oboe, gm::Strings, gm::Piano,
       gm::AcousticBass,
       "Eb | Cm | Ab | Bb7 | Eb | Cm | Fm7 Bb7 | Eb | Ab | Bb | Gm | Cm | Ab | Fm7 | Bb7 | Eb",
       "g4q. bb4e eb5h | d5q c5q g4h | ab4q. c5e eb5q f5q | d5w | g5q. f5e eb5h | eb5q d5q c5h |"
       " c5q ab4q d5q bb4q | eb5w | c5q. eb5e ab5h | bb5q. ab5e f5h | g5q f5q d5q bb4q | c5w |"
       " eb5q. f5e g5q ab5q | ab5q g5q f5q eb5q | d5h f5h | eb5h. rq",
       "", {}},
      {"Bgm7", "Steel Drum Saddling", 116, kFour, Groove::Calypso, 2, gm::SteelDrums, gm::Strings, gm::Marimba,
       gm::FingerBass,
       "F | C7 | C7 | F | F | C7 | C7 | F | Bb | F | C7 | F | Bb | F | C7 | F",
       "c5e f5e rq. a5e g5q | e5e g5e rq. bb5e a5q | g5e f5e e5e d5e c5q e5q | f5h. rq |"
       " a5e a5e a5e g5e f5q. a5e | g5e g5e g5e f5e e5q. g5e | bb5q a5q g5q e5q | f5h. rq |"
       " d5e f5e rq. bb5e a5q | a5e c5e rq. f5e a5q | g5e e5e c5e e5e g5q bb5q | a5h. rq |"
       " bb5e a5e g5e f5e d5q f5q | c6e a5e f5e a5e c6q a5q | g5e bb5e a5e g5e e5q c5q | f5h rh",
       "a4w | g4w | bb4w | a4w | c5w | bb4w | g4w | a4w | bb4w | a4w | g4w | a4w | d5w | c5w | bb4w | a4w",
       {}},
      {"Bgm8", "Gallop Jig", 150, kSixEight, Groove::Jig, 2, gm::Recorder, gm::Violin, gm::Accordion,
       gm::AcousticBass,
       "G | G | C | D | G | G | Am D | G | Em | Em | C | D | G | C | D7 | G",
       "g4e b4e d5e g5q d5e | b4e d5e b4e g4q. | e5e g5e e5e c5e e5e g5e | f#5q. d5q. | g5e f#5e g5e d5q b4e |"
       " g4e a4e b4e d5q. | c5e e5e a5e f#5e d5e a4e | g4q. rq. | e5e g5e b5e g5e e5e g5e | b4q e5e g5q. |"
       " c5e e5e g5e c6q g5e | a5q. f#5q. | b5e a5e g5e d5e b4e d5e | e5e c5e e5e g5q e5e |"
       " f#5e a5e c6e a5e f#5e d5e | g5q. rq.",
       "d4h. | d4h. | e4h. | f#4h. | d4h. | d4h. | e4q. f#4q. | d4h. | g4h. | g4h. | g4h. | f#4h. | d4h. |"
       " e4h. | f#4h. | d4h.",
       {}},
      {"Bgm9", "Eight-Bit Odds Board", 144, kFour, Groove::Chip, 2, gm::SquareLead, gm::SawLead, gm::SawLead,
       gm::SynthBass,
       "A | E | F#m | D | A | E | D E | A | D | A | Bm | E | D | C#m | Bm | E7",
       "e5e a5e c#6e a5e e5q c#5q | b4e e5e g#5e b5e g#5q e5q | f#5e a5e c#6e a5e f#5q c#5q | d5q f#5q a5h |"
       " c#6q b5e a5e e5q a5q | b5q a5e g#5e e5h | f#5e a5e d6q e5e g#5e b5q | a5h. rq |"
       " a5e f#5e d5e f#5e a5q d6q | c#6e a5e e5e a5e c#6q e6q | d6e b5e f#5e b5e d6q f#6q | e6h. rq |"
       " d6q. c#6e b5q a5q | g#5q. a5e b5q c#6q | b5e a5e g#5e f#5e d5q b4q | e5q g#5q b5q d6q",
       "c#5w | b4w | a4w | a4w | c#5w | b4w | a4h b4h | c#5w | d5w | c#5w | d5w | b4w | a4w | g#4w | f#4w |"
       " g#4w",
       {}},
  };
  return pieces;
}

// Three brass voices over tuba and timpani; the first bar is a snare roll,
// the last chord is held with a timpani roll.
const std::vector<Piece>& PreRacePieces() {
  static const std::vector<Piece> pieces{
      {"In0", "Call to the Post", 112, kFour, Groove::Fanfare, 1, gm::Trumpet, 0, 0, gm::Tuba,
       "N | C | C | F | G | C | F | G7 | C",
       "rw | g4e. g4s c5q e5q. c5e | g5h e5q. c5e | a5q. f5e c5q f5q | g5h. rq | e5e. e5s g5q e5q. c5e |"
       " f5q a5q c6q. a5e | g5q. f5e d5q b5q | c6w",
       "",
       {"rw | e4e. e4s g4q c5q. g4e | e5h c5q. g4e | f5q. c5e a4q c5q | d5h. rq | c5e. c5s e5q c5q. g4e |"
        " c5q f5q a5q. f5e | d5q. d5e b4q g5q | g5w",
        "rw | c4e. c4s e4q g4q. e4e | c5h g4q. e4e | c5q. a4e f4q a4q | b4h. rq | g4e. g4s c5q g4q. e4e |"
        " a4q c5q f5q. c5e | b4q. b4e g4q f5q | e5w"}},
      {"In1", "Gates Are Loading", 120, kFour, Groove::Fanfare, 1, gm::Trumpet, 0, 0, gm::Tuba,
       "N | D | D | G | A | Bm | G | A7 | D",
       "rw | a4et a4et a4et d5q f#5q a5q | f#5h. d5q | g5et g5et g5et b5q g5q d5q | e5h. a4q |"
       " b4et b4et b4et d5q f#5q b5q | b5q. a5e g5q e5q | c#5et c#5et c#5et e5q a5q c#6q | d6w",
       "",
       {"rw | f#4et f#4et f#4et a4q d5q f#5q | d5h. a4q | d5et d5et d5et g5q d5q b4q | c#5h. e4q |"
        " f#4et f#4et f#4et b4q d5q f#5q | g5q. f#5e d5q b4q | a4et a4et a4et c#5q e5q a5q | a5w",
        "rw | d4et d4et d4et f#4q a4q d5q | a4h. f#4q | b4et b4et b4et d5q b4q g4q | a4h. c#4q |"
        " d4et d4et d4et f#4q b4q d5q | d5q. d5e b4q g4q | e4et e4et e4et a4q c#5q e5q | f#5w"}},
      {"In2", "Parade of Champions", 92, kFour, Groove::Fanfare, 1, gm::Trumpet, 0, 0, gm::Tuba,
       "N | Eb | Ab | Bb | Eb | Cm | Ab Bb | Eb",
       "rw | bb4h. eb5q | c5q. eb5e ab5h | f5q. g5e f5q d5q | eb5h g5h | g5q. f5e eb5q c5q | ab5h bb5h | bb5w",
       "",
       {"rw | g4h. bb4q | ab4q. c5e eb5h | d5q. eb5e d5q bb4q | bb4h eb5h | eb5q. d5e c5q g4q | eb5h f5h | g5w",
        "rw | eb4h. g4q | eb4q. ab4e c5h | bb4q. bb4e bb4q f4q | g4h bb4h | c5q. bb4e g4q eb4q | c5h d5h |"
        " eb5w"}},
      {"In3", "Off to the Gallop", 132, kFour, Groove::Fanfare, 1, gm::Trumpet, 0, 0, gm::Tuba,
       "N | G | C D | G | Em A7 | D | G C | D7 | G",
       "rw | d5e. d5s g5e. d5s b5q g5q | e5e. e5s g5e. e5s f#5q a5q | g5e. g5s b5e. g5s d6h |"
       " e5e. e5s g5e. b5s c#6q e5q | d5q. f#5e a5h | b5q. g5e c6q e5q | d5e. d5s f#5e. a5s c6q a5q | g5w",
       "",
       {"rw | b4e. b4s d5e. b4s g5q d5q | c5e. c5s e5e. c5s d5q f#5q | d5e. d5s g5e. d5s b5h |"
        " b4e. b4s e5e. g5s a5q c#5q | a4q. d5e f#5h | g5q. d5e g5q c5q | a4e. a4s c5e. f#5s a5q f#5q | d5w",
        "rw | g4e. g4s b4e. g4s d5q b4q | g4e. g4s c5e. g4s a4q d5q | b4e. b4s d5e. b4s g5h |"
        " g4e. g4s b4e. e5s e5q a4q | f#4q. a4e d5h | d5q. b4e e5q g4q | f#4e. f#4s a4e. c5s f#5q d5q | b4w"}},
  };
  return pieces;
}

}  // namespace chu::soundpack

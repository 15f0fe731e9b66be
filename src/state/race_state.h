// The shared race state: the roster, the runner table of six slots and the
// race-wide values. Plain data in fixed arrays; the routines of the race work
// on it and nothing else holds race state.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace chu {

inline constexpr int kRosterSize = 30;
inline constexpr int kRunners = 6;
inline constexpr int kClips = 70;

// The five style words, two characters each.
inline constexpr std::array<const char*, 5> kStyleWords{"逃げ", "先行", "差し", "追込", "自在"};

// Headings, which are also the sprite poses 0 to 3.
enum Heading : int { kLeft = 0, kRight = 1, kUp = 2, kDown = 3 };

template <typename T>
using PerRunner = std::array<T, kRunners>;

struct RaceState {
  // The roster, filled once at start-up.
  std::array<std::string, kRosterSize> rosterName{};
  std::array<double, kRosterSize> rosterSpeed{};
  std::array<int, kRosterSize> rosterAccel{};
  std::array<int, kRosterSize> rosterStyle{};

  // The runner table: slot i is post i + 1.
  PerRunner<std::string> runName{};
  PerRunner<int> runNameNo{};
  PerRunner<double> runTopSpeed{};
  PerRunner<double> runAccel{};
  PerRunner<int> runStyle{};
  PerRunner<int> runX{}, runY{};  // positions only ever move by whole pixels
  PerRunner<double> runVX{}, runVY{};
  PerRunner<double> runStepX{}, runStepY{};
  PerRunner<int> runHeading{};
  PerRunner<int> runLeg{};
  PerRunner<int> runStage{};
  PerRunner<int> runOutsideOnly{};
  PerRunner<int> runProgress{};

  // Race-wide values.
  std::int32_t racePhase = 0;
  int favouriteNo = 0;
  PerRunner<int> rankOrder{0, 1, 2, 3, 4, 5};
  int leaderNo = 0;
  int runawayNo = -1;
  int stageDone = 0;
  int barX = 438;
  int raceClock = 0;
  double leaderFactor = 0;

  // Input of DrawMouse.
  int runNo = 0;
  int drawX = 0, drawY = 0, drawPose = 0, drawLeg = 0;

  // Calls and commentary.
  int talkState = 0;
  int talkStage = 0;
  int talkHorse = 0;
  std::string waveNumber;  // during the parade its length counts the start delay
  int clipNo = 0;          // the clip player started last

  // 1 while the program itself changes screens, 0 when the user ends the
  // saver; between unloads the end-of-race flag and the result board's counter.
  int screenSwitch = 0;
};

// Fills the roster with the thirty horses; styles follow the roster number.
void FillRoster(RaceState& s);

}  // namespace chu

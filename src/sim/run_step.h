// The running race: one tick of the whole field, the judging of the field,
// and the commentary.
#pragma once

#include "state/race_state.h"

namespace chu {

struct Saver;

// Neighbour-check results besides a runner number.
inline constexpr int kFree = -1;
inline constexpr int kEdge = 99;

// Whether a one-pixel move of runner i in that direction is free (−1),
// blocked by runner k (the highest such k), or by the field edge (99).
int CheckLeft(const RaceState& st, int i);
int CheckRight(const RaceState& st, int i);
int CheckUp(const RaceState& st, int i);
int CheckDown(const RaceState& st, int i);

// One tick of the running phase.
void RunStep(Saver& s);

// The parts of a running tick, in the order RunStep runs them.
void SteerRunner(Saver& s, int i);
void UpdateVelocity(Saver& s, int i);
void MoveRunner(RaceState& st, int i);
void RankField(RaceState& st);
void SlideBar(Saver& s);
void FireStageEvent(RaceState& st);
void LastCornerAdjustment(RaceState& st);
void TalkStep(Saver& s);
void CheckRaceEnd(RaceState& st);

}  // namespace chu

// The race window's tick and the steps it runs.
#pragma once

#include <string>

namespace chu {

struct Saver;

// One tick of timRACE: one step, chosen by racePhase as the tick begins.
void RaceTick(Saver& s);
// Parade out of the tunnel into the stalls, the calls and the start.
void GateStep(Saver& s);
// The result board, then the hand-over to the next card.
void ResultStep(Saver& s);
// Masked copy of one runner from the sprite sheet onto the course view.
void DrawMouse(Saver& s);

// Texts of the result board.
std::string MarginText(int d);
std::string RaceTimeText(int ticks);
// Str of a number: a leading blank when it is not negative.
std::string Str(int n);

}  // namespace chu

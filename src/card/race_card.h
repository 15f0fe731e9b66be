// The race card and the race set-up.
#pragma once

#include <string>

#include "platform/types.h"

namespace chu {

struct Saver;

// Draws six different runners, writes them onto the paddock board (loading
// it), works out the favourite and the odds, and sets the post time.
void DrawRaceCard(Saver& s);
// Turns the card into the starting state of the race and opens the race window.
void StartRace(Saver& s);

// The odds text, with the number pattern "0.0".
std::string FormatOdds(double odds);
// "HH:MM.00", one minute ahead of the time of day.
std::string PostTimeText(platform::TimeOfDay now);
// "HH" separator "MM.SS".
std::string ClockText(platform::TimeOfDay now, char separator);

}  // namespace chu

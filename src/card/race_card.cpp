#include "card/race_card.h"

#include <cmath>
#include <cstdio>

#include "startup/saver.h"

namespace chu {

namespace {
std::string TwoDigits(int v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

// The style handicap of the race set-up, pixels per tick.
double StyleHandicap(int style) {
  switch (style) {
    case 1: return 0.5;
    case 2: return 1.0;
    case 3: return 1.5;
    default: return 0.0;
  }
}
}  // namespace

std::string FormatOdds(double odds) {
  // Rounded half away from zero, as the number pattern rounds.
  const double tenths = std::floor(odds * 10.0 + 0.5);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", tenths / 10.0);
  return buf;
}

std::string PostTimeText(platform::TimeOfDay now) {
  const int minute = (now.minute + 1) % 60;
  const int hour = now.minute == 59 ? (now.hour + 1) % 24 : now.hour;
  return TwoDigits(hour) + ":" + TwoDigits(minute) + ".00";
}

std::string ClockText(platform::TimeOfDay now, char separator) {
  return TwoDigits(now.hour) + separator + TwoDigits(now.minute) + "." + TwoDigits(now.second);
}

void DrawRaceCard(Saver& s) {
  RaceState& st = s.state;
  // The race window is gone already on both calls; nothing to unload then.
  if (s.race) UnloadRaceWindow(s);
  st.favouriteNo = 0;

  for (int i = 0; i < kRunners; ++i) {
    int k = 0;
    bool taken = true;
    while (taken) {
      k = s.rnd.below(kRosterSize);
      taken = false;
      for (int j = 0; j < i; ++j) taken = taken || st.runName[j] == st.rosterName[k];
    }
    st.runNameNo[i] = k;
    st.runName[i] = st.rosterName[k];
    st.runTopSpeed[i] = st.rosterSpeed[k];
    st.runAccel[i] = st.rosterAccel[k];
    st.runStyle[i] = st.rosterStyle[k];
    // The first write loads the board, which shows itself and starts its music.
    Board(s).lblNM[i].caption = st.runName[i];
    Board(s).lblRN[i].caption = kStyleWords[st.runStyle[i]];
    // A 自在 runner is shown as such but races with a style drawn now.
    if (st.runStyle[i] == 4) st.runStyle[i] = s.rnd.below(4);
    if (st.runTopSpeed[i] > st.runTopSpeed[st.favouriteNo]) st.favouriteNo = i;
  }

  ShowWindow& board = Board(s);
  for (int i = 0; i < kRunners; ++i) {
    const double odds = (st.runTopSpeed[st.favouriteNo] - st.runTopSpeed[i]) * 10 + 1 + s.rnd.next();
    board.lblTANSYO[i].caption = FormatOdds(odds);
  }

  const platform::TimeOfDay now = s.platform.clock.localTime();
  board.lblHASO.caption = PostTimeText(now);
  board.lblNOW.caption = ClockText(now, ' ');
  s.platform.display.invalidate(board);
  if (s.observer != nullptr) s.observer->onCard(s);
}

void StartRace(Saver& s) {
  RaceState& st = s.state;
  st.screenSwitch = 1;
  UnloadShowWindow(s);

  for (int i = 0; i < kRunners; ++i) {
    st.runX[i] = 400;
    st.runY[i] = 328 - 64 * i;
    st.runHeading[i] = kDown;
    st.runLeg[i] = s.rnd.below(2);
    st.runOutsideOnly[i] = 0;
    st.runStage[i] = 0;
    st.runVX[i] = 0;
    st.runVY[i] = 0;
    st.runStepX[i] = 0;
    st.runStepY[i] = 0;
    st.runTopSpeed[i] -= StyleHandicap(st.runStyle[i]);
    // The first write loads the race window: its load step runs here.
    RaceScreen(s).lblNM[i].caption = std::to_string(i + 1) + ":" + st.runName[i];
  }

  RewindClips(s);

  st.racePhase = 0;
  st.stageDone = 0;
  st.talkState = 0;
  st.talkStage = 0;
  st.raceClock = 0;
  st.runawayNo = -1;
  st.barX = 438;
  st.waveNumber.clear();

  s.platform.display.invalidate(*s.race);
  if (s.observer != nullptr) s.observer->onStart(s);
}

}  // namespace chu

// Judging the field after every running tick: ranking, the bar strip, the
// stage events, and the end of the race with the race clock.
#include <array>

#include "sim/run_step.h"
#include "startup/saver.h"

namespace chu {

namespace {
int Progress(const RaceState& st, int i) {
  const int stage = st.runStage[i];
  if (stage == 10) return 10000 + st.runX[i];  // finishers by how far they have run on
  int along = 0;
  switch (stage % 4) {
    case 0: along = st.runY[i]; break;
    case 1: along = st.runX[i]; break;
    case 2: along = 600 - st.runY[i]; break;
    default: along = 800 - st.runX[i]; break;
  }
  return stage * 1000 + along;
}

void BoostStyles(RaceState& st, int above) {
  for (int i = 0; i < kRunners; ++i)
    if (st.runStyle[i] > above) st.runTopSpeed[i] += 1.5;
}
}  // namespace

void RankField(RaceState& st) {
  for (int i = 0; i < kRunners; ++i) st.runProgress[i] = Progress(st, i);
  for (int p = 0; p < kRunners; ++p) {
    int best = 0;
    for (int k = 1; k < kRunners; ++k)
      if (st.runProgress[k] > st.runProgress[best]) best = k;
    st.rankOrder[p] = best;
    st.runProgress[best] = -1;
  }
  st.leaderNo = st.rankOrder[0];
}

void SlideBar(Saver& s) {
  RaceState& st = s.state;
  // The tail of the field, the runaway not counted.
  const int last = st.rankOrder[st.runawayNo == -1 ? 5 : 4];
  const int stage = st.runStage[last];
  if (st.barX < 611 && (stage > 7 || (stage == 7 && st.runY[last] < 300))) st.barX += 3;
  s.race->course.BitBlt(st.barX, 389, 160, 11, s.assets.bar, 0, 0, platform::Rop::SrcCopy);
}

void LastCornerAdjustment(RaceState& st) {
  static constexpr std::array<double, 4> kGain{100, 90, 80, 70};
  static constexpr std::array<double, 4> kBrake{70, 120, 170, 220};
  static constexpr std::array<double, 4> kLeaderFactor{1.125, 1.0625, 1.03125, 1.015625};
  int rear = 0;
  for (int k = 1; k < kRunners; ++k)
    if (st.runX[k] > st.runX[rear]) rear = k;
  const double h = (st.runX[rear] - st.runX[st.leaderNo]) / 2.0;
  for (int i = 0; i < kRunners; ++i) {
    // Nobody has finished yet, so every style is 0 to 3 here.
    const int style = st.runStyle[i];
    if (st.runX[i] > h) {
      st.runTopSpeed[i] += (st.runX[i] - h) / kGain[style];
      continue;
    }
    const double lag = h - st.runX[i];
    double divisor = kBrake[style];
    if (i == st.leaderNo) {
      st.leaderFactor = kLeaderFactor[style];
      divisor *= st.leaderFactor;
    }
    const double brake = lag / divisor;
    if (brake > st.runTopSpeed[i] / 2) st.runTopSpeed[i] /= 2;
    else st.runTopSpeed[i] -= brake;
  }
}

void FireStageEvent(RaceState& st) {
  if (st.stageDone >= st.runStage[st.leaderNo]) return;
  switch (st.stageDone) {
    case 1: BoostStyles(st, 0); break;
    case 3: BoostStyles(st, 1); break;
    case 6: BoostStyles(st, 2); break;
    case 7: LastCornerAdjustment(st); break;
    default: break;
  }
  ++st.stageDone;
}

void CheckRaceEnd(RaceState& st) {
  // The flag lives in screenSwitch: 1 while a finisher is still in the picture.
  st.screenSwitch = 0;
  for (int i = 0; i < kRunners; ++i) {
    if (i != st.runawayNo && st.runX[i] < 802) {
      st.screenSwitch = 1;
      break;
    }
  }
  if (st.screenSwitch == 0 && st.talkState == 1000) {
    // Behind every finisher on the result board.
    if (st.runawayNo != -1) st.runX[st.runawayNo] = 500;
    st.racePhase = 2;
  }
  if (st.runStage[st.leaderNo] < 10) ++st.raceClock;
}

}  // namespace chu

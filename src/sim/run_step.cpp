#include "sim/run_step.h"

#include <cmath>

#include "race/course_view.h"
#include "race/phases.h"
#include "startup/saver.h"

namespace chu {

namespace {
// Turning lines and the finish, tested against the box's top-left corner.
constexpr int kBottomTurn = 400;
constexpr int kRightTurn = 600;
constexpr int kTopTurn = 168;
constexpr int kLeftTurn = 168;
constexpr int kFinishLine = 755;
// Field edges for the box's top-left corner.
constexpr int kEdgeLeft = 1, kEdgeTop = 1, kEdgeRight = 768, kEdgeBottom = 568;
constexpr int kBox = 32;

bool BandsOverlap(int a, int b) { return a - kBox < b && b < a + kBox; }

// A fresh displacement: the velocity with a random fraction added away from zero.
double Displacement(double v, double r) { return v > 0 ? v + r : (v < 0 ? v - r : 0.0); }
}  // namespace

int CheckLeft(const RaceState& st, int i) {
  int result = kFree;
  for (int k = 0; k < kRunners; ++k)
    if (k != i && st.runX[k] == st.runX[i] - kBox && BandsOverlap(st.runY[i], st.runY[k])) result = k;
  return st.runX[i] == kEdgeLeft ? kEdge : result;
}

int CheckRight(const RaceState& st, int i) {
  int result = kFree;
  for (int k = 0; k < kRunners; ++k)
    if (k != i && st.runX[k] == st.runX[i] + kBox && BandsOverlap(st.runY[i], st.runY[k])) result = k;
  // The right edge exists only until the second lap's bottom straight.
  return st.runX[i] == kEdgeRight && st.runStage[i] < 5 ? kEdge : result;
}

int CheckUp(const RaceState& st, int i) {
  int result = kFree;
  for (int k = 0; k < kRunners; ++k)
    if (k != i && st.runY[k] == st.runY[i] - kBox && BandsOverlap(st.runX[i], st.runX[k])) result = k;
  return st.runY[i] == kEdgeTop ? kEdge : result;
}

int CheckDown(const RaceState& st, int i) {
  int result = kFree;
  for (int k = 0; k < kRunners; ++k)
    if (k != i && st.runY[k] == st.runY[i] + kBox && BandsOverlap(st.runX[i], st.runX[k])) result = k;
  return st.runY[i] == kEdgeBottom ? kEdge : result;
}

void SteerRunner(Saver& s, int i) {
  RaceState& st = s.state;
  int& stage = st.runStage[i];
  int heading = kRight;
  switch (stage) {
    case 0: case 4: case 8:
      if (st.runY[i] < kBottomTurn) heading = kDown;
      else { heading = kRight; ++stage; }
      break;
    case 1: case 5:
      if (st.runX[i] < kRightTurn) heading = kRight;
      else { heading = kUp; ++stage; }
      break;
    case 2: case 6:
      if (st.runY[i] > kTopTurn) heading = kUp;
      else { heading = kLeft; ++stage; }
      break;
    case 3: case 7:
      if (st.runX[i] > kLeftTurn) heading = kLeft;
      else { heading = kDown; ++stage; }
      break;
    case 9:
      heading = kRight;
      if (st.runX[i] > kFinishLine) stage = 10;
      break;
    default:
      heading = kRight;
      break;
  }
  if (stage == 10) {
    st.runAccel[i] = 8;
    st.runVX[i] = 0;
    st.runStyle[i] = -1;
  }
  st.runHeading[i] = heading;
  st.runLeg[i] = 1 - st.runLeg[i];
}

namespace {
// The first runner to reach the bottom turn on lap 2 while every other runner
// is still above y 300 may run off the course.
void MaybeStartRunaway(Saver& s, int i) {
  RaceState& st = s.state;
  int below = 0;
  for (int k = 0; k < kRunners; ++k) below += st.runY[k] > 300;
  const double r = s.rnd.next();
  if (below == 1 && r < 0.34) {
    st.runawayNo = i;
    st.talkState = 7;
  }
}

// Builds speed along `along` up to top; bleeds the velocity `across` left over
// from the previous side towards 0, only in the sign that side produced.
void Accelerate(double& along, int sign, double top, double a) {
  if (sign > 0) {
    if (along < top) {
      along += a;
      if (along > top) along = top;
    }
  } else if (along > -top) {
    along -= a;
    if (along < -top) along = -top;
  }
}

void BleedOff(double& across, int signLeft, int d) {
  if (signLeft < 0 && across < 0) {
    across += d;
    if (across > 0) across = 0;
  } else if (signLeft > 0 && across > 0) {
    across -= d;
    if (across < 0) across = 0;
  }
}
}  // namespace

void UpdateVelocity(Saver& s, int i) {
  RaceState& st = s.state;
  const int d = s.rnd.below(2) + 1;
  const double top = st.runTopSpeed[i], a = st.runAccel[i];
  switch (st.runHeading[i]) {
    case kLeft: Accelerate(st.runVX[i], -1, top, a); BleedOff(st.runVY[i], -1, d); break;
    case kRight: Accelerate(st.runVX[i], +1, top, a); BleedOff(st.runVY[i], +1, d); break;
    case kUp: Accelerate(st.runVY[i], -1, top, a); BleedOff(st.runVX[i], +1, d); break;
    case kDown: Accelerate(st.runVY[i], +1, top, a); BleedOff(st.runVX[i], -1, d); break;
    default: break;
  }
}

namespace {
void StepLeft(RaceState& st, int i) {
  const int c = CheckLeft(st, i);
  if (c == kFree || (c == kEdge && i == st.runawayNo)) {
    --st.runX[i];
  } else if (c == kEdge) {
    if (CheckUp(st, i) == kFree) --st.runY[i];
  } else if (st.runY[c] < 135 && st.runY[c] + 16 < st.runY[i]) {
    if (CheckDown(st, i) == kFree) ++st.runY[i];  // inside, under a runner near the rail
  } else if (CheckUp(st, i) == kFree) {
    --st.runY[i];
  }
}

void StepRight(RaceState& st, int i) {
  const int c = CheckRight(st, i);
  if (c == kFree) {
    ++st.runX[i];
  } else if (c != kEdge && st.runOutsideOnly[i] == 0 && st.runY[c] > 433 && st.runY[i] < st.runY[c] - 16 &&
             st.runY[i] > 400) {
    // Inside on a bottom straight; once that fails, always outside there.
    if (CheckUp(st, i) == kFree) --st.runY[i];
    else st.runOutsideOnly[i] = 1;
  } else if (CheckDown(st, i) == kFree) {
    ++st.runY[i];
  }
}

void StepDown(RaceState& st, int i) {
  const int c = CheckDown(st, i);
  if (c == kFree || (c == kEdge && i == st.runawayNo)) {
    ++st.runY[i];
  } else if (c == kEdge) {
    if (CheckLeft(st, i) == kFree) --st.runX[i];
  } else if (st.runX[c] < 135 && st.runX[i] > st.runX[c] + 16) {
    if (CheckRight(st, i) == kFree) ++st.runX[i];
  } else if (CheckLeft(st, i) == kFree) {
    --st.runX[i];
  }
}

void StepUp(RaceState& st, int i) {
  const int c = CheckUp(st, i);
  if (c == kFree) {
    --st.runY[i];
  } else if (c == kEdge) {
    if (CheckRight(st, i) == kFree) ++st.runX[i];
  } else if (st.runX[c] > 633 && st.runX[i] < st.runX[c] - 16) {
    if (CheckLeft(st, i) == kFree) --st.runX[i];
  } else if (CheckRight(st, i) == kFree) {
    ++st.runX[i];
  }
}
}  // namespace

void MoveRunner(RaceState& st, int i) {
  // Each loop runs a count fixed at its start.
  const double sx = st.runStepX[i], sy = st.runStepY[i];
  for (int n = sx <= -1 ? static_cast<int>(std::floor(-sx)) : 0; n > 0; --n) StepLeft(st, i);
  for (int n = sx >= 1 ? static_cast<int>(std::floor(sx)) : 0; n > 0; --n) StepRight(st, i);
  for (int n = sy >= 1 ? static_cast<int>(std::floor(sy)) : 0; n > 0; --n) StepDown(st, i);
  for (int n = sy <= -1 ? static_cast<int>(std::floor(-sy)) : 0; n > 0; --n) StepUp(st, i);
  st.runStepX[i] = 0;
  st.runStepY[i] = 0;
}

namespace {
void ProcessRunner(Saver& s, int i) {
  RaceState& st = s.state;
  st.runNo = i;
  const int stageBefore = st.runStage[i];
  SteerRunner(s, i);
  if (stageBefore == 4 && st.runStage[i] == 5) MaybeStartRunaway(s, i);
  UpdateVelocity(s, i);
  if (i == st.runawayNo) {
    // Off diagonally to the lower left until it has left the picture.
    if (st.runX[i] < -32 || st.runY[i] > 801) {
      st.runVX[i] = 0;
      st.runVY[i] = 0;
    } else {
      st.runVX[i] = -4;
      st.runVY[i] = 4;
    }
  }
  const double r1 = s.rnd.next();
  const double r2 = s.rnd.next();
  st.runStepX[i] = Displacement(st.runVX[i], r1);
  st.runStepY[i] = Displacement(st.runVY[i], r2);
  MoveRunner(st, i);

  st.drawX = st.runX[i];
  st.drawY = st.runY[i];
  st.drawLeg = st.runLeg[i];
  st.drawPose = st.runHeading[i];
  if (st.runStage[i] == 9) st.drawPose = 4;
  if (i == st.runawayNo) st.drawPose = 5;
  DrawMouse(s);
}
}  // namespace

void RunStep(Saver& s) {
  RaceState& st = s.state;
  s.race->course.Cls();
  for (int i = 0; i < kRunners; ++i) ProcessRunner(s, i);
  RankField(st);
  SlideBar(s);
  FireStageEvent(st);
  TalkStep(s);
  CheckRaceEnd(st);
  RefreshCourse(s);
}

}  // namespace chu

#include "race/phases.h"

#include <array>

#include "card/race_card.h"
#include "race/course_view.h"
#include "sim/run_step.h"
#include "startup/saver.h"

namespace chu {

using platform::Rop;

void RefreshCourse(Saver& s) {
  RaceWindow& w = *s.race;
  w.course.Refresh();
  s.platform.display.refresh(w, w.course);
}

void RaceTick(Saver& s) {
  RaceWindow& w = *s.race;
  ++w.tickCount;
  const int phase = s.state.racePhase;
  switch (phase) {
    case 0: GateStep(s); break;
    case 1: RunStep(s); break;
    case 2: ResultStep(s); break;
    default: break;  // no step for any other value
  }
  // The hand-over tick has reported itself before the window went.
  if (s.race && s.observer != nullptr && !s.ended) s.observer->onTick(s, phase);
}

void DrawMouse(Saver& s) {
  const RaceState& st = s.state;
  const platform::Picture& sheet = s.assets.sprites;
  platform::DrawingSurface& view = s.race->course;
  const int sx = 64 * st.drawPose + 32 * st.drawLeg;
  view.BitBlt(st.drawX, st.drawY, 32, 32, sheet, sx, 192, Rop::SrcAnd);
  view.BitBlt(st.drawX, st.drawY, 32, 32, sheet, sx, 32 * st.runNo, Rop::SrcPaint);
}

// ---------------------------------------------------------------- the parade

namespace {
constexpr int kTunnelX = 400;
constexpr int kTunnelTop = 329;   // at or above: hidden in the tunnel
constexpr int kTunnelMouth = 361;  // the line below which an emerging runner shows
constexpr int kStartDelay = 30;

int StallX(int i) { return 167 - 33 * i; }
int StallY(int i) { return 1 + 40 * i; }

// The runner at its position before this tick's move: whole, its lower part
// coming out of the tunnel mouth, or not at all while inside the tunnel.
void DrawParadeRunner(Saver& s, int i) {
  RaceState& st = s.state;
  if (st.runX[i] != kTunnelX || st.runY[i] > kTunnelMouth - 1) {
    st.drawX = st.runX[i];
    st.drawY = st.runY[i];
    st.drawPose = st.runHeading[i];
    st.drawLeg = st.runLeg[i];
    DrawMouse(s);
  } else if (st.runY[i] > kTunnelTop) {
    const int h = st.runY[i] - kTunnelTop;
    const int sx = 192 + 32 * st.runLeg[i];
    platform::DrawingSurface& view = s.race->course;
    view.BitBlt(st.runX[i], kTunnelMouth, 32, h, s.assets.sprites, sx, 224 - h, Rop::SrcAnd);
    view.BitBlt(st.runX[i], kTunnelMouth, 32, h, s.assets.sprites, sx, 32 * i + 32 - h, Rop::SrcPaint);
  }
}

// Down out of the tunnel, left along the bottom, up into the stall. Returns
// true when the runner stands in its stall.
bool MoveParadeRunner(RaceState& st, int i) {
  const int sx = StallX(i), sy = StallY(i);
  int& x = st.runX[i];
  int& y = st.runY[i];
  int dx = 0, dy = 0, heading = st.runHeading[i];
  bool inStall = false;
  if (x == kTunnelX && y < 450) {
    dy = 8;
    heading = kDown;
  } else if (x > sx && y > 449) {
    dx = x - sx > 7 ? -8 : -(x - sx);
    heading = kLeft;
  } else if (x <= sx && y > sy) {
    dy = y - sy > 7 ? -8 : -(y - sy);
    heading = kUp;
  } else if (x == sx && y == sy) {
    heading = kDown;
    inStall = true;
  }
  x += dx;
  y += dy;
  st.runHeading[i] = heading;
  st.runLeg[i] = 1 - st.runLeg[i];
  return inStall;
}

void DrawStallFront(Saver& s, int i) {
  platform::DrawingSurface& view = s.race->course;
  view.BitBlt(166 - 33 * i, 40 * i, 34, 34, s.assets.gate, 34, 0, Rop::SrcAnd);
  view.BitBlt(166 - 33 * i, 40 * i, 34, 34, s.assets.gate, 0, 0, Rop::SrcPaint);
}

// The field is called clip by clip: opening, post and name for each post, closing.
void AdvanceCalls(Saver& s) {
  RaceState& st = s.state;
  if (!ClipFinished(s)) return;
  int clip = -1;
  switch (st.talkState) {
    case 0:
      clip = 57 + s.rnd.below(2);
      st.talkState = 1;
      st.talkStage = 0;
      break;
    case 1:
      clip = 59 + st.talkStage;
      st.talkState = 2;
      break;
    case 2:
      clip = st.runNameNo[st.talkStage];
      ++st.talkStage;
      st.talkState = st.talkStage < kRunners ? 1 : 3;
      break;
    case 3:
      clip = 65;
      st.talkState = 4;
      break;
    case 4:
      st.talkState = 5;
      break;
    default:
      break;
  }
  if (clip > -1) PlayClip(s, clip);
}

void StartTheRace(Saver& s) {
  RaceState& st = s.state;
  PlayWave(s, "Wave30", true);
  PlayWave(s, "Beep1", true);
  st.racePhase = 1;
  st.leaderNo = 0;
  st.clipNo = 0;
  st.talkState = 0;
  st.talkStage = -1;
  if (s.race->mmcMIDI) s.race->mmcMIDI->command(platform::MciCommand::Stop);
}
}  // namespace

void GateStep(Saver& s) {
  RaceState& st = s.state;
  s.race->course.Cls();
  int inGate = 0;
  for (int i = 0; i < kRunners; ++i) {
    st.runNo = i;
    DrawParadeRunner(s, i);
    if (MoveParadeRunner(st, i)) ++inGate;
    DrawStallFront(s, i);
  }
  AdvanceCalls(s);
  if (inGate == kRunners && st.talkState == 5) st.waveNumber += '*';
  if (st.waveNumber.size() == kStartDelay) StartTheRace(s);
  RefreshCourse(s);
}

// ------------------------------------------------------------ the result board

std::string Str(int n) { return n >= 0 ? " " + std::to_string(n) : std::to_string(n); }

std::string RaceTimeText(int ticks) { return Str(ticks / 60) + "分" + Str(ticks % 60) + "秒"; }

std::string MarginText(int d) {
  int n = 0;
  while (d > 32) {
    d -= 32;
    ++n;
  }
  std::string text = n > 0 ? Str(n) : "";
  if (d > 24) return text + " 3/4ちゅう差";
  if (d > 16) return text + " 1/2ちゅう差";
  if (d > 8) return text + " 1/4ちゅう差";
  if (d > 4 && n == 0) return text + " あたま差";
  if (d < 5 && n == 0) return text + " はな差";
  return text + "ちゅう差";
}

namespace {
constexpr int kBoardTicks = 150;

// Characters, not bytes, of a UTF-8 text.
int CharacterCount(std::string_view utf8) {
  int n = 0;
  for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
  return n;
}

// Places by final x; of equal x the lower runner number places first.
PerRunner<int> FinishingOrder(const RaceState& st) {
  PerRunner<int> scratch = st.runX;
  PerRunner<int> order{};
  for (int q = 0; q < kRunners; ++q) {
    int candidate = 0;
    for (int j = 1; j < kRunners; ++j)
      if (scratch[candidate] < scratch[j]) candidate = j;
    order[q] = candidate;
    scratch[candidate] = -1;
  }
  return order;
}

std::string BoardLine(const RaceState& st, int q) {
  static constexpr std::array<const char*, 6> kPlaces{"１", "２", "３", "４", "５", "６"};
  const int runner = st.rankOrder[q];
  std::string bracket = q == 0 ? RaceTimeText(st.raceClock)
                               : MarginText(st.runX[st.rankOrder[q - 1]] - st.runX[runner]);
  if (runner == st.runawayNo) bracket = "競争中止";
  std::string filler;
  for (int k = CharacterCount(st.runName[runner]); k <= 10; ++k) filler += "　";
  return std::string(kPlaces[q]) + "着　" + Str(runner + 1) + ":" + st.runName[runner] + filler + "(" + bracket +
         ")";
}

void WriteResultBoard(Saver& s) {
  RaceState& st = s.state;
  platform::DrawingSurface& view = s.race->course;
  view.Print("＜着順＞");
  view.Print("");
  st.rankOrder = FinishingOrder(st);
  for (int q = 0; q < kRunners; ++q) view.Print(BoardLine(st, q));
  if (s.observer != nullptr) s.observer->onResult(s, view.printedLines());
  RefreshCourse(s);
}

void HandOver(Saver& s) {
  if (s.observer != nullptr) {
    s.observer->onTick(s, s.state.racePhase);
    s.observer->onHandover(s);
  }
  s.state.screenSwitch = 1;
  UnloadRaceWindow(s);
  DrawRaceCard(s);
}
}  // namespace

void ResultStep(Saver& s) {
  RaceState& st = s.state;
  if (st.screenSwitch == 0) {
    WriteResultBoard(s);
    st.screenSwitch = 1;
  } else if (st.screenSwitch > kBoardTicks && ClipFinished(s)) {
    HandOver(s);
    return;
  }
  ++st.screenSwitch;
}

}  // namespace chu

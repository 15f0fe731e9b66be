// The race commentary: one clip at a time, picked by a small state machine
// fed by the race, each started only when the one before has stopped.
#include "sim/run_step.h"
#include "sound/clips.h"
#include "startup/saver.h"

namespace chu {

namespace {
bool RunawaySequence(const RaceState& st) {
  return (st.talkState >= 7 && st.talkState <= 9) && st.stageDone <= 8;
}

// The announcement when the leader has entered a new stage.
int AnnounceStage(Saver& s) {
  RaceState& st = s.state;
  int clip = -1;
  if (!RunawaySequence(st)) {
    switch (st.stageDone) {
      case 0: clip = s.rnd.below(3) + 31; break;
      case 2: clip = 42; st.talkState = 6; break;
      case 6: clip = 43; st.talkState = 6; break;
      case 8: clip = s.rnd.below(2) + 44; st.talkState = 6; break;
      case 9: st.talkState = 100; break;
      case 10: st.talkState = 300; break;
      default: break;
    }
  }
  st.talkStage = st.stageDone;
  return clip;
}

int PlaceOf(const RaceState& st, int runner) {
  for (int p = 0; p < kRunners; ++p)
    if (st.rankOrder[p] == runner) return p;
  return kRunners - 1;
}

// A dedicated winner call for eight horses, the general one for the rest.
const char* WinnerWave(int rosterNo) {
  switch (rosterNo) {
    case 0: return "70";
    case 1: return "71";
    case 7: return "72";
    case 8: return "73";
    case 14: return "74";
    case 18: return "75";
    case 21: return "76";
    case 26: return "77";
    default: return "55";
  }
}

int WinnerCall(Saver& s) {
  RaceState& st = s.state;
  const int first = st.rankOrder[0], second = st.rankOrder[1], third = st.rankOrder[2];
  if (st.runX[first] - st.runX[second] > 48) {
    st.waveNumber = WinnerWave(st.runNameNo[first]);
    PlayWave(s, "Wave" + st.waveNumber, false);
  } else if (st.runX[first] - st.runX[second] < 16 && st.runX[first] - st.runX[third] < 16) {
    return 56;  // a blanket finish
  }
  return -1;
}

// One state of the machine; returns the clip to play, −1 for none.
int AdvanceTalk(Saver& s) {
  RaceState& st = s.state;
  const int leader = st.leaderNo;
  const int first = st.rankOrder[0], second = st.rankOrder[1];
  int clip = -1;
  switch (st.talkState) {
    case 0: clip = 35; st.talkState = 1; break;
    case 1: clip = st.runNameNo[leader]; st.talkState = 2; break;
    case 2: st.talkState = 3; break;
    case 3: {
      bool again = true;
      while (again) {
        st.talkHorse = s.rnd.next() < 0.2 ? st.favouriteNo : s.rnd.below(6);
        // Both sides of the test are evaluated: the coin is drawn every time.
        const bool isLeader = st.talkHorse == leader;
        const bool coin = s.rnd.next() < 0.5;
        again = isLeader && coin;
      }
      if (st.talkHorse == st.favouriteNo) clip = 38;
      st.talkState = 4;
      break;
    }
    case 4: clip = st.runNameNo[st.talkHorse]; st.talkState = 5; break;
    case 5:
      clip = st.talkHorse == leader ? 37 : 39 + PlaceOf(st, st.talkHorse) / 2;
      st.talkState = 6;
      break;
    case 6: clip = s.rnd.next() < 0.5 ? 34 : -1; st.talkState = 0; break;
    case 7: clip = 67; st.talkState = 8; break;
    case 8: clip = st.runNameNo[st.runawayNo]; st.talkState = 9; break;
    case 9: clip = 68; st.talkState = 6; break;
    case 100:
      clip = st.runNameNo[leader];
      st.talkHorse = leader;
      st.talkState = 101;
      break;
    case 101:
      if (st.runX[st.talkHorse] > 755 && st.talkHorse == leader) {
        clip = 54;
        st.talkState = 303;
      } else {
        clip = 46;
        st.talkState = 200;
      }
      break;
    case 102:
      st.talkHorse = second;
      clip = st.runNameNo[second];
      st.talkState = 103;
      break;
    case 103:
      if (st.talkHorse == leader) clip = 46;
      else if (st.runTopSpeed[st.talkHorse] > st.runTopSpeed[leader]) clip = st.runStyle[st.talkHorse] == 3 ? 49 : 48;
      else clip = 47;
      st.talkState = 200;
      break;
    case 104: {
      int k = 0;
      for (int j = 1; j < kRunners; ++j)
        if (st.runY[j] > st.runY[k]) k = j;
      if (k == leader || st.runStyle[k] < 2) {
        st.talkState = 200;
      } else {
        st.talkHorse = st.runNameNo[k];  // here a name clip, not a runner
        clip = 50;
        st.talkState = 105;
      }
      break;
    }
    case 105: clip = st.talkHorse; st.talkState = 106; break;
    case 106: clip = 51; st.talkState = 200; break;
    case 107: clip = 66; st.talkState = 200; break;
    case 200:
      if (st.runX[first] - st.runX[second] < 25 && st.runTopSpeed[first] < st.runTopSpeed[second] &&
          st.runTopSpeed[first] + 1.5 >= st.runTopSpeed[second] && st.runStage[second] == 9) {
        clip = 69;
      } else {
        static constexpr int kNext[4] = {100, 102, 104, 107};
        st.talkState = kNext[s.rnd.below(4)];
      }
      break;
    case 300: st.talkState = 301; break;
    case 301: clip = st.runNameNo[first]; st.talkState = 302; break;
    case 302: clip = 54; st.talkState = 303; break;
    case 303:
      if (st.runX[second] > 533) st.talkState = 304;
      break;
    case 304: clip = WinnerCall(s); st.talkState = 999; break;
    case 999: st.talkState = 1000; break;
    default: break;  // 1000: the commentary is over
  }
  return clip;
}
}  // namespace

void TalkStep(Saver& s) {
  RaceState& st = s.state;
  if (!ClipFinished(s)) return;
  const int clip = st.stageDone > st.talkStage ? AnnounceStage(s) : AdvanceTalk(s);
  if (clip > -1) PlayClip(s, clip);
}

}  // namespace chu

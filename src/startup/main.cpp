#include "card/race_card.h"
#include "race/phases.h"
#include "startup/saver.h"

namespace chu {

RunMode ModeForCommandLine(std::string_view c) {
  if (c == "/S" || c == "/s") return RunMode::Saver;
  if (c.empty() || c.substr(0, 2) == "/C" || c.substr(0, 2) == "/c") return RunMode::Settings;
  return RunMode::EndAtOnce;
}

void Main(Saver& s, std::string_view commandLine) {
  if (s.platform.instance.anotherCopyRunning()) {
    s.ended = true;
    return;
  }
  switch (ModeForCommandLine(commandLine)) {
    case RunMode::Settings:
      LoadInfoWindow(s);
      return;
    case RunMode::EndAtOnce:
      s.ended = true;
      return;
    case RunMode::Saver:
      break;
  }
  LoadBackWindow(s);
  s.rnd.reseed(s.seed);
  FillRoster(s.state);
  OpenClips(s);
  DrawRaceCard(s);
}

void OnTimer(Saver& s, platform::TimerId id) {
  if (s.ended) return;
  switch (id) {
    case platform::TimerId::ShowClock:
      if (s.show) ClockTick(s);
      break;
    case platform::TimerId::ShowMusicStatus:
      if (s.show) ShowMusicStatus(s);
      break;
    case platform::TimerId::RaceTick:
      if (s.race) RaceTick(s);
      break;
  }
}

}  // namespace chu

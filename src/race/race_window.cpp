#include "race/race_window.h"

#include "card/post_colours.h"
#include "settings/speed_file.h"
#include "shell/end_saver.h"
#include "startup/saver.h"

namespace chu {

using namespace platform;

namespace {
constexpr Size kCourseSize{802, 602};

void LoadRaceWindow(Saver& s) {
  s.race = std::make_unique<RaceWindow>(s.assets);
  RaceWindow& w = *s.race;
  w.course.setTextRenderer(s.platform.text);
  s.platform.display.show(w);
  const Size screen = s.platform.display.screenSize();
  w.picRACE.rect.x = (screen.w - kCourseSize.w) / 2;
  w.picRACE.rect.y = (screen.h - kCourseSize.h) / 2;
  s.platform.display.setTopMost(w);
  w.musicDigit = s.rnd.below(4);
  w.mmcMIDI = StartMusic(s, "In", w.musicDigit);
  w.interval = ReadRaceInterval(s.platform.folder);
  s.platform.timers.start(TimerId::RaceTick, w.interval);
}
}  // namespace

RaceWindow::RaceWindow(const Assets& assets) : course(&assets.course) {
  picRACE.name = "picRACE";
  picRACE.rect = {0, 0, kCourseSize.w, kCourseSize.h};
  picRACE.surface = SurfaceId::RaceCourse;
  picRACE.drawing = &course;

  Picture1.name = "Picture1";
  Picture1.rect = {216, 216, 369, 96};
  Picture1.surface = SurfaceId::RacePanel;
  Picture1.back = colour::grey;

  for (int k = 0; k < 6; ++k) {
    Label& l = lblNM[k];
    l.name = "lblNM(" + std::to_string(k) + ")";
    l.rect = {0, 16 * k, 364, 16};
    l.font = Font{FontFace::System, 13.5, true};
    l.back = kPostColours[k].back;
    l.fore = kPostColours[k].fore;
    l.align = Align::Centre;
  }
}

WindowView RaceWindow::view() const {
  WindowView v;
  v.kind = WindowKind::Race;
  v.caption = "Form1";
  v.surface = SurfaceId::RaceWindow;
  const Point course{picRACE.rect.x, picRACE.rect.y};
  v.items.push_back({{0, 0}, &picRACE});
  v.items.push_back({course, &Picture1});
  const Point panel{course.x + Picture1.rect.x, course.y + Picture1.rect.y};
  for (const Label& l : lblNM) v.items.push_back({panel, &l});
  return v;
}

RaceWindow& RaceScreen(Saver& s) {
  if (!s.race) LoadRaceWindow(s);
  return *s.race;
}

void UnloadRaceWindow(Saver& s) {
  if (!s.race) return;
  s.platform.timers.stop(TimerId::RaceTick);
  s.platform.display.destroy(*s.race);
  s.race.reset();
  if (s.state.screenSwitch == 0) EndSaver(s);
}

}  // namespace chu

#include "card/show_window.h"

#include "card/post_colours.h"
#include "card/race_card.h"
#include "shell/end_saver.h"
#include "startup/saver.h"

namespace chu {

using namespace platform;

namespace {
constexpr Size kBoardSize{336, 476};
constexpr int kRowTop = 48;
constexpr int kRowPitch = 72;
constexpr const char* kNumberBoxNames[6] = {"Label4", "Label7", "Label6", "Label10", "Label12", "Label14"};
constexpr const char* kIconNames[6] = {"Picture7", "Picture2", "Picture3", "Picture4", "Picture5", "Picture6"};
constexpr const char* kOddsCaptionNames[6] = {"Label5", "Label8", "Label9", "Label11", "Label13", "Label15"};

Label PostLabel(std::string name, Rect rect, int post, double points) {
  Label l;
  l.name = std::move(name);
  l.rect = rect;
  l.font = Font{FontFace::PGothic, points, false};
  l.back = kPostColours[post].back;
  l.fore = kPostColours[post].fore;
  l.border = Border::Single;
  l.align = Align::Centre;
  return l;
}

Label HeadingLabel(std::string name, Rect rect, std::string text) {
  Label l;
  l.name = std::move(name);
  l.rect = rect;
  l.caption = std::move(text);
  l.font = Font{FontFace::Default, 9, false};
  l.align = Align::Centre;
  return l;
}

Label ClockLabel(std::string name, Rect rect) {
  Label l;
  l.name = std::move(name);
  l.rect = rect;
  l.font = Font{FontFace::System, 13.5, false};
  l.back = colour::black;
  l.fore = colour::white;
  l.border = Border::Single;
  l.align = Align::Centre;
  return l;
}

void LoadShowWindow(Saver& s) {
  s.show = std::make_unique<ShowWindow>(s.assets);
  ShowWindow& w = *s.show;
  s.platform.display.show(w);
  const Size screen = s.platform.display.screenSize();
  w.picSHOW.rect.x = (screen.w - w.picSHOW.rect.w) / 2;
  w.picSHOW.rect.y = (screen.h - w.picSHOW.rect.h) / 2;
  s.platform.display.setTopMost(w);
  w.musicDigit = s.rnd.below(10);
  w.mmcMIDI = StartMusic(s, "Bgm", w.musicDigit);
  s.platform.timers.start(TimerId::ShowClock, 1000);
  s.platform.timers.start(TimerId::ShowMusicStatus, 1000);
}
}  // namespace

ShowWindow::ShowWindow(const Assets& assets) {
  picSHOW.name = "picSHOW";
  picSHOW.rect = {0, 0, kBoardSize.w, kBoardSize.h};
  picSHOW.surface = SurfaceId::ShowBoard;
  picSHOW.back = colour::lightGrey;
  picSHOW.picture = &assets.board;

  Label1 = HeadingLabel("Label1", {40, 8, 117, 12}, "次のレースの発走時刻");
  Label2 = HeadingLabel("Label2", {176, 8, 117, 12}, "現在の時刻");
  lblHASO = ClockLabel("lblHASO", {40, 24, 117, 22});
  lblNOW = ClockLabel("lblNOW", {176, 24, 117, 22});

  for (int i = 0; i < 6; ++i) {
    const int y = kRowTop + kRowPitch * i;
    numberBox[i] = PostLabel(kNumberBoxNames[i], {8, y, 36, 20}, i, 12);
    numberBox[i].caption = std::to_string(i + 1);
    lblNM[i] = PostLabel("lblNM(" + std::to_string(i) + ")", {48, y, 279, 31}, i, 20.25);
    lblRN[i] = PostLabel("lblRN(" + std::to_string(i) + ")", {48, y + 35, 81, 25}, i, 15.75);
    lblTANSYO[i] = PostLabel("lblTANSYO(" + std::to_string(i) + ")", {246, y + 35, 81, 25}, i, 15.75);

    icon[i].name = kIconNames[i];
    icon[i].rect = {8, y + 24, 36, 36};
    icon[i].surface = SurfaceId::ShowIcon;
    icon[i].picture = &assets.icons[i];
    icon[i].border = Border::Sunken3D;

    Label& odds = oddsCaption[i];
    odds.name = kOddsCaptionNames[i];
    odds.rect = {(i == 3 || i == 4) ? 136 : 134, y + 35, 113, 25};
    odds.caption = "単勝オッズ";
    odds.font = Font{FontFace::PGothic, 18, false};
  }
}

WindowView ShowWindow::view() const {
  WindowView v;
  v.kind = WindowKind::Show;
  v.caption = "Form1";
  v.surface = SurfaceId::ShowWindow;
  const Point board{picSHOW.rect.x, picSHOW.rect.y};
  v.items.push_back({{0, 0}, &picSHOW});
  for (const Label* l : {&Label1, &lblHASO, &Label2, &lblNOW}) v.items.push_back({board, l});
  for (int i = 0; i < 6; ++i) {
    v.items.push_back({board, &numberBox[i]});
    v.items.push_back({board, &lblNM[i]});
    v.items.push_back({board, &icon[i]});
    v.items.push_back({board, &lblRN[i]});
    v.items.push_back({board, &oddsCaption[i]});
    v.items.push_back({board, &lblTANSYO[i]});
  }
  return v;
}

ShowWindow& Board(Saver& s) {
  if (!s.show) LoadShowWindow(s);
  return *s.show;
}

void ClockTick(Saver& s) {
  ShowWindow& w = *s.show;
  w.clockColon = !w.clockColon;
  w.lblNOW.caption = ClockText(s.platform.clock.localTime(), w.clockColon ? ':' : ' ');
  s.platform.display.invalidate(w);
  if (w.lblNOW.caption.compare(0, 5, w.lblHASO.caption, 0, 5) == 0) StartRace(s);
}

void ShowMusicStatus(Saver& s) {
  Player* music = s.show->mmcMIDI.get();
  if (music == nullptr || music->mode() != kModeStopped) return;
  for (MciCommand c : {MciCommand::Stop, MciCommand::Close, MciCommand::Open, MciCommand::Play}) music->command(c);
}

void UnloadShowWindow(Saver& s) {
  if (!s.show) return;
  if (s.show->mmcMIDI) s.show->mmcMIDI->command(MciCommand::Close);
  s.platform.timers.stop(TimerId::ShowClock);
  s.platform.timers.stop(TimerId::ShowMusicStatus);
  s.platform.display.destroy(*s.show);
  s.show.reset();
  if (s.state.screenSwitch == 0) EndSaver(s);
}

}  // namespace chu

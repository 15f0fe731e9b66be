#include "settings/info_window.h"

#include "settings/speed_file.h"
#include "startup/saver.h"

namespace chu {

using namespace platform;

namespace {
constexpr int kTwips = 15;
constexpr Size kDialogSize{5190 / kTwips, 3255 / kTwips};  // 346×217
constexpr Font kDialogFont{FontFace::Gothic, 14.25, false};

constexpr Rect FromTwips(int l, int t, int w, int h) { return {l / kTwips, t / kTwips, w / kTwips, h / kTwips}; }

constexpr Rect kOptionRects[5] = {
    FromTwips(1200, 360, 3255, 375),  FromTwips(1200, 840, 1815, 375),  FromTwips(1200, 1320, 1815, 375),
    FromTwips(1200, 1800, 2655, 375), FromTwips(1200, 2280, 1815, 375),
};
}  // namespace

InfoWindow::InfoWindow() {
  clientRect = {0, 0, kDialogSize.w, kDialogSize.h};
  Label1.name = "Label1";
  Label1.rect = FromTwips(0, 0, 5130, 285);
  Label1.caption = "レーススピードを設定してくだちゅう！";
  Label1.font = kDialogFont;
  Label1.autoSize = true;
  for (int i = 0; i < 5; ++i) {
    optSPEED[i].name = "optSPEED(" + std::to_string(i) + ")";
    optSPEED[i].rect = kOptionRects[i];
    optSPEED[i].caption = kSpeedCaptions[i];
    optSPEED[i].font = kDialogFont;
  }
  comOK.name = "comOK";
  comOK.rect = FromTwips(0, 2760, 3375, 495);
  comOK.caption = "設定更新！";
  comOK.font = kDialogFont;
  comCANCEL.name = "comCANCEL";
  comCANCEL.rect = FromTwips(3360, 2760, 1815, 495);
  comCANCEL.caption = "キャンセル";
  comCANCEL.font = kDialogFont;
}

WindowView InfoWindow::view() const {
  WindowView v;
  v.kind = WindowKind::Info;
  v.caption = "ケルドリンセーバー";
  v.fullScreen = false;
  v.dialogRect = clientRect;
  v.background = colour::lightGrey;
  v.surface = SurfaceId::InfoWindow;
  v.items.push_back({{0, 0}, &Label1});
  for (const OptionButton& o : optSPEED) v.items.push_back({{0, 0}, &o});
  v.items.push_back({{0, 0}, &comOK});
  v.items.push_back({{0, 0}, &comCANCEL});
  return v;
}

int InfoWindow::selected() const {
  for (int i = 0; i < 5; ++i)
    if (optSPEED[i].value) return i;
  return -1;
}

void InfoWindow::select(int index) {
  for (int i = 0; i < 5; ++i) optSPEED[i].value = i == index;
}

void LoadInfoWindow(Saver& s) {
  s.info = std::make_unique<InfoWindow>();
  InfoWindow& w = *s.info;
  const Size screen = s.platform.display.screenSize();
  w.clientRect.x = (screen.w - w.clientRect.w) / 2;
  w.clientRect.y = (screen.h - w.clientRect.h) / 2;
  w.dialogCancelled = 0;
  const std::optional<int> stored = ReadSpeedFile(s.platform.folder);
  if (stored && *stored >= 0 && *stored <= 4) {
    w.select(*stored);
  } else {
    RepairSpeedFile(s.platform.folder);
    w.select(kDefaultSpeedIndex);
  }
  s.platform.display.show(w);
}

void ClickOk(Saver& s) { CloseInfoWindow(s); }

void ClickCancel(Saver& s) {
  if (!s.info) return;
  s.info->dialogCancelled = 1;
  CloseInfoWindow(s);
}

void CloseInfoWindow(Saver& s) {
  if (!s.info) return;
  if (s.info->dialogCancelled == 0) {
    const int chosen = s.info->selected();
    if (chosen >= 0) WriteSpeedFile(s.platform.folder, chosen);
  }
  s.platform.display.destroy(*s.info);
  s.info.reset();
  s.ended = true;
}

}  // namespace chu

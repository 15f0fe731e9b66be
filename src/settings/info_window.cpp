#include "settings/info_window.h"

#include <algorithm>

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
  // The focus starts in the option group, on the selected option.
  SetDialogFocus(w, kFirstOption + w.selected());
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

namespace {
bool IsOption(int position) { return position >= kFirstOption && position < kFirstOption + 5; }

// The option group's tab stop: the selected option, or the first when none is.
int GroupStop(const InfoWindow& w) { return kFirstOption + std::max(w.selected(), 0); }

// The tab stops in order: the option group, then the two push buttons.
int NextStop(const InfoWindow& w, int from, int step) {
  const int stops[3] = {GroupStop(w), kOkButton, kCancelButton};
  int at = IsOption(from) ? 0 : from == kOkButton ? 1 : 2;
  at = (at + step + 3) % 3;
  return stops[at];
}

// Within the option group the arrows move to the next option round the
// group and select it.
void MoveInGroup(InfoWindow& w, int step) {
  const int index = (w.focus - kFirstOption + step + 5) % 5;
  w.select(index);
  SetDialogFocus(w, kFirstOption + index);
}

// The control at a tab position acts: an option is selected, a push button
// clicked (which closes the dialog).
void Activate(Saver& s, int position) {
  if (IsOption(position)) {
    s.info->select(position - kFirstOption);
    s.platform.display.invalidate(*s.info);
  } else if (position == kOkButton) {
    ClickOk(s);
  } else if (position == kCancelButton) {
    ClickCancel(s);
  }
}

void ShowPress(InfoWindow& w) {
  w.comOK.pressed = w.pressed == kOkButton;
  w.comCANCEL.pressed = w.pressed == kCancelButton;
}

void Release(InfoWindow& w) {
  w.pressed = 0;
  w.pressedByMouse = false;
  ShowPress(w);
}
}  // namespace

int DialogControlAt(const InfoWindow& w, Point p) {
  for (int i = 0; i < 5; ++i)
    if (w.optSPEED[i].rect.contains(p)) return kFirstOption + i;
  if (w.comOK.rect.contains(p)) return kOkButton;
  if (w.comCANCEL.rect.contains(p)) return kCancelButton;
  return 0;
}

void SetDialogFocus(InfoWindow& w, int position) {
  w.focus = position;
  for (int i = 0; i < 5; ++i) w.optSPEED[i].focused = position == kFirstOption + i;
  w.comOK.focused = position == kOkButton;
  w.comCANCEL.focused = position == kCancelButton;
}

void DialogKeyDown(Saver& s, DialogKey key) {
  if (!s.info) return;
  InfoWindow& w = *s.info;
  const int before = w.focus;
  switch (key) {
    case DialogKey::Tab: SetDialogFocus(w, NextStop(w, w.focus, +1)); break;
    case DialogKey::BackTab: SetDialogFocus(w, NextStop(w, w.focus, -1)); break;
    case DialogKey::Left:
    case DialogKey::Up:
      if (IsOption(w.focus)) MoveInGroup(w, -1);
      else SetDialogFocus(w, NextStop(w, w.focus, -1));
      break;
    case DialogKey::Right:
    case DialogKey::Down:
      if (IsOption(w.focus)) MoveInGroup(w, +1);
      else SetDialogFocus(w, NextStop(w, w.focus, +1));
      break;
    case DialogKey::Space:
      if (w.pressed == 0) {
        w.pressed = w.focus;
        w.pressedByMouse = false;
        ShowPress(w);
      }
      break;
  }
  // A press held while the focus moves on is dropped.
  if (w.focus != before) Release(w);
  s.platform.display.invalidate(w);
}

void DialogKeyUp(Saver& s, DialogKey key) {
  if (!s.info || key != DialogKey::Space) return;
  InfoWindow& w = *s.info;
  if (w.pressed == 0 || w.pressedByMouse) return;
  const int position = w.pressed;
  Release(w);
  s.platform.display.invalidate(w);
  if (position == w.focus) Activate(s, position);
}

void DialogMouseDown(Saver& s, Point p) {
  if (!s.info) return;
  InfoWindow& w = *s.info;
  const int position = DialogControlAt(w, p);
  if (position == 0) return;
  SetDialogFocus(w, position);
  w.pressed = position;
  w.pressedByMouse = true;
  ShowPress(w);
  s.platform.display.invalidate(w);
}

void DialogMouseUp(Saver& s, Point p) {
  if (!s.info) return;
  InfoWindow& w = *s.info;
  if (w.pressed == 0 || !w.pressedByMouse) return;
  const int position = w.pressed;
  Release(w);
  s.platform.display.invalidate(w);
  if (DialogControlAt(w, p) == position) Activate(s, position);
}

}  // namespace chu

#include "shell/back_window.h"

#include "startup/saver.h"

namespace chu {

using namespace platform;

BackWindow::BackWindow() {
  Label1.name = "Label1";
  Label1.caption = "Now Loading";
  Label1.font = Font{FontFace::PGothic, 20.25, true};
  Label1.fore = colour::white;
  Label1.transparent = true;
  Label1.autoSize = true;
  Label1.rect = {0, 0, 2340 / 15, 405 / 15};
}

WindowView BackWindow::view() const {
  WindowView v;
  v.kind = WindowKind::Back;
  v.caption = "Form1";
  v.surface = SurfaceId::BackWindow;
  v.items.push_back({{0, 0}, &Label1});
  return v;
}

void LoadBackWindow(Saver& s) {
  s.back.emplace();
  BackWindow& w = *s.back;
  s.platform.display.show(w);
  if (s.platform.text != nullptr) {
    // The caption sizes itself to its text.
    w.Label1.rect.w = s.platform.text->textWidth(w.Label1.caption, w.Label1.font);
    w.Label1.rect.h = s.platform.text->lineHeight(w.Label1.font);
  }
  const Size screen = s.platform.display.screenSize();
  w.Label1.rect.x = screen.w - w.Label1.rect.w;
  w.Label1.rect.y = screen.h - w.Label1.rect.h;
  s.platform.display.setTopMost(w);
  s.platform.display.invalidate(w);
}

void UnloadBackWindow(Saver& s) {
  if (!s.back) return;
  s.platform.display.destroy(*s.back);
  s.back.reset();
}

}  // namespace chu

// frmBACK: the black backdrop with its "Now Loading" caption, shown first and
// kept behind the other screens until the end. It watches no input.
#pragma once

#include "platform/platform.h"

namespace chu {

class BackWindow : public platform::Window {
 public:
  BackWindow();
  platform::WindowKind kind() const override { return platform::WindowKind::Back; }
  platform::WindowView view() const override;

  platform::Label Label1;
};

struct Saver;
// Load step: show, move the caption to the lower right corner, top-most.
void LoadBackWindow(Saver& s);
void UnloadBackWindow(Saver& s);

}  // namespace chu

// Plain stand-in pictures at the design sizes.
#include "assets/assets.h"

namespace chu {

using platform::Picture;

namespace {
Assets MakeBuiltIn() {
  Assets a;
  a.course = Picture(802, 602, 0x208020);
  a.course.fillRect({200, 200, 400, 200}, 0x806020);
  a.course.fillRect({204, 204, 392, 192}, 0x808080);
  a.sprites = Picture(384, 224, 0);
  a.sprites.fillRect({0, 192, 384, 32}, 0xFFFFFF);
  for (int col = 0; col < 12; ++col) {
    a.sprites.fillRect({col * 32 + 4, 192 + 4, 24, 24}, 0);
    for (int r = 0; r < 6; ++r) a.sprites.fillRect({col * 32 + 4, r * 32 + 4, 24, 24}, 0xA0A0A0);
  }
  a.gate = Picture(68, 34, 0);
  a.gate.fillRect({34, 0, 34, 34}, 0xFFFFFF);
  a.gate.fillRect({0, 0, 34, 4}, 0x000080);
  a.gate.fillRect({34, 0, 34, 4}, 0);
  a.bar = Picture(160, 11, 0x806020);
  a.board = Picture(336, 476, 0xC0C0C0);
  for (auto& icon : a.icons) icon = Picture(32, 32, 0);
  a.programIcon = Picture(32, 32, 0);
  return a;
}
}  // namespace

const Assets& BuiltInAssets() {
  static const Assets assets = MakeBuiltIn();
  return assets;
}

Assets LoadAssets(std::string_view, const std::function<void(const std::string&)>&) { return BuiltInAssets(); }

}  // namespace chu

// The pictures built into the program, drawn from text art and a little code.
#include "assets/assets.h"
#include "assets/pictures.h"

#include <vector>

namespace chu {

using platform::Picture;

namespace {
Assets MakeBuiltIn() {
  Assets a;
  a.course = pictures::MakeCourse();
  a.sprites = pictures::MakeSpriteSheet();
  a.gate = pictures::MakeGate();
  a.bar = pictures::MakeBar();
  a.board = pictures::MakeBoard();
  a.icons = pictures::MakeRunnerIcons();
  a.programIcon = pictures::MakeProgramIcon();
  return a;
}

constexpr std::uint32_t kWhite = 0xFFFFFF;

bool IsLight(std::uint32_t p) { return (p >> 16 & 0xFF) >= 128 && (p >> 8 & 0xFF) >= 128 && (p & 0xFF) >= 128; }

// Makes the w×h mask block at `mask` pure white or black, and each image
// block that shares it black wherever it is white.
void MakeExact(Picture& pic, platform::Point mask, const std::vector<platform::Point>& images, int w, int h) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool clear = IsLight(pic.at(mask.x + x, mask.y + y));
      pic.set(mask.x + x, mask.y + y, clear ? kWhite : 0);
      if (clear)
        for (platform::Point image : images) pic.set(image.x + x, image.y + y, 0);
    }
  }
}
}  // namespace

const Assets& BuiltInAssets() {
  static const Assets assets = MakeBuiltIn();
  return assets;
}

void MakeMasksExact(Assets& assets) {
  using pictures::kCell;
  Picture& sheet = assets.sprites;
  if (sheet.size() == pictures::kSheetSize) {
    // The mask of each column lies in row 6; rows 0 to 5 share it.
    for (int col = 0; col < sheet.width() / kCell; ++col) {
      std::vector<platform::Point> rows;
      for (int row = 0; row < pictures::kMaskRow; ++row) rows.push_back({col * kCell, row * kCell});
      MakeExact(sheet, {col * kCell, pictures::kMaskRow * kCell}, rows, kCell, kCell);
    }
  }
  Picture& gate = assets.gate;
  if (gate.size() == pictures::kGateSize) MakeExact(gate, {34, 0}, {{0, 0}}, 34, 34);
}

}  // namespace chu

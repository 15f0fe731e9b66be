// The pictures of the screens, at their design sizes.
#pragma once

#include <array>

#include "platform/raster/picture.h"

namespace chu {

struct Assets {
  platform::Picture course;   // 802×602, the course view's background picture
  platform::Picture sprites;  // 384×224, rows 0-5 the runners of posts 1-6, row 6 the masks
  platform::Picture gate;     // 68×34, the stall front at x 0, its mask at x 34
  platform::Picture bar;      // 160×11, the inner rail of the home straight
  platform::Picture board;    // 336×476, the paddock board's background
  std::array<platform::Picture, 6> icons;  // 32×32, one runner icon per post
  platform::Picture programIcon;           // 32×32, in the 16 colours of the old palette
};

// The pictures built into the program. (Replacing them with files of the
// program folder is the job of LoadAssets, platform/raster/assets_io.h.)
const Assets& BuiltInAssets();

// Makes the masks of the sprite sheet and the gate pure white or black (a
// pixel is white when each channel is at least 128) and the images pure black
// wherever their mask is white, as the two-copy masking needs.
void MakeMasksExact(Assets& assets);

}  // namespace chu

// The pictures of the screens, at their design sizes.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "platform/raster/picture.h"

namespace chu {

struct Assets {
  platform::Picture course;   // 802×602, the course view's background picture
  platform::Picture sprites;  // 384×224, rows 0-5 the runners of posts 1-6, row 6 the masks
  platform::Picture gate;     // 68×34, the stall front at x 0, its mask at x 34
  platform::Picture bar;      // 160×11, the inner rail of the home straight
  platform::Picture board;    // 336×476, the paddock board's background
  std::array<platform::Picture, 6> icons;  // 32×32, one runner icon per post
  platform::Picture programIcon;           // 32×32
};

// The pictures built into the program.
const Assets& BuiltInAssets();

// The built-in pictures, each replaced by Images/<name>.png in the program
// folder where such a file exists and has the right size. `warn` receives one
// line for each file that is there but cannot be used.
Assets LoadAssets(std::string_view folder, const std::function<void(const std::string&)>& warn);

}  // namespace chu

// The colours of the six posts: board rows, runner list and saddles.
#pragma once

#include <array>

#include "platform/types.h"

namespace chu {

struct PostColour {
  platform::Rgb back;
  platform::Rgb fore;
};

inline constexpr std::array<PostColour, 6> kPostColours{{
    {platform::colour::white, platform::colour::windowText},
    {platform::colour::black, platform::colour::white},
    {platform::colour::red, platform::colour::white},
    {platform::colour::cyan, platform::colour::black},
    {platform::colour::green, platform::colour::white},
    {platform::colour::orange, platform::colour::white},
}};

}  // namespace chu

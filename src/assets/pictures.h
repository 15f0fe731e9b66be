// The built-in pictures, one maker each; assembled by BuiltInAssets.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/raster/picture.h"
#include "platform/types.h"

namespace chu::pictures {

// Sizes of the pictures.
inline constexpr platform::Size kCourseSize{802, 602};
inline constexpr platform::Size kSheetSize{384, 224};
inline constexpr platform::Size kGateSize{68, 34};
inline constexpr platform::Size kBarSize{160, 11};
inline constexpr platform::Size kBoardSize{336, 476};
inline constexpr int kCell = 32;  // a runner's box, an icon
inline constexpr int kMaskRow = 6;

// The course's infield: its brown border, kBorder pixels wide, is what the bar
// lies on at its start, so the bar and the border share one colour.
inline constexpr platform::Rect kInfield{200, 200, 400, 200};
inline constexpr int kInfieldBorder = 11;
inline constexpr std::uint32_t kRailBrown = 0x8B5A2B;

platform::Picture MakeCourse();
platform::Picture MakeBar();
platform::Picture MakeSpriteSheet();
std::array<platform::Picture, 6> MakeRunnerIcons();
platform::Picture MakeGate();
platform::Picture MakeBoard();
platform::Picture MakeProgramIcon();

// Checks the text art of every runner cell (rows of 32, known inks only):
// the first fault found, empty when there is none.
std::string CheckRunnerArt();

}  // namespace chu::pictures

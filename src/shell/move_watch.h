// The mouse-movement rule of one watched surface.
#pragma once

#include <cstdint>

namespace chu {

struct MoveWatch {
  std::uint8_t moveCount = 0;
  int lastX = 0;  // unset compares as 0
  std::int16_t lastY = 0;

  // One mouse-move report. True when the rule fires: the third report in a
  // row with a changed position. A report of an unchanged position (as sent
  // when a window appears under a resting pointer) starts the count again.
  bool report(int x, int y) {
    if (x != lastX || y != lastY) {
      ++moveCount;
      if (moveCount > 2) return true;
    } else {
      moveCount = 0;
    }
    lastX = x;
    lastY = static_cast<std::int16_t>(y);
    return false;
  }
};

}  // namespace chu

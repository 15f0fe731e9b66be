// Sound for a machine without it: every player reports stopped (Mode 525)
// and a direct sound returns at once, so clips chain and the start goes on.
#pragma once

#include "platform/platform.h"

namespace chu::sdl {

class SilentAudio final : public platform::Audio {
 public:
  std::unique_ptr<platform::Player> createPlayer(platform::DeviceType type) override;
  void playSound(const std::string& path, bool wait) override;
};

}  // namespace chu::sdl

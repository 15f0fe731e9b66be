// Sound for a machine without it: every player reports stopped (Mode 525)
// and a direct sound returns at once, so clips chain and the start goes on.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace chu::platform {

// Keeps its file name and is always stopped.
class SilentPlayer final : public Player {
 public:
  void setFileName(const std::string& path) override { file_ = path; }
  const std::string& fileName() const override { return file_; }
  void command(MciCommand) override {}
  int mode() const override { return kModeStopped; }

 private:
  std::string file_;
};

class SilentAudio final : public Audio {
 public:
  std::unique_ptr<Player> createPlayer(DeviceType) override { return std::make_unique<SilentPlayer>(); }
  void playSound(const std::string&, bool) override {}
};

}  // namespace chu::platform

#include "platform/sdl/silent_audio.h"

namespace chu::sdl {

namespace {
class SilentPlayer final : public platform::Player {
 public:
  void setFileName(const std::string& path) override { file_ = path; }
  const std::string& fileName() const override { return file_; }
  void command(platform::MciCommand) override {}
  int mode() const override { return platform::kModeStopped; }

 private:
  std::string file_;
};
}  // namespace

std::unique_ptr<platform::Player> SilentAudio::createPlayer(platform::DeviceType) {
  return std::make_unique<SilentPlayer>();
}

void SilentAudio::playSound(const std::string&, bool) {}

}  // namespace chu::sdl

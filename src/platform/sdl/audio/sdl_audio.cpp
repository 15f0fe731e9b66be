#include "sdl_audio.h"

#include "audio_core.h"
#include "players.h"
#include "platform/silent_audio.h"

namespace chu::sdl {

SdlAudio::SdlAudio(const AudioOptions& options) : core_(std::make_shared<AudioCore>(options)) {}

SdlAudio::~SdlAudio() = default;

std::unique_ptr<platform::Player> SdlAudio::createPlayer(platform::DeviceType type) {
  if (!core_->device()) return std::make_unique<platform::SilentPlayer>();
  if (type == platform::DeviceType::WaveAudio) return std::make_unique<ClipPlayer>(core_);
  if (!core_->music()) return std::make_unique<platform::SilentPlayer>();
  return std::make_unique<MusicPlayer>(core_);
}

void SdlAudio::playSound(const std::string& path, bool wait) { core_->playDirect(path, wait); }

bool SdlAudio::hasDevice() const { return core_->device(); }
bool SdlAudio::hasMusic() const { return core_->device() && core_->music(); }

SdlAudio::ClipStats SdlAudio::clipStats() const {
  if (!core_->device()) return {};
  const ClipDecoder::Stats s = core_->decoder().stats();
  return ClipStats{s.decoded, s.failed, s.bytes};
}

void SdlAudio::waitForDecoding() const {
  if (core_->device()) core_->decoder().waitIdle();
}

}  // namespace chu::sdl

#include "audio_core.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace chu::sdl {

namespace {

constexpr int kDirectChannel = 0;
constexpr int kFirstChannels = 72;  // direct sounds, 70 clips, one spare
// The mixer's period: 2048 frames (46 ms at 44.1 kHz) wakes the audio thread
// half as often as 1024 and costs the idle saver an eighth less; a clip still
// starts within a race tick.
constexpr int kChunkFrames = 2048;
// A direct sound that waits gives up this long after its own length, should
// the device stop consuming samples.
constexpr Uint64 kWaitSlackMs = 2000;

// alsa-lib prints its own complaints on the standard error when there is no
// sound card. While we look for a device they go to /dev/null; we say it in
// one line of our own instead.
class QuietStderr {
 public:
  QuietStderr() {
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~QuietStderr() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_ = -1;
};

bool Readable(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) && std::ifstream(path, std::ios::binary).good();
}

// SDL_SOUNDFONTS may list several files, separated by ':'.
bool AnyReadable(std::string_view list) {
  while (!list.empty()) {
    const std::size_t end = std::min(list.find(':'), list.size());
    if (end > 0 && Readable(std::string(list.substr(0, end)))) return true;
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  return false;
}

unsigned BytesPerSample(Uint16 format) { return SDL_AUDIO_BITSIZE(format) / 8; }

}  // namespace

AudioCore::AudioCore(const AudioOptions& options) : options_(options) {
  device_ = openDevice();
  if (!device_) return;
  Mix_AllocateChannels(kFirstChannels);
  channelUsed_.assign(kFirstChannels, false);
  channelUsed_[kDirectChannel] = true;
  Mix_VolumeMusic(options_.musicVolume);
  chooseSoundFont(options_);
  decoder_ = std::make_unique<ClipDecoder>(loading, options_.decodeHoldBackMs);
}

AudioCore::~AudioCore() {
  if (!device_) return;
  decoder_.reset();
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  for (auto& [path, chunk] : direct_) Mix_FreeChunk(chunk);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioCore::tryOpen() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(options_.frequency, MIX_DEFAULT_FORMAT, 2, kChunkFrames) == 0) {
    Uint16 format = 0;
    Mix_QuerySpec(&frequency_, &format, &outputChannels_);
    bytesPerSample_ = BytesPerSample(format);
    return true;
  }
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return false;
}

bool AudioCore::openDevice() {
  std::string error;
  {
    QuietStderr quiet;
    if (tryOpen()) return true;
    error = SDL_GetError();
    const char* asked = SDL_getenv("SDL_AUDIODRIVER");
    if (options_.tryOtherDrivers && asked != nullptr && *asked != '\0') {
      // The driver asked for is not there: let SDL choose among all it has.
      SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "", SDL_HINT_OVERRIDE);
      const bool opened = tryOpen();
      SDL_ResetHint(SDL_HINT_AUDIODRIVER);
      if (opened) return true;
    }
  }
  std::fprintf(stderr, "chuderby: no sound device (%s); running silently\n", error.c_str());
  return false;
}

void AudioCore::chooseSoundFont(const AudioOptions& options) {
  // Debian's SDL_mixer prefers its built-in soundfont path to SDL_SOUNDFONTS,
  // so the choice is handed over explicitly.
  const char* env = SDL_getenv("SDL_SOUNDFONTS");
  const std::string fonts = env != nullptr && *env != '\0' ? env : options.soundFont;
  if (!AnyReadable(fonts)) {
    std::fprintf(stderr,
                 "chuderby: no General MIDI soundfont at %s (Debian package timgm6mb-soundfont); "
                 "the music stays silent\n",
                 fonts.c_str());
    return;
  }
  Mix_SetSoundFonts(fonts.c_str());
  music_ = true;
}

int AudioCore::acquireChannel() {
  for (std::size_t c = 0; c < channelUsed_.size(); ++c) {
    if (!channelUsed_[c]) {
      channelUsed_[c] = true;
      return static_cast<int>(c);
    }
  }
  const int channel = static_cast<int>(channelUsed_.size());
  channelUsed_.resize(channelUsed_.size() + 16, false);
  channelUsed_[static_cast<std::size_t>(channel)] = true;
  Mix_AllocateChannels(static_cast<int>(channelUsed_.size()));
  return channel;
}

void AudioCore::releaseChannel(int channel) {
  if (channel <= kDirectChannel || channel >= static_cast<int>(channelUsed_.size())) return;
  Mix_HaltChannel(channel);
  channelUsed_[static_cast<std::size_t>(channel)] = false;
}

Mix_Chunk* AudioCore::directChunk(const std::string& path) {
  if (const auto it = direct_.find(path); it != direct_.end()) return it->second;
  Mix_Chunk* chunk = nullptr;
  {
    std::lock_guard lock(loading);
    chunk = Mix_LoadWAV(path.c_str());
  }
  if (chunk != nullptr) direct_.emplace(path, chunk);
  return chunk;
}

unsigned AudioCore::lengthMs(const Mix_Chunk& chunk) const {
  const unsigned long frameBytes = static_cast<unsigned long>(outputChannels_) * bytesPerSample_;
  if (frameBytes == 0 || frequency_ <= 0) return 0;
  return static_cast<unsigned>(chunk.alen / frameBytes * 1000UL / static_cast<unsigned long>(frequency_));
}

void AudioCore::playDirect(const std::string& path, bool wait) {
  if (!device_) return;
  Mix_HaltChannel(kDirectChannel);
  Mix_Chunk* chunk = directChunk(path);
  if (chunk == nullptr || Mix_PlayChannel(kDirectChannel, chunk, 0) < 0 || !wait) return;
  // Nothing else runs meanwhile: the caller's events wait in SDL's queue.
  const Uint64 giveUp = SDL_GetTicks64() + lengthMs(*chunk) + kWaitSlackMs;
  while (Mix_Playing(kDirectChannel) != 0 && SDL_GetTicks64() < giveUp) SDL_Delay(2);
  Mix_HaltChannel(kDirectChannel);
}

}  // namespace chu::sdl

// What the players share: the open mixer device, its channels, the one music
// stream, the clip decoder and the direct sounds. Players keep the core alive,
// so they may outlive the SdlAudio that made them.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "clip_decoder.h"
#include "sdl_audio.h"

struct Mix_Chunk;

namespace chu::sdl {

class AudioCore {
 public:
  explicit AudioCore(const AudioOptions& options);
  ~AudioCore();
  AudioCore(const AudioCore&) = delete;
  AudioCore& operator=(const AudioCore&) = delete;

  bool device() const { return device_; }
  bool music() const { return music_; }

  // A mixer channel of its own for a clip player; given back when it goes.
  int acquireChannel();
  void releaseChannel(int channel);

  ClipDecoder& decoder() { return *decoder_; }

  // SDL_mixer's decoders may not run on two threads at once (two music loads
  // at once crash it, and Mix_LoadWAV falls back to the music decoders for a
  // file that is no WAV): every Mix_LoadMUS and Mix_LoadWAV holds this.
  std::mutex loading;

  // SDL_mixer has one music stream: the player that holds it, if any. A piece
  // may be started by its loading thread.
  std::atomic<const void*> musicOwner{nullptr};
  // Plays asked of music players so far: a piece that finishes loading after
  // another piece was asked for stays silent.
  std::atomic<unsigned> playRequests{0};

  // Direct playback on its own channel: a new sound cuts the one before.
  void playDirect(const std::string& path, bool wait);

 private:
  bool openDevice();
  bool tryOpen();
  void chooseSoundFont(const AudioOptions& options);
  Mix_Chunk* directChunk(const std::string& path);
  unsigned lengthMs(const Mix_Chunk& chunk) const;

  AudioOptions options_;
  bool device_ = false;
  bool music_ = false;
  int frequency_ = 0;
  int outputChannels_ = 0;
  unsigned bytesPerSample_ = 2;
  std::vector<bool> channelUsed_;  // channel 0: direct sounds
  std::map<std::string, Mix_Chunk*> direct_;
  std::unique_ptr<ClipDecoder> decoder_;
};

}  // namespace chu::sdl

// Sound on SDL2_mixer: the music players on the MIDI sequencer (FluidSynth with
// a General MIDI soundfont), the clip players on wave audio (one mixer channel
// each), and direct playback of a wave file.
//
// Missing pieces never stop the saver: without a sound device every player
// reports stopped (525) and direct sounds return at once; without a soundfont
// the music players report stopped; a clip whose file is missing or unreadable
// reports stopped, so the calls and the commentary go on without it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace chu::sdl {

struct AudioOptions {
  int frequency = 44100;
  // The soundfont when SDL_SOUNDFONTS does not name one (Debian's General MIDI
  // soundfont, from timgm6mb-soundfont or fluid-soundfont-gm).
  std::string soundFont = "/usr/share/sounds/sf2/default-GM.sf2";
  // Music plays at this share of full volume, so the calls at the gate are
  // heard over the race music.
  int musicVolume = 48;  // of 128
  // When the driver named by SDL_AUDIODRIVER cannot open a device, let SDL
  // try the others before giving up.
  bool tryOtherDrivers = true;
  // The clips are decoded in the background from this long after start-up
  // (a clip played sooner is decoded when it is played).
  int decodeHoldBackMs = 1000;
};

class AudioCore;

class SdlAudio final : public platform::Audio {
 public:
  explicit SdlAudio(const AudioOptions& options = {});
  ~SdlAudio() override;
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  std::unique_ptr<platform::Player> createPlayer(platform::DeviceType type) override;
  void playSound(const std::string& path, bool wait) override;

  // False when no sound device could be opened: the saver runs silently.
  bool hasDevice() const;
  // False when there is no device or no soundfont.
  bool hasMusic() const;

  // The clips decoded so far, and the bytes their samples hold.
  struct ClipStats {
    int decoded = 0;
    int failed = 0;
    std::size_t bytes = 0;
  };
  ClipStats clipStats() const;
  // Blocks until every clip opened so far is decoded (for tests and figures).
  void waitForDecoding() const;

 private:
  std::shared_ptr<AudioCore> core_;
};

}  // namespace chu::sdl

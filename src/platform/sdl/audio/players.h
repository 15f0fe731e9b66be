// The players of the multimedia control on SDL_mixer. Both follow the same
// life: closed until Open, stopped at the start after Open, playing after
// Play, stopped where it is after Stop (Play goes on from there), stopped at
// the end when the media has played out (Play then does nothing until Prev
// rewinds it; Stop silences what may still ring on), and closed again by
// Close. Mode reads 526 only while the mixer is really playing, 525 in every
// other case.
#pragma once

#include <SDL_mixer.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "audio_core.h"

namespace chu::sdl {

// Shared by both players: the file name and the stopped/playing life.
class MixerPlayer : public platform::Player {
 public:
  explicit MixerPlayer(std::shared_ptr<AudioCore> core) : core_(std::move(core)) {}
  void setFileName(const std::string& path) override { file_ = path; }
  const std::string& fileName() const override { return file_; }
  void command(platform::MciCommand c) override;
  int mode() const override;

 protected:
  enum class State { Closed, AtStart, Playing, Paused, AtEnd };
  virtual bool load() = 0;           // Open: true when the file can be played
  virtual void unload() = 0;         // Close
  virtual bool start() = 0;          // Play from the start
  virtual void pause() = 0;          // Stop
  virtual void resume() = 0;         // Play after Stop
  virtual void halt() = 0;           // Prev, and before Close
  virtual bool sounding() const = 0;  // the mixer still plays our media

  std::shared_ptr<AudioCore> core_;
  std::string file_;
  State state_ = State::Closed;
};

// A clip: its own channel, its samples decoded once (see ClipDecoder).
class ClipPlayer final : public MixerPlayer {
 public:
  explicit ClipPlayer(std::shared_ptr<AudioCore> core);
  ~ClipPlayer() override;

 private:
  bool load() override;
  void unload() override;
  bool start() override;
  void pause() override;
  void resume() override;
  void halt() override;
  bool sounding() const override;

  int channel_;
  std::shared_ptr<ClipSlot> slot_;
};

// A piece of music on the one music stream of SDL_mixer. Loading a piece
// (FluidSynth reads its whole soundfont for every piece: tens of
// milliseconds) is done on a thread of its own, so that a screen's load step
// is not held up; Play before the piece is loaded counts as playing and starts
// it the moment it is there. A file that is no Standard MIDI File is refused
// at Open, at once.
class MusicPlayer final : public MixerPlayer {
 public:
  using MixerPlayer::MixerPlayer;
  ~MusicPlayer() override;

 private:
  bool load() override;
  void unload() override;
  bool start() override;
  void pause() override;
  void resume() override;
  void halt() override;
  bool sounding() const override;

  // With mutex_ held:
  bool owner() const { return core_->musicOwner.load() == this; }
  bool begin();  // Mix_PlayMusic, from whichever thread has the piece first
  std::uint64_t playedMs() const;

  mutable std::mutex mutex_;
  std::thread loader_;
  bool loaded_ = false;      // the loader has finished (music_ may still be null)
  bool wanted_ = false;      // Play came while loading
  bool started_ = false;     // Mix_PlayMusic was called for this load
  unsigned ticket_ = 0;      // number of our last Play among all music Plays
  Mix_Music* music_ = nullptr;
  std::optional<std::uint64_t> lengthMs_;  // of the score; FluidSynth rings on past it
  std::uint64_t playedMs_ = 0;             // before the last start or resume
  std::uint64_t since_ = 0;                // SDL ticks at the last start or resume
  bool running_ = false;
};


}  // namespace chu::sdl

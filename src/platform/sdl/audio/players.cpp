#include "players.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "midi_length.h"

namespace chu::sdl {

using platform::MciCommand;

void MixerPlayer::command(MciCommand c) {
  // Catch up with the mixer: a piece that has played out is at its end.
  if (state_ == State::Playing && !sounding()) state_ = State::AtEnd;
  switch (c) {
    case MciCommand::Open:
      if (state_ != State::Closed) command(MciCommand::Close);
      if (load()) state_ = State::AtStart;
      break;
    case MciCommand::Play:
      if (state_ == State::Paused) {
        resume();
        state_ = State::Playing;
      } else if (state_ == State::AtStart && start()) {
        state_ = State::Playing;
      }
      break;
    case MciCommand::Stop:
      if (state_ == State::Playing) {
        pause();
        state_ = State::Paused;
      } else if (state_ == State::AtEnd) {
        halt();
      }
      break;
    case MciCommand::Prev:
      if (state_ == State::Closed) break;
      halt();
      state_ = State::AtStart;
      break;
    case MciCommand::Close:
      if (state_ == State::Closed) break;
      halt();
      unload();
      state_ = State::Closed;
      break;
  }
}

int MixerPlayer::mode() const {
  return state_ == State::Playing && sounding() ? platform::kModePlaying : platform::kModeStopped;
}

ClipPlayer::ClipPlayer(std::shared_ptr<AudioCore> core)
    : MixerPlayer(std::move(core)), channel_(core_->acquireChannel()) {}

ClipPlayer::~ClipPlayer() {
  command(MciCommand::Close);
  core_->releaseChannel(channel_);
}

bool ClipPlayer::load() {
  // Cheap: the file is only queued for decoding. A missing or unreadable file
  // shows when the clip is played: it stays stopped.
  slot_ = std::make_shared<ClipSlot>(file_);
  core_->decoder().submit(slot_);
  return true;
}

void ClipPlayer::unload() {
  core_->decoder().drop(*slot_);
  slot_.reset();
}

bool ClipPlayer::start() {
  Mix_Chunk* chunk = core_->decoder().take(*slot_);
  return chunk != nullptr && Mix_PlayChannel(channel_, chunk, 0) >= 0;
}

void ClipPlayer::pause() { Mix_Pause(channel_); }
void ClipPlayer::resume() { Mix_Resume(channel_); }
void ClipPlayer::halt() { Mix_HaltChannel(channel_); }
bool ClipPlayer::sounding() const { return Mix_Playing(channel_) != 0 && Mix_Paused(channel_) == 0; }

MusicPlayer::~MusicPlayer() { command(MciCommand::Close); }

bool MusicPlayer::load() {
  lengthMs_ = MidiLengthMs(file_);
  if (!lengthMs_) return false;
  std::lock_guard lock(mutex_);
  loaded_ = wanted_ = started_ = running_ = false;
  loader_ = std::thread([this, path = file_] {
    Mix_Music* music = nullptr;
    {
      std::lock_guard decoding(core_->loading);
      music = Mix_LoadMUS(path.c_str());
    }
    std::lock_guard lock(mutex_);
    music_ = music;
    loaded_ = true;
    // Started only if no other piece was asked for since: the last Play wins.
    if (wanted_ && ticket_ == core_->playRequests.load()) begin();
  });
  return true;
}

void MusicPlayer::unload() {
  if (loader_.joinable()) loader_.join();
  std::lock_guard lock(mutex_);
  Mix_FreeMusic(music_);
  music_ = nullptr;
  loaded_ = false;
}

bool MusicPlayer::begin() {
  if (music_ == nullptr || Mix_PlayMusic(music_, 0) != 0) return false;
  core_->musicOwner = this;
  started_ = running_ = true;
  playedMs_ = 0;
  since_ = SDL_GetTicks64();
  return true;
}

bool MusicPlayer::start() {
  std::lock_guard lock(mutex_);
  ticket_ = ++core_->playRequests;
  if (!loaded_) return wanted_ = true;
  return begin();
}

void MusicPlayer::pause() {
  std::lock_guard lock(mutex_);
  wanted_ = false;
  if (!owner()) return;
  Mix_PauseMusic();
  playedMs_ = playedMs();
  running_ = false;
}

void MusicPlayer::resume() {
  std::lock_guard lock(mutex_);
  ticket_ = ++core_->playRequests;
  if (!loaded_) {
    wanted_ = true;
  } else if (!started_) {
    begin();
  } else if (owner()) {
    Mix_ResumeMusic();
    since_ = SDL_GetTicks64();
    running_ = true;
  }
}

void MusicPlayer::halt() {
  std::lock_guard lock(mutex_);
  wanted_ = running_ = started_ = false;
  if (!owner()) return;
  Mix_HaltMusic();
  core_->musicOwner = nullptr;
}

std::uint64_t MusicPlayer::playedMs() const { return playedMs_ + (running_ ? SDL_GetTicks64() - since_ : 0); }

bool MusicPlayer::sounding() const {
  std::lock_guard lock(mutex_);
  if (!loaded_) return wanted_;
  if (!owner() || Mix_PlayingMusic() == 0 || Mix_PausedMusic() != 0) return false;
  return !lengthMs_ || playedMs() < *lengthMs_;
}

}  // namespace chu::sdl

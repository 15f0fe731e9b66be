#include "clip_decoder.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace chu::sdl {

ClipDecoder::ClipDecoder(std::mutex& loading, int holdBackMs)
    : loading_(loading),
      startAt_(std::chrono::steady_clock::now() + std::chrono::milliseconds(holdBackMs)), worker_([this] { run(); }) {}

ClipDecoder::~ClipDecoder() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void ClipDecoder::submit(std::shared_ptr<ClipSlot> slot) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(slot));
  }
  changed_.notify_all();
}

void ClipDecoder::run() {
  // Background work: the first picture and the race ticks go first.
  SDL_SetThreadPriority(SDL_THREAD_PRIORITY_LOW);
  std::unique_lock lock(mutex_);
  changed_.wait_until(lock, startAt_, [this] { return stopping_; });
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (stopping_) return;
    const std::shared_ptr<ClipSlot> slot = std::move(queue_.front());
    queue_.pop_front();
    if (slot->state_ == ClipSlot::State::Pending) decode(*slot, lock);
    changed_.notify_all();
  }
}

Mix_Chunk* ClipDecoder::decode(ClipSlot& slot, std::unique_lock<std::mutex>& lock) {
  slot.state_ = ClipSlot::State::Decoding;
  ++busy_;
  lock.unlock();
  Mix_Chunk* chunk = nullptr;
  {
    std::lock_guard decoding(loading_);
    chunk = Mix_LoadWAV(slot.path_.c_str());
  }
  lock.lock();
  --busy_;
  if (slot.state_ == ClipSlot::State::Dropped) {
    lock.unlock();
    if (chunk != nullptr) Mix_FreeChunk(chunk);
    lock.lock();
    return nullptr;
  }
  slot.chunk_ = chunk;
  slot.state_ = chunk != nullptr ? ClipSlot::State::Ready : ClipSlot::State::Failed;
  if (chunk != nullptr) {
    ++stats_.decoded;
    stats_.bytes += chunk->alen;
  } else {
    ++stats_.failed;
  }
  return chunk;
}

Mix_Chunk* ClipDecoder::take(ClipSlot& slot) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return slot.state_ != ClipSlot::State::Decoding; });
  Mix_Chunk* chunk = slot.state_ == ClipSlot::State::Pending ? decode(slot, lock) : slot.chunk_;
  lock.unlock();
  changed_.notify_all();
  return chunk;
}

void ClipDecoder::drop(ClipSlot& slot) {
  Mix_Chunk* chunk = nullptr;
  {
    std::lock_guard lock(mutex_);
    if (slot.state_ == ClipSlot::State::Ready) {
      chunk = slot.chunk_;
      --stats_.decoded;
      stats_.bytes -= chunk->alen;
    } else if (slot.state_ == ClipSlot::State::Failed) {
      --stats_.failed;
    }
    slot.chunk_ = nullptr;
    slot.state_ = ClipSlot::State::Dropped;
  }
  if (chunk != nullptr) Mix_FreeChunk(chunk);
}

ClipDecoder::Stats ClipDecoder::stats() const {
  std::lock_guard lock(mutex_);
  return stats_;
}

void ClipDecoder::waitIdle() const {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return busy_ == 0 && (queue_.empty() || stopping_); });
}

}  // namespace chu::sdl

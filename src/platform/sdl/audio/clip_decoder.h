// Decoding the clip files off the main thread. Opening a clip only queues its
// file, so opening all 70 at start-up costs next to nothing; a worker thread
// decodes them in the order opened, at low priority, and only after a short
// hold-back, so that it does not compete with the first picture and the first
// piece of music (the first race is a minute away).
// A clip that is played before the worker has reached it is decoded there
// and then by the player (it waits for that one clip only, never the queue).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

struct Mix_Chunk;

namespace chu::sdl {

// One clip file's samples in the mixer's format, decoded at most once.
class ClipSlot {
 public:
  explicit ClipSlot(std::string path) : path_(std::move(path)) {}
  const std::string& path() const { return path_; }

 private:
  friend class ClipDecoder;
  enum class State { Pending, Decoding, Ready, Failed, Dropped };
  std::string path_;
  State state_ = State::Pending;
  Mix_Chunk* chunk_ = nullptr;
};

class ClipDecoder {
 public:
  // `loading` is held around every decode (see AudioCore::loading).
  explicit ClipDecoder(std::mutex& loading, int holdBackMs = 0);
  ~ClipDecoder();
  ClipDecoder(const ClipDecoder&) = delete;
  ClipDecoder& operator=(const ClipDecoder&) = delete;

  void submit(std::shared_ptr<ClipSlot> slot);
  // The samples, or null when the file is missing or unreadable. Decodes on
  // the calling thread when the worker has not started on this clip, waits
  // when the worker is decoding it.
  Mix_Chunk* take(ClipSlot& slot);
  // The clip is closed: its samples are freed now, or by the worker as soon
  // as it has finished decoding them. The mixer must not be playing them.
  void drop(ClipSlot& slot);

  struct Stats {
    int decoded = 0;
    int failed = 0;
    std::size_t bytes = 0;
  };
  Stats stats() const;
  // Blocks until the queue is empty and nothing is being decoded.
  void waitIdle() const;

 private:
  void run();
  // Decodes outside the lock and stores the result; frees it when the slot
  // was dropped meanwhile.
  Mix_Chunk* decode(ClipSlot& slot, std::unique_lock<std::mutex>& lock);

  std::mutex& loading_;
  const std::chrono::steady_clock::time_point startAt_;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::deque<std::shared_ptr<ClipSlot>> queue_;
  int busy_ = 0;  // decodes under way, on any thread
  bool stopping_ = false;
  Stats stats_;
  std::thread worker_;  // last: starts when everything above is ready
};

}  // namespace chu::sdl

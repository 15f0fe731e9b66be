// The single-copy guard: an exclusive flock on a file in the user's runtime
// folder. The kernel drops the lock when its process ends, however it ends,
// so a crashed copy never blocks the next start.
#pragma once

#include <string>

#include "platform/platform.h"

namespace chu::sdl {

// $XDG_RUNTIME_DIR/chuderby.lock, or /tmp/chuderby-<uid>.lock without one.
std::string DefaultLockPath();

class InstanceLock final : public platform::SingleInstance {
 public:
  explicit InstanceLock(std::string path = DefaultLockPath());
  ~InstanceLock() override;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock, in one step, on the first call and holds it for the life
  // of this object. True when another process holds it. A lock file that
  // cannot be opened at all says nothing about other copies: the program runs.
  bool anotherCopyRunning() override;
  bool held() const { return fd_ >= 0 && !another_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
  bool tried_ = false;
  bool another_ = false;
};

}  // namespace chu::sdl

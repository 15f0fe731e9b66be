#include "platform/sdl/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace chu::sdl {

std::string DefaultLockPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return std::string(runtime) + "/chuderby.lock";
  return "/tmp/chuderby-" + std::to_string(static_cast<unsigned long>(getuid())) + ".lock";
}

InstanceLock::InstanceLock(std::string path) : path_(std::move(path)) {}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) close(fd_);
}

bool InstanceLock::anotherCopyRunning() {
  if (tried_) return another_;
  tried_ = true;
  // No symbolic links followed and private to the user: in /tmp another user
  // could otherwise plant the name.
  fd_ = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0) return false;
  int rc;
  do {
    rc = flock(fd_, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc == 0) return false;
  another_ = errno == EWOULDBLOCK;
  close(fd_);
  fd_ = -1;
  return another_;
}

}  // namespace chu::sdl

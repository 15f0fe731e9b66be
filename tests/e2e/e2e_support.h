// Driving the real program on an X display: starting it, waiting for it,
// looking at the screen and moving the pointer and keys with xdotool.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_folder.h"

struct _XDisplay;

namespace chu::e2e {

using namespace std::chrono_literals;

// Generous: a loaded two-core machine may take its time to show a window.
inline constexpr auto kWindowTimeout = 30s;
inline constexpr auto kExitTimeout = 20s;

using testsupport::TempFolder;

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// A running chuderby.
class Program {
 public:
  // Starts the program with `args`. `env` sets variables of its environment;
  // a name mapped to nothing is removed from it.
  Program(const std::vector<std::string>& args, const std::map<std::string, std::optional<std::string>>& env);
  ~Program();  // kills it if it still runs
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  pid_t pid() const { return pid_; }
  bool running();
  // The exit code once it has ended within `timeout`; nothing if it has not
  // (or it died of a signal, which `signalled` then tells).
  std::optional<int> waitExit(std::chrono::milliseconds timeout = kExitTimeout);
  bool signalled() const { return signalled_; }
  void kill(int signal);
  std::string standardError() const;
  double secondsSinceStart() const;

 private:
  pid_t pid_ = -1;
  bool ended_ = false;
  bool signalled_ = false;
  int code_ = -1;
  std::string errFile_;
  std::chrono::steady_clock::time_point started_;
};

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(Rgb, Rgb) = default;
};
std::string ToString(Rgb c);

// The screen's pixels, as the X server holds them.
class Screenshot {
 public:
  int width() const { return width_; }
  int height() const { return height_; }
  Rgb at(int x, int y) const;
  // A checksum of a rectangle, to see it change.
  std::uint64_t hash(int x, int y, int w, int h) const;
  bool writePpm(const std::string& path) const;

 private:
  friend class XSession;
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// A connection to the display for looking on: screenshots, windows.
class XSession {
 public:
  XSession();
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;
  bool ok() const { return display_ != nullptr; }

  Screenshot shot() const;
  // Windows created on the screen since the last call.
  int windowsCreated();
  // The top-level window whose name is `name`, if one is shown.
  std::optional<unsigned long> findWindow(const std::string& name) const;
  struct Geometry {
    int x = 0, y = 0, w = 0, h = 0;
  };
  std::optional<Geometry> geometry(unsigned long window) const;
  // What a window manager sends when the close box is clicked.
  void sendClose(unsigned long window) const;

 private:
  ::_XDisplay* display_ = nullptr;
};

// Polls until `done` holds or the time is up.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = kWindowTimeout,
             std::chrono::milliseconds every = 50ms);

// xdotool, run to its end: true when it succeeded.
bool Xdotool(const std::vector<std::string>& args);
bool MoveMouse(int x, int y);
bool Click(int button = 1);
bool Key(const std::string& key);

// Whether this test run has a display to drive (the tests run under xvfb-run).
bool HaveDisplay();

}  // namespace chu::e2e

// Helpers for the sound tests: environment settings that
// are put back, test tones and short tunes, and capturing the standard error.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "midi_writer.h"
#include "pack_format.h"
#include "support/temp_folder.h"

namespace chu::soundtest {

using testsupport::TempFolder;

// Sets an environment variable (or unsets it, given nothing) for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) setenv(name, value->c_str(), 1);
    else unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A square wave at the mixer's own format (44100 Hz, stereo), so that the
// samples reach the output unchanged: amplitude `level`, `ms` long.
inline soundpack::Wav SquareTone(int ms, int level, int hz = 220, int rate = 44100, int channels = 2) {
  soundpack::Wav wav;
  wav.channels = channels;
  wav.rate = rate;
  wav.bits = 16;
  const int frames = rate * ms / 1000;
  const int half = std::max(1, rate / hz / 2);
  for (int f = 0; f < frames; ++f)
    for (int c = 0; c < channels; ++c)
      wav.samples.push_back(static_cast<std::int16_t>((f / half) % 2 ? -level : level));
  return wav;
}

inline void WriteTone(const std::string& path, int ms, int level = 8000, int hz = 220) {
  if (!soundpack::WriteWav(path, SquareTone(ms, level, hz))) throw std::runtime_error("cannot write " + path);
}

// A short tune: `notes` quarter notes at 240 beats a minute (a quarter of a second each).
inline void WriteTune(const std::string& path, int notes) {
  using namespace soundpack;
  MidiTrack conductor("test tune");
  conductor.tempo(0, 240);
  MidiTrack melody("melody");
  melody.program(0, 0, 0);
  for (int i = 0; i < notes; ++i) melody.note(static_cast<Tick>(i) * 480, 480, 0, 60 + 2 * i, 100);
  const std::vector<std::uint8_t> bytes = EncodeSmf({conductor, melody}, 480, static_cast<Tick>(notes) * 480);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Collects what is written to the standard error (file descriptor 2) meanwhile.
class CaptureStderr {
 public:
  CaptureStderr() {
    std::fflush(stderr);
    file_ = std::tmpfile();
    saved_ = dup(STDERR_FILENO);
    dup2(fileno(file_), STDERR_FILENO);
  }
  ~CaptureStderr() { restore(); }
  CaptureStderr(const CaptureStderr&) = delete;
  CaptureStderr& operator=(const CaptureStderr&) = delete;

  std::string text() {
    restore();
    std::rewind(file_);
    std::string out;
    for (int c; (c = std::fgetc(file_)) != EOF;) out += static_cast<char>(c);
    return out;
  }

 private:
  void restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    saved_ = -1;
  }
  std::FILE* file_ = nullptr;
  int saved_ = -1;
};

inline int Lines(const std::string& text) {
  int n = 0;
  for (char c : text) n += c == '\n';
  return n;
}

// Polls `done` every few milliseconds for at most `limitMs`; true when it held.
template <typename Fn>
bool WaitFor(Fn done, int limitMs) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    usleep(2000);
  }
  return true;
}

inline double SecondsSince(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

}  // namespace chu::soundtest

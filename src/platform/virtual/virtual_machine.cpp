#include "platform/virtual/virtual_machine.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "startup/saver.h"

namespace chu::virt {

using namespace platform;

namespace {
constexpr std::int64_t kDayMs = 24LL * 60 * 60 * 1000;

std::uint32_t Le32(const unsigned char* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

// A player of the multimedia control on virtual time: it plays for its
// length and then reports stopped, as at the end of the media.
class VirtualPlayer final : public Player {
 public:
  VirtualPlayer(const VirtualMachine& vm, DeviceType type, std::optional<int> clipMs, int musicMs)
      : vm_(vm), type_(type), clipMs_(clipMs), musicMs_(musicMs) {}

  void setFileName(const std::string& path) override { file_ = path; }
  const std::string& fileName() const override { return file_; }

  void command(MciCommand c) override {
    settle();
    switch (c) {
      case MciCommand::Open: open(); break;
      case MciCommand::Play:
        if (open_ && position_ < length_) {
          playing_ = true;
          startedAt_ = vm_.now() - position_;
        }
        break;
      case MciCommand::Stop: playing_ = false; break;
      case MciCommand::Close: open_ = false; playing_ = false; position_ = 0; break;
      case MciCommand::Prev: playing_ = false; position_ = 0; break;
    }
  }

  int mode() const override {
    if (!open_) return kModeStopped;  // a file that could not be opened never plays
    if (playing_ && vm_.now() < startedAt_ + length_) return kModePlaying;
    return kModeStopped;
  }

 private:
  void open() {
    const bool exists = std::filesystem::is_regular_file(file_);
    if (type_ == DeviceType::WaveAudio) {
      open_ = exists || clipMs_.has_value();
      length_ = vm_.soundLengthMs(file_);
    } else {
      open_ = exists;
      length_ = musicMs_;
    }
    playing_ = false;
    position_ = 0;
  }

  // Brings the position up to the virtual clock.
  void settle() {
    if (!playing_) return;
    position_ = std::min(vm_.now() - startedAt_, length_);
    if (position_ >= length_) playing_ = false;
  }

  const VirtualMachine& vm_;
  DeviceType type_;
  std::optional<int> clipMs_;
  int musicMs_;
  std::string file_;
  bool open_ = false;
  bool playing_ = false;
  std::int64_t length_ = 0;
  std::int64_t position_ = 0;
  std::int64_t startedAt_ = 0;
};
}  // namespace

std::optional<std::int64_t> WavLengthMs(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::array<unsigned char, 12> riff{};
  if (!in.read(reinterpret_cast<char*>(riff.data()), riff.size())) return std::nullopt;
  if (std::memcmp(riff.data(), "RIFF", 4) != 0 || std::memcmp(riff.data() + 8, "WAVE", 4) != 0) return std::nullopt;
  std::uint32_t byteRate = 0;
  std::array<unsigned char, 8> chunk{};
  while (in.read(reinterpret_cast<char*>(chunk.data()), chunk.size())) {
    const std::uint32_t size = Le32(chunk.data() + 4);
    if (std::memcmp(chunk.data(), "fmt ", 4) == 0) {
      std::array<unsigned char, 16> fmt{};
      if (size < fmt.size() || !in.read(reinterpret_cast<char*>(fmt.data()), fmt.size())) return std::nullopt;
      byteRate = Le32(fmt.data() + 8);
      in.seekg(size - fmt.size() + (size & 1), std::ios::cur);
    } else if (std::memcmp(chunk.data(), "data", 4) == 0) {
      if (byteRate == 0) return std::nullopt;
      return static_cast<std::int64_t>(size) * 1000 / byteRate;
    } else {
      in.seekg(size + (size & 1), std::ios::cur);
    }
  }
  return std::nullopt;
}

VirtualMachine::VirtualMachine(Options options) : options_(options) {}
VirtualMachine::~VirtualMachine() = default;

Platform VirtualMachine::platformFor(std::string folder, const TextRenderer* text) {
  return Platform{*this, *this, *this, *this, *this, std::move(folder), text};
}

void VirtualMachine::script(const ScriptedInput& input) {
  auto at = std::upper_bound(inputs_.begin(), inputs_.end(), input.ms,
                             [](std::int64_t ms, const ScriptedInput& i) { return ms < i.ms; });
  inputs_.insert(at, input);
}

bool VirtualMachine::step(Saver& s) {
  if (s.ended) return false;
  const TimerState* next = nullptr;
  TimerId nextId{};
  for (const auto& [id, t] : timers_) {
    if (next == nullptr || t.due < next->due || (t.due == next->due && t.order < next->order)) {
      next = &t;
      nextId = id;
    }
  }
  // Input due no later than the next timer goes first.
  if (!inputs_.empty() && (next == nullptr || inputs_.front().ms <= next->due)) {
    const ScriptedInput in = inputs_.front();
    inputs_.pop_front();
    now_ = std::max(now_, in.ms);
    switch (in.kind) {
      case ScriptedInput::Kind::KeyUp: OnKeyUp(s, in.window); break;
      case ScriptedInput::Kind::MouseMove: OnMouseMove(s, in.surface, in.x, in.y); break;
      case ScriptedInput::Kind::MouseUp: OnMouseUp(s, in.surface); break;
    }
    return true;
  }
  if (next == nullptr) return false;
  now_ = std::max(now_, next->due);
  TimerState& t = timers_[nextId];
  t.due = now_ + t.interval;
  OnTimer(s, nextId);
  return true;
}

void VirtualMachine::run(Saver& s, const std::function<bool()>& stop) {
  while (!(stop && stop()) && step(s)) {
  }
}

bool VirtualMachine::shown(WindowKind kind) const {
  return std::find(windows_.begin(), windows_.end(), kind) != windows_.end();
}

std::optional<int> VirtualMachine::timerInterval(TimerId id) const {
  const auto it = timers_.find(id);
  if (it == timers_.end()) return std::nullopt;
  return it->second.interval;
}

std::int64_t VirtualMachine::soundLengthMs(const std::string& path) const {
  if (options_.clipMs) return *options_.clipMs;
  return WavLengthMs(path).value_or(0);
}

void VirtualMachine::show(const Window& w) {
  if (!shown(w.kind())) windows_.push_back(w.kind());
}

void VirtualMachine::setTopMost(const Window& w) {
  std::erase(windows_, w.kind());
  windows_.push_back(w.kind());
}

void VirtualMachine::invalidate(const Window& w) {
  if (onInvalidate) onInvalidate(w);
}

void VirtualMachine::destroy(const Window& w) { std::erase(windows_, w.kind()); }

void VirtualMachine::refresh(const Window& w, const DrawingSurface& s) {
  if (onRefresh) onRefresh(w, s);
}

void VirtualMachine::start(TimerId id, int intervalMs) {
  timers_[id] = TimerState{std::max(intervalMs, 1), now_ + std::max(intervalMs, 1), timerOrder_++};
}

void VirtualMachine::stop(TimerId id) { timers_.erase(id); }

std::unique_ptr<Player> VirtualMachine::createPlayer(DeviceType type) {
  return std::make_unique<VirtualPlayer>(*this, type, options_.clipMs, options_.musicMs);
}

void VirtualMachine::playSound(const std::string& path, bool wait) {
  // Waiting holds everything: the clock simply moves on by the sound's length.
  if (wait && (options_.clipMs || std::filesystem::is_regular_file(path))) now_ += soundLengthMs(path);
}

TimeOfDay VirtualMachine::localTime() const {
  const std::int64_t startMs =
      ((options_.start.hour * 60LL + options_.start.minute) * 60 + options_.start.second) * 1000;
  const std::int64_t t = (startMs + now_) % kDayMs / 1000;
  return TimeOfDay{static_cast<int>(t / 3600), static_cast<int>(t / 60 % 60), static_cast<int>(t % 60)};
}

}  // namespace chu::virt

// The trace of a headless run: JSON Lines, one object per event.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "startup/observer.h"

namespace chu::virt {

class VirtualMachine;

// Watches a run, writes its trace (when given a stream) and keeps the count
// of cards and hand-overs and every race's result board.
class TraceWriter final : public RunObserver {
 public:
  TraceWriter(const VirtualMachine& vm, std::ostream* out) : vm_(vm), out_(out) {}

  int race() const { return race_; }
  int handovers() const { return handovers_; }
  bool userEnded() const { return userEnded_; }

  struct RaceResult {
    int race = 0;
    std::vector<std::string> lines;
    std::vector<int> order;
    int raceClock = 0;
    int ticks = 0;
  };
  const std::vector<RaceResult>& results() const { return results_; }
  std::function<void(const Saver&)> afterTick;  // for checks that follow a run tick by tick

  void onCard(const Saver& s) override;
  void onStart(const Saver& s) override;
  void onTick(const Saver& s, int phase) override;
  void onClip(const Saver& s, int clip) override;
  void onSound(const Saver& s, std::string_view name, bool wait) override;
  void onResult(const Saver& s, const std::vector<std::string>& lines) override;
  void onHandover(const Saver& s) override;
  void onEnd(const Saver& s) override;
  // The last line when the run stops because enough races have run.
  void endOfRaces();

 private:
  std::string head(const char* ev) const;
  std::string headWithTick(const char* ev, const Saver& s) const;
  void write(const std::string& line);

  const VirtualMachine& vm_;
  std::ostream* out_;
  int race_ = 0;
  int handovers_ = 0;
  bool userEnded_ = false;
  std::vector<RaceResult> results_;
};

// JSON helpers: a string with escapes, and a number in the shortest form that
// reads back the same (integers without a fraction).
std::string JsonString(std::string_view s);
std::string JsonNumber(double v);

}  // namespace chu::virt

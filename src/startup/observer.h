// Hooks through which a tool watches a run (the headless trace). The program
// calls them at fixed points; they change nothing.
#pragma once

#include <string_view>
#include <vector>
#include <string>

namespace chu {

struct Saver;

class RunObserver {
 public:
  virtual ~RunObserver() = default;
  virtual void onCard(const Saver&) {}
  virtual void onStart(const Saver&) {}
  // After every race tick; `phase` is racePhase as the tick began.
  virtual void onTick(const Saver&, int /*phase*/) {}
  virtual void onClip(const Saver&, int /*clip*/) {}
  virtual void onSound(const Saver&, std::string_view /*name*/, bool /*wait*/) {}
  virtual void onResult(const Saver&, const std::vector<std::string>& /*lines*/) {}
  virtual void onHandover(const Saver&) {}
  // The saver ends on user input (EndSaver).
  virtual void onEnd(const Saver&) {}
};

}  // namespace chu

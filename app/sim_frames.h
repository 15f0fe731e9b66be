// The frame dumps of chuderby-sim: PNG pictures of the screens as a run shows
// them, painted from the windows' controls.
#pragma once

#include <string>

#include "platform/raster/text.h"
#include "platform/types.h"
#include "startup/observer.h"

namespace chu::app {

// Watches a run beside another observer (the trace), which it hands every
// event first. Writes into `dir`:
//   raceNN-card.png      the whole paddock screen, once the card is written
//   raceNN-tickNNNN.png  the course view with its runner list, every `every`-th race tick
//   raceNN-result.png    the course view in the tick that writes the result board
class FrameRecorder final : public RunObserver {
 public:
  FrameRecorder(RunObserver& next, std::string dir, int every, platform::Size screen,
                const platform::TextRenderer& text)
      : next_(next), dir_(std::move(dir)), every_(every), screen_(screen), text_(text) {}

  // The first file that could not be written, empty while all were.
  const std::string& error() const { return error_; }
  int written() const { return written_; }

  void onCard(const Saver& s) override;
  void onStart(const Saver& s) override { next_.onStart(s); }
  void onTick(const Saver& s, int phase) override;
  void onClip(const Saver& s, int clip) override { next_.onClip(s, clip); }
  void onSound(const Saver& s, std::string_view name, bool wait) override { next_.onSound(s, name, wait); }
  void onResult(const Saver& s, const std::vector<std::string>& lines) override;
  void onHandover(const Saver& s) override { next_.onHandover(s); }
  void onEnd(const Saver& s) override { next_.onEnd(s); }

 private:
  void writeCourse(const Saver& s, const std::string& what);
  void write(const platform::Picture& picture, const std::string& what);

  RunObserver& next_;
  std::string dir_;
  int every_;
  platform::Size screen_;
  const platform::TextRenderer& text_;
  int race_ = 0;
  int written_ = 0;
  std::string error_;
};

// "race07-tick0040.png": the race number and the picture's part of the name.
std::string FrameName(int race, const std::string& what);

}  // namespace chu::app

#include "sim_frames.h"

#include <filesystem>

#include "platform/raster/paint.h"
#include "platform/raster/png.h"
#include "startup/saver.h"

namespace chu::app {

using platform::Picture;

namespace {
std::string ZeroPadded(int n, std::size_t digits) {
  std::string s = std::to_string(n);
  return s.size() < digits ? std::string(digits - s.size(), '0') + s : s;
}
}  // namespace

std::string FrameName(int race, const std::string& what) { return "race" + ZeroPadded(race, 2) + "-" + what + ".png"; }

void FrameRecorder::onCard(const Saver& s) {
  next_.onCard(s);
  ++race_;
  // frmSHOW covers the screen and frmBACK behind it: its own black surface and the board.
  Picture screen(screen_.w, screen_.h);
  platform::PaintWindow(screen, s.show->view(), &text_);
  write(screen, "card");
}

void FrameRecorder::onTick(const Saver& s, int phase) {
  next_.onTick(s, phase);
  if (s.race && s.race->tickCount % every_ == 0) writeCourse(s, "tick" + ZeroPadded(s.race->tickCount, 4));
}

void FrameRecorder::onResult(const Saver& s, const std::vector<std::string>& lines) {
  next_.onResult(s, lines);
  writeCourse(s, "result");
}

void FrameRecorder::writeCourse(const Saver& s, const std::string& what) {
  const RaceWindow& w = *s.race;
  Picture course(w.picRACE.rect.w, w.picRACE.rect.h);
  platform::PaintWindow(course, w.view(), &text_, {w.picRACE.rect.x, w.picRACE.rect.y});
  write(course, what);
}

void FrameRecorder::write(const Picture& picture, const std::string& what) {
  const std::string error = platform::WritePng((std::filesystem::path(dir_) / FrameName(race_, what)).string(), picture);
  if (error.empty()) ++written_;
  else if (error_.empty()) error_ = error;
}

}  // namespace chu::app

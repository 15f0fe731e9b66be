// The real back-end: the program's windows as SDL windows on the desktop's
// display, input delivered one event at a time, the timers in real time and
// the presentation of what the windows show.
//
// Full-screen windows are borderless, top-most windows covering the first
// display, stacked in the order the program shows and raises them. In watch
// mode they all live in one ordinary window instead (the top one shows), and
// input does not end the run: only closing the window or Escape does.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/tick_schedule.h"

namespace chu {
struct Saver;
}

namespace chu::sdl {

struct X11Connection;

struct BackendOptions {
  // Watch the saver in an ordinary window of this size instead of covering
  // the screen.
  std::optional<platform::Size> watchWindow;
  // Let the desktop's own screen saver start while this program runs (the
  // settings dialog is no reason to keep the screen awake).
  bool allowScreenSaver = false;
  // SDL_GetPerformanceCounter() when the program started: the back-end's
  // clock and the measurements count from there.
  std::uint64_t startCounter = 0;
};

// Counters of a run, for the measurements.
struct RunStats {
  std::array<std::uint64_t, 3> ticks{};  // by timer
  std::uint64_t presents = 0;            // frames put on the screen
  std::uint64_t pushedPixels = 0;        // pixels sent to the screen
  // Race ticks by interval: ticks delivered and the seconds the timer ran,
  // and of those the seconds spent inside ticks that held everything up
  // (a start signal played to its end).
  struct RaceRate {
    int intervalMs = 0;
    std::uint64_t ticks = 0;
    double seconds = 0;
    double stalledSeconds = 0;
  };
  std::vector<RaceRate> raceRates;
  std::uint64_t racePresents = 0;  // frames presented while the race window was up
  double raceSeconds = 0;          // time with the race window up
  double raceCpuSeconds = 0;  // process CPU time meanwhile
  std::optional<double> firstBoardMs;  // from the program's start to the board on the screen
};

class SdlBackend final : public platform::Display, public platform::Timers {
 public:
  explicit SdlBackend(BackendOptions options = {});
  ~SdlBackend() override;
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;

  // Starts SDL's video. False, with one line saying what is missing and how
  // to get it in `error`, when there is no display or no usable driver.
  bool openVideo(std::string& error);
  void setTextRenderer(const platform::TextRenderer* text) { text_ = text; }
  void setIcon(const platform::Picture* icon) { icon_ = icon; }

  // Delivers events and timer ticks to the run until it has ended (or the
  // platform asks the program to quit).
  void run(Saver& s);

  const RunStats& stats() const { return stats_; }
  bool watching() const { return options_.watchWindow.has_value(); }

  // Display
  platform::Size screenSize() const override;
  void show(const platform::Window& w) override;
  void setTopMost(const platform::Window& w) override;
  void invalidate(const platform::Window& w) override;
  void destroy(const platform::Window& w) override;
  void refresh(const platform::Window& w, const platform::DrawingSurface& s) override;
  // Timers
  void start(platform::TimerId id, int intervalMs) override;
  void stop(platform::TimerId id) override;

 private:
  struct Layer;

  std::int64_t now() const;
  Layer* layerOf(const platform::Window& w);
  Layer* layerOfSdlWindow(std::uint32_t windowId);
  Layer* topFullScreen() const;
  SDL_Window* createFullScreenWindow();
  SDL_Window* createDialogWindow(const platform::WindowView& view);
  SDL_Window* hostWindow();

  // Events
  void drainEvents(Saver& s);
  void dispatch(Saver& s, const SDL_Event& e);
  void onWindowEvent(Saver& s, const SDL_WindowEvent& e);
  void onKey(Saver& s, const SDL_KeyboardEvent& e);
  void onMouseMotion(Saver& s, const SDL_MouseMotionEvent& e);
  void onMouseButton(Saver& s, const SDL_MouseButtonEvent& e);
  void requestQuit(Saver& s);
  void setCursorFor(const Layer& layer, platform::Point p);
  void runTick(Saver& s, platform::TimerId id);
  void waitUntil(std::int64_t deadline);
  void noteConnection(SDL_Window* window);

  // Presentation
  bool presentPending() const;
  void present();
  void updateCanvas(Layer& layer);
  void push(SDL_Window* window, const platform::Picture& canvas, std::vector<platform::Rect>& rects, bool all);
  std::int64_t frameInterval() const { return frameNs_; }

  void noteRaceWindow(bool up);

  BackendOptions options_;
  bool videoOpen_ = false;
  const platform::TextRenderer* text_ = nullptr;
  const platform::Picture* icon_ = nullptr;
  platform::Rect screen_{};
  std::int64_t frameNs_ = 1'000'000'000 / 60;
  std::uint64_t perfFrequency_ = 1;
  std::uint64_t perfStart_ = 0;

  std::vector<std::unique_ptr<Layer>> layers_;  // bottom to top
  SDL_Window* host_ = nullptr;                  // watch mode: the one window
  const Layer* hostShows_ = nullptr;            // the layer last put into it
  SDL_Cursor* invisibleCursor_ = nullptr;
  SDL_Cursor* arrowCursor_ = nullptr;
  SDL_Cursor* cursor_ = nullptr;

  std::unique_ptr<X11Connection> x11_;  // the display connection, when the driver is X11

  TickSchedule schedule_;
  bool quit_ = false;

  RunStats stats_;
  std::int64_t raceTimerSince_ = 0;
  std::int64_t raceWindowSince_ = -1;
  double raceCpuSince_ = 0;
};

}  // namespace chu::sdl

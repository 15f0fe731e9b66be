#include "platform/sdl/sdl_backend.h"

#include <poll.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>

#include "platform/sdl/view_geometry.h"
#include "platform/sdl/x11_connection.h"
#include "platform/raster/paint.h"
#include "settings/info_window.h"
#include "startup/saver.h"

namespace chu::sdl {

using namespace platform;

namespace {
constexpr std::int64_t kMs = TickSchedule::kMs;
// A wait this close to its deadline is not worth a sleep.
constexpr std::int64_t kNoSleepBelow = kMs / 20;
// How long presenting may be put off while ticks keep coming.
constexpr int kMaxFramesWithoutPresent = 2;
constexpr std::size_t kMaxRects = 48;

double ProcessCpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

std::string EnvText(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? v : "";
}

// SDL's last error, when it is readable text (after some failures it is not).
std::string SdlError() {
  const std::string e = SDL_GetError();
  for (unsigned char c : e)
    if (c < 0x20 || c == 0x7F) return {};
  return e;
}

// The video drivers to try: the one asked for, else the desktop's own (X11,
// Wayland). SDL's other drivers (off-screen, console) show nothing a user sees.
std::vector<std::string> VideoDrivers() {
  if (!EnvText("SDL_VIDEODRIVER").empty()) return {""};
  std::vector<std::string> drivers;
  if (!EnvText("DISPLAY").empty()) drivers.push_back("x11");
  if (!EnvText("WAYLAND_DISPLAY").empty()) drivers.push_back("wayland");
  return drivers;
}

std::string NoVideoMessage() {
  const std::string asked = EnvText("SDL_VIDEODRIVER"), sdl = SdlError();
  const std::string why = sdl.empty() ? "" : " (SDL: " + sdl + ")";
  if (!asked.empty())
    return "cannot start the video driver " + asked + why + "; unset SDL_VIDEODRIVER or name x11 or wayland";
  const std::string x = EnvText("DISPLAY");
  const std::string where = !x.empty() ? x : EnvText("WAYLAND_DISPLAY") + " (Wayland)";
  return "cannot open the display " + where + why +
         "; check that the desktop or Xvfb is running and that DISPLAY names it";
}

std::optional<DialogKey> DialogKeyOf(const SDL_Keysym& k) {
  switch (k.sym) {
    case SDLK_TAB: return (k.mod & KMOD_SHIFT) != 0 ? DialogKey::BackTab : DialogKey::Tab;
    case SDLK_LEFT: return DialogKey::Left;
    case SDLK_RIGHT: return DialogKey::Right;
    case SDLK_UP: return DialogKey::Up;
    case SDLK_DOWN: return DialogKey::Down;
    case SDLK_SPACE: return DialogKey::Space;
    default: return std::nullopt;
  }
}

SDL_Rect ToSdl(Rect r) { return SDL_Rect{r.x, r.y, r.w, r.h}; }
}  // namespace

// One window of the program as the back-end holds it: what it shows (the
// canvas, painted from the window's controls) and what still has to reach
// the screen.
struct SdlBackend::Layer {
  const Window* window = nullptr;
  WindowKind kind = WindowKind::Back;
  bool fullScreen = true;
  SDL_Window* sdl = nullptr;  // its own window; none for full-screen windows in watch mode
  Size size;
  Picture canvas;  // made at the first paint: a window that is never seen needs none
  Picture scratch;
  bool painted = false;     // the canvas has been painted at least once
  bool repaint = true;      // the controls changed: paint again from the view
  bool pushAll = true;      // all of the canvas is to reach the screen
  std::vector<Rect> dirty;  // parts of the canvas to put on the screen
  const DrawingSurface* drawing = nullptr;
  std::vector<Rect> drawn;  // refreshed parts of the drawing since the last present
};

SdlBackend::SdlBackend(BackendOptions options)
    : options_(std::move(options)), x11_(std::make_unique<X11Connection>()) {}

SdlBackend::~SdlBackend() {
  layers_.clear();
  if (host_ != nullptr) SDL_DestroyWindow(host_);
  if (invisibleCursor_ != nullptr) SDL_FreeCursor(invisibleCursor_);
  if (arrowCursor_ != nullptr) SDL_FreeCursor(arrowCursor_);
  if (videoOpen_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlBackend::openVideo(std::string& error) {
  const std::vector<std::string> drivers = VideoDrivers();
  if (drivers.empty()) {
    error = "no display (DISPLAY is not set); run it on a desktop or under xvfb-run";
    return false;
  }
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, options_.allowScreenSaver ? "1" : "0");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // The windows' pictures go to the display as they are (MIT-SHM on X11), in
  // the changed rectangles only. Otherwise SDL may route them through an
  // OpenGL texture, which on a software OpenGL (Xvfb, virtual machines)
  // redraws every window in full on every present.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  for (const std::string& driver : drivers) {
    if (!driver.empty()) SDL_SetHint(SDL_HINT_VIDEODRIVER, driver.c_str());
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
      videoOpen_ = true;
      break;
    }
  }
  if (!videoOpen_) {
    error = NoVideoMessage();
    return false;
  }
  SDL_Rect bounds{};
  if (SDL_GetDisplayBounds(0, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) {
    error = std::string("no usable screen (SDL: ") + SDL_GetError() + ")";
    return false;
  }
  screen_ = {bounds.x, bounds.y, bounds.w, bounds.h};
  SDL_DisplayMode mode{};
  if (SDL_GetCurrentDisplayMode(0, &mode) == 0 && mode.refresh_rate > 0) frameNs_ = 1'000'000'000LL / mode.refresh_rate;
  perfFrequency_ = SDL_GetPerformanceFrequency();
  perfStart_ = options_.startCounter != 0 ? options_.startCounter : SDL_GetPerformanceCounter();

  // The pointer over a full-screen window's own surface: 32×32, every pixel
  // transparent, hot spot (0, 0).
  static const Uint8 kClear[32 * 32 / 8] = {};
  invisibleCursor_ = SDL_CreateCursor(kClear, kClear, 32, 32, 0, 0);
  arrowCursor_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  return true;
}

std::int64_t SdlBackend::now() const {
  const std::uint64_t ticks = SDL_GetPerformanceCounter() - perfStart_;
  // Whole seconds and the rest apart, so nothing overflows.
  const std::uint64_t whole = ticks / perfFrequency_, rest = ticks % perfFrequency_;
  return static_cast<std::int64_t>(whole * 1'000'000'000ULL + rest * 1'000'000'000ULL / perfFrequency_);
}

// ---------------------------------------------------------------------------
// Display

Size SdlBackend::screenSize() const {
  if (options_.watchWindow) return *options_.watchWindow;
  return {screen_.w, screen_.h};
}

SdlBackend::Layer* SdlBackend::layerOf(const Window& w) {
  for (auto& l : layers_)
    if (l->window == &w) return l.get();
  return nullptr;
}

SdlBackend::Layer* SdlBackend::layerOfSdlWindow(std::uint32_t windowId) {
  SDL_Window* sdl = SDL_GetWindowFromID(windowId);
  if (sdl == nullptr) return nullptr;
  if (sdl == host_) return topFullScreen();
  for (auto& l : layers_)
    if (l->sdl == sdl) return l.get();
  return nullptr;
}

SdlBackend::Layer* SdlBackend::topFullScreen() const {
  for (auto it = layers_.rbegin(); it != layers_.rend(); ++it)
    if ((*it)->fullScreen) return it->get();
  return nullptr;
}

SDL_Window* SdlBackend::createFullScreenWindow() {
  // Made hidden, so that the window manager learns it is full screen before
  // it first shows it. (SDL's own full-screen switch waits for a window
  // manager to answer, a tenth of a second or more, and Xvfb has none.)
  const Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_HIDDEN;
  SDL_Window* w = SDL_CreateWindow("Form1", screen_.x, screen_.y, screen_.w, screen_.h, flags);
  if (w == nullptr) return nullptr;
  noteConnection(w);
  X11AskFullScreen(w);
  SDL_ShowWindow(w);
  return w;
}

SDL_Window* SdlBackend::createDialogWindow(const WindowView& view) {
  const Rect r = view.dialogRect;
  SDL_Window* w = SDL_CreateWindow(view.caption.c_str(), r.x, r.y, r.w, r.h, SDL_WINDOW_HIDDEN);
  if (w == nullptr) return nullptr;
  noteConnection(w);
  X11AskDialogFrame(w);
  if (icon_ != nullptr && !icon_->empty()) {
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon_->row(0)),
                                                           icon_->width(), icon_->height(), 32,
                                                           icon_->width() * 4, SDL_PIXELFORMAT_RGB888);
    if (icon != nullptr) {
      SDL_SetWindowIcon(w, icon);
      SDL_FreeSurface(icon);
    }
  }
  SDL_ShowWindow(w);
  return w;
}

SDL_Window* SdlBackend::hostWindow() {
  if (host_ == nullptr) {
    const Size size = *options_.watchWindow;
    host_ = SDL_CreateWindow("Chu Derby", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.w, size.h, 0);
    noteConnection(host_);
  }
  return host_;
}

void SdlBackend::show(const Window& w) {
  if (layerOf(w) != nullptr) return;
  auto layer = std::make_unique<Layer>();
  layer->window = &w;
  layer->kind = w.kind();
  const WindowView view = w.view();
  layer->fullScreen = view.fullScreen;
  if (view.fullScreen) {
    layer->size = screenSize();
    layer->sdl = watching() ? nullptr : createFullScreenWindow();
    if (watching()) hostWindow();
  } else {
    layer->size = {view.dialogRect.w, view.dialogRect.h};
    layer->sdl = createDialogWindow(view);
  }
  if (layer->sdl != nullptr && layer->fullScreen && invisibleCursor_ != nullptr) {
    SDL_SetCursor(invisibleCursor_);
    cursor_ = invisibleCursor_;
  }
  if (layer->kind == WindowKind::Race) noteRaceWindow(true);
  layers_.push_back(std::move(layer));
}

void SdlBackend::setTopMost(const Window& w) {
  auto it = std::find_if(layers_.begin(), layers_.end(), [&](const auto& l) { return l->window == &w; });
  if (it == layers_.end()) return;
  std::rotate(it, it + 1, layers_.end());
  Layer& top = *layers_.back();
  top.pushAll = true;
  if (top.sdl != nullptr) SDL_RaiseWindow(top.sdl);
  // Whatever now lies under the resting pointer decides the pointer's look.
  int x = 0, y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  if (top.fullScreen && !watching()) setCursorFor(top, {x - screen_.x, y - screen_.y});
}

void SdlBackend::invalidate(const Window& w) {
  Layer* l = layerOf(w);
  if (l == nullptr) return;
  l->repaint = true;
  // The loading window is complete when its load step ends, and the program
  // goes on loading (clip players, the first card) before it returns to the
  // loop: it is put on the screen now, so that the screen is black with
  // "Now Loading" meanwhile.
  if (l->kind == WindowKind::Back && !l->painted) present();
}

void SdlBackend::destroy(const Window& w) {
  auto it = std::find_if(layers_.begin(), layers_.end(), [&](const auto& l) { return l->window == &w; });
  if (it == layers_.end()) return;
  if ((*it)->kind == WindowKind::Race) noteRaceWindow(false);
  if ((*it)->sdl != nullptr) SDL_DestroyWindow((*it)->sdl);
  if (hostShows_ == it->get()) hostShows_ = nullptr;
  layers_.erase(it);
  // The window now uncovered shows itself afresh.
  if (Layer* top = topFullScreen()) top->pushAll = true;
}

void SdlBackend::refresh(const Window& w, const DrawingSurface& s) {
  Layer* l = layerOf(w);
  if (l == nullptr) return;
  l->drawing = &s;
  const std::vector<Rect>& changed = s.lastRefreshRects();
  l->drawn.insert(l->drawn.end(), changed.begin(), changed.end());
  CapRects(l->drawn, kMaxRects);
}

// ---------------------------------------------------------------------------
// Timers

void SdlBackend::start(TimerId id, int intervalMs) {
  const std::int64_t t = now();
  if (id == TimerId::RaceTick) {
    if (schedule_.running(id)) stop(id);
    raceTimerSince_ = t;
    stats_.raceRates.push_back({std::max(intervalMs, 1), 0, 0});
  }
  schedule_.start(id, intervalMs, t);
}

void SdlBackend::stop(TimerId id) {
  if (id == TimerId::RaceTick && schedule_.running(id) && !stats_.raceRates.empty())
    stats_.raceRates.back().seconds += static_cast<double>(now() - raceTimerSince_) / 1e9;
  schedule_.stop(id);
}

void SdlBackend::noteRaceWindow(bool up) {
  const std::int64_t t = now();
  if (up && raceWindowSince_ < 0) {
    raceWindowSince_ = t;
    raceCpuSince_ = ProcessCpuSeconds();
  } else if (!up && raceWindowSince_ >= 0) {
    stats_.raceSeconds += static_cast<double>(t - raceWindowSince_) / 1e9;
    stats_.raceCpuSeconds += ProcessCpuSeconds() - raceCpuSince_;
    raceWindowSince_ = -1;
  }
}

void SdlBackend::runTick(Saver& s, TimerId id) {
  ++stats_.ticks[static_cast<std::size_t>(id)];
  const bool race = id == TimerId::RaceTick && !stats_.raceRates.empty();
  if (race) ++stats_.raceRates.back().ticks;
  const std::size_t rates = stats_.raceRates.size();
  const std::int64_t began = now();
  OnTimer(s, id);
  const std::int64_t took = now() - began;
  if (race && rates == stats_.raceRates.size() && took > TickSchedule::catchUpLimit(stats_.raceRates.back().intervalMs))
    stats_.raceRates.back().stalledSeconds += static_cast<double>(took) / 1e9;
}

// ---------------------------------------------------------------------------
// The loop

void SdlBackend::run(Saver& s) {
  std::int64_t lastPresent = now() - frameInterval();
  while (!s.ended && !quit_) {
    drainEvents(s);
    if (s.ended || quit_) break;
    const std::int64_t t = now();
    const bool pending = presentPending();
    const bool presentDue = pending && t - lastPresent >= frameInterval();
    // The newest finished tick is presented once no tick is due, or when
    // ticks have kept the screen waiting too long.
    const auto due = schedule_.nextDue();
    const bool tickDue = due && *due <= t;
    if (presentDue && (!tickDue || t - lastPresent >= kMaxFramesWithoutPresent * frameInterval())) {
      present();
      lastPresent = t;
      continue;
    }
    if (tickDue) {
      if (auto id = schedule_.takeDue(t)) runTick(s, *id);
      continue;
    }
    std::int64_t deadline = due ? *due : t + 1000 * kMs;
    if (pending) deadline = std::min(deadline, lastPresent + frameInterval());
    waitUntil(deadline);
  }
  noteRaceWindow(false);
  if (!stats_.raceRates.empty() && schedule_.running(TimerId::RaceTick))
    stats_.raceRates.back().seconds += static_cast<double>(now() - raceTimerSince_) / 1e9;
}

void SdlBackend::noteConnection(SDL_Window* window) {
  if (!x11_->valid()) *x11_ = X11ConnectionOf(window);
}

void SdlBackend::waitUntil(std::int64_t deadline) {
  const std::int64_t left = deadline - now();
  if (left <= kNoSleepBelow) return;
  if (!x11_->valid()) {
    // Sleep in SDL's event wait; its timeout is whole milliseconds, rounded
    // up, and a tick it makes late is caught up on its grid.
    SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<std::int64_t>((left + kMs - 1) / kMs, 1000)));
    return;
  }
  // On X11 the program sleeps on the display connection itself, to the
  // nanosecond. (SDL 2.26's own wait may wake itself by sending an event to a
  // window that the program destroys meanwhile, which kills the program with
  // a BadWindow error.) The events have just been drained, so an empty
  // queue means nothing is waiting.
  if (X11EventsWaiting(*x11_)) return;
  pollfd fd{x11_->fd, POLLIN, 0};
  const timespec timeout{static_cast<time_t>(left / 1'000'000'000), static_cast<long>(left % 1'000'000'000)};
  ppoll(&fd, 1, &timeout, nullptr);  // a signal (the quit request) ends it too
}

void SdlBackend::drainEvents(Saver& s) {
  // After an interrupted wait the first poll may come back empty though
  // events are queued (SDL 2.26): pump, then poll until the queue is dry.
  SDL_PumpEvents();
  SDL_Event e;
  while (!s.ended && !quit_ && SDL_PollEvent(&e) != 0) dispatch(s, e);
}

void SdlBackend::dispatch(Saver& s, const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT: requestQuit(s); break;
    case SDL_WINDOWEVENT: onWindowEvent(s, e.window); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: onKey(s, e.key); break;
    case SDL_MOUSEMOTION: onMouseMotion(s, e.motion); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: onMouseButton(s, e.button); break;
    default: break;
  }
}

void SdlBackend::requestQuit(Saver& s) {
  // The platform closes the program (a signal, the watch window's close box):
  // it ends as a user exit would, through the screen's own unload.
  if (s.show) OnKeyUp(s, WindowKind::Show);
  else if (s.race) OnKeyUp(s, WindowKind::Race);
  else if (s.info) CloseInfoWindow(s);
  quit_ = true;
}

void SdlBackend::onWindowEvent(Saver& s, const SDL_WindowEvent& e) {
  SDL_Window* sdl = SDL_GetWindowFromID(e.windowID);
  switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
      if (sdl != nullptr && sdl == host_) {
        requestQuit(s);
      } else if (Layer* l = layerOfSdlWindow(e.windowID); l != nullptr && l->kind == WindowKind::Info) {
        CloseInfoWindow(s);  // the close box stores the choice as "設定更新！" does
      } else {
        requestQuit(s);
      }
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      if (sdl != nullptr && sdl == host_) hostShows_ = nullptr;
      for (auto& l : layers_)
        if (l->sdl == sdl) l->pushAll = true;
      break;
    default: break;
  }
}

void SdlBackend::onKey(Saver& s, const SDL_KeyboardEvent& e) {
  if (s.info) {
    // The dialog is the only window of its run: keys are its own, whichever
    // window SDL believes has the keyboard.
    if (const auto key = DialogKeyOf(e.keysym)) {
      if (e.type == SDL_KEYDOWN && !(e.repeat != 0 && *key == DialogKey::Space)) DialogKeyDown(s, *key);
      if (e.type == SDL_KEYUP) DialogKeyUp(s, *key);
    }
    return;
  }
  if (watching()) {
    if (e.type == SDL_KEYDOWN && e.keysym.sym == SDLK_ESCAPE) requestQuit(s);
    return;
  }
  // Only a release counts; it goes to the screen on top (key preview).
  if (e.type != SDL_KEYUP) return;
  if (const Layer* top = topFullScreen()) OnKeyUp(s, top->kind);
}

void SdlBackend::setCursorFor(const Layer& layer, Point p) {
  SDL_Cursor* want = arrowCursor_;
  if (layer.fullScreen) want = HitTest(layer.window->view(), p).overPicture ? arrowCursor_ : invisibleCursor_;
  if (want != cursor_ && want != nullptr) {
    SDL_SetCursor(want);
    cursor_ = want;
  }
}

void SdlBackend::onMouseMotion(Saver& s, const SDL_MouseMotionEvent& e) {
  Layer* layer = layerOfSdlWindow(e.windowID);
  if (layer == nullptr) return;
  const Point p{e.x, e.y};
  setCursorFor(*layer, p);
  if (!layer->fullScreen || watching()) return;
  const SurfaceHit hit = HitTest(layer->window->view(), p);
  OnMouseMove(s, hit.surface, hit.local.x, hit.local.y);
}

void SdlBackend::onMouseButton(Saver& s, const SDL_MouseButtonEvent& e) {
  Layer* layer = layerOfSdlWindow(e.windowID);
  if (layer == nullptr) return;
  const Point p{e.x, e.y};
  if (layer->kind == WindowKind::Info) {
    if (e.button != SDL_BUTTON_LEFT) return;
    if (e.type == SDL_MOUSEBUTTONDOWN) DialogMouseDown(s, p);
    else DialogMouseUp(s, p);
    return;
  }
  if (watching() || e.type != SDL_MOUSEBUTTONUP) return;
  OnMouseUp(s, HitTest(layer->window->view(), p).surface);
}

// ---------------------------------------------------------------------------
// Presentation

bool SdlBackend::presentPending() const {
  const Layer* top = topFullScreen();
  for (const auto& l : layers_) {
    if (l->fullScreen && l.get() != top) continue;
    if (l->repaint || l->pushAll || !l->dirty.empty() || !l->drawn.empty()) return true;
    if (l.get() == top && watching() && hostShows_ != top) return true;
  }
  return false;
}

void SdlBackend::updateCanvas(Layer& l) {
  const WindowView view = l.window->view();
  if (!l.painted) {
    l.canvas = Picture(l.size.w, l.size.h);
    PaintWindow(l.canvas, view, text_);
    l.painted = true;
    l.repaint = false;
    l.pushAll = true;
    l.drawn.clear();  // the paint took the drawing as it is now
    return;
  }
  if (l.repaint) {
    // Only the controls' box is painted again: around it lies the unchanging
    // background. What differs from the picture shown goes to the screen.
    const Rect box = ContentBox(view, l.canvas.bounds());
    if (!box.empty()) {
      if (l.scratch.size() != Size{box.w, box.h}) l.scratch = Picture(box.w, box.h);
      PaintWindow(l.scratch, view, text_, {box.x, box.y});
      for (const Rect& r : ChangedTilesAt(l.canvas, {box.x, box.y}, l.scratch)) {
        BitBlt(l.canvas, r.x, r.y, r.w, r.h, l.scratch, r.x - box.x, r.y - box.y, Rop::SrcCopy);
        l.dirty.push_back(r);
      }
    }
    l.repaint = false;
    l.drawn.clear();
    return;
  }
  if (l.drawn.empty() || l.drawing == nullptr) return;
  // The refreshed parts of the course view, where no control covers it.
  Point origin{};
  for (const ViewItem& item : view.items) {
    const auto* const* box = std::get_if<const PictureBox*>(&item.control);
    if (box != nullptr && (*box)->drawing == l.drawing) {
      const Rect r = ItemRect(item);
      origin = {r.x, r.y};
      break;
    }
  }
  const std::vector<Rect> visible = VisibleDrawingArea(view, l.drawing);
  const Picture& image = l.drawing->image();
  for (const Rect& r : l.drawn) {
    const Rect inWindow{r.x + origin.x, r.y + origin.y, r.w, r.h};
    for (const Rect& v : visible) {
      const Rect part = intersect(intersect(inWindow, v), l.canvas.bounds());
      if (part.empty()) continue;
      BitBlt(l.canvas, part.x, part.y, part.w, part.h, image, part.x - origin.x, part.y - origin.y, Rop::SrcCopy);
      l.dirty.push_back(part);
    }
  }
  l.drawn.clear();
}

void SdlBackend::push(SDL_Window* window, const Picture& canvas, std::vector<Rect>& rects, bool all) {
  if (window == nullptr || canvas.empty()) return;
  SDL_Surface* screen = SDL_GetWindowSurface(window);
  if (screen == nullptr) return;
  if (all) rects.assign(1, canvas.bounds());
  CapRects(rects, kMaxRects);
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(canvas.row(0)), canvas.width(),
                                                           canvas.height(), 32, canvas.width() * 4,
                                                           SDL_PIXELFORMAT_RGB888);
  if (source == nullptr) return;
  std::vector<SDL_Rect> out;
  out.reserve(rects.size());
  for (const Rect& r : rects) {
    SDL_Rect from = ToSdl(r), to = ToSdl(r);
    SDL_BlitSurface(source, &from, screen, &to);
    out.push_back(ToSdl(r));
    stats_.pushedPixels += static_cast<std::uint64_t>(r.w) * r.h;
  }
  SDL_FreeSurface(source);
  if (!out.empty()) SDL_UpdateWindowSurfaceRects(window, out.data(), static_cast<int>(out.size()));
}

void SdlBackend::present() {
  // Of the full-screen windows only the top one can be seen: the others are
  // brought up to date when they come to the top.
  Layer* top = topFullScreen();
  bool board = false;
  for (auto& l : layers_) {
    if (l->fullScreen && l.get() != top) continue;
    updateCanvas(*l);
    SDL_Window* target = l->fullScreen && watching() ? host_ : l->sdl;
    const bool all = l->pushAll || (target == host_ && hostShows_ != l.get());
    if (target != nullptr && (all || !l->dirty.empty())) {
      push(target, l->canvas, l->dirty, all);
      board = board || l->kind == WindowKind::Show;
    }
    if (target == host_) hostShows_ = l.get();
    l->dirty.clear();
    l->pushAll = false;
  }
  ++stats_.presents;
  if (top != nullptr && top->kind == WindowKind::Race) ++stats_.racePresents;
  if (board && !stats_.firstBoardMs) stats_.firstBoardMs = static_cast<double>(now()) / 1e6;
}

}  // namespace chu::sdl

#include "platform/sdl/x11_connection.h"

#include <initializer_list>

#include <SDL_syswm.h>
#include <X11/Xatom.h>

namespace chu::sdl {

X11Connection X11ConnectionOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11)
    return {};
  return {info.info.x11.display, ConnectionNumber(info.info.x11.display)};
}

bool X11EventsWaiting(const X11Connection& c) {
  return c.valid() && XEventsQueued(static_cast<::Display*>(c.display), QueuedAlready) > 0;
}

namespace {
struct Target {
  ::Display* display = nullptr;
  ::Window window = 0;
};

Target X11Target(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11)
    return {};
  return {info.info.x11.display, info.info.x11.window};
}

void SetAtoms(const Target& t, const char* property, std::initializer_list<const char*> values) {
  Atom atoms[4];
  int n = 0;
  for (const char* v : values) atoms[n++] = XInternAtom(t.display, v, False);
  XChangeProperty(t.display, t.window, XInternAtom(t.display, property, False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(atoms), n);
}
}  // namespace

void X11AskFullScreen(SDL_Window* window) {
  const Target t = X11Target(window);
  if (t.display == nullptr) return;
  SetAtoms(t, "_NET_WM_STATE", {"_NET_WM_STATE_FULLSCREEN", "_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR"});
  XFlush(t.display);
}

void X11AskDialogFrame(SDL_Window* window) {
  const Target t = X11Target(window);
  if (t.display == nullptr) return;
  SetAtoms(t, "_NET_WM_WINDOW_TYPE", {"_NET_WM_WINDOW_TYPE_DIALOG"});
  // The Motif hints every window manager reads: move and close only; border,
  // title and window menu.
  constexpr long kFunctionsAndDecorations = 1 | 2, kMove = 4, kClose = 32, kBorder = 2, kTitle = 8, kMenu = 16;
  long hints[5] = {kFunctionsAndDecorations, kMove | kClose, kBorder | kTitle | kMenu, 0, 0};
  const Atom motif = XInternAtom(t.display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(t.display, t.window, motif, motif, 32, PropModeReplace, reinterpret_cast<unsigned char*>(hints), 5);
  XFlush(t.display);
}

}  // namespace chu::sdl

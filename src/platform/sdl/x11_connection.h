// The X display connection under SDL's windows, for sleeping on it. Apart
// from the rest of the back-end: the X headers' names (Window, Display, None)
// clash with the program's own.
#pragma once

#include <SDL.h>

namespace chu::sdl {

struct X11Connection {
  void* display = nullptr;  // the Xlib Display
  int fd = -1;
  bool valid() const { return fd >= 0; }
};

// The connection of an SDL window, when the video driver is X11.
X11Connection X11ConnectionOf(SDL_Window* window);
// True when Xlib holds events it has read but SDL has not taken yet.
bool X11EventsWaiting(const X11Connection& c);

}  // namespace chu::sdl

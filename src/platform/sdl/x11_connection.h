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

// What a window asks of the window manager, set while it is not yet shown
// (nothing happens under another video driver):
// a full-screen window: full screen and above the others;
void X11AskFullScreen(SDL_Window* window);
// a dialog: a dialog's frame with a title and a close box, nothing to
// minimise, maximise or resize.
void X11AskDialogFrame(SDL_Window* window);

}  // namespace chu::sdl

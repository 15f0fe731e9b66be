#include "platform/sdl/x11_connection.h"

#include <SDL_syswm.h>

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

}  // namespace chu::sdl

// Kept apart: the X headers define names (None, Bool, Status) that clash with ordinary code.

#include "platform/sdl/x11_window_size.h"

#include <SDL_syswm.h>

namespace jizdavo {

std::optional<WindowSize> XWindowSize(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
    return std::nullopt;
  }
  XSync(info.info.x11.display, False);
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes) == 0) return std::nullopt;
  return WindowSize{attributes.width, attributes.height};
#else
  (void)window;
  return std::nullopt;
#endif
}

}  // namespace jizdavo

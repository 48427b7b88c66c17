#pragma once
// The size the X server really gives a window. SDL reports the display's size for a window it has
// asked to be full screen, whether or not anybody (a window manager) made it so.

#include <SDL.h>

#include <optional>

namespace jizdavo {

struct WindowSize {
  int width = 0;
  int height = 0;
  bool operator==(const WindowSize&) const = default;
};

// The window's size on the X server, once it has handled every request so far; nothing on other
// video drivers.
std::optional<WindowSize> XWindowSize(SDL_Window* window);

}  // namespace jizdavo

#pragma once
// The keyboard and mouse of an SDL window, read as PC set-1 scan codes and buttons.

#include <SDL.h>

#include "platform/input_source.h"
#include "platform/sdl/sdl_gamepads.h"

namespace jizdavo {

// The PC set-1 scan code of a physical key, extended keys as 128 + code; 0 for keys without one.
// Keypad keys keep their keypad codes whatever Num Lock says, as SDL scancodes are physical.
int PcScanCodeOf(SDL_Scancode scancode);

class SdlInputSource final : public InputSource {
 public:
  // `pads`, when given, add the keys their buttons and sticks stand for.
  explicit SdlInputSource(SDL_Window* window, SdlGamepads* pads = nullptr) : window_(window), pads_(pads) {}
  // Pumps SDL's events first, so that loops that poll input without the main loop see fresh keys.
  InputSnapshot Read() override;

 private:
  SDL_Window* window_;
  SdlGamepads* pads_;
};

}  // namespace jizdavo

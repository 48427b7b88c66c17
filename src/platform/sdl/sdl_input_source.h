#pragma once
// The keyboard and mouse of an SDL window, read as PC set-1 scan codes and buttons.

#include <SDL.h>

#include <array>

#include "platform/input_source.h"
#include "platform/sdl/sdl_gamepads.h"

namespace jizdavo {

// The PC set-1 scan code of a physical key, extended keys as 128 + code; 0 for keys without one.
// Keypad keys keep their keypad codes whatever Num Lock says, as SDL scancodes are physical.
int PcScanCodeOf(SDL_Scancode scancode);

// The keys as the game sees them: SDL's key states less the combination the window takes for itself.
// Alt+Enter switches full screen (SdlWindow::HandleEvent), so an Enter that goes down while Alt is
// held stays unseen until it is released, even when Alt goes up first.
class GameKeyboard {
 public:
  // The PC scan codes held in `keys`, SDL's state of `count` scancodes.
  std::array<bool, 256> Read(const Uint8* keys, int count);

 private:
  struct EnterKey {
    SDL_Scancode code;
    bool down = false;
    bool taken = false;
  };
  std::array<EnterKey, 2> enters_{EnterKey{SDL_SCANCODE_RETURN}, EnterKey{SDL_SCANCODE_KP_ENTER}};
};

class SdlInputSource final : public InputSource {
 public:
  // `pads`, when given, add the keys their buttons and sticks stand for.
  explicit SdlInputSource(SDL_Window* window, SdlGamepads* pads = nullptr) : window_(window), pads_(pads) {}
  // Pumps SDL's events first, so that loops that poll input without the main loop see fresh keys.
  InputSnapshot Read() override;

 private:
  SDL_Window* window_;
  GameKeyboard keyboard_;
  SdlGamepads* pads_;
};

}  // namespace jizdavo

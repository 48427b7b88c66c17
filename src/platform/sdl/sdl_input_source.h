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

// The game's number of an SDL mouse button: left 0, right 1, middle 2, any other 3.
int GameButtonOf(Uint8 sdl_button);

// The keys as the game sees them: SDL's key states, every key that went down since the last read
// (even if let go again), less the combination the window takes for itself. Which key events are
// Alt+Enter is decided from the events as the window decides (SwitchesFullScreen): such an Enter
// stays unseen until it is let go, whatever goes up first.
class GameKeyboard {
 public:
  // A key event, as SDL queues it.
  void Heard(const SDL_KeyboardEvent& key);
  // A key pressed by another device (a pad's button).
  void Pressed(int scan_code);
  // The PC scan codes held in `keys`, SDL's state of `count` scancodes, and those pressed since the
  // last read, into `snapshot`.
  void Read(const Uint8* keys, int count, InputSnapshot& snapshot);
  // The two halves of Read: the presses heard since the last read, and the keys held.
  std::array<bool, 256> TakePresses();
  void ReadHeld(const Uint8* keys, int count, InputSnapshot& snapshot);

 private:
  std::array<bool, 256> pressed_{};
  std::array<bool, 256> taken_{};  // by the window, until let go
};

class SdlInputSource final : public InputSource {
 public:
  // `pads`, when given, add the keys their buttons and sticks stand for. Hears SDL's events as they
  // are queued, so no press is missed however long the loop takes to handle them.
  explicit SdlInputSource(SDL_Window* window, SdlGamepads* pads = nullptr);
  ~SdlInputSource();
  SdlInputSource(const SdlInputSource&) = delete;
  SdlInputSource& operator=(const SdlInputSource&) = delete;
  // Pumps SDL's events, so that loops that poll input without the main loop see fresh keys; the
  // presses that pump hears are reported at the next read.
  InputSnapshot Read() override;

 private:
  static int HearEvent(void* self, SDL_Event* event);

  SDL_Window* window_;
  GameKeyboard keyboard_;
  std::array<bool, 4> buttons_pressed_{};
  SdlGamepads* pads_;
};

}  // namespace jizdavo

#pragma once
// Game controllers through SDL, seen by the game as the keys they stand for: the d-pad and the left
// stick are the arrow keys, A is Enter, B and Start are Esc. Pads may come and go at any time.

#include <SDL.h>

#include <map>
#include <utility>
#include <vector>

#include "platform/input_source.h"
#include "platform/input/window_events.h"

namespace jizdavo {

// How far the stick must lean, of 32767, before it counts as a direction.
inline constexpr int kStickDeadZone = 12000;

// The scan code of the key an SDL game controller button stands for; 0 for the buttons without one.
int PadButtonScanCode(int button);

class SdlGamepads {
 public:
  // Starts SDL's game controller support; without it there are simply no pads.
  SdlGamepads();
  ~SdlGamepads();
  SdlGamepads(const SdlGamepads&) = delete;
  SdlGamepads& operator=(const SdlGamepads&) = delete;

  // Opens pads that were plugged in and closes those pulled out: at the start, and at each arrival or
  // removal event (KeyEventsOf).
  void Refresh();
  size_t Count() const { return pads_.size(); }
  // Marks the scan codes of the keys that the held buttons and the leaning stick stand for.
  void AddTo(InputSnapshot& snapshot);
  // A pad's button, or its stick crossing the dead zone, as the key events it stands for (the menus
  // are worked by key events); none for other events. Arrivals and removals refresh the pads.
  std::vector<WindowEvent> KeyEventsOf(const SDL_Event& event);

 private:
  std::vector<WindowEvent> StickEvents(const SDL_ControllerAxisEvent& motion);

  bool started_ = false;
  std::vector<SDL_GameController*> pads_;
  // The direction (-1, 0, 1) each pad's stick axis last leant, to tell when it crosses the dead zone.
  std::map<std::pair<SDL_JoystickID, int>, int> leaning_;
};

}  // namespace jizdavo

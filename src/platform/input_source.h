#pragma once
// The keyboard and mouse as the game polls them: physical keys as PC set-1 scan codes. A read tells
// what is held and what went down since the previous read, so that a tap between two reads is seen.

#include <array>
#include <cstdint>

namespace jizdavo {

struct InputSnapshot {
  std::array<bool, 256> scan_codes{};  // down or up; extended keys are 128 + code
  std::array<bool, 256> pressed{};     // went down since the previous read, even if up again
  std::array<bool, 4> buttons{};    // 0 left, 1 right, 2 middle, 3 fourth
  std::array<bool, 4> buttons_pressed{};
  int motion_x = 0;                 // mouse motion since the last snapshot
  int motion_y = 0;
  bool foreground = true;           // the game window has the input focus
};

class InputSource {
 public:
  virtual ~InputSource() = default;
  virtual InputSnapshot Read() = 0;
};

// Input that tests set by hand.
class ScriptedInput final : public InputSource {
 public:
  InputSnapshot Read() override {
    InputSnapshot s = state;
    state.motion_x = state.motion_y = 0;
    state.pressed = {};
    state.buttons_pressed = {};
    return s;
  }
  // A key going down or up between reads: one that went down reads as pressed at the next read.
  void SetKey(int scan_code, bool down) {
    state.scan_codes[static_cast<size_t>(scan_code)] = down;
    if (down) state.pressed[static_cast<size_t>(scan_code)] = true;
  }
  InputSnapshot state;
};

}  // namespace jizdavo

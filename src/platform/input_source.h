#pragma once
// The keyboard and mouse as the game polls them: physical keys as PC set-1 scan codes.

#include <array>
#include <cstdint>

namespace jizdavo {

struct InputSnapshot {
  std::array<bool, 256> scan_codes{};  // down or up; extended keys are 128 + code
  std::array<bool, 4> buttons{};    // 0 left, 1 right, 2 middle, 3 fourth
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
    return s;
  }
  InputSnapshot state;
};

}  // namespace jizdavo

#pragma once
// Keyboard and mouse, polled once per frame: 256 key states in the game's key codes, the mouse
// buttons, and 36 input states bound to keys by a table.

#include <array>
#include <bitset>
#include <cstdint>
#include <span>

#include "platform/input_source.h"

namespace jizdavo {

enum TDXInputState : int {
  StateUp, StateDown, StateLeft, StateRight,
  StateButton1, StateButton2, StateButton3, StateButton4, StateButton5, StateButton6, StateButton7,
  StateButton8, StateButton9, StateButton10, StateButton11, StateButton12, StateButton13, StateButton14,
  StateButton15, StateButton16, StateButton17, StateButton18, StateButton19, StateButton20,
  StateButton21, StateButton22, StateButton23, StateButton24, StateButton25, StateButton26,
  StateButton27, StateButton28, StateButton29, StateButton30, StateButton31, StateButton32,
};
constexpr int kInputStateCount = 36;
using TDXInputStates = std::bitset<kInputStateCount>;

// Up to three key codes per state (0: none); a state is on when any of its keys is down.
using TKeyAssigns = std::array<std::array<int, 3>, kInputStateCount>;
// The stored form of the table: per state, three little-endian 32-bit key codes.
constexpr size_t kKeyAssignsBytes = kInputStateCount * 3 * 4;
TKeyAssigns ParseKeyAssigns(std::span<const uint8_t, kKeyAssignsBytes> bytes);
// The game's bindings: K, Up, keypad 8 walk up; J, Down, keypad 2 down; H, Left, keypad 4 left;
// L, Right, keypad 6 right; Z, Space button 1; X, Enter button 2; F2 button 9.
std::span<const uint8_t, kKeyAssignsBytes> GameKeyAssignBytes();

class TDXInput;

class TKeyboard {
 public:
  bool Enabled = true;
  bool BindInputStates = true;
  TKeyAssigns Assigns = ParseKeyAssigns(GameKeyAssignBytes());

  // Down at the last update, or pressed since the one before even if let go again (a tap shorter than
  // a frame); codes outside 1..255 are never down.
  bool Keys(int code) const;
  const TDXInputStates& States() const { return states_; }

 private:
  friend class TDXInput;
  void Update(const InputSnapshot* snapshot);

  std::array<bool, 256> keys_{};
  TDXInputStates states_;
};

class TMouse {
 public:
  bool Enabled = true;
  // The game steers with the keys only: mouse motion and buttons do not feed the input states.
  bool BindInputStates = false;

  // Button i (0 left, 1 right, 2 middle) was down at the last update, or pressed since the one before.
  bool Buttons(int i) const;
  int X() const { return x_; }
  int Y() const { return y_; }
  const TDXInputStates& States() const { return states_; }

 private:
  friend class TDXInput;
  void Update(const InputSnapshot* snapshot);

  int x_ = 0;
  int y_ = 0;
  TDXInputStates states_;
};

class TDXInput {
 public:
  explicit TDXInput(InputSource& source) : source_(source) {}

  // While the game window is not in the foreground, nothing reads as pressed.
  bool ActiveOnly = true;
  TKeyboard Keyboard;
  TMouse Mouse;

  // Reads the devices once and recomputes States.
  void Update();
  const TDXInputStates& States() const { return states_; }

 private:
  InputSource& source_;
  TDXInputStates states_;
  TDXInputStates previous_;
};

}  // namespace jizdavo

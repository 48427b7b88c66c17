#include "platform/input/dx_input.h"

#include "platform/input/scan_codes.h"
#include "platform/little_endian.h"

namespace jizdavo {

namespace {

// Records 13 to 35 have no keys.
constexpr std::array<uint8_t, kKeyAssignsBytes> kGameKeyAssigns = {
    0x4b, 0, 0, 0, 0x26, 0, 0, 0, 0x68, 0, 0, 0,  // StateUp: K, Up, keypad 8
    0x4a, 0, 0, 0, 0x28, 0, 0, 0, 0x62, 0, 0, 0,  // StateDown: J, Down, keypad 2
    0x48, 0, 0, 0, 0x25, 0, 0, 0, 0x64, 0, 0, 0,  // StateLeft: H, Left, keypad 4
    0x4c, 0, 0, 0, 0x27, 0, 0, 0, 0x66, 0, 0, 0,  // StateRight: L, Right, keypad 6
    0x5a, 0, 0, 0, 0x20, 0, 0, 0, 0, 0, 0, 0,     // StateButton1: Z, Space
    0x58, 0, 0, 0, 0x0d, 0, 0, 0, 0, 0, 0, 0,     // StateButton2: X, Enter
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,           // StateButton3
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,           // StateButton4
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,           // StateButton5
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,           // StateButton6
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,           // StateButton7
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,           // StateButton8
    0x71, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,        // StateButton9: F2
};

// The snapshot the devices may read, or none when nothing may read as pressed.
const InputSnapshot* Readable(const InputSnapshot& snapshot, bool active_only) {
  return active_only && !snapshot.foreground ? nullptr : &snapshot;
}

}  // namespace

TKeyAssigns ParseKeyAssigns(std::span<const uint8_t, kKeyAssignsBytes> bytes) {
  TKeyAssigns assigns{};
  for (size_t state = 0; state < assigns.size(); ++state) {
    for (size_t k = 0; k < 3; ++k) {
      assigns[state][k] = static_cast<int>(ReadLittleEndian32(&bytes[(state * 3 + k) * 4]));
    }
  }
  return assigns;
}

std::span<const uint8_t, kKeyAssignsBytes> GameKeyAssignBytes() { return kGameKeyAssigns; }

bool TKeyboard::Keys(int code) const {
  return code >= 1 && code <= 255 && keys_[static_cast<size_t>(code)];
}

void TKeyboard::Update(const InputSnapshot* snapshot) {
  keys_.fill(false);
  states_.reset();
  if (!snapshot) return;
  for (size_t scan = 0; scan < snapshot->scan_codes.size(); ++scan) {
    // A key let go since it went down still counts for this update, so no tap is lost.
    if (!snapshot->scan_codes[scan] && !snapshot->pressed[scan]) continue;
    keys_[static_cast<size_t>(KeyCodeOfScanCode(static_cast<int>(scan)))] = true;
  }
  for (size_t state = 0; state < Assigns.size(); ++state) {
    for (int code : Assigns[state]) {
      if (Keys(code)) {
        states_.set(state);
        break;
      }
    }
  }
}

bool TMouse::Buttons(int i) const {
  return i >= 0 && i <= 31 && states_.test(static_cast<size_t>(StateButton1 + i));
}

void TMouse::Update(const InputSnapshot* snapshot) {
  x_ = y_ = 0;
  states_.reset();
  if (!snapshot) return;
  x_ = snapshot->motion_x;
  y_ = snapshot->motion_y;
  if (x_ < 0) states_.set(StateLeft);
  if (x_ > 0) states_.set(StateRight);
  if (y_ < 0) states_.set(StateUp);
  if (y_ > 0) states_.set(StateDown);
  // Left, right and middle press buttons 1, 2 and 3.
  for (size_t button = 0; button < 3; ++button) {
    if (snapshot->buttons[button] || snapshot->buttons_pressed[button]) states_.set(StateButton1 + button);
  }
}

void TDXInput::Update() {
  const InputSnapshot snapshot = source_.Read();
  const InputSnapshot* readable = Readable(snapshot, ActiveOnly);
  TDXInputStates held;
  if (Keyboard.Enabled) {
    Keyboard.Update(readable);
    if (Keyboard.BindInputStates) held |= Keyboard.States();
  }
  if (Mouse.Enabled) {
    Mouse.Update(readable);
    if (Mouse.BindInputStates) held |= Mouse.States();
  }
  // Only changes since the last update touch States: presses set, releases clear.
  states_ |= held & ~previous_;
  states_ &= ~(previous_ & ~held);
  previous_ = held;
}

}  // namespace jizdavo

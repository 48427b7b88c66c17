#include "platform/sdl/sdl_input_source.h"

#include <array>
#include <cstdint>
#include <utility>

#include "platform/sdl/sdl_window.h"

namespace jizdavo {

namespace {

struct KeyScan {
  SDL_Scancode sdl;
  uint8_t pc;
};

// Punctuation keeps its physical position, so each key gives the code of its unshifted US character.
constexpr KeyScan kKeyScans[] = {
    {SDL_SCANCODE_ESCAPE, 1},
    {SDL_SCANCODE_1, 2}, {SDL_SCANCODE_2, 3}, {SDL_SCANCODE_3, 4}, {SDL_SCANCODE_4, 5},
    {SDL_SCANCODE_5, 6}, {SDL_SCANCODE_6, 7}, {SDL_SCANCODE_7, 8}, {SDL_SCANCODE_8, 9},
    {SDL_SCANCODE_9, 10}, {SDL_SCANCODE_0, 11},
    {SDL_SCANCODE_MINUS, 12}, {SDL_SCANCODE_EQUALS, 13},
    {SDL_SCANCODE_BACKSPACE, 14}, {SDL_SCANCODE_TAB, 15},
    {SDL_SCANCODE_Q, 16}, {SDL_SCANCODE_W, 17}, {SDL_SCANCODE_E, 18}, {SDL_SCANCODE_R, 19},
    {SDL_SCANCODE_T, 20},
    {SDL_SCANCODE_Y, 21}, {SDL_SCANCODE_U, 22}, {SDL_SCANCODE_I, 23}, {SDL_SCANCODE_O, 24},
    {SDL_SCANCODE_P, 25},
    {SDL_SCANCODE_LEFTBRACKET, 26}, {SDL_SCANCODE_RIGHTBRACKET, 27}, {SDL_SCANCODE_RETURN, 28},
    {SDL_SCANCODE_LCTRL, 29},
    {SDL_SCANCODE_A, 30}, {SDL_SCANCODE_S, 31}, {SDL_SCANCODE_D, 32}, {SDL_SCANCODE_F, 33},
    {SDL_SCANCODE_G, 34},
    {SDL_SCANCODE_H, 35}, {SDL_SCANCODE_J, 36}, {SDL_SCANCODE_K, 37}, {SDL_SCANCODE_L, 38},
    {SDL_SCANCODE_SEMICOLON, 39}, {SDL_SCANCODE_APOSTROPHE, 40}, {SDL_SCANCODE_GRAVE, 41},
    {SDL_SCANCODE_LSHIFT, 42}, {SDL_SCANCODE_BACKSLASH, 43}, {SDL_SCANCODE_NONUSHASH, 43},
    {SDL_SCANCODE_Z, 44}, {SDL_SCANCODE_X, 45}, {SDL_SCANCODE_C, 46}, {SDL_SCANCODE_V, 47},
    {SDL_SCANCODE_B, 48},
    {SDL_SCANCODE_N, 49}, {SDL_SCANCODE_M, 50},
    {SDL_SCANCODE_COMMA, 51}, {SDL_SCANCODE_PERIOD, 52}, {SDL_SCANCODE_SLASH, 53}, {SDL_SCANCODE_RSHIFT, 54},
    {SDL_SCANCODE_KP_MULTIPLY, 55}, {SDL_SCANCODE_LALT, 56}, {SDL_SCANCODE_SPACE, 57},
    {SDL_SCANCODE_CAPSLOCK, 58},
    {SDL_SCANCODE_F1, 59}, {SDL_SCANCODE_F2, 60}, {SDL_SCANCODE_F3, 61}, {SDL_SCANCODE_F4, 62},
    {SDL_SCANCODE_F5, 63}, {SDL_SCANCODE_F6, 64}, {SDL_SCANCODE_F7, 65}, {SDL_SCANCODE_F8, 66},
    {SDL_SCANCODE_F9, 67}, {SDL_SCANCODE_F10, 68},
    {SDL_SCANCODE_NUMLOCKCLEAR, 69}, {SDL_SCANCODE_SCROLLLOCK, 70},
    {SDL_SCANCODE_KP_7, 71}, {SDL_SCANCODE_KP_8, 72}, {SDL_SCANCODE_KP_9, 73}, {SDL_SCANCODE_KP_MINUS, 74},
    {SDL_SCANCODE_KP_4, 75}, {SDL_SCANCODE_KP_5, 76}, {SDL_SCANCODE_KP_6, 77}, {SDL_SCANCODE_KP_PLUS, 78},
    {SDL_SCANCODE_KP_1, 79}, {SDL_SCANCODE_KP_2, 80}, {SDL_SCANCODE_KP_3, 81},
    {SDL_SCANCODE_KP_0, 82}, {SDL_SCANCODE_KP_PERIOD, 83},
    {SDL_SCANCODE_NONUSBACKSLASH, 86}, {SDL_SCANCODE_F11, 87}, {SDL_SCANCODE_F12, 88},
    // Extended keys: 128 + code.
    {SDL_SCANCODE_KP_ENTER, 156}, {SDL_SCANCODE_RCTRL, 157}, {SDL_SCANCODE_KP_DIVIDE, 181},
    {SDL_SCANCODE_PRINTSCREEN, 183}, {SDL_SCANCODE_RALT, 184},
    {SDL_SCANCODE_HOME, 199}, {SDL_SCANCODE_UP, 200}, {SDL_SCANCODE_PAGEUP, 201},
    {SDL_SCANCODE_LEFT, 203}, {SDL_SCANCODE_RIGHT, 205},
    {SDL_SCANCODE_END, 207}, {SDL_SCANCODE_DOWN, 208}, {SDL_SCANCODE_PAGEDOWN, 209},
    {SDL_SCANCODE_INSERT, 210}, {SDL_SCANCODE_DELETE, 211},
    {SDL_SCANCODE_LGUI, 219}, {SDL_SCANCODE_RGUI, 220}, {SDL_SCANCODE_APPLICATION, 221},
};

constexpr std::array<uint8_t, SDL_NUM_SCANCODES> MakePcScanTable() {
  std::array<uint8_t, SDL_NUM_SCANCODES> table{};
  for (const KeyScan& entry : kKeyScans) table[entry.sdl] = entry.pc;
  return table;
}

constexpr std::array<uint8_t, SDL_NUM_SCANCODES> kPcScanOf = MakePcScanTable();

}  // namespace

int PcScanCodeOf(SDL_Scancode scancode) {
  if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
  return kPcScanOf[static_cast<size_t>(scancode)];
}

int GameButtonOf(Uint8 sdl_button) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return 3;
  }
}

void GameKeyboard::Heard(const SDL_KeyboardEvent& key) {
  const auto scan = static_cast<size_t>(PcScanCodeOf(key.keysym.scancode));
  if (key.type == SDL_KEYUP) {
    taken_[scan] = false;
    return;
  }
  // A repeat is no new press; an Enter held before Alt went down stays the game's.
  if (key.repeat != 0) return;
  if (SwitchesFullScreen(key)) {
    taken_[scan] = true;
  } else {
    pressed_[scan] = true;
  }
}

void GameKeyboard::Pressed(int scan_code) { pressed_[static_cast<size_t>(scan_code & 0xFF)] = true; }

void GameKeyboard::Read(const Uint8* keys, int count, InputSnapshot& snapshot) {
  ReadHeld(keys, count, snapshot);
  snapshot.pressed = TakePresses();
}

std::array<bool, 256> GameKeyboard::TakePresses() {
  std::array<bool, 256> pressed = std::exchange(pressed_, {});
  pressed[0] = false;  // keys without a scan code
  return pressed;
}

void GameKeyboard::ReadHeld(const Uint8* keys, int count, InputSnapshot& snapshot) {
  for (int sdl = 0; sdl < count; ++sdl) {
    const auto scan = static_cast<size_t>(PcScanCodeOf(static_cast<SDL_Scancode>(sdl)));
    if (keys[sdl] && !taken_[scan]) snapshot.scan_codes[scan] = true;
  }
  snapshot.scan_codes[0] = false;  // keys without a scan code
}

SdlInputSource::SdlInputSource(SDL_Window* window, SdlGamepads* pads) : window_(window), pads_(pads) {
  SDL_AddEventWatch(&SdlInputSource::HearEvent, this);
}

SdlInputSource::~SdlInputSource() { SDL_DelEventWatch(&SdlInputSource::HearEvent, this); }

int SdlInputSource::HearEvent(void* self, SDL_Event* event) {
  auto& source = *static_cast<SdlInputSource*>(self);
  switch (event->type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      source.keyboard_.Heard(event->key);
      break;
    case SDL_MOUSEBUTTONDOWN:
      source.buttons_pressed_[static_cast<size_t>(GameButtonOf(event->button.button))] = true;
      break;
    case SDL_CONTROLLERBUTTONDOWN:
      if (const int scan = PadButtonScanCode(event->cbutton.button); scan != 0) source.keyboard_.Pressed(scan);
      break;
    default:
      break;
  }
  return 1;
}

InputSnapshot SdlInputSource::Read() {
  // A press is reported once its events were handled: the main loop empties SDL's queue before it
  // polls the frame timer, so the presses heard before this pump are, and those it hears now wait for
  // the next read. A tap that ends a game is then never still on its way to the menus the game hands
  // over to, to work them a second time. A key held is seen at once.
  InputSnapshot snapshot;
  snapshot.pressed = keyboard_.TakePresses();
  snapshot.buttons_pressed = std::exchange(buttons_pressed_, {});
  SDL_PumpEvents();
  int key_count = 0;
  const Uint8* keys = SDL_GetKeyboardState(&key_count);
  keyboard_.ReadHeld(keys, key_count, snapshot);
  if (pads_ != nullptr) pads_->AddTo(snapshot);
  const Uint32 buttons = SDL_GetRelativeMouseState(&snapshot.motion_x, &snapshot.motion_y);
  snapshot.buttons = {(buttons & SDL_BUTTON_LMASK) != 0, (buttons & SDL_BUTTON_RMASK) != 0,
                      (buttons & SDL_BUTTON_MMASK) != 0, (buttons & SDL_BUTTON_X1MASK) != 0};
  snapshot.foreground = window_ && SDL_GetKeyboardFocus() == window_;
  return snapshot;
}

}  // namespace jizdavo

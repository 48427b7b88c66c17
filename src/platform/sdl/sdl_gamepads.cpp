#include "platform/sdl/sdl_gamepads.h"

#include <algorithm>

#include "platform/input/scan_codes.h"

namespace jizdavo {

int PadButtonScanCode(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return kScanUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return kScanDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return kScanLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return kScanRight;
    case SDL_CONTROLLER_BUTTON_A: return kScanEnter;
    case SDL_CONTROLLER_BUTTON_B:
    case SDL_CONTROLLER_BUTTON_START: return kScanEscape;
    default: return 0;
  }
}

namespace {

constexpr SDL_GameControllerButton kButtons[] = {
    SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_START};

// -1, 0 or 1: which way an axis leans past the dead zone.
int Leaning(int value) { return value <= -kStickDeadZone ? -1 : value >= kStickDeadZone ? 1 : 0; }

// The arrow key of a stick axis leaning one way; 0 for the middle.
int ScanCodeOfLeaning(int axis, int leaning) {
  if (leaning == 0) return 0;
  if (axis == SDL_CONTROLLER_AXIS_LEFTX) return leaning < 0 ? kScanLeft : kScanRight;
  return leaning < 0 ? kScanUp : kScanDown;
}

WindowEvent KeyEvent(bool down, int scan_code) {
  WindowEvent key{down ? WindowEvent::Kind::KeyDown : WindowEvent::Kind::KeyUp};
  key.scan_code = scan_code;
  key.key_code = KeyCodeOfScanCode(scan_code);
  return key;
}

}  // namespace

SdlGamepads::SdlGamepads() : started_(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) { Refresh(); }

SdlGamepads::~SdlGamepads() {
  for (SDL_GameController* pad : pads_) SDL_GameControllerClose(pad);
  if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlGamepads::Refresh() {
  if (!started_) return;
  std::erase_if(pads_, [](SDL_GameController* pad) {
    if (SDL_GameControllerGetAttached(pad)) return false;
    SDL_GameControllerClose(pad);
    return true;
  });
  const auto is_open = [this](SDL_JoystickID id) {
    return std::any_of(pads_.begin(), pads_.end(), [id](SDL_GameController* pad) {
      return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id;
    });
  };
  for (int index = 0; index < SDL_NumJoysticks(); ++index) {
    if (!SDL_IsGameController(index) || is_open(SDL_JoystickGetDeviceInstanceID(index))) continue;
    if (SDL_GameController* pad = SDL_GameControllerOpen(index)) pads_.push_back(pad);
  }
}

void SdlGamepads::AddTo(InputSnapshot& snapshot) {
  for (SDL_GameController* pad : pads_) {
    for (SDL_GameControllerButton button : kButtons)
      if (SDL_GameControllerGetButton(pad, button)) snapshot.scan_codes[PadButtonScanCode(button)] = true;
    for (auto axis : {SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY}) {
      const int scan = ScanCodeOfLeaning(axis, Leaning(SDL_GameControllerGetAxis(pad, axis)));
      if (scan != 0) snapshot.scan_codes[scan] = true;
    }
  }
}

std::vector<WindowEvent> SdlGamepads::KeyEventsOf(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
      Refresh();
      return {};
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      const int scan = PadButtonScanCode(event.cbutton.button);
      if (scan == 0) return {};
      return {KeyEvent(event.type == SDL_CONTROLLERBUTTONDOWN, scan)};
    }
    case SDL_CONTROLLERAXISMOTION:
      return StickEvents(event.caxis);
    default:
      return {};
  }
}

// A stick swung from one side straight to the other releases one arrow and presses the other.
std::vector<WindowEvent> SdlGamepads::StickEvents(const SDL_ControllerAxisEvent& motion) {
  if (motion.axis != SDL_CONTROLLER_AXIS_LEFTX && motion.axis != SDL_CONTROLLER_AXIS_LEFTY) return {};
  int& before = leaning_[{motion.which, motion.axis}];
  const int now = Leaning(motion.value);
  std::vector<WindowEvent> keys;
  if (now == before) return keys;
  if (before != 0) keys.push_back(KeyEvent(false, ScanCodeOfLeaning(motion.axis, before)));
  if (now != 0) keys.push_back(KeyEvent(true, ScanCodeOfLeaning(motion.axis, now)));
  before = now;
  return keys;
}

}  // namespace jizdavo

#pragma once
// Window events as the game's controls see them, free of any back end: mouse positions are in the
// 640 x 480 frame's pixels and keys in the game's key codes.

#include <functional>
#include <string>

namespace jizdavo {

struct WindowEvent {
  enum class Kind { MouseDown, MouseUp, MouseMove, KeyDown, KeyUp, TextInput, Activate, Deactivate, Quit };
  explicit WindowEvent(Kind what) : kind(what) {}

  Kind kind;
  int x = 0;         // mouse events: frame position
  int y = 0;
  int button = 0;    // 0 left, 1 right, 2 middle, 3 fourth
  int key_code = 0;  // key events: 1..255, 0 for keys the game has no code for
  int scan_code = 0;  // key events: PC set-1 scan code, extended keys as 128 + code; 0 when not known
  bool repeat = false;  // key down: the key was already down (the keyboard's own repeat)
  std::string text;  // text input: UTF-8
};

using WindowEventListener = std::function<void(const WindowEvent&)>;

}  // namespace jizdavo

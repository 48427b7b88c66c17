#pragma once
// Test helpers for the menus' controls: window events as the SDL loop would deliver them.

#include <string>

#include "widgets/controls/control_layer.h"
#include "widgets/controls/simple_controls.h"

namespace jizdavo::testing {

inline WindowEvent MouseEvent(WindowEvent::Kind kind, int x, int y, int button = 0) {
  WindowEvent event{kind};
  event.x = x;
  event.y = y;
  event.button = button;
  return event;
}

inline bool Press(ControlLayer& layer, int x, int y, int button = 0) {
  return layer.HandleEvent(MouseEvent(WindowEvent::Kind::MouseDown, x, y, button));
}

inline bool Release(ControlLayer& layer, int x, int y, int button = 0) {
  return layer.HandleEvent(MouseEvent(WindowEvent::Kind::MouseUp, x, y, button));
}

inline bool Move(ControlLayer& layer, int x, int y) {
  return layer.HandleEvent(MouseEvent(WindowEvent::Kind::MouseMove, x, y));
}

inline void ClickAt(ControlLayer& layer, int x, int y, int button = 0) {
  Press(layer, x, y, button);
  Release(layer, x, y, button);
}

inline bool KeyDown(ControlLayer& layer, int key_code, int scan_code = 0) {
  WindowEvent event{WindowEvent::Kind::KeyDown};
  event.key_code = key_code;
  event.scan_code = scan_code;
  return layer.HandleEvent(event);
}

inline bool Type(ControlLayer& layer, const std::string& utf8) {
  WindowEvent event{WindowEvent::Kind::TextInput};
  event.text = utf8;
  return layer.HandleEvent(event);
}

// Two panels on a layer, each at its left, top, width and height; `front`, added last, is in front.
struct TwoPanels {
  struct Place {
    int left, top, width, height;
  };
  TwoPanels(Place back_place, Place front_place) {
    back.SetBounds(back_place.left, back_place.top, back_place.width, back_place.height);
    front.SetBounds(front_place.left, front_place.top, front_place.width, front_place.height);
    back.SetParent(&layer);
    front.SetParent(&layer);
  }

  ControlLayer layer;
  TPanel back;
  TPanel front;
};

}  // namespace jizdavo::testing

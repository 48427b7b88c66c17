#pragma once
// The root of the menus' controls: it covers the 640 x 480 frame, holds the top-level controls (the
// panels and the version text), routes the window's mouse and key events to them and paints them over
// the composed frame.

#include <array>
#include <utility>

#include "platform/input/window_events.h"
#include "widgets/controls/control.h"
#include "widgets/controls/paint_cache.h"

namespace jizdavo {

class ControlLayer final : public TControl {
 public:
  ControlLayer();

  bool Windowed() const override { return true; }

  // Mouse events go to the frontmost control under the pointer; while a button is held they all go
  // to the control that took the press (positions relative to it, even outside it). Keys and typed
  // text go to the focused control while it is in front. True when a control took the event.
  bool HandleEvent(const WindowEvent& event);
  // Paints every visible control, back to front, over `frame`.
  void Compose(TSurface& frame);

  TControl* FocusedControl() const override { return focus_; }
  // nullptr gives the keys back to the game (the display's focus). Raises OnExit and OnEnter.
  void SetFocusedControl(TControl* control);
  TControl* MouseCapture() const { return capture_; }

  // A modal control (the message box) shows in front of everything and takes the focus; while it
  // shows, mouse events and keys reach only it and its children, and nothing under it hears of them.
  // Ending it hides it and gives the focus back to where it was.
  void ShowModal(TControl& control);
  void EndModal(TControl& control);
  // The modal control while it shows, else nullptr.
  TControl* ModalControl() const;
  TShiftState ButtonsHeld() const { return held_; }

  // A key whose press was used up elsewhere (by the game), or was under way when a field that takes
  // text got the focus: its presses, repeats and typed text reach no control, and are reported as
  // taken, until the key is let go.
  void HoldBack(int key_code);
  // Down as the key events so far tell.
  bool KeyDown(int key_code) const;
  // The keys that went down (not repeats) since the last call.
  std::array<bool, 256> TakeKeysPressed() { return std::exchange(pressed_, {}); }

 protected:
  void Forget(TControl* control) override;
  void RequestFocus(TControl* control) override;
  // The panels' paintings are kept while nothing in them changes.
  void PaintChild(TControl& child, TSurface& frame, int x, int y, const TRect& clip) override;

 private:
  bool MouseDownEvent(const WindowEvent& event);
  bool MouseMoveEvent(const WindowEvent& event);
  bool MouseUpEvent(const WindowEvent& event);
  bool KeyEvent(const WindowEvent& event);
  // Notes keys going down and up; true when the event belongs to a key held back.
  bool HeldBackKeyEvent(const WindowEvent& event);
  // The control a mouse event goes to: the one holding the mouse, else the one under the pointer
  // (nothing outside a modal control).
  TControl* MouseTarget(int x, int y);
  void ReleaseMouse();

  TControl* capture_ = nullptr;
  TControl* left_press_ = nullptr;  // a release of the left button over it is a click
  TControl* focus_ = nullptr;
  TControl* modal_ = nullptr;
  TControl* focus_before_modal_ = nullptr;
  TShiftState held_ = 0;
  std::array<bool, 256> down_{};
  std::array<bool, 256> pressed_{};
  std::array<bool, 256> held_back_{};
  bool text_held_back_ = false;  // the text of the last key down is not typed
  PaintCache paint_cache_;
};

}  // namespace jizdavo

#include "widgets/controls/control_layer.h"

#include "platform/pixels/surface.h"
#include "widgets/controls/control_text.h"

namespace jizdavo {

namespace {

constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;

bool IsWithin(const TControl* control, const TControl* ancestor) {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == ancestor) return true;
  return false;
}

// The game's key codes give the apostrophe the Right arrow's code and the period Delete's. Their
// characters arrive as typed text, so to the controls these two keys are no key at all.
int ControlKeyCode(const WindowEvent& event) {
  constexpr int kApostropheScan = 40, kPeriodScan = 52;
  return event.scan_code == kApostropheScan || event.scan_code == kPeriodScan ? 0 : event.key_code;
}

bool ButtonOf(const WindowEvent& event, TMouseButton& button) {
  if (event.button < 0 || event.button > static_cast<int>(TMouseButton::mbExtra)) return false;
  button = static_cast<TMouseButton>(event.button);
  return true;
}

}  // namespace

ControlLayer::ControlLayer() { SetBounds(0, 0, kFrameWidth, kFrameHeight); }

void ControlLayer::Compose(TSurface& frame) { PaintTree(frame, Left, Top, frame.ClientRect()); }

bool ControlLayer::HandleEvent(const WindowEvent& event) {
  if (HeldBackKeyEvent(event)) return true;
  switch (event.kind) {
    case WindowEvent::Kind::MouseDown:
      return MouseDownEvent(event);
    case WindowEvent::Kind::MouseMove:
      return MouseMoveEvent(event);
    case WindowEvent::Kind::MouseUp:
      return MouseUpEvent(event);
    case WindowEvent::Kind::KeyDown:
    case WindowEvent::Kind::TextInput:
      return KeyEvent(event);
    case WindowEvent::Kind::Deactivate:
      // Releases happen elsewhere while the window is in the background.
      held_ = 0;
      down_ = held_back_ = {};
      ReleaseMouse();
      return false;
    default:
      return false;
  }
}

TControl* ControlLayer::MouseTarget(int x, int y) {
  if (capture_ && !capture_->Showing()) ReleaseMouse();
  if (capture_) return capture_;
  TControl* target = ControlAt(x, y);
  const TControl* modal = ModalControl();
  return modal && !IsWithin(target, modal) ? nullptr : target;
}

void ControlLayer::ShowModal(TControl& control) {
  if (!modal_) focus_before_modal_ = focus_;
  modal_ = &control;
  ReleaseMouse();
  control.Show();
  control.BringToFront();
  SetFocusedControl(&control);
}

void ControlLayer::EndModal(TControl& control) {
  if (modal_ != &control) return;
  modal_ = nullptr;
  control.Hide();
  SetFocusedControl(focus_before_modal_);
  focus_before_modal_ = nullptr;
}

TControl* ControlLayer::ModalControl() const { return modal_ && modal_->Showing() ? modal_ : nullptr; }

void ControlLayer::ReleaseMouse() {
  capture_ = nullptr;
  left_press_ = nullptr;
}

bool ControlLayer::MouseDownEvent(const WindowEvent& event) {
  TMouseButton button;
  if (!ButtonOf(event, button)) return false;
  held_ |= ShiftOf(button);
  TControl* target = MouseTarget(event.x, event.y);
  if (!target) return ModalControl() != nullptr;
  capture_ = target;
  if (button == TMouseButton::mbLeft) left_press_ = target;
  // A press on a list or field focuses it before the control hears of the press.
  if (target->CanFocus()) SetFocusedControl(target);
  target->MouseDown(button, held_, event.x - target->ScreenLeft(), event.y - target->ScreenTop());
  return true;
}

bool ControlLayer::MouseMoveEvent(const WindowEvent& event) {
  TControl* target = MouseTarget(event.x, event.y);
  if (!target) return ModalControl() != nullptr;
  target->MouseMove(held_, event.x - target->ScreenLeft(), event.y - target->ScreenTop());
  return true;
}

bool ControlLayer::MouseUpEvent(const WindowEvent& event) {
  TMouseButton button;
  if (!ButtonOf(event, button)) return false;
  held_ &= ~ShiftOf(button);
  TControl* target = MouseTarget(event.x, event.y);
  if (!target) return ModalControl() != nullptr;
  const int x = event.x - target->ScreenLeft();
  const int y = event.y - target->ScreenTop();
  const bool clicked = button == TMouseButton::mbLeft && left_press_ == target;
  if (button == TMouseButton::mbLeft) left_press_ = nullptr;
  if (held_ == 0) capture_ = nullptr;
  // The click comes before the release's own event, and only when the pointer is still over it.
  if (clicked && x >= 0 && y >= 0 && x < target->Width && y < target->Height) target->Click();
  target->MouseUp(button, held_, x, y);
  return true;
}

bool ControlLayer::KeyEvent(const WindowEvent& event) {
  if (TControl* modal = ModalControl(); modal && !IsWithin(focus_, modal)) SetFocusedControl(modal);
  if (!focus_ || !focus_->Enabled || !focus_->InFront()) return false;
  if (event.kind == WindowEvent::Kind::KeyDown) {
    focus_->KeyDown(ControlKeyCode(event));
  } else {
    for (char c : Latin1FromUtf8(event.text)) focus_->KeyChar(c);
  }
  return true;
}

void ControlLayer::HoldBack(int key_code) {
  if (key_code > 0 && key_code < 256) held_back_[static_cast<size_t>(key_code)] = true;
}

bool ControlLayer::KeyDown(int key_code) const {
  return key_code > 0 && key_code < 256 && down_[static_cast<size_t>(key_code)];
}

// A typed character follows the key down it comes from.
bool ControlLayer::HeldBackKeyEvent(const WindowEvent& event) {
  const auto code = static_cast<size_t>(event.key_code & 0xFF);
  switch (event.kind) {
    case WindowEvent::Kind::KeyDown:
      if (!event.repeat) pressed_[code] = true;
      down_[code] = code != 0;
      text_held_back_ = held_back_[code];
      return text_held_back_;
    case WindowEvent::Kind::KeyUp: {
      down_[code] = false;
      return std::exchange(held_back_[code], false);
    }
    case WindowEvent::Kind::TextInput:
      return std::exchange(text_held_back_, false);
    default:
      return false;
  }
}

void ControlLayer::SetFocusedControl(TControl* control) {
  if (control == focus_) return;
  TControl* old = focus_;
  focus_ = control;
  // Only what is typed after a field opened goes into it.
  if (control && control->TakesText()) {
    for (size_t code = 1; code < down_.size(); ++code) held_back_[code] = held_back_[code] || down_[code];
  }
  if (old && old->OnExit) old->OnExit(old);
  if (control && control->OnEnter) control->OnEnter(control);
}

void ControlLayer::RequestFocus(TControl* control) {
  if (control->Showing() && control->Enabled) SetFocusedControl(control);
}

void ControlLayer::Forget(TControl* control) {
  if (IsWithin(capture_, control)) capture_ = nullptr;
  if (IsWithin(left_press_, control)) left_press_ = nullptr;
  if (IsWithin(focus_, control)) focus_ = nullptr;
  if (IsWithin(modal_, control)) modal_ = nullptr;
  if (IsWithin(focus_before_modal_, control)) focus_before_modal_ = nullptr;
  paint_cache_.Forget(control);
}

void ControlLayer::PaintChild(TControl& child, TSurface& frame, int x, int y, const TRect& clip) {
  paint_cache_.PaintTree(child, frame, x, y, clip);
}

}  // namespace jizdavo

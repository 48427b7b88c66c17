#pragma once
// The base of the menus' controls: a rectangle in its parent with children in z-order, mouse and
// keyboard events, and painting onto the composed frame. Controls do not own one another: the main
// window holds them all as members and only links them into parents.

#include <functional>
#include <string>
#include <vector>

#include "platform/rect.h"

namespace jizdavo {

class TSurface;
class TControl;

enum class TMouseButton { mbLeft, mbRight, mbMiddle, mbExtra };

// The mouse buttons held during an event, one bit each.
using TShiftState = unsigned;
constexpr TShiftState ssLeft = 1;
constexpr TShiftState ssRight = 2;
constexpr TShiftState ssMiddle = 4;
constexpr TShiftState ssExtra = 8;
constexpr TShiftState ShiftOf(TMouseButton button) { return 1u << static_cast<unsigned>(button); }

// Handlers get the control that raised them; a handler called by other game code gets nullptr.
using TNotifyEvent = std::function<void(TControl* Sender)>;
using TMouseEvent =
    std::function<void(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TControl* Sender, TShiftState Shift, int X, int Y)>;

class TControl {
 public:
  TControl() = default;
  // Leaves its parent; its children are left without one.
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  // Position inside the parent and size, in pixels.
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Visible = true;
  // A disabled control lets the mouse fall through to what lies under it and takes no keys.
  bool Enabled = true;

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnEnter;  // the control has received the keyboard focus
  TNotifyEvent OnExit;

  void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(Left, Top, Width, Height); }
  void Show() { Visible = true; }
  void Hide() { Visible = false; }
  // Visible itself and every parent up to the root.
  bool Showing() const;

  TControl* Parent() const { return parent_; }
  // Joins `parent` in front of its other children of the same kind; nullptr takes it out.
  void SetParent(TControl* parent);
  // Back to front. Windowed controls always lie over the windowless ones of the same parent, so the
  // order paints and hit tests use is: windowless ones in this order, then windowed ones in this order.
  const std::vector<TControl*>& Controls() const { return children_; }
  void BringToFront();
  void SendToBack();

  // Top-left corner in the root's (the frame's) pixels.
  int ScreenLeft() const;
  int ScreenTop() const;

  // The frontmost visible, enabled descendant under (x, y), given in this control's own pixels;
  // nullptr when no child is there.
  TControl* ControlAt(int x, int y);
  // Hidden controls and those under a later windowed sibling are not in front.
  bool InFront() const;

  // Windowed controls (panels, lists, fields) cover windowless ones (labels, shapes, pictures).
  virtual bool Windowed() const { return false; }
  virtual bool CanFocus() const { return false; }
  // Typed characters go into it while it has the focus.
  virtual bool TakesText() const { return false; }
  // Paints every pixel of its rectangle, so whatever lies wholly under it need not be painted.
  virtual bool Opaque() const { return false; }
  // Appends to `look` everything this control's own painting depends on besides its bounds, so that
  // a painted copy can be shown again while the look stays the same. False when the control cannot
  // tell (pictures, lists, fields ...): then its painting is never reused.
  virtual bool AppendLook(std::string&) const { return false; }
  // Asks the root for the keyboard focus; only a control that can take it and is in front gets it.
  void SetFocus();
  bool Focused() const;

  // Paints this control and its children, back to front. `clip` is the part of the frame the parent
  // lets it paint; (x, y) is where its own top-left corner lands on the frame.
  void PaintTree(TSurface& frame, int x, int y, const TRect& clip);

  // What the root's event routing calls; positions are in this control's own pixels.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // The platform's click: the left button pressed and released over the control.
  virtual void Click();
  // Keys by key code and typed characters (8-bit); only the focused control gets them.
  virtual void KeyDown(int) {}
  virtual void KeyChar(char) {}

 protected:
  // `place` is the control's rectangle on the frame; `clip` is its parent's clip (text may overhang).
  virtual void Paint(TSurface&, const TRect& /*place*/, const TRect& /*clip*/) {}
  // Sizes that follow the content (an auto-sized label) are brought up to date here, before painting
  // and hit testing.
  virtual void UpdateSize() {}
  // Called on the root when a control leaves the tree, so that nothing keeps pointing at it.
  virtual void Forget(TControl*) {}
  // The root's keyboard focus: the control holding it, and a request to move it.
  virtual TControl* FocusedControl() const { return nullptr; }
  virtual void RequestFocus(TControl*) {}
  TControl* Root();
  const TControl* Root() const;
  // Paints one child's tree; the root reuses earlier paintings here.
  virtual void PaintChild(TControl& child, TSurface& frame, int x, int y, const TRect& clip);

 private:
  void Detach();
  void PaintChildren(TSurface& frame, int x, int y, const TRect& clip, bool windowed);
  // The part of `clip` windowed child `index` shows in: its bounds less what later opaque windowed
  // siblings cover, where that leaves one rectangle. (x, y) is this control's corner on the frame.
  TRect UncoveredPart(size_t index, int x, int y, const TRect& clip) const;
  TControl* ChildAt(int x, int y, bool windowed);

  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
};

// The intersection of two rectangles (empty when they do not overlap).
TRect IntersectRect(const TRect& a, const TRect& b);

}  // namespace jizdavo

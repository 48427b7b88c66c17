#include "widgets/controls/control.h"

#include <algorithm>

namespace jizdavo {

TRect IntersectRect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (r.IsEmpty()) return {};
  return r;
}

namespace {

bool Contains(const TRect& r, int x, int y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

// Whether `sibling` hides part of `control` (both children of one parent).
bool Covers(const TControl& sibling, const TControl& control, bool sibling_is_later) {
  if (!sibling.Visible || !OverlapRect(sibling.BoundsRect(), control.BoundsRect())) return false;
  if (sibling.Windowed() != control.Windowed()) return sibling.Windowed();
  return sibling_is_later;
}

// `clip` without the part `cover` hides, where what is left is one rectangle; otherwise `clip` whole.
TRect CutAway(const TRect& clip, const TRect& cover) {
  TRect r = clip;
  if (cover.Top <= r.Top && cover.Bottom >= r.Bottom) {
    if (cover.Left <= r.Left && cover.Right > r.Left) r.Left = std::min(cover.Right, r.Right);
    else if (cover.Right >= r.Right && cover.Left < r.Right) r.Right = std::max(cover.Left, r.Left);
  } else if (cover.Left <= r.Left && cover.Right >= r.Right) {
    if (cover.Top <= r.Top && cover.Bottom > r.Top) r.Top = std::min(cover.Bottom, r.Bottom);
    else if (cover.Bottom >= r.Bottom && cover.Top < r.Bottom) r.Bottom = std::max(cover.Top, r.Top);
  }
  return r.IsEmpty() ? TRect{} : r;
}

}  // namespace

TControl::~TControl() {
  Detach();
  for (TControl* child : children_) child->parent_ = nullptr;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  Left = left;
  Top = top;
  Width = width;
  Height = height;
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->Visible) return false;
  return true;
}

TControl* TControl::Root() {
  TControl* c = this;
  while (c->parent_) c = c->parent_;
  return c;
}

const TControl* TControl::Root() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return c;
}

void TControl::Detach() {
  if (!parent_) return;
  Root()->Forget(this);
  std::erase(parent_->children_, this);
  parent_ = nullptr;
}

void TControl::SetParent(TControl* parent) {
  if (parent == parent_) return;
  Detach();
  if (!parent) return;
  parent_ = parent;
  parent->children_.push_back(this);
}

void TControl::BringToFront() {
  if (!parent_) return;
  std::erase(parent_->children_, this);
  parent_->children_.push_back(this);
}

void TControl::SendToBack() {
  if (!parent_) return;
  std::erase(parent_->children_, this);
  parent_->children_.insert(parent_->children_.begin(), this);
}

int TControl::ScreenLeft() const {
  int x = 0;
  for (const TControl* c = this; c; c = c->parent_) x += c->Left;
  return x;
}

int TControl::ScreenTop() const {
  int y = 0;
  for (const TControl* c = this; c; c = c->parent_) y += c->Top;
  return y;
}

TControl* TControl::ChildAt(int x, int y, bool windowed) {
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    TControl* child = *it;
    if (child->Windowed() != windowed || !child->Visible || !child->Enabled) continue;
    child->UpdateSize();
    if (!Contains(child->BoundsRect(), x, y)) continue;
    TControl* deeper = child->ControlAt(x - child->Left, y - child->Top);
    return deeper ? deeper : child;
  }
  return nullptr;
}

TControl* TControl::ControlAt(int x, int y) {
  TControl* hit = ChildAt(x, y, true);
  return hit ? hit : ChildAt(x, y, false);
}

bool TControl::InFront() const {
  const TControl* c = this;
  for (; c->parent_; c = c->parent_) {
    if (!c->Visible) return false;
    const auto& siblings = c->parent_->children_;
    const auto self = std::find(siblings.begin(), siblings.end(), c);
    for (auto it = siblings.begin(); it != siblings.end(); ++it)
      if (it != self && Covers(**it, *c, it > self)) return false;
  }
  return c->Visible;
}

void TControl::SetFocus() {
  if (CanFocus()) Root()->RequestFocus(this);
}

bool TControl::Focused() const { return Root()->FocusedControl() == this; }

void TControl::PaintTree(TSurface& frame, int x, int y, const TRect& clip) {
  if (!Visible) return;
  UpdateSize();
  const TRect place = Bounds(x, y, Width, Height);
  Paint(frame, place, clip);
  const TRect inner = IntersectRect(clip, place);
  if (inner.IsEmpty() || children_.empty()) return;
  PaintChildren(frame, x, y, inner, false);
  PaintChildren(frame, x, y, inner, true);
}

// A windowed control paints only inside its own bounds, so what later opaque windowed siblings cover
// need not be painted (the stacked menu panels).
TRect TControl::UncoveredPart(size_t index, int x, int y, const TRect& clip) const {
  const TControl& child = *children_[index];
  TRect r = IntersectRect(clip, Bounds(x + child.Left, y + child.Top, child.Width, child.Height));
  for (size_t later = index + 1; later < children_.size() && !r.IsEmpty(); ++later) {
    const TControl& s = *children_[later];
    if (s.Windowed() && s.Visible && s.Opaque())
      r = CutAway(r, Bounds(x + s.Left, y + s.Top, s.Width, s.Height));
  }
  return r;
}

void TControl::PaintChildren(TSurface& frame, int x, int y, const TRect& clip, bool windowed) {
  for (size_t i = 0; i < children_.size(); ++i) {
    TControl* child = children_[i];
    if (child->Windowed() != windowed) continue;
    child->UpdateSize();
    const TRect child_clip = windowed ? UncoveredPart(i, x, y, clip) : clip;
    if (!child_clip.IsEmpty()) PaintChild(*child, frame, x + child->Left, y + child->Top, child_clip);
  }
}

void TControl::PaintChild(TControl& child, TSurface& frame, int x, int y, const TRect& clip) {
  child.PaintTree(frame, x, y, clip);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

}  // namespace jizdavo

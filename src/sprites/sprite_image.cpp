#include "sprites/sprite_image.h"

#include <algorithm>
#include <cmath>

#include "sprites/sprite_engine.h"

namespace jizdavo {

namespace {

// A modulo that is never negative.
int PositiveModulo(int value, int divisor) {
  const int m = value % divisor;
  return m < 0 ? m + divisor : m;
}

// The part of `a` inside `b`; empty rectangles have Right <= Left or Bottom <= Top.
TRect Intersection(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

}  // namespace

void TImageSprite::SetImage(TPictureCollectionItem* item) {
  ImageItem = item;
  Width = item ? item->Width() : 0;
  Height = item ? item->Height() : 0;
}

int32_t TImageSprite::FrameIndex() const { return static_cast<int32_t>(std::trunc(FramePos)) + FirstFrame; }

TRect TImageSprite::DrawRect() const {
  TRect r = BoundingRect();
  if (!ImageItem) return r;
  const int dx = (Width - ImageItem->Width()) / 2;
  const int dy = (Height - ImageItem->Height()) / 2;
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

void TImageSprite::Render() {
  // Drawing without a picture or a target would have nothing to draw with or on.
  if (!ImageItem || !Engine() || !Engine()->Target()) return;
  const TRect r = DrawRect();
  ImageItem->DrawAt(*Engine()->Target(), r.Left, r.Top, FrameIndex());
}

void TImageSprite::Step(int32_t MoveCount) {
  FramePos += FrameSpeed * MoveCount;
  if (FrameLoop) {
    if (FrameCount > 0) {
      FramePos -= std::trunc(FramePos / FrameCount) * FrameCount;
      if (FramePos < 0) FramePos += FrameCount;
    } else {
      FramePos = 0;
    }
    return;
  }
  if (FramePos >= FrameCount) {
    FramePos = FrameCount - 1;
    FrameSpeed = 0;
  }
  if (FramePos < 0) {
    FramePos = 0;
    FrameSpeed = 0;
  }
}

TRect TImageSprite::BoundingRect() const {
  int left = static_cast<int>(AbsoluteX());
  int top = static_cast<int>(AbsoluteY());
  if (Wrapped && Engine()) {
    const TRect& target = Engine()->TargetRect();
    const int span_x = target.Right + Width;
    const int span_y = target.Bottom + Height;
    if (span_x > 0) left = PositiveModulo(left, span_x);
    if (span_y > 0) top = PositiveModulo(top, span_y);
    if (left > target.Right) left -= span_x;
    if (top > target.Bottom) top -= span_y;
  }
  return Bounds(left, top, Width, Height);
}

bool TImageSprite::Overlaps(TSprite* Other) {
  auto* other = dynamic_cast<TImageSprite*>(Other);
  if (!other || !PixelExact) return true;
  return PixelsOverlap(*other);
}

// Both patterns placed where they draw; true at the first screen position where both are solid
// (differ from their surface's colour key).
bool TImageSprite::PixelsOverlap(const TImageSprite& other) const {
  const TRect r1 = DrawRect();
  const TRect r2 = other.DrawRect();
  if (!OverlapRect(r1, r2)) return false;
  if (!ImageItem || !other.ImageItem) return true;
  const TSurface* s1 = ImageItem->PatternSurface(FrameIndex());
  const TSurface* s2 = other.ImageItem->PatternSurface(other.FrameIndex());
  if (!s1 || !s2) return true;
  const TRect p1 = ImageItem->PatternRect(FrameIndex());
  const TRect p2 = other.ImageItem->PatternRect(other.FrameIndex());
  // Where each pattern lies on the screen, clipped to the other sprite's draw rectangle.
  const TRect on_screen1 = Bounds(r1.Left, r1.Top, p1.Width(), p1.Height());
  const TRect on_screen2 = Bounds(r2.Left, r2.Top, p2.Width(), p2.Height());
  const TRect common = Intersection(Intersection(r1, r2), Intersection(on_screen1, on_screen2));
  for (int y = common.Top; y < common.Bottom; ++y) {
    for (int x = common.Left; x < common.Right; ++x) {
      const uint32_t a = s1->GetPixel(x - r1.Left + p1.Left, y - r1.Top + p1.Top);
      const uint32_t b = s2->GetPixel(x - r2.Left + p2.Left, y - r2.Top + p2.Top);
      if (a != s1->ColorKey() && b != s2->ColorKey()) return true;
    }
  }
  return false;
}

}  // namespace jizdavo

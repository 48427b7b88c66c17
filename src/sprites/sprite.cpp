#include "sprites/sprite.h"

#include <algorithm>
#include <string>

#include "sprites/sprite_engine.h"

namespace jizdavo {

TSprite::TSprite(TSprite* AParent) : parent_(AParent) {
  if (!parent_) return;
  parent_->children_.push_back(this);
  parent_->InsertByZ(this);
  auto* root = dynamic_cast<TSpriteEngine*>(parent_);
  engine_ = root && !parent_->parent_ ? root : parent_->engine_;
}

TSprite::~TSprite() {
  FreeChildren();
  if (parent_) {
    parent_->RemoveChild(this);
    if (engine_) engine_->Unqueue(this);
  }
}

void TSprite::RemoveChild(TSprite* sprite) {
  std::erase(children_, sprite);
  std::erase(draw_order_, sprite);
}

// Binary search for the first sibling whose Z is not below the sprite's: among equal Z the sprite
// inserted last goes first, underneath the others.
void TSprite::InsertByZ(TSprite* sprite) {
  int lo = 0;
  int hi = static_cast<int>(draw_order_.size()) - 1;
  while (hi >= lo) {
    const int mid = (lo + hi) / 2;
    if (draw_order_[static_cast<size_t>(mid)]->z_ - sprite->z_ < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  draw_order_.insert(draw_order_.begin() + lo, sprite);
}

void TSprite::SetZ(int32_t z) {
  if (z == z_) return;
  z_ = z;
  if (!parent_) return;
  std::erase(parent_->draw_order_, this);
  parent_->InsertByZ(this);
}

TSprite* TSprite::Child(int32_t i) const {
  if (children_.empty()) {
    throw ESpriteError("Index of the list exceeds the range. (" + std::to_string(i) + ")");
  }
  return children_.at(static_cast<size_t>(i));
}

void TSprite::Kill() {
  if (!engine_ || dead_) return;
  dead_ = true;
  engine_->dead_sprites_.push_back(this);
}

int32_t TSprite::TestCollisions() {
  if (!engine_ || dead_ || !Collidable) return 0;
  return engine_->RunCollisionPass(this);
}

void TSprite::MoveTree(int32_t MoveCount) {
  if (!Movable) return;
  Step(MoveCount);
  // Sprites created by the hooks join at the end and move from the next frame on.
  const int32_t n = ChildCount();
  for (int32_t i = 0; i < n; ++i) children_[static_cast<size_t>(i)]->MoveTree(MoveCount);
}

void TSprite::DrawTree() {
  if (!Visible) return;
  if (engine_ && OverlapRect(BoundingRect(), engine_->TargetRect())) Render();
  const size_t n = draw_order_.size();
  for (size_t i = 0; i < n; ++i) draw_order_[i]->DrawTree();
}

void TSprite::FreeChildren() {
  while (!children_.empty()) delete children_.back();
}

void TSprite::Collided(TSprite*, bool&) {}

void TSprite::Render() {}

void TSprite::Step(int32_t) {}

TRect TSprite::BoundingRect() const {
  return Bounds(static_cast<int>(AbsoluteX()), static_cast<int>(AbsoluteY()), Width, Height);
}

bool TSprite::Overlaps(TSprite*) { return true; }

}  // namespace jizdavo

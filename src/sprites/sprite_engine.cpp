#include "sprites/sprite_engine.h"

#include <algorithm>

namespace jizdavo {

namespace {

// Enough for a frame's kills without growing the queue during a pass.
constexpr size_t kDeadQueueReserve = 64;

}  // namespace

TSpriteEngine::TSpriteEngine() : TSprite(nullptr) { dead_sprites_.reserve(kDeadQueueReserve); }

// The children leave the dead queue as they go, so it must outlive them.
TSpriteEngine::~TSpriteEngine() { FreeChildren(); }

void TSpriteEngine::FreeDead() {
  while (!dead_sprites_.empty()) delete dead_sprites_.back();
}

void TSpriteEngine::Unqueue(TSprite* sprite) {
  auto it = std::find(dead_sprites_.rbegin(), dead_sprites_.rend(), sprite);
  if (it != dead_sprites_.rend()) dead_sprites_.erase(std::next(it).base());
}

void TSpriteEngine::SetTarget(TSurface* surface) {
  target_ = surface;
  if (!surface) return;
  target_rect_ = surface->ClientRect();
  Width = surface->Width();
  Height = surface->Height();
}

int32_t TSpriteEngine::RunCollisionPass(TSprite* tester) {
  HitCount = 0;
  PassStop = false;
  PassRect = tester->BoundingRect();
  PassTester = tester;
  const int32_t n = ChildCount();
  for (int32_t i = 0; i < n; ++i) VisitForCollision(children_[static_cast<size_t>(i)]);
  return HitCount;
}

void TSpriteEngine::VisitForCollision(TSprite* sprite) {
  if (PassStop || !sprite->Collidable) return;
  TSprite* tester = PassTester;
  // The cheap rectangle test first; Overlaps may compare pixels.
  if (sprite != tester && OverlapRect(sprite->BoundingRect(), PassRect) && tester->Overlaps(sprite) &&
      sprite->Overlaps(tester)) {
    ++HitCount;
    tester->Collided(sprite, PassStop);
    if (!tester->Collidable || tester->IsDead()) PassStop = true;
  }
  const int32_t n = sprite->ChildCount();
  for (int32_t i = 0; i < n; ++i) VisitForCollision(sprite->children_[static_cast<size_t>(i)]);
}

}  // namespace jizdavo

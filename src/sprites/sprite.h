#pragma once
// The sprite tree: every object of the play field is a sprite owned by its parent, and the root engine
// runs the move, free-the-dead and draw passes over the tree once per frame.
//
// Ownership: `new TCar(root)` hands the new sprite to its parent, which frees it when it is freed
// itself. A sprite is freed by the engine's FreeDead after Kill, by its parent's FreeChildren, or by
// `delete`, which takes it out of its parent's lists and the dead queue. Never free a sprite while a
// pass runs: Kill it and let FreeDead free it between the passes.

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "platform/rect.h"

namespace jizdavo {

class TSpriteEngine;

// A bad child index.
class ESpriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TSprite {
 public:
  // Registers the sprite under `AParent`; only a root has none.
  explicit TSprite(TSprite* AParent);
  virtual ~TSprite();
  TSprite(const TSprite&) = delete;
  TSprite& operator=(const TSprite&) = delete;

  TSpriteEngine* Engine() const { return engine_; }
  TSprite* Parent() const { return parent_; }
  bool IsDead() const { return dead_; }

  bool Collidable = true;
  bool Movable = true;  // the sprite and its subtree take part in the move pass
  bool Visible = true;  // the sprite and its subtree take part in the draw pass
  double X = 0.0;       // top-left corner, relative to the parent
  double Y = 0.0;
  int32_t Width = 0;    // the collision and culling rectangle
  int32_t Height = 0;

  // Drawing order among siblings: lower draws first, underneath.
  int32_t Z() const { return z_; }
  // A sprite moved to another Z goes below the siblings that already have it.
  void SetZ(int32_t z);

  // Inline: every frame asks them several times of every sprite.
  double AbsoluteX() const { return parent_ ? X + parent_->AbsoluteX() : X; }
  double AbsoluteY() const { return parent_ ? Y + parent_->AbsoluteY() : Y; }
  int32_t ChildCount() const { return static_cast<int32_t>(children_.size()); }
  // In creation order. Raises ESpriteError on a sprite without children, std::out_of_range otherwise.
  TSprite* Child(int32_t i) const;
  // Sprites drawn by this one, by ascending Z.
  const std::vector<TSprite*>& DrawOrder() const { return draw_order_; }

  // Marks the sprite dead and queues it for the engine's FreeDead; it keeps moving and drawing until
  // then. Does nothing on a dead sprite or one without an engine.
  void Kill();
  // Calls Collided for every sprite this one overlaps; returns the number of hits.
  int32_t TestCollisions();
  void MoveTree(int32_t MoveCount);
  void DrawTree();
  void FreeChildren();

  // The hooks a game object overrides.
  virtual void Collided(TSprite* Other, bool& EndPass);
  virtual void Render();
  virtual void Step(int32_t MoveCount);
  virtual TRect BoundingRect() const;
  virtual bool Overlaps(TSprite* Other);

 private:
  friend class TSpriteEngine;
  void InsertByZ(TSprite* sprite);
  void RemoveChild(TSprite* sprite);

  TSpriteEngine* engine_ = nullptr;
  TSprite* parent_ = nullptr;
  std::vector<TSprite*> children_;
  std::vector<TSprite*> draw_order_;
  bool dead_ = false;
  int32_t z_ = 0;
};

}  // namespace jizdavo

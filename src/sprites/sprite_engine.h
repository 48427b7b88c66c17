#pragma once
// The root of the sprite tree: owns every sprite of the game, keeps the dead queue and the state of
// the running collision pass, and holds the surface every sprite draws on.

#include <vector>

#include "sprites/sprite.h"
#include "sprites/sprite_window.h"
#include "platform/rect.h"
#include "platform/pixels/surface.h"

namespace jizdavo {

class TSpriteEngine : public TSprite {
 public:
  TSpriteEngine();
  ~TSpriteEngine() override;

  // The running collision pass: its hit count, its EndPass flag, the tester and the tester's
  // rectangle as it was when the pass began.
  int32_t HitCount = 0;
  bool PassStop = false;
  TRect PassRect;
  TSprite* PassTester = nullptr;

  // Killed sprites waiting for FreeDead, in the order they were killed.
  const std::vector<TSprite*>& DeadSprites() const { return dead_sprites_; }
  // Frees the dead sprites, the last killed first.
  void FreeDead();
  void DrawAll() { DrawTree(); }

  TSurface* Target() const { return target_; }
  // (0, 0, width, height) of the target.
  const TRect& TargetRect() const { return target_rect_; }
  // The root takes the target's size; with none it keeps the last one.
  void SetTarget(TSurface* surface);

  // What the sprites use of the main window; none until the window binds itself.
  SpriteWindow* Window() const { return window_; }
  void SetWindow(SpriteWindow* window) { window_ = window; }

 private:
  friend class TSprite;
  int32_t RunCollisionPass(TSprite* tester);
  void VisitForCollision(TSprite* sprite);
  void Unqueue(TSprite* sprite);

  std::vector<TSprite*> dead_sprites_;
  TSurface* target_ = nullptr;
  TRect target_rect_;
  SpriteWindow* window_ = nullptr;
};

}  // namespace jizdavo

#pragma once
// A sprite that draws one pattern of an image item, centred in its box, with optional frame animation,
// a pixel-exact hit test and wrapping around the target.

#include "sprites/sprite.h"
#include "sprites/sprite_engine.h"
#include "platform/display/image_list.h"

namespace jizdavo {

class TImageSprite : public TSprite {
 public:
  using TSprite::TSprite;

  int32_t FrameCount = 0;
  bool FrameLoop = false;  // wrap around instead of stopping at the last frame
  double FramePos = 0.0;
  double FrameSpeed = 0.0;  // frames per unit of MoveCount
  int32_t FirstFrame = 0;   // pattern index of frame 0
  TPictureCollectionItem* ImageItem = nullptr;
  bool PixelExact = false;
  bool Wrapped = false;

  // Takes the item's pattern size as the sprite's size.
  void SetImage(TPictureCollectionItem* item);
  int32_t FrameIndex() const;
  // The bounding rectangle shifted so that the pattern is centred in the sprite's box.
  TRect DrawRect() const;

  void Render() override;
  void Step(int32_t MoveCount) override;
  TRect BoundingRect() const override;
  bool Overlaps(TSprite* Other) override;

 protected:
  // The main window and the surface drawn on, both through the engine: the game's sprites live in
  // an engine with a window and a target.
  // Inline: cars and the figure ask for them several times a frame.
  SpriteWindow& Window() const { return *Engine()->Window(); }
  TSurface& BackSurface() const { return *Engine()->Target(); }
  // The target's size (640 x 480 in play).
  int DisplayWidth() const { return Engine()->Width; }
  int DisplayHeight() const { return Engine()->Height; }

 private:
  bool PixelsOverlap(const TImageSprite& other) const;
};

}  // namespace jizdavo

#pragma once
// One horizontal bar of a barrier line; the pedestrian's own hook pushes it back from the bar.

#include "sprites/sprite_image.h"

namespace jizdavo {

class TBarrier : public TImageSprite {
 public:
  // Takes its height (3) from the "Barrier" picture; the level builder sets X, Y and the length.
  explicit TBarrier(TSprite* AParent);

  void Render() override;
};

}  // namespace jizdavo

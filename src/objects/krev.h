#pragma once
// The blood stain beside a run-over pedestrian: spreads from 10 to 20 pixels around its centre.

#include "objects/sprite_image.h"

namespace jizdavo {

class TKrev : public TImageSprite {
 public:
  using TImageSprite::TImageSprite;

  // The stain's current edge length in pixels.
  double Size = 0;

  void Render() override;
};

}  // namespace jizdavo

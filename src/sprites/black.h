#pragma once
// A bar of the end-of-game curtain: falls from above the screen, lands on the pile and drops the next bar.

#include "sprites/sprite_image.h"

namespace jizdavo {

class TBlack : public TImageSprite {
 public:
  // A full-width black band 10 pixels high, just above the screen, falling at 2 pixels per move unit.
  explicit TBlack(TSprite* AParent);

  // Pixels per move unit; 0 once landed.
  double FallSpeed = 2.0;

  void Collided(TSprite* Other, bool& EndPass) override;
  void Render() override;
  void Step(int32_t MoveCount) override;

 private:
  void Land();
};

}  // namespace jizdavo

#pragma once
// The finish: a translucent chequered square at the bottom centre of a Standard level.

#include "sprites/sprite_image.h"

namespace jizdavo {

class TCil : public TImageSprite {
 public:
  // Places itself 22 pixels above the bottom edge, centred: (313, 443) on a 640 x 480 display.
  explicit TCil(TSprite* AParent);

  void Render() override;
};

}  // namespace jizdavo

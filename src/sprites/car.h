#pragma once
// A traffic car: drives straight across its lane, honks at the pedestrian, carries blood from the stain.

#include <cstdint>

#include "sprites/sprite_image.h"

namespace jizdavo {

class TKrev;

class TCar : public TImageSprite {
 public:
  using TImageSprite::TImageSprite;

  // Drives from the right edge to the left; picks the picture variant.
  bool GoesLeft = false;
  // Speed factor: the car covers (Speed * 70 + 130) / 1000 pixels per move unit.
  double Speed = 0;
  bool TopTrail = false;
  bool BottomTrail = false;
  int32_t TopTrailAlpha = 0;
  int32_t BottomTrailAlpha = 0;
  bool SplatPlayed = false;
  bool HornPlayed = false;
  // Car model 1..28: picks the picture and the horn, compared with the wanted types of the Car chase.
  int32_t CarType = 0;
  // Phase of the wanted-car pulse, in radians.
  long double PulsePhase = 0;
  // The car has already changed the Car chase score.
  bool Counted = false;

  void Collided(TSprite* Other, bool& EndPass) override;
  void Render() override;
  void Step(int32_t MoveCount) override;

 private:
  void SoundNearPedestrian();
  bool NearStain() const;
  void Splash(const TKrev& stain);
  void PaintTrails();
  void DrawPulsing();
};

}  // namespace jizdavo

#pragma once
// The blood stain beside a run-over pedestrian: spreads from 10 to 20 pixels around its centre.

#include <cstdint>
#include <vector>

#include "sprites/sprite_image.h"

namespace jizdavo {

class TKrev : public TImageSprite {
 public:
  explicit TKrev(TSprite* AParent);
  ~TKrev() override;

  // Stains not yet freed, dead ones included, in every engine: cars skip their collision pass when none
  // is near.
  static const std::vector<TKrev*>& Existing() { return existing_; }

  // The stain's current edge length in pixels.
  double Size = 0;
  // The millisecond tick up to which the stain has grown.
  uint32_t GrowthTick;

  void Render() override;

 private:
  static inline std::vector<TKrev*> existing_;
};

}  // namespace jizdavo

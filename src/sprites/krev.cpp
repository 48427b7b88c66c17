#include "sprites/krev.h"

#include <algorithm>

#include "sprites/rounding.h"
#include "sprites/sprite_window.h"
#include "platform/display/image_list.h"

namespace jizdavo {

namespace {

constexpr double kFullSize = 20;
constexpr double kGrowth = 0.2;
constexpr uint32_t kGrowthInterval = 17;

}  // namespace

TKrev::TKrev(TSprite* AParent) : TImageSprite(AParent), GrowthTick(Window().Now()) { existing_.push_back(this); }

TKrev::~TKrev() { existing_.erase(std::find(existing_.begin(), existing_.end(), this)); }

// The stain grows while it is drawn, one step per 17 ms on a clock of its own: the shared animation
// clock is reset by the walking figure and the end words in the same frames, which held the stain at
// its first size on 17 ms frames. In doubles it takes 51 steps (about 0.9 s) and stops at 20.2, drawn
// 1:1.
void TKrev::Render() {
  if (Size < kFullSize) {
    const TRect rect{RoundHalfEven(X), RoundHalfEven(Y), RoundHalfEven(X + Size), RoundHalfEven(Y + Size)};
    ImageItem->DrawStretched(BackSurface(), rect, 0);
  } else {
    ImageItem->DrawAt(BackSurface(), RoundHalfEven(X), RoundHalfEven(Y), 0);
  }
  const uint32_t now = Window().Now();
  if (now - GrowthTick < kGrowthInterval) return;
  // Whole steps only, the rest carried, so the speed is the same at any frame rate.
  const uint32_t steps = (now - GrowthTick) / kGrowthInterval;
  GrowthTick += steps * kGrowthInterval;
  for (uint32_t i = 0; i < steps && Size < kFullSize; ++i) {
    Size += kGrowth;
    X -= kGrowth / 2;
    Y -= kGrowth / 2;
  }
  Width = Height = RoundHalfEven(Size);
}

}  // namespace jizdavo

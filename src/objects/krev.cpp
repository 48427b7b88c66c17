#include "objects/krev.h"

#include <algorithm>

#include "frame/game_state.h"
#include "objects/rounding.h"
#include "objects/sprite_window.h"
#include "platform/image_list.h"

namespace jizdavo {

namespace {

constexpr double kFullSize = 20;
constexpr double kGrowth = 0.2;
constexpr uint32_t kGrowthInterval = 17;

}  // namespace

TKrev::TKrev(TSprite* AParent) : TImageSprite(AParent) { existing_.push_back(this); }

TKrev::~TKrev() { existing_.erase(std::find(existing_.begin(), existing_.end(), this)); }

// The stain grows while it is drawn, at most a step per frame, against the shared animation clock (which
// it reads but never resets). In doubles it takes 51 steps and stops at 20.2, drawn 1:1.
void TKrev::Render() {
  if (Size < kFullSize) {
    const TRect rect{RoundHalfEven(X), RoundHalfEven(Y), RoundHalfEven(X + Size), RoundHalfEven(Y + Size)};
    ImageItem->DrawStretched(BackSurface(), rect, 0);
  } else {
    ImageItem->DrawAt(BackSurface(), RoundHalfEven(X), RoundHalfEven(Y), 0);
  }
  if (Window().Now() - Game.AnimTick > kGrowthInterval) {
    if (Size < kFullSize) {
      Size += kGrowth;
      X -= kGrowth / 2;
      Y -= kGrowth / 2;
    }
    Width = Height = RoundHalfEven(Size);
  }
}

}  // namespace jizdavo

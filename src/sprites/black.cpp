#include "sprites/black.h"

#include "sprites/rounding.h"
#include "sprites/sprite_engine.h"
#include "sprites/sprite_window.h"
#include "platform/pixels/surface.h"
#include "state/game_state.h"

namespace jizdavo {

namespace {

constexpr int kBarHeight = 10;
constexpr double kAcceleration = 0.01;
constexpr int kPitchStep = 100;

}  // namespace

TBlack::TBlack(TSprite* AParent) : TImageSprite(AParent) {
  Width = DisplayWidth();
  Height = kBarHeight;
  X = 0;
  Y = -Height;
}

void TBlack::Step(int32_t MoveCount) {
  if (Game.EndProgress > kPileComplete) {
    Game.EndProgress += 1;
    return;
  }
  const int floor = DisplayHeight() - Height;
  if (Y > floor && FallSpeed > 0) {
    Y = floor;
    Land();
    return;
  }
  TestCollisions();
  if (FallSpeed <= 0) return;
  const double next = Y + FallSpeed * MoveCount;
  // The bars landed, and this one on top of them.
  const double pile_top = DisplayHeight() - (Game.EndProgress - (kCurtainStart - 1)) * Height;
  if (next <= pile_top) {
    Y = next;
    FallSpeed += MoveCount * kAcceleration;
    return;
  }
  Y = pile_top;
  Land();
}

// A falling bar that overlaps another lands on it. The pile rule stops bars where they only touch the
// one below, so this is a safety net rather than the usual way down.
void TBlack::Collided(TSprite* Other, bool& /*EndPass*/) {
  auto* below = dynamic_cast<TBlack*>(Other);
  if (below == nullptr || FallSpeed == 0) return;
  Y = below->Y - Height;
  Land();
}

// Each landing drops the next bar and plays "Puk" a little higher than the last.
void TBlack::Land() {
  new TBlack(Engine());
  Window().RaiseEffectPitch("Puk", kPitchStep);
  Window().PlayEffect("Puk");
  FallSpeed = 0;
  Game.EndProgress += 1;
}

void TBlack::Render() {
  const int y = RoundHalfEven(Y);
  BackSurface().FillRect({0, y, DisplayWidth(), y + Height}, 0);
}

}  // namespace jizdavo

#include "sprites/ghost.h"

#include <cmath>
#include <utility>

#include "sprites/barrier.h"
#include "sprites/cil.h"
#include "platform/pixels/draw_scaled.h"
#include "state/game_rules.h"

namespace jizdavo {

namespace {

// Room round the figure for the turned poses, which reach past its box.
constexpr int kMargin = 16;
constexpr int kScratchSize = 16 + 2 * kMargin;
constexpr RawPixel kScratchKey = 0xF81F;
constexpr int kHalf = 128;

}  // namespace

TGhost::TGhost(TSprite* parent, std::vector<GhostStep> steps)
    : TPlayer(parent), steps_(std::move(steps)), scratch_(kScratchSize, kScratchSize) {
  scratch_.SetColorKey(kScratchKey);
}

void TGhost::Step(int32_t) {
  held_ = {};
  if (!Game.CountdownDone || arrived_ || next_ >= steps_.size()) return;
  const GhostStep& step = steps_[next_++];
  held_ = step.Held;
  TPlayer::Step(step.MoveCount);
}

void TGhost::Collided(TSprite* Other, bool&) {
  if (dynamic_cast<TCil*>(Other) != nullptr) {
    arrived_ = true;
  } else if (auto* bar = dynamic_cast<TBarrier*>(Other)) {
    PushBack(*bar);
  }
}

void TGhost::Render() {
  if (!Game.CountdownDone || GameIsOver(Game)) return;
  // An even shift keeps the poses' rounding (halves to even) where it is on the field.
  const int left = (static_cast<int>(std::floor(X)) & ~1) - kMargin;
  const int top = (static_cast<int>(std::floor(Y)) & ~1) - kMargin;
  scratch_.Fill(kScratchKey);
  DrawFigure(scratch_, X - left, Y - top);
  DrawScaled(BackSurface(), {left, top, left + kScratchSize, top + kScratchSize}, scratch_, scratch_.ClientRect(),
             kHalf, true);
}

}  // namespace jizdavo

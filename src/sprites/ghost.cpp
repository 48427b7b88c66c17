#include "sprites/ghost.h"

#include <cmath>
#include <utility>

#include "sprites/barrier.h"
#include "sprites/cil.h"
#include "platform/color.h"
#include "platform/pixels/draw_scaled.h"
#include "state/game_rules.h"

namespace jizdavo {

namespace {

// Room round the figure for the turned poses, which reach past its box.
constexpr int kMargin = 16;
constexpr int kScratchSize = 16 + 2 * kMargin;
constexpr RawPixel kScratchKey = 0xF81F;
// The figure's own colours washed far towards a pale blue-white, which stands out on the dark road
// and on the grass, edged with a dark line that stands out on the grass and on the road's markings.
constexpr TColor kPale = RGB(226, 242, 255);
constexpr uint32_t kPaleShare = 176;  // of 256
constexpr RawPixel kEdge = rgb565::FromColor(RGB(16, 40, 56));
// Slightly see-through even at its strongest: a glimpse of the ground says it is not the player.
constexpr int kStrongest = 224;

RawPixel Washed(RawPixel p) {
  const auto wash = [](uint32_t own, uint32_t pale) {
    return (own * (256 - kPaleShare) + pale * kPaleShare) / 256;
  };
  return rgb565::Pack(wash(rgb565::Red8(p), GetRValue(kPale)), wash(rgb565::Green8(p), GetGValue(kPale)),
                      wash(rgb565::Blue8(p), GetBValue(kPale)));
}

// The figure of `pose` washed pale, and each key pixel beside it (across or up and down) an edge.
void GiveLook(const TSurface& pose, TSurface& look) {
  const int size = pose.Width();
  const auto figure = [&pose, size](int x, int y) {
    return x >= 0 && y >= 0 && x < size && y < size && pose.Row(y)[x] != kScratchKey;
  };
  for (int y = 0; y < size; ++y) {
    RawPixel* row = look.Row(y);
    for (int x = 0; x < size; ++x) {
      if (figure(x, y)) {
        row[x] = Washed(pose.Row(y)[x]);
      } else {
        const bool beside = figure(x - 1, y) || figure(x + 1, y) || figure(x, y - 1) || figure(x, y + 1);
        row[x] = beside ? kEdge : kScratchKey;
      }
    }
  }
}

}  // namespace

TGhost::TGhost(TSprite* parent, std::vector<GhostStep> steps)
    : TPlayer(parent),
      steps_(std::move(steps)),
      scratch_(kScratchSize, kScratchSize),
      look_(kScratchSize, kScratchSize) {
  scratch_.SetColorKey(kScratchKey);
  look_.SetColorKey(kScratchKey);
}

int TGhost::Alpha() const { return kStrongest * fading_ / kFadeTicks; }

void TGhost::Step(int32_t) {
  held_ = {};
  if (!Game.CountdownDone) return;
  if (arrived_ || next_ >= steps_.size()) {
    if (fading_ > 0) --fading_;
    return;
  }
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
  if (!Game.CountdownDone || GameIsOver(Game) || Alpha() <= 0) return;
  // An even shift keeps the poses' rounding (halves to even) where it is on the field.
  const int left = (static_cast<int>(std::floor(X)) & ~1) - kMargin;
  const int top = (static_cast<int>(std::floor(Y)) & ~1) - kMargin;
  scratch_.Fill(kScratchKey);
  DrawFigure(scratch_, X - left, Y - top);
  GiveLook(scratch_, look_);
  DrawScaled(BackSurface(), {left, top, left + kScratchSize, top + kScratchSize}, look_, look_.ClientRect(),
             Alpha(), true);
}

}  // namespace jizdavo

#pragma once
// The best run's figure, walking beside the player as it walked then: tick by tick its recorded keys
// and lag counts, pushed back by the barriers as it was. Cars and the finish do nothing to it and it
// changes nothing of the game. It is drawn pale and outlined, so that it shows on grass and road alike
// and is never taken for the player, and it fades away where its run ended.

#include <cstdint>
#include <vector>

#include "sprites/player.h"
#include "platform/pixels/surface.h"

namespace jizdavo {

// One tick of the recorded walk, from the first after "GO".
struct GhostStep {
  HeldDirections Held;
  int32_t MoveCount = 0;
};

class TGhost final : public TPlayer {
 public:
  // Ticks over which the figure fades away once its run has ended.
  static constexpr int kFadeTicks = 30;

  TGhost(TSprite* parent, std::vector<GhostStep> steps);

  void Collided(TSprite* Other, bool& EndPass) override;
  void Render() override;
  // The next recorded tick, whatever the frame's own lag count.
  void Step(int32_t MoveCount) override;

  // How strongly it is drawn: 255 while it walks, down to 0 once its run has ended.
  int Alpha() const;

 protected:
  HeldDirections Held() const override { return held_; }
  uint32_t& WalkClock() const override { return walk_clock_; }

 private:
  std::vector<GhostStep> steps_;
  size_t next_ = 0;
  HeldDirections held_;
  mutable uint32_t walk_clock_ = 0;
  bool arrived_ = false;
  int fading_ = kFadeTicks;  // ticks of the fade still to come
  // The pose is drawn here first, then given its look in `look_`, which is blended onto the field.
  TSurface scratch_;
  TSurface look_;
};

}  // namespace jizdavo

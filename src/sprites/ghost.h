#pragma once
// The best run's figure, walking beside the player as it walked then: tick by tick its recorded keys
// and lag counts, pushed back by the barriers as it was. Cars and the finish do nothing to it and it
// changes nothing of the game; it is drawn half-blended.

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
  TGhost(TSprite* parent, std::vector<GhostStep> steps);

  void Collided(TSprite* Other, bool& EndPass) override;
  void Render() override;
  // The next recorded tick, whatever the frame's own lag count.
  void Step(int32_t MoveCount) override;

 protected:
  HeldDirections Held() const override { return held_; }
  uint32_t& WalkClock() const override { return walk_clock_; }

 private:
  std::vector<GhostStep> steps_;
  size_t next_ = 0;
  HeldDirections held_;
  mutable uint32_t walk_clock_ = 0;
  bool arrived_ = false;
  // The pose is drawn here first, then blended onto the field.
  TSurface scratch_;
};

}  // namespace jizdavo

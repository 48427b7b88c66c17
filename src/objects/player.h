#pragma once
// The pedestrian the player walks across the roads: moves in tenths of a pixel, reacts to what it meets.

#include <cstdint>

#include "objects/sprite_image.h"

namespace jizdavo {

class TBarrier;
class TCar;

class TPlayer : public TImageSprite {
 public:
  using TImageSprite::TImageSprite;

  // Direction of the standing picture: 0 down, 1 left, 2 up, 3 right.
  int32_t Facing = 0;
  // Walking-cycle phase, 1.0 up to below 4.0.
  double WalkPhase = 1.0;
  // Barrier contact of the last collision pass: 0 none; 1 pushed left, 2 up, 3 right, 4 down.
  int32_t Blocked = 0;

  void Collided(TSprite* Other, bool& EndPass) override;
  void Render() override;
  void Step(int32_t MoveCount) override;

 private:
  // A frozen figure neither walks nor reacts: before "GO" (walking and drawing only) and once its game
  // is over. Collisions look at `Crashed` alone in the Standard game, so reaching the finish twice is
  // harmless.
  bool Frozen(bool for_collision) const;
  // Moves `coordinate` by `delta` MoveCount times with a collision pass after each step, leaving early
  // once a pass sets Blocked to `stop_code`.
  void Run(double& coordinate, double delta, int32_t stop_code, int32_t MoveCount);
  // direction -1 up, 1 down.
  void WalkVertically(int direction, int32_t stop_code, bool left, bool right, int32_t MoveCount);
  void RunOver(const TCar& car);
  void Touch(TCar& car);
  void PushBack(const TBarrier& bar);
  void DrawStanding();
  void DrawWalking(bool up, bool down, bool left, bool right);
  void SetSize(int width, int height);
  void AdvanceWalkPhase();
};

}  // namespace jizdavo

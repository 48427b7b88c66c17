#pragma once
// The pedestrian the player walks across the roads: moves in tenths of a pixel, reacts to what it meets.

#include <cstdint>

#include "sprites/sprite_image.h"
#include "sprites/sprite_window.h"
#include "state/game_state.h"

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

 protected:
  // The directions the figure walks: the keys held.
  virtual HeldDirections Held() const { return Window().ReadDirections(); }
  // The clock of the walking cycle, shared with the end words' growth.
  virtual uint32_t& WalkClock() const { return Game.AnimTick; }
  // The figure as it stands or walks now, drawn on `target` with its top left corner at (x, y); the
  // walking cycle advances.
  void DrawFigure(TSurface& target, double x, double y);
  void PushBack(const TBarrier& bar);

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
  void DrawStanding(TSurface& target, double x, double y);
  void DrawWalking(TSurface& target, double x, double y, const HeldDirections& held);
  void SetSize(int width, int height);
  void AdvanceWalkPhase();
};

}  // namespace jizdavo

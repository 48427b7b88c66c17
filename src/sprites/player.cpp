#include "sprites/player.h"

#include "sprites/barrier.h"
#include "sprites/car.h"
#include "sprites/cil.h"
#include "sprites/krev.h"
#include "sprites/rounding.h"
#include "sprites/sprite_engine.h"
#include "sprites/sprite_window.h"
#include "platform/display/image_list.h"
#include "state/game_rules.h"
#include "state/game_state.h"

namespace jizdavo {

namespace {

constexpr double kStraightStep = 0.1;
constexpr double kDiagonalStep = 0.0707;
// The figure keeps this far from the right and bottom edges (its width, and the heads-up strip).
constexpr int kRightMargin = 16;
constexpr int kBottomMargin = 36;

// How a picture is turned: angles in 256ths of a turn, clockwise; the centre as fractions of its size.
struct Pose {
  bool plain;
  int angle;
  double center_x;
  double center_y;
};

constexpr Pose kPlain{true, 0, 0, 0};
constexpr Pose kFacingLeft{false, 64, 0, 1};
// One unit past the quarter turns on purpose: that is where these pictures have always landed.
constexpr Pose kFacingUp{false, 129, 1, 1};
constexpr Pose kStandingRight{false, 193, 1, 0};
constexpr Pose kWalkingRight{false, -64, 1, 0};
constexpr Pose kUpLeft{false, 97, 0.5, 1.1};
constexpr Pose kUpRight{false, 161, 1.1, 0.5};
constexpr Pose kDownLeft{false, 32, -0.2, 0.4};
constexpr Pose kDownRight{false, -32, 0.65, -0.1};

constexpr Pose kStandingPoses[] = {kPlain, kFacingLeft, kFacingUp, kStandingRight};

// The walking picture of a phase; none below 1.0 (or past 4.0).
TPictureCollectionItem* PhasePicture(SpriteWindow& window, double phase) {
  if (phase >= 1.0 && phase < 2.0) return &window.FindImage("Clovek1c");
  if (phase >= 2.0 && phase < 3.0) return &window.FindImage("Clovek1c2");
  if (phase >= 3.0 && phase <= 4.0) return &window.FindImage("Clovek1d");
  return nullptr;
}

void DrawPose(TSurface& surface, TPictureCollectionItem* picture, double x_real, double y_real,
              const Pose& pose) {
  if (picture == nullptr) return;
  const int x = RoundHalfEven(x_real);
  const int y = RoundHalfEven(y_real);
  if (pose.plain) {
    picture->DrawAt(surface, x, y, 0);
  } else {
    picture->DrawRotated(surface, x, y, picture->Width(), picture->Height(), 0, pose.center_x,
                         pose.center_y, pose.angle);
  }
}

}  // namespace

bool TPlayer::Frozen(bool for_collision) const {
  return for_collision && !Game.ChaseMode ? GameIsLost(Game) : GameIsOver(Game);
}

void TPlayer::Run(double& coordinate, double delta, int32_t stop_code, int32_t MoveCount) {
  for (int i = 0; i < MoveCount; ++i) {
    coordinate += delta;
    TestCollisions();
    if (Blocked == stop_code) return;
  }
}

// Straight up or down, or with Left and Right both diagonal halves in turn. Each run checks its limit
// as it starts, so a run sees where the one before it left the figure.
void TPlayer::WalkVertically(int direction, int32_t stop_code, bool left, bool right, int32_t MoveCount) {
  const auto room_ahead = [&] { return direction < 0 ? Y > 0 : Y < DisplayHeight() - kBottomMargin; };
  if (!left && !right && room_ahead()) Run(Y, direction * kStraightStep, stop_code, MoveCount);
  if (right) {
    if (room_ahead()) Run(Y, direction * kDiagonalStep, stop_code, MoveCount);
    if (X < DisplayWidth() - kRightMargin) Run(X, kDiagonalStep, stop_code, MoveCount);
  }
  if (left) {
    if (room_ahead()) Run(Y, direction * kDiagonalStep, stop_code, MoveCount);
    if (X > 0) Run(X, -kDiagonalStep, stop_code, MoveCount);
  }
}

// Limits are checked when a run starts, not between its steps, and a crash does not end the frame's
// runs: the figure may end up to MoveCount tenths of a pixel past a limit.
void TPlayer::Step(int32_t MoveCount) {
  if (!Game.CountdownDone || Frozen(false)) return;
  const HeldDirections held = Held();
  if (held.Up && Blocked != 4) WalkVertically(-1, 4, held.Left, held.Right, MoveCount);
  if (held.Down && Blocked != 2) WalkVertically(1, 2, held.Left, held.Right, MoveCount);
  const bool sideways = !held.Up && !held.Down;
  if (held.Left && sideways && X > 0 && Blocked != 3) Run(X, -kStraightStep, 3, MoveCount);
  if (held.Right && sideways && X < DisplayWidth() - kRightMargin && Blocked != 1) {
    Run(X, kStraightStep, 1, MoveCount);
  }
  // This pass catches a car driving into a figure that stands still, and sets Blocked for next frame.
  Blocked = 0;
  TestCollisions();
}

void TPlayer::Collided(TSprite* Other, bool& /*EndPass*/) {
  if (Frozen(true)) return;
  if (auto* car = dynamic_cast<TCar*>(Other)) {
    if (Game.ChaseMode) {
      Touch(*car);
    } else {
      RunOver(*car);
    }
  } else if (dynamic_cast<TCil*>(Other) != nullptr) {
    Game.Finished = true;
    Game.EndProgress = kEndIdle;
  } else if (auto* bar = dynamic_cast<TBarrier*>(Other)) {
    PushBack(*bar);
  }
}

void TPlayer::RunOver(const TCar& car) {
  const int32_t height_before = Height;
  Window().PlayEffect("Impact");
  SetImage(&Window().FindImage("Mrtvola"));
  // The corpse lies on the side the car came from.
  if (car.GoesLeft) {
    X = X - Width + 8;
  } else {
    SetImage(&Window().FindImage("Mrtvola2"));
    X = X + Width - 13;
  }
  Y = Y + (Height - height_before) / 2.0 - 3;
  Game.Crashed = true;

  auto* stain = new TKrev(Engine());
  stain->SetImage(&Window().FindImage("Krev"));
  stain->Size = 20 / 2.0;
  stain->Width = stain->Height = RoundHalfEven(stain->Size);
  stain->X = stain->Size / 2 + X + 5;
  stain->Y = stain->Size / 2 + Y;
  stain->SetZ(0);
  Game.EndProgress = kEndIdle;
}

void TPlayer::Touch(TCar& car) {
  // A car met again before it is freed must not count twice.
  if (!car.Counted) Game.CarsKilled += IsWantedCar(Game, car.CarType) ? 1 : -1;
  car.Kill();
  car.Counted = true;
}

// Sideways first: a figure overlapping the end of a bar slides off that end into the gap beside it.
// Beyond a bar that reaches the screen's edge there is no gap: the figure is pushed back up or down
// instead of off the screen, where it could walk on past every line.
void TPlayer::PushBack(const TBarrier& bar) {
  if (X <= bar.X && bar.X - Width >= 0) {
    Blocked = 1;
    X = bar.X - Width;
  } else if (bar.X + bar.Width <= X + Width && bar.X + bar.Width + Width <= DisplayWidth()) {
    Blocked = 3;
    X = bar.X + bar.Width;
  } else if (Y <= bar.Y) {
    Blocked = 2;
    Y = bar.Y - Height;
  } else {
    Blocked = 4;
    Y = bar.Y + bar.Height;
  }
}

void TPlayer::Render() {
  if (Game.Crashed) ImageItem->DrawAt(BackSurface(), RoundHalfEven(X), RoundHalfEven(Y), 0);
  if (!Game.CountdownDone || Frozen(false)) return;
  DrawFigure(BackSurface(), X, Y);
}

void TPlayer::DrawFigure(TSurface& target, double x, double y) {
  const HeldDirections held = Held();
  if (!held.Up && !held.Down && !held.Left && !held.Right) {
    DrawStanding(target, x, y);
  } else {
    DrawWalking(target, x, y, held);
  }
  AdvanceWalkPhase();
}

void TPlayer::DrawStanding(TSurface& target, double x, double y) {
  if (Facing < 0 || Facing >= 4) return;
  DrawPose(target, &Window().FindImage("Clovek1d"), x, y, kStandingPoses[Facing]);
}

// The new size takes effect in the next frame's collision passes.
void TPlayer::DrawWalking(TSurface& target, double x, double y, const HeldDirections& held) {
  TPictureCollectionItem* picture = PhasePicture(Window(), WalkPhase);
  const TPictureCollectionItem& straight = Window().FindImage("Clovek1d");
  const bool diagonal = held.Left || held.Right;
  if (held.Up || held.Down) {
    Facing = held.Up ? 2 : 0;
    SetSize(16, 16);
    if (!diagonal) SetSize(straight.Width(), straight.Height());
    if (!diagonal) DrawPose(target, picture, x, y, held.Up ? kFacingUp : kPlain);
    if (held.Left) DrawPose(target, picture, x, y, held.Up ? kUpLeft : kDownLeft);
    if (held.Right) DrawPose(target, picture, x, y, held.Up ? kUpRight : kDownRight);
  } else if (held.Left) {
    Facing = 1;
    DrawPose(target, picture, x, y, kFacingLeft);
    SetSize(9, 16);
  } else {
    Facing = 3;
    DrawPose(target, picture, x, y, kWalkingRight);
    SetSize(9, 16);
  }
}

void TPlayer::SetSize(int width, int height) {
  Width = width;
  Height = height;
}

// Runs whether or not the figure walks; the clock is shared with the end-of-game text growth.
void TPlayer::AdvanceWalkPhase() {
  const uint32_t now = Window().Now();
  uint32_t& clock = WalkClock();
  if (now - clock > 8) {
    WalkPhase += 0.2;
    if (WalkPhase >= 4.0) WalkPhase = 1.0;
    clock = now;
  }
}

}  // namespace jizdavo

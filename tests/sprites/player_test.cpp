#include <gtest/gtest.h>

#include <vector>

#include "state/date_time.h"
#include "state/game_state.h"
#include "sprites/ghost.h"
#include "sprites/sprite_engine.h"
#include "sprite_field.h"

namespace jizdavo::test {
namespace {

using PlayerTest = SpriteField;

TEST_F(PlayerTest, StandingStillTheLastPassCatchesACarDrivingIn) {
  TPlayer& player = AddPlayer(300, 100);
  AddCar(7, true, 305, 98);
  player.Step(16);
  EXPECT_TRUE(Game.Crashed);
}

TEST_F(PlayerTest, WalksATenthOfAPixelPerMoveUnit) {
  struct Case {
    int keys;
    double dx, dy;
  };
  const Case cases[] = {
      {kDown, 0, 1.0}, {kUp, 0, -1.0}, {kLeft, -1.0, 0}, {kRight, 1.0, 0},
      {kDown | kRight, 0.707, 0.707}, {kUp | kLeft, -0.707, -0.707},
      // Left and Right alone run both sideways steps.
      {kLeft | kRight, 0, 0},
  };
  for (const Case& c : cases) {
    TPlayer& player = AddPlayer(300, 200);
    Hold(c.keys);
    player.Step(10);
    EXPECT_NEAR(player.X, 300 + c.dx, 1e-9) << "keys " << c.keys;
    EXPECT_NEAR(player.Y, 200 + c.dy, 1e-9) << "keys " << c.keys;
    player.Kill();
    FreeDead();
  }
}

TEST_F(PlayerTest, LimitsAreCheckedOnlyWhenARunStarts) {
  TPlayer& player = AddPlayer(0.05, 200);
  Hold(kLeft);
  player.Step(10);
  EXPECT_NEAR(player.X, -0.95, 1e-9);
  player.Step(10);
  EXPECT_NEAR(player.X, -0.95, 1e-9);
}

TEST_F(PlayerTest, DoesNotMoveOrShowDuringTheCountdown) {
  TPlayer& player = AddPlayer(300, 200);
  Game.CountdownDone = false;
  Hold(kDown | kRight);
  player.Step(20);
  EXPECT_EQ(player.X, 300);
  EXPECT_EQ(player.Y, 200);
  const RawPixel before = Back().GetPixel(305, 204);
  player.Render();
  EXPECT_EQ(Back().GetPixel(305, 204), before);
}

TEST_F(PlayerTest, BarriersPushTheFigureBack) {
  struct Case {
    const char* what;
    double bar_x;
    int bar_width;
    double x, y;
    int blocked;
    double want_x, want_y;
  };
  const Case cases[] = {
      {"over the left end", 350, 290, 345, 216, 1, 334, 216},
      {"over the right end", 0, 150, 140, 216, 3, 150, 216},
      // A gap at the screen's edge exactly one figure wide takes the figure; one a pixel narrower does not.
      {"over the left end, a gap of one figure", 16, 290, 10, 216, 1, 0, 216},
      {"over the left end, a gap a pixel narrower", 15, 290, 10, 216, 2, 10, 211},
      {"over the right end, a gap of one figure", 350, 274, 620, 216, 3, 624, 216},
      {"over the right end, a gap a pixel narrower", 350, 275, 620, 216, 2, 620, 211},
      {"from above in the middle", 350, 290, 400, 215, 2, 400, 211},
      {"from below in the middle", 350, 290, 400, 222, 4, 400, 223},
      // No gap beyond a bar at the screen's edge: pushed up or down, never off the screen.
      {"at the left edge from above", 0, 150, 0, 216, 2, 0, 211},
      {"at the left edge from below", 0, 150, -0.5, 222, 4, -0.5, 223},
      {"at the right edge from above", 350, 290, 624, 216, 2, 624, 211},
  };
  for (const Case& c : cases) {
    TBarrier& bar = AddBarrier(c.bar_x, 220, c.bar_width);
    TPlayer& player = AddPlayer(c.x, c.y);
    player.Step(1);
    EXPECT_EQ(player.Blocked, c.blocked) << c.what;
    EXPECT_EQ(player.X, c.want_x) << c.what;
    EXPECT_EQ(player.Y, c.want_y) << c.what;
    player.Kill();
    bar.Kill();
    FreeDead();
  }
}

// Walking down along either edge of the screen, the figure stays above the line and on the screen.
TEST_F(PlayerTest, ABarrierLineIsPassedOnlyThroughItsGap) {
  AddBarrier(0, 220, 150);
  AddBarrier(200, 220, 440);
  for (double x : {0.0, 624.0}) {
    TPlayer& player = AddPlayer(x, 150);
    Hold(kDown);
    for (int frame = 0; frame < 60; ++frame) player.Step(16);
    EXPECT_EQ(player.Y, 211) << x;
    EXPECT_EQ(player.X, x);
    player.Kill();
    FreeDead();
  }
}

// Pushed up by the first run, the figure keeps Blocked 2 for the rest of the frame, so the sideways
// half of a down-right walk stops after its first step.
TEST_F(PlayerTest, APushUpStopsTheRestOfADownwardWalk) {
  AddBarrier(350, 220, 290);
  TPlayer& player = AddPlayer(400, 211.5);
  Hold(kDown | kRight);
  player.Step(20);
  EXPECT_EQ(player.Y, 211);
  EXPECT_NEAR(player.X, 400.0707, 1e-9);
  Hold(kDown);
  player.Step(20);
  EXPECT_EQ(player.Y, 211);
}

TEST_F(PlayerTest, RunOverTheCorpseLiesOnTheSideTheCarCameFrom) {
  struct Case {
    bool goes_left;
    const char* corpse;
    double want_x;
  };
  const Case cases[] = {{true, "Mrtvola", 284}, {false, "Mrtvola2", 311}};
  for (const Case& c : cases) {
    Game.Crashed = false;
    Game.EndProgress = 40;
    TPlayer& player = AddPlayer(300, 100);
    TCar& car = AddCar(7, c.goes_left, 290, 98);
    const int impacts = Plays("Impact");
    player.Step(1);
    EXPECT_TRUE(Game.Crashed);
    EXPECT_EQ(Game.EndProgress, 5.0);
    EXPECT_EQ(Plays("Impact"), impacts + 1);
    EXPECT_EQ(player.ImageItem, &Image(c.corpse));
    EXPECT_EQ(player.Width, 24);
    EXPECT_EQ(player.Height, 14);
    EXPECT_EQ(player.X, c.want_x) << c.corpse;
    EXPECT_EQ(player.Y, 100 + (14 - 9) / 2.0 - 3) << c.corpse;

    auto* stain = dynamic_cast<TKrev*>(Root().Child(Root().ChildCount() - 1));
    ASSERT_NE(stain, nullptr);
    EXPECT_EQ(stain->Size, 10.0);
    EXPECT_EQ(stain->Width, 10);
    EXPECT_EQ(stain->Height, 10);
    EXPECT_EQ(stain->X, player.X + 10);
    EXPECT_EQ(stain->Y, player.Y + 5);
    EXPECT_EQ(stain->Z(), 0);
    player.Kill();
    car.Kill();
    stain->Kill();
    FreeDead();
  }
}

TEST_F(PlayerTest, TheFinishWinsAndStays) {
  Game.EndProgress = 30;
  TCil& finish = *new TCil(&Root());
  TPlayer& player = AddPlayer(finish.X, finish.Y - 5);
  player.Step(1);
  EXPECT_TRUE(Game.Finished);
  EXPECT_EQ(Game.EndProgress, 5.0);
  EXPECT_FALSE(finish.IsDead());
}

// Pixels of the square at (x, y) whose channels together are at least `by` lighter (or darker,
// with `by` negative) than `ground`.
int CountAgainst(const TSurface& back, int x, int y, int size, RawPixel ground, int by) {
  const auto sum = [](RawPixel p) {
    return static_cast<int>(rgb565::Red8(p) + rgb565::Green8(p) + rgb565::Blue8(p));
  };
  int count = 0;
  for (int row = y; row < y + size; ++row)
    for (int column = x; column < x + size; ++column) {
      const int difference = sum(static_cast<RawPixel>(back.GetPixel(column, row))) - sum(ground);
      count += by > 0 ? difference >= by : difference <= by;
    }
  return count;
}

// The best run's figure shows on the road and on grass alike, pale with a dark edge, and is never
// drawn in the player's own colours; once its run has reached the finish, or its last tick, it fades
// away over its fade's ticks.
TEST_F(PlayerTest, TheGhostShowsOnEveryGroundAndFadesWhereItsRunEnded) {
  for (bool to_the_finish : {true, false}) {
    std::vector<GhostStep> steps(to_the_finish ? 50 : 2);
    auto& ghost = *new TGhost(&Root(), std::move(steps));
    ghost.SetImage(&Image("Clovek1d"));
    ghost.X = 300;
    ghost.Y = 200;
    Game.CountdownDone = true;
    for (TColor ground : {kRoadColor, RGB(64, 122, 50)}) {
      Back().Fill(Raw(ground));
      ghost.Render();
      EXPECT_GT(CountAgainst(Back(), 280, 180, 60, Raw(ground), 150), 60) << to_the_finish;
      EXPECT_GT(CountAgainst(Back(), 280, 180, 60, Raw(ground), -60), 40) << to_the_finish;
      for (int y = 180; y < 240; ++y)
        for (int x = 280; x < 340; ++x) ASSERT_NE(Back().GetPixel(x, y), Raw(kStandColor)) << x << "," << y;
    }
    ghost.Step(16);
    ghost.Step(16);
    EXPECT_EQ(ghost.Alpha(), 224);
    if (to_the_finish) {
      bool end_pass = false;
      auto* finish = new TCil(&Root());
      ghost.Collided(finish, end_pass);
      finish->Kill();
    }
    int alpha = ghost.Alpha();
    for (int tick = 1; tick <= TGhost::kFadeTicks; ++tick) {
      ghost.Step(16);
      EXPECT_LT(ghost.Alpha(), alpha) << tick;
      alpha = ghost.Alpha();
    }
    EXPECT_EQ(alpha, 0);
    Back().Fill(Raw(kRoadColor));
    ghost.Render();
    EXPECT_EQ(CountAgainst(Back(), 280, 180, 60, Raw(kRoadColor), 1), 0);
    ghost.Kill();
    FreeDead();
  }
}

TEST_F(PlayerTest, CarChaseScoresTouchedCars) {
  struct Case {
    int target1, target2, car_type;
    int want;
  };
  const Case cases[] = {
      {5, 9, 5, 1}, {5, 9, 9, 1}, {5, 9, 3, -1},
      // 0 in the first wanted type: every car counts.
      {0, 0, 17, 1},
  };
  Game.ChaseMode = true;
  Game.CarsToKill = 10;
  for (const Case& c : cases) {
    Game.CarsKilled = 0;
    Game.TargetCar1 = c.target1;
    Game.TargetCar2 = c.target2;
    TPlayer& player = AddPlayer(300, 100);
    TCar& car = AddCar(c.car_type, true, 290, 98);
    player.Step(1);
    // Met again before it is freed, the car does not count twice.
    player.Step(1);
    EXPECT_EQ(Game.CarsKilled, c.want) << "car type " << c.car_type;
    EXPECT_TRUE(car.IsDead());
    EXPECT_TRUE(car.Counted);
    EXPECT_FALSE(Game.Crashed);
    player.Kill();
    FreeDead();
  }
}

TEST_F(PlayerTest, CarChaseFreezesWhenTheGameIsOver) {
  struct Case {
    const char* what;
    int cars_killed;
    TDateTime time;
  };
  const Case cases[] = {
      {"below zero", -1, MakeTime(0, 1, 0, 0)},
      {"target reached", 10, MakeTime(0, 1, 0, 0)},
      {"time up", 3, MakeTime(1, 0, 0, 0)},
  };
  Game.ChaseMode = true;
  Game.CarsToKill = 10;
  Game.TargetCar1 = 5;
  for (const Case& c : cases) {
    Game.CarsKilled = c.cars_killed;
    Game.GameTime = c.time;
    TPlayer& player = AddPlayer(300, 100);
    TCar& car = AddCar(5, true, 290, 98);
    Hold(kDown);
    player.Step(10);
    EXPECT_EQ(player.Y, 100) << c.what;
    bool end_pass = false;
    player.Collided(&car, end_pass);
    EXPECT_EQ(Game.CarsKilled, c.cars_killed) << c.what;
    EXPECT_FALSE(car.IsDead()) << c.what;
    player.Kill();
    car.Kill();
    FreeDead();
  }
}

TEST_F(PlayerTest, WalkPhaseStepsEveryNineMillisecondsAndWraps) {
  TPlayer& player = AddPlayer(300, 200);
  Game.AnimTick = clock.Now();
  clock.Advance(8);
  player.Render();
  EXPECT_EQ(player.WalkPhase, 1.0);
  for (int step = 1; step <= 15; ++step) {
    clock.Advance(9);
    player.Render();
    if (step < 15) {
      EXPECT_GT(player.WalkPhase, 1.0) << "step " << step;
    }
  }
  EXPECT_EQ(player.WalkPhase, 1.0);
  EXPECT_EQ(Game.AnimTick, clock.Now());
}

TEST_F(PlayerTest, WalkingPosesSetFacingAndSize) {
  struct Case {
    int keys;
    int facing, width, height;
  };
  const Case cases[] = {
      {kUp, 2, 16, 9},           {kUp | kLeft, 2, 16, 16},   {kUp | kRight, 2, 16, 16},
      {kDown, 0, 16, 9},         {kDown | kLeft, 0, 16, 16}, {kDown | kRight, 0, 16, 16},
      {kLeft, 1, 9, 16},         {kRight, 3, 9, 16},         {kLeft | kRight, 1, 9, 16},
      {kUp | kLeft | kRight, 2, 16, 16},
  };
  for (const Case& c : cases) {
    TPlayer& player = AddPlayer(300, 200);
    Hold(c.keys);
    player.Render();
    EXPECT_EQ(player.Facing, c.facing) << "keys " << c.keys;
    EXPECT_EQ(player.Width, c.width) << "keys " << c.keys;
    EXPECT_EQ(player.Height, c.height) << "keys " << c.keys;
    player.Kill();
    FreeDead();
  }
}

TEST_F(PlayerTest, WalkingDownDrawsThePictureOfThePhase) {
  struct Case {
    double phase;
    bool drawn;
    TColor color;
  };
  const Case cases[] = {
      {1.0, true, kWalkColor1}, {2.4, true, kWalkColor2}, {3.6, true, kStandColor},
      {4.0, true, kStandColor}, {0.8, false, 0},
  };
  for (const Case& c : cases) {
    Back().Fill(0);
    TPlayer& player = AddPlayer(300.5, 199.5);
    player.WalkPhase = c.phase;
    Hold(kDown);
    player.Render();
    // Rounded halves to even: drawn at (300, 200).
    if (c.drawn) {
      EXPECT_EQ(Back().GetPixel(300, 200), Raw(c.color)) << "phase " << c.phase;
      EXPECT_EQ(Back().GetPixel(299, 200), 0u) << "phase " << c.phase;
    } else {
      EXPECT_EQ(Back().GetPixel(300, 200), 0u) << "phase " << c.phase;
    }
    player.Kill();
    FreeDead();
  }
}

TEST_F(PlayerTest, StandingFigureFacesTheLastDirection) {
  for (int facing = 0; facing < 4; ++facing) {
    Back().Fill(0);
    TPlayer& player = AddPlayer(300, 200);
    player.Facing = facing;
    player.WalkPhase = 1.5;
    player.Render();
    int standing_pixels = 0;
    int other_pixels = 0;
    for (int y = 170; y < 240; ++y) {
      for (int x = 270; x < 340; ++x) {
        const RawPixel p = Back().GetPixel(x, y);
        standing_pixels += p == Raw(kStandColor);
        other_pixels += p != 0 && p != Raw(kStandColor);
      }
    }
    // Most of the standing picture, turned or not, and nothing of the walking pictures.
    EXPECT_GT(standing_pixels, 16 * 9 / 2) << "facing " << facing;
    EXPECT_EQ(other_pixels, 0) << "facing " << facing;
    EXPECT_EQ(player.Width, 16);
    EXPECT_EQ(player.Height, 9);
    player.Kill();
    FreeDead();
  }
}

TEST_F(PlayerTest, ACrashedFigureShowsOnlyTheCorpse) {
  TPlayer& player = AddPlayer(300, 100);
  AddCar(7, true, 290, 98);
  player.Step(1);
  ASSERT_TRUE(Game.Crashed);
  Back().Fill(0);
  const double phase = player.WalkPhase;
  clock.Advance(50);
  player.Render();
  EXPECT_EQ(Back().GetPixel(static_cast<int>(player.X) + 12, static_cast<int>(player.Y) + 7),
            Raw(kCorpseColor));  // the middle of the body, inside the picture's transparent frame
  EXPECT_EQ(player.WalkPhase, phase);
}

}  // namespace
}  // namespace jizdavo::test

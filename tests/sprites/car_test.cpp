#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "sprites/sprite_engine.h"
#include "sprite_field.h"
#include "state/game_state.h"

namespace jizdavo::test {
namespace {

// The pedestrian stands at (300, 100); a 14-pixel car at Y 98 is in its lane.
class CarTest : public SpriteField {
 protected:
  CarTest() : walker(AddPlayer(300, 100)) {}

  // Lays the walker down as a corpse, as a crash does.
  void Crash() {
    Game.Crashed = true;
    walker.SetImage(&Image("Mrtvola"));
  }

  TPlayer& walker;
};

TEST_F(CarTest, LeavesOnlyWhenPastItsOwnWidthBeyondTheEdge) {
  struct Case {
    bool goes_left;
    double x;
    bool killed;
  };
  // Ordinary cars are 34 pixels long in these tests.
  const Case cases[] = {
      {false, -34, false}, {false, -34.5, true}, {true, 640 + 34, false}, {true, 640 + 34.5, true},
      {false, 640 + 34.5, true}, {true, -34.5, true},
  };
  for (const Case& c : cases) {
    TCar& car = AddCar(7, c.goes_left, c.x, 300);
    car.Step(1);
    EXPECT_EQ(car.IsDead(), c.killed) << "x " << c.x;
  }
}

TEST_F(CarTest, DrivesAtItsSpeedFormula) {
  struct Case {
    double speed;
    bool goes_left;
    int move_count;
    double dx;
  };
  const Case cases[] = {
      {0.5, false, 10, 1.65}, {1.0, true, 10, -2.0}, {1.5, false, 4, 0.94}, {2.5, true, 1, -0.305},
  };
  for (const Case& c : cases) {
    TCar& car = AddCar(7, c.goes_left, 200, 300, c.speed);
    car.Step(c.move_count);
    EXPECT_NEAR(car.X, 200 + c.dx, 1e-9) << "speed " << c.speed;
  }
}

TEST_F(CarTest, HonksOnceWhenThePedestrianIsAhead) {
  struct Case {
    int type;
    bool goes_left;
    double x;
    const char* horn;
  };
  // 60 pixels: the front of a left-driving car, the rear of a right-driving one.
  const Case cases[] = {
      {7, true, 360, "Horn"}, {7, false, 240, "Horn"}, {11, true, 360, "Horn2"},
      {11, false, 240, "Horn2"}, {28, true, 360, "Horn2"}, {28, false, 240, "Horn2"},
  };
  for (const Case& c : cases) {
    const int horns = Plays("Horn");
    const int big_horns = Plays("Horn2");
    TCar& car = AddCar(c.type, c.goes_left, c.x, 98, 0.5);
    car.Step(1);
    car.Step(1);
    // Out of range and back again: still no second honk.
    car.X = c.goes_left ? 500 : 100;
    car.Step(1);
    car.X = c.x;
    car.Step(1);
    const bool big = std::string(c.horn) == "Horn2";
    EXPECT_EQ(Plays("Horn"), horns + (big ? 0 : 1)) << "type " << c.type;
    EXPECT_EQ(Plays("Horn2"), big_horns + (big ? 1 : 0)) << "type " << c.type;
    EXPECT_TRUE(car.HornPlayed);
    car.Kill();
    FreeDead();
  }
}

// The pedestrian at (300, 100): a left-driving car honks with its front 40 to 80 pixels ahead of it, in
// its lane (car tops 86.5 to 109). Step(0) leaves the car in place, so the ends are met exactly.
TEST_F(CarTest, HonksOnlyWithinItsWindowAndItsLane) {
  struct Case {
    const char* what;
    double x, y;
    bool honks;
  };
  const Case cases[] = {
      {"too close", 339.5, 98, false},     {"nearest", 340, 98, true},
      {"farthest", 380, 98, true},         {"too far", 380.5, 98, false},
      {"a lane above", 360, 80, false},    {"just above the lane", 360, 86, false},
      {"top of the lane", 360, 86.5, true}, {"bottom of the lane", 360, 109, true},
      {"just below the lane", 360, 109.5, false}, {"a lane below", 360, 115, false},
  };
  int honks = 0;
  for (const Case& c : cases) {
    TCar& car = AddCar(7, true, c.x, c.y, 0.5);
    car.Step(0);
    EXPECT_EQ(car.HornPlayed, c.honks) << c.what;
    honks += c.honks;
    car.Kill();
    FreeDead();
  }
  EXPECT_EQ(Plays("Horn"), honks);
}

TEST_F(CarTest, NoHonkAfterTheCrash) {
  Crash();
  TCar& car = AddCar(7, true, 360, 98, 0.5);
  car.Step(1);
  EXPECT_FALSE(car.HornPlayed);
  EXPECT_EQ(Plays("Horn"), 0);
}

TEST_F(CarTest, SquelchesOnceOverTheBody) {
  struct Case {
    const char* what;
    bool goes_left;
    double x;
    int move_count;
    bool squelch;
  };
  // Speed 1.0: 0.2 pixels per move unit, and a 2-pixel window before the body for right-driving cars.
  const Case cases[] = {
      {"left, over the body", true, 290.2, 1, true},
      {"right, front just before the body", false, 264.8, 1, true},
      {"right, front on the body", false, 265.8, 1, true},
      {"right, front past the body", false, 266.2, 1, false},
      {"right, jumping over the window", false, 261, 30, false},
  };
  Crash();
  for (const Case& c : cases) {
    const int squelches = Plays("Mlask");
    TCar& car = AddCar(7, c.goes_left, c.x, 98, 1.0);
    car.Step(c.move_count);
    car.Step(1);
    EXPECT_EQ(Plays("Mlask"), squelches + (c.squelch ? 1 : 0)) << c.what;
    EXPECT_EQ(car.SplatPlayed, c.squelch) << c.what;
    car.Kill();
    FreeDead();
  }
}

TEST_F(CarTest, OnlyWantedCarsPulseInTheCarChase) {
  struct Case {
    bool chase;
    int target1, target2, type;
    bool pulses;
  };
  const Case cases[] = {
      {true, 5, 9, 5, true}, {true, 5, 9, 9, true}, {true, 5, 9, 7, false},
      // Every car counts, so none is singled out.
      {true, 0, 0, 7, false},
      {false, 7, 9, 7, false},
  };
  for (const Case& c : cases) {
    Game.ChaseMode = c.chase;
    Game.TargetCar1 = c.target1;
    Game.TargetCar2 = c.target2;
    Back().Fill(0);
    TCar& car = AddCar(c.type, true, 200, 300);
    car.Render();
    EXPECT_EQ(car.PulsePhase, c.pulses ? 0.05L : 0.0L) << "type " << c.type;
    // Plain cars are copied as they are; a pulsing one is tinted and blended.
    EXPECT_EQ(Back().GetPixel(210, 305) == Raw(kCarColor), !c.pulses) << "type " << c.type;
    EXPECT_NE(Back().GetPixel(210, 305), 0u) << "type " << c.type;
    car.Kill();
    FreeDead();
  }
}

// Counts the body's pixels that changed, and checks they all went to `want` when given; the picture's
// transparent frame must stay as it was.
int ChangedCorpsePixels(TPictureCollectionItem& corpse, std::optional<RawPixel> want) {
  const TSurface& surface = *corpse.PatternSurface(0);
  int changed = 0;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      const RawPixel p = surface.GetPixel(x, y);
      const bool frame = x == 0 || y == 0 || x == surface.Width() - 1 || y == surface.Height() - 1;
      if (frame) {
        EXPECT_EQ(p, surface.ColorKey()) << "transparent pixel at " << x << ", " << y;
        continue;
      }
      if (p == Raw(kCorpseColor)) continue;
      ++changed;
      if (want) {
        EXPECT_EQ(p, *want) << "at " << x << ", " << y;
      }
    }
  }
  return changed;
}

TEST_F(CarTest, WheelsCrossingTheStainSplashTheBodyAndCarryBlood) {
  struct Case {
    const char* what;
    bool goes_left;
    double x;
    bool top, bottom;
    int dots;
  };
  // The stain spans 310..330 across and 105..125 down; the car's edges at 106 and 120 both lie in it.
  const Case cases[] = {
      {"right-driving, left of the stain", false, 280, false, false, 1},
      {"right-driving, past the stain's left edge", false, 310, true, true, 2},
      {"left-driving", true, 300, true, true, 2},
  };
  for (const Case& c : cases) {
    Crash();
    // A clean corpse picture for each case.
    TPictureCollectionItem& corpse = Image("Mrtvola");
    corpse.Rebuild();
    TKrev& stain = AddStain(310, 105, 20);
    TCar& car = AddCar(7, c.goes_left, c.x, 106, 1.0);
    car.Step(0);
    EXPECT_EQ(car.TopTrail, c.top) << c.what;
    EXPECT_EQ(car.BottomTrail, c.bottom) << c.what;
    if (c.top) {
      EXPECT_EQ(car.TopTrailAlpha, 255) << c.what;
    }
    const RawPixel once = Blend(Raw(kDotColor), Raw(kCorpseColor), 50);
    const RawPixel want = c.dots == 1 ? once : Blend(Raw(kDotColor), once, 50);
    const int changed = ChangedCorpsePixels(corpse, want);
    EXPECT_GT(changed, 0) << c.what;
    EXPECT_LE(changed, 9) << c.what;
    car.Kill();
    stain.Kill();
    FreeDead();
  }
}

// Splash after splash, dots land all over the picture's box, yet only on the body.
TEST_F(CarTest, SplashesNeverPaintTheCorpsePicturesTransparentPixels) {
  Crash();
  TPictureCollectionItem& corpse = Image("Mrtvola");
  corpse.Rebuild();
  TKrev& stain = AddStain(310, 105, 20);
  for (int pass = 0; pass < 200; ++pass) {
    clock.Advance(7);  // a new seed for the dot's place
    TCar& car = AddCar(7, true, 300, 106, 1.0);
    car.Step(0);
    car.Kill();
    FreeDead();
  }
  EXPECT_GT(ChangedCorpsePixels(corpse, std::nullopt), 100);  // the dots did land, all over the body
  stain.Kill();
  FreeDead();
}

// Only a stain under the car splashes it; a freed stain splashes nothing.
TEST_F(CarTest, CarsAwayFromAnyStainStayClean) {
  Crash();
  TPictureCollectionItem& corpse = Image("Mrtvola");
  corpse.Rebuild();
  TKrev& stain = AddStain(310, 105, 20);
  TCar& far_car = AddCar(7, false, 100, 106, 1.0);
  far_car.Step(0);
  EXPECT_FALSE(far_car.TopTrail || far_car.BottomTrail);
  stain.Kill();
  FreeDead();
  TCar& crossing = AddCar(7, false, 310, 106, 1.0);
  crossing.Step(0);
  EXPECT_FALSE(crossing.TopTrail || crossing.BottomTrail);
  EXPECT_EQ(ChangedCorpsePixels(corpse, Blend(Raw(kDotColor), Raw(kCorpseColor), 50)), 0);
}

TEST_F(CarTest, TrailsFadeOverFiftyOneDots) {
  TCar& car = AddCar(7, true, 100, 200);
  car.TopTrail = true;
  car.TopTrailAlpha = 255;
  car.BottomTrail = true;
  car.BottomTrailAlpha = 255;
  const RawPixel road = Raw(kRoadColor);
  for (int frame = 0; frame < 60; ++frame) {
    car.X = 100 + 4 * frame;
    car.Render();
  }
  for (int frame = 0; frame < 60; ++frame) {
    const int x = 100 + 4 * frame;
    const int alpha = 255 - 5 * frame;
    const RawPixel want = alpha > 0 ? Blend(Raw(kDotColor), road, alpha) : road;
    EXPECT_EQ(Road().GetPixel(x + 1, 201), want) << "frame " << frame;
    EXPECT_EQ(Road().GetPixel(x + 1, 200 + car.Height - 2), want) << "frame " << frame;
  }
  // Over the top dot and past the bottom one, the road is untouched.
  EXPECT_EQ(Road().GetPixel(101, 199), road);
  EXPECT_EQ(Road().GetPixel(101, 200 + car.Height), road);
}

}  // namespace
}  // namespace jizdavo::test

#include <gtest/gtest.h>

#include <vector>

#include "state/game_state.h"
#include "sprites/sprite_engine.h"
#include "sprite_field.h"

namespace jizdavo::test {
namespace {

// The end-of-game sequence has cleared the field and drops the first bar.
class CurtainTest : public SpriteField {
 protected:
  CurtainTest() {
    SetFrequency("Puk", 8000);
    Game.EndProgress = 71;
  }

  TBlack& Bar(int index) { return dynamic_cast<TBlack&>(*Root().Child(index)); }
};

TEST_F(CurtainTest, TheFirstBarComesToRestOnTheFloor) {
  TBlack& first = *new TBlack(&Root());
  EXPECT_EQ(first.Y, -10);
  EXPECT_EQ(first.Width, 640);
  EXPECT_EQ(first.Height, 10);
  EXPECT_EQ(first.FallSpeed, 2.0);
  int passes = 0;
  while (first.FallSpeed > 0 && passes < 1000) {
    MovePass(16);
    ++passes;
  }
  EXPECT_EQ(first.Y, 470);
  EXPECT_EQ(Game.EndProgress, 72);
  EXPECT_EQ(Root().ChildCount(), 2);
  EXPECT_EQ(Bar(1).Y, -10);
  EXPECT_EQ(Frequency("Puk"), 8100);
  EXPECT_EQ(Plays("Puk"), 1);
}

TEST_F(CurtainTest, ABarReachingThePileTopExactlyLandsInTheNextPass) {
  TBlack& bar = *new TBlack(&Root());
  bar.Y = 466;
  bar.Step(2);
  EXPECT_EQ(bar.Y, 470);
  EXPECT_NEAR(bar.FallSpeed, 2.02, 1e-12);
  EXPECT_EQ(Game.EndProgress, 71);
  bar.Step(2);
  EXPECT_EQ(bar.Y, 470);
  EXPECT_EQ(bar.FallSpeed, 0);
  EXPECT_EQ(Game.EndProgress, 72);
}

TEST_F(CurtainTest, BarsPileUpToTheTopWithARisingSound) {
  new TBlack(&Root());
  std::vector<double> landings;
  std::vector<int> pitches;
  for (int pass = 0; pass < 5000 && Game.EndProgress < 120; ++pass) {
    MovePass(20);
    while (static_cast<int>(landings.size()) < Root().ChildCount() - 1) {
      landings.push_back(Bar(static_cast<int>(landings.size())).Y);
      pitches.push_back(Frequency("Puk"));
    }
  }
  ASSERT_EQ(landings.size(), 49u);
  for (int k = 1; k <= 49; ++k) {
    EXPECT_EQ(landings[k - 1], 480 - 10 * k) << "bar " << k;
    EXPECT_EQ(pitches[k - 1], 8000 + 100 * k) << "bar " << k;
  }
  EXPECT_EQ(Game.EndProgress, 120);
  EXPECT_EQ(Plays("Puk"), 49);
  // From now on every bar only counts the sequence towards its end.
  MovePass(20);
  EXPECT_EQ(Game.EndProgress, 120 + Root().ChildCount());
  EXPECT_EQ(Root().ChildCount(), 50);
}

TEST_F(CurtainTest, AFallingBarOverlappingAnotherRestsOnIt) {
  TBlack& below = *new TBlack(&Root());
  below.Y = 300;
  below.FallSpeed = 0;
  TBlack& falling = *new TBlack(&Root());
  falling.Y = 295;
  falling.Step(1);
  EXPECT_EQ(falling.Y, 290);
  EXPECT_EQ(falling.FallSpeed, 0);
  EXPECT_EQ(Game.EndProgress, 72);
  EXPECT_EQ(Root().ChildCount(), 3);
  EXPECT_EQ(Frequency("Puk"), 8100);
}

TEST_F(CurtainTest, ABarIsDrawnAsAFullWidthBlackBand) {
  Back().Fill(Raw(kRoadColor));
  TBlack& bar = *new TBlack(&Root());
  bar.Y = 100.5;
  DrawPass();
  EXPECT_EQ(Back().GetPixel(0, 100), 0u);
  EXPECT_EQ(Back().GetPixel(639, 109), 0u);
  EXPECT_EQ(Back().GetPixel(320, 99), Raw(kRoadColor));
  EXPECT_EQ(Back().GetPixel(320, 110), Raw(kRoadColor));
}

}  // namespace
}  // namespace jizdavo::test

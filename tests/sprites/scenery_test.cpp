#include <gtest/gtest.h>

#include <algorithm>

#include "state/game_state.h"
#include "sprites/sprite_engine.h"
#include "sprite_field.h"

namespace jizdavo::test {
namespace {

using SceneryTest = SpriteField;

// The extent of the stain's colour on the back surface, as (left, top, right, bottom).
TRect StainExtent(const TSurface& back) {
  TRect r{back.Width(), back.Height(), 0, 0};
  for (int y = 0; y < back.Height(); ++y) {
    for (int x = 0; x < back.Width(); ++x) {
      if (back.GetPixel(x, y) != Raw(kStainColor)) continue;
      r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
    }
  }
  return r;
}

TEST_F(SceneryTest, AStainBelowFullSizeIsDrawnStretchedThenOneToOne) {
  struct Case {
    double x, y, size;
    TRect want;
  };
  const Case cases[] = {
      {100, 100, 12, {100, 100, 112, 112}},
      // Each edge rounded on its own, halves to even.
      {100.5, 99.5, 12, {100, 100, 112, 112}},
      {101.5, 100.4, 12.2, {102, 100, 114, 113}},
      {100, 100, 20.2, {100, 100, 120, 120}},
  };
  for (const Case& c : cases) {
    Back().Fill(0);
    TKrev& stain = AddStain(c.x, c.y, c.size);
    stain.Render();
    EXPECT_EQ(StainExtent(Back()), c.want) << "size " << c.size << " at " << c.x << ", " << c.y;
    stain.Kill();
    FreeDead();
  }
}

// One step per 17 ms from the crash at any frame length, whatever resets the shared animation clock
// (the end words do in every frame): 51 steps, 0.867 s, to 20.2.
TEST_F(SceneryTest, AStainGrowsAStepPerSeventeenMillisecondsToItsFullSize) {
  for (uint32_t frame : {1u, 16u, 17u, 40u}) {
    const uint32_t born = clock.Now();
    TKrev& stain = AddStain(200, 150, 10);
    while (clock.Now() - born < 51 * 17) {
      clock.Advance(frame);
      Game.AnimTick = clock.Now();
      stain.Render();
      const uint32_t steps = std::min<uint32_t>((clock.Now() - born) / 17, 51);
      ASSERT_NEAR(stain.Size, 10 + 0.2 * steps, 1e-9) << frame << " ms frames, at " << clock.Now() - born;
    }
    EXPECT_NEAR(stain.Size, 20.2, 1e-9);
    EXPECT_NEAR(stain.X, 200 - 5.1, 1e-9);
    EXPECT_NEAR(stain.Y, 150 - 5.1, 1e-9);
    EXPECT_EQ(stain.Width, 20);
    EXPECT_EQ(stain.Height, 20);
    clock.Advance(1000);
    stain.Render();
    EXPECT_NEAR(stain.Size, 20.2, 1e-9);
    stain.Kill();
    FreeDead();
  }
}

TEST_F(SceneryTest, BarrierCapsReachPastTheCollisionRectangle) {
  Back().Fill(0);
  TBarrier& bar = AddBarrier(100, 220, 150);
  EXPECT_EQ(bar.Height, 3);
  EXPECT_EQ(bar.Z(), 0);
  EXPECT_EQ(bar.BoundingRect(), (TRect{100, 220, 250, 223}));
  bar.Render();
  const RawPixel bar_color = Raw(RGB(219, 219, 219));
  const RawPixel cap_color = Raw(RGB(200, 200, 200));
  EXPECT_EQ(Back().GetPixel(175, 220), bar_color);
  EXPECT_EQ(Back().GetPixel(175, 219), bar_color);
  EXPECT_EQ(Back().GetPixel(175, 221), bar_color);
  EXPECT_EQ(Back().GetPixel(98, 220), cap_color);
  EXPECT_EQ(Back().GetPixel(251, 220), cap_color);
  EXPECT_EQ(Back().GetPixel(97, 220), 0u);
  EXPECT_EQ(Back().GetPixel(253, 220), 0u);
}

TEST_F(SceneryTest, TheFinishIsBlendedAtTheBottomCentre) {
  Back().Fill(Raw(kRoadColor));
  TCil& finish = *new TCil(&Root());
  EXPECT_EQ(finish.X, 313);
  EXPECT_EQ(finish.Y, 443);
  EXPECT_EQ(finish.Width, 15);
  EXPECT_EQ(finish.Height, 15);
  EXPECT_EQ(finish.Z(), 0);
  DrawPass();
  const RawPixel want = Blend(Raw(kFinishColor), Raw(kRoadColor), 100);
  EXPECT_EQ(Back().GetPixel(313, 443), want);
  EXPECT_EQ(Back().GetPixel(327, 457), want);
  EXPECT_EQ(Back().GetPixel(312, 443), Raw(kRoadColor));
  EXPECT_EQ(Back().GetPixel(328, 457), Raw(kRoadColor));
}

}  // namespace
}  // namespace jizdavo::test

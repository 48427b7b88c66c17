// The menu backdrop: the fading title band, the letter sweep and where the veils lie.

#include <gtest/gtest.h>

#include <string>

#include "platform/color.h"
#include "startup_rig.h"
#include "state/game_state.h"

namespace jizdavo::testing {
namespace {

constexpr uint32_t kWhite = 0xFFFF;
constexpr int kBandTop = 20;
constexpr int kBandHeight = 32;

uint32_t BrightestInBand(const TSurface& back) {
  uint32_t brightest = 0;
  for (int y = kBandTop; y < kBandTop + kBandHeight; ++y) {
    for (int x = 0; x < back.Width(); ++x) brightest = std::max(brightest, back.GetPixel(x, y) >> 11);
  }
  return brightest;
}

// The columns of the title band holding a lit pixel: [first, last].
std::pair<int, int> LitColumns(const TSurface& back) {
  int first = back.Width();
  int last = -1;
  for (int y = kBandTop; y < kBandTop + kBandHeight; ++y) {
    for (int x = 0; x < back.Width(); ++x) {
      if (back.GetPixel(x, y) == 0) continue;
      first = std::min(first, x);
      last = std::max(last, x);
    }
  }
  return {first, last};
}

class Backdrop : public ::testing::Test {
 protected:
  void SetUp() override { rig.StartWithoutIntro(); }
  TSurface& Back() { return *rig.game->DXDraw1.BackSurface(); }

  StartupRig rig;
};

TEST_F(Backdrop, StoppedSweepLetsTheTitleBandFadeToBlack) {
  Game.Title = "MAIN MENU";
  Game.TitlePos = 1000;
  Back().Fill(kWhite);
  uint32_t before = BrightestInBand(Back());
  int frames = 0;
  while (before > 0 && frames < 200) {
    rig.game->MenuFrame();
    ++frames;
    uint32_t now = BrightestInBand(Back());
    ASSERT_LT(now, before) << "frame " << frames;
    before = now;
  }
  EXPECT_EQ(before, 0u);
  EXPECT_EQ(Game.TitlePos, 1000);
}

TEST_F(Backdrop, OneSweepThereAndBackTakesTwiceTheTitleLength) {
  Game.Title = "ABC";
  Game.TitlePos = 0;
  TCanvas& canvas = Back().Canvas();
  canvas.Font.Name = "Arial Black";
  canvas.Font.Size = 20;
  int left = 640 / 2 - canvas.TextWidth("ABC") / 2;
  int edges[] = {left, left + canvas.TextWidth("A"), left + canvas.TextWidth("AB"), left + canvas.TextWidth("ABC")};
  Back().ReleaseCanvas();

  const int letters[] = {1, 2, 3, 3, 2, 1, 1};  // the letter each frame writes
  for (int frame = 0; frame < 7; ++frame) {
    Back().Fill(0);
    rig.game->MenuFrame();
    EXPECT_EQ(Game.TitlePos, frame < 6 ? frame + 1 : 1);
    auto [first, last] = LitColumns(Back());
    int k = letters[frame];
    EXPECT_GE(first, edges[k - 1] - 1) << "frame " << frame;
    EXPECT_LE(last, edges[k] + 1) << "frame " << frame;
    EXPECT_LT(first, last) << "frame " << frame;
  }
}

struct VeilCase {
  int left_j2;
  int right_j2;
};

class Veils : public Backdrop, public ::testing::WithParamInterface<VeilCase> {};

// Left of the emblem's reach and above or below the right emblem's jitter: only the veil darkens there.
TEST_P(Veils, FollowTheRightEmblemsJitter) {
  const VeilCase& c = GetParam();
  rig.scripted.queued = {0, c.left_j2, 0, c.right_j2};
  Game.TitlePos = 1000;
  Back().Fill(kWhite);
  rig.game->MenuFrame();

  constexpr int kColumns[] = {140, 540};  // inside each veil, clear of each emblem
  for (int x : kColumns) {
    int veil_top = c.right_j2 + 190;
    EXPECT_EQ(Back().GetPixel(x, veil_top - 1), kWhite) << x;
    EXPECT_LT(Back().GetPixel(x, veil_top), kWhite) << x;
    EXPECT_LT(Back().GetPixel(x, 393), kWhite) << x;
    EXPECT_EQ(Back().GetPixel(x, 394), kWhite) << x;
  }
}

INSTANTIATE_TEST_SUITE_P(Jitter, Veils, ::testing::Values(VeilCase{0, 20}, VeilCase{20, 0}, VeilCase{5, 12}));

}  // namespace
}  // namespace jizdavo::testing

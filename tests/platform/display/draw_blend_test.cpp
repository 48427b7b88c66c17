// DrawBlended on the cases the game leans on: opaque and empty alphas, thin bands, rectangles that reach
// past the destination, and the slight darkening of the mix.

#include <gtest/gtest.h>

#include "platform/display/image_fixtures.h"
#include "platform/display/image_list.h"
#include "platform/pixels/reference_draw.h"
#include "platform/pixels/surface_fixtures.h"

namespace jizdavo {
namespace {

using testing::AddBuiltItem;
using testing::CountPixels;
using testing::PixelsOf;

class Blend : public ::testing::Test {
 protected:
  TDXImageList list;
  std::mt19937 rng{7};
};

TEST_F(Blend, AlphaOf255OrMoreIsTheOpaqueCopyAndZeroOrLessIsNothing) {
  TPictureCollectionItem& item = AddBuiltItem(list, "Cil", 5, 4, testing::CoordinatePicture(5, 4));
  auto background = testing::NoiseSurface(30, 20, rng);
  auto stretched = testing::Clone(*background);
  item.DrawStretched(*stretched, {3, 2, 13, 10}, 0);
  for (int alpha : {255, 256, 300}) {
    auto dest = testing::Clone(*background);
    item.DrawBlended(*dest, {3, 2, 13, 10}, 0, alpha);
    EXPECT_EQ(PixelsOf(*dest), PixelsOf(*stretched)) << alpha;
  }
  for (int alpha : {0, -5}) {
    auto dest = testing::Clone(*background);
    item.DrawBlended(*dest, {3, 2, 13, 10}, 0, alpha);
    EXPECT_EQ(PixelsOf(*dest), PixelsOf(*background)) << alpha;
  }
}

TEST_F(Blend, OnePixelPictureFillsAWholeBand) {
  TPictureCollectionItem& item = AddBuiltItem(list, "Black", 1, 1, {clBlack});
  TSurface dest(640, 480);
  dest.Fill(0xFFFF);
  item.DrawBlended(dest, {0, 100, 640, 120}, 0, 100);
  const RawPixel mixed = reference::Mix(0x0000, 0xFFFF, 100);
  EXPECT_EQ(CountPixels(dest, mixed), 640 * 20);
  EXPECT_EQ(CountPixels(dest, 0xFFFF), 640 * 460);
  EXPECT_EQ(dest.GetPixel(0, 100), mixed);
  EXPECT_EQ(dest.GetPixel(639, 119), mixed);
}

TEST_F(Blend, RectanglePastTheBottomKeepsItsScale) {
  const std::vector<TColor> rows = {clRed, clLime, RGB(0, 0, 255), clWhite};
  TPictureCollectionItem& item = AddBuiltItem(list, "Stripes", 1, 4, rows);
  TSurface dest(4, 480);
  item.DrawBlended(dest, {0, 476, 1, 484}, 0, 255);
  // Eight rows for four source rows: each source row twice, and only the first half is on screen.
  EXPECT_EQ(dest.GetPixel(0, 476), 0xF800u);
  EXPECT_EQ(dest.GetPixel(0, 477), 0xF800u);
  EXPECT_EQ(dest.GetPixel(0, 478), 0x07E0u);
  EXPECT_EQ(dest.GetPixel(0, 479), 0x07E0u);
  EXPECT_EQ(CountPixels(dest, 0), 4 * 480 - 4);
}

TEST_F(Blend, RectangleBeforeTheTopStartsPartWayIntoThePicture) {
  TPictureCollectionItem& item =
      AddBuiltItem(list, "Stripes", 1, 4, {clRed, clLime, RGB(0, 0, 255), clWhite});
  TSurface dest(1, 10);
  item.DrawBlended(dest, {0, -2, 1, 2}, 0, 255);
  EXPECT_EQ(dest.GetPixel(0, 0), 0x001Fu);
  EXPECT_EQ(dest.GetPixel(0, 1), 0xFFFFu);
  EXPECT_EQ(dest.GetPixel(0, 2), 0u);
}

TEST_F(Blend, MixDarkensEqualColoursByOneStep) {
  struct Case {
    RawPixel colour;
    int alpha;
    RawPixel mixed;
  };
  // 248 with itself at 128: (248 * 128 + 248 * 127) div 256 = 247, which packs to 30 of 31.
  for (const Case& c : {Case{0xF800, 128, 0xF000}, Case{0x001F, 128, 0x001E}, Case{0x07E0, 128, 0x07C0},
                        Case{0xFFFF, 1, 0xF7DE}, Case{0x0000, 77, 0x0000}, Case{0xFFFF, 254, 0xF7DE}}) {
    TDXImageList local;
    TPictureCollectionItem& item = AddBuiltItem(local, "Dot", 1, 1, {clBlack});
    item.PatternSurface(0)->Fill(c.colour);
    TSurface dest(1, 1);
    dest.Fill(c.colour);
    item.DrawBlended(dest, {0, 0, 1, 1}, 0, c.alpha);
    EXPECT_EQ(dest.GetPixel(0, 0), c.mixed) << std::hex << c.colour << " alpha " << std::dec << c.alpha;
  }
}

TEST_F(Blend, MixWeighsSourceAndDestination) {
  TPictureCollectionItem& item = AddBuiltItem(list, "Alpha", 1, 1, {RGB(255, 255, 0)});
  TSurface dest(1, 1);
  dest.Fill(0x001F);  // blue 248
  item.DrawBlended(dest, {0, 0, 1, 1}, 0, 100);
  // red 248*100/256 = 96, green 252*100/256 = 98, blue 248*155/256 = 150
  EXPECT_EQ(dest.GetPixel(0, 0), rgb565::Pack(96, 98, 150));
}

TEST_F(Blend, KeyedPixelsLeaveTheDestinationAlone) {
  TPictureCollectionItem& item = AddBuiltItem(list, "CarTemp", 2, 1, {clYellow, clRed});
  item.Transparent = true;
  item.SetTransparentColor(clYellow);
  TSurface dest(2, 1);
  dest.Fill(0x1234);
  item.DrawBlended(dest, {0, 0, 2, 1}, 0, 150);
  EXPECT_EQ(dest.GetPixel(0, 0), 0x1234u);
  EXPECT_EQ(dest.GetPixel(1, 0), reference::Mix(0xF800, 0x1234, 150));
}

TEST_F(Blend, EmptyOrOffScreenRectanglesDrawNothing) {
  TPictureCollectionItem& item = AddBuiltItem(list, "Krev1", 3, 3, std::vector<TColor>(9, clRed));
  TSurface dest(10, 10);
  for (const TRect& r : {TRect{5, 5, 5, 8}, TRect{5, 5, 8, 4}, TRect{10, 0, 13, 3}, TRect{-3, 0, 0, 3},
                         TRect{0, 10, 3, 13}, TRect{0, -3, 3, 0}}) {
    item.DrawBlended(dest, r, 0, 200);
  }
  EXPECT_EQ(CountPixels(dest, 0), 100);
}

}  // namespace
}  // namespace jizdavo

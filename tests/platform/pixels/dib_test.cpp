#include "platform/pixels/dib.h"

#include <gtest/gtest.h>

namespace jizdavo {
namespace {

std::vector<TColor> PixelsOf(const TDIB& dib) {
  std::vector<TColor> pixels;
  for (int y = 0; y < dib.Height(); ++y) pixels.insert(pixels.end(), dib.Row(y), dib.Row(y) + dib.Width());
  return pixels;
}

void Fill24(TDIB& dib, int w, int h, TColor color) {
  dib.Assign(w, h, 24, std::vector<TColor>(static_cast<size_t>(w) * h, color));
}

TEST(Dib, SizeOnAnEmptyPictureGivesABlackEightBitPictureOneThePixelOtherWay) {
  TDIB wide;
  wide.SetWidth(5);
  EXPECT_EQ(wide.Width(), 5);
  EXPECT_EQ(wide.Height(), 1);
  EXPECT_EQ(wide.BitCount(), 8);
  EXPECT_EQ(PixelsOf(wide), std::vector<TColor>(5, clBlack));
  TDIB tall;
  tall.SetHeight(3);
  EXPECT_EQ(tall.Width(), 1);
  EXPECT_EQ(tall.Height(), 3);
}

TEST(Dib, SameValueKeepsThePixelsNewValueGivesBlack) {
  TDIB dib;
  Fill24(dib, 4, 3, clYellow);
  dib.SetWidth(4);
  dib.SetHeight(3);
  dib.SetBitCount(24);
  EXPECT_EQ(PixelsOf(dib), std::vector<TColor>(12, clYellow));
  dib.SetWidth(6);
  EXPECT_EQ(dib.Width(), 6);
  EXPECT_EQ(dib.Height(), 3);
  EXPECT_EQ(dib.BitCount(), 24);
  EXPECT_EQ(PixelsOf(dib), std::vector<TColor>(18, clBlack));
  dib.Assign(2, 2, 24, {clRed, clRed, clRed, clRed});
  dib.SetHeight(5);
  EXPECT_EQ(PixelsOf(dib), std::vector<TColor>(10, clBlack));
}

TEST(Dib, ZeroOrLessEmptiesIt) {
  for (int size : {0, -4}) {
    TDIB by_width, by_height;
    Fill24(by_width, 3, 3, clRed);
    Fill24(by_height, 3, 3, clRed);
    by_width.SetWidth(size);
    EXPECT_TRUE(by_width.Empty());
    by_height.SetHeight(size);
    EXPECT_TRUE(by_height.Empty());
    EXPECT_EQ(by_height.Width(), 0);
  }
}

TEST(Dib, ChangeOfDepthAloneConvertsThePixels) {
  struct Case {
    int bit_count;
    TColor from, to;
  };
  for (const Case& c :
       {Case{32, RGB(1, 2, 3), RGB(1, 2, 3)}, Case{16, RGB(255, 13, 7), RGB(248, 8, 0)},
        Case{8, RGB(255, 20, 100), RGB(255, 36, 85)}, Case{8, RGB(0, 0, 0), RGB(0, 0, 0)},
        Case{4, RGB(250, 10, 10), RGB(255, 0, 0)}, Case{4, RGB(190, 190, 200), RGB(192, 192, 192)},
        Case{1, RGB(200, 200, 100), clWhite}, Case{1, RGB(90, 20, 200), clBlack}}) {
    TDIB dib;
    Fill24(dib, 2, 1, c.from);
    dib.SetBitCount(c.bit_count);
    EXPECT_EQ(dib.BitCount(), c.bit_count);
    EXPECT_EQ(PixelsOf(dib), std::vector<TColor>(2, c.to)) << c.bit_count << " " << std::hex << c.from;
  }
}

TEST(Dib, UnknownDepthIsIgnored) {
  TDIB dib;
  Fill24(dib, 2, 2, clSilver);
  dib.SetBitCount(12);
  EXPECT_EQ(dib.BitCount(), 24);
  EXPECT_EQ(PixelsOf(dib), std::vector<TColor>(4, clSilver));
}

TEST(Dib, AssignPadsAShortPixelListWithBlack) {
  TDIB dib;
  dib.Assign(3, 1, 24, {clWhite});
  EXPECT_EQ(PixelsOf(dib), (std::vector<TColor>{clWhite, clBlack, clBlack}));
  dib.Assign(0, 5, 24, {clWhite});
  EXPECT_TRUE(dib.Empty());
}

}  // namespace
}  // namespace jizdavo

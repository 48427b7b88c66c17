#include "platform/pixels/surface.h"

#include <gtest/gtest.h>

#include "platform/pixels/surface_fixtures.h"

namespace jizdavo {
namespace {

TEST(Surface, IsBlackAndAtLeastOnePixelEachWay) {
  TSurface surface(0, -3);
  EXPECT_EQ(surface.Width(), 1);
  EXPECT_EQ(surface.Height(), 1);
  TSurface big(7, 5);
  EXPECT_EQ(testing::CountPixels(big, 0), 35);
}

TEST(Surface, FillTakesTheLow16BitsAsTheyAre) {
  TSurface surface(4, 3);
  surface.Fill(0xFFFFFFFF);
  EXPECT_EQ(testing::CountPixels(surface, 0xFFFF), 12);
  surface.Fill(0x12345);
  EXPECT_EQ(testing::CountPixels(surface, 0x2345), 12);
}

TEST(Surface, FillRectIsClippedAndExcludesRightAndBottom) {
  struct Case {
    TRect rect;
    int filled;
  };
  for (const Case& c :
       {Case{{1, 1, 3, 2}, 2}, Case{{-5, -5, 2, 2}, 4}, Case{{8, 4, 20, 20}, 2}, Case{{0, 0, 10, 5}, 50},
        Case{{10, 0, 12, 5}, 0}, Case{{3, 3, 3, 4}, 0}, Case{{4, 2, 2, 4}, 0}}) {
    TSurface surface(10, 5);
    surface.FillRect(c.rect, 0xABCD);
    EXPECT_EQ(testing::CountPixels(surface, 0xABCD), c.filled) << c.rect.Left << "," << c.rect.Top;
  }
}

TEST(Surface, GetPixelIsZeroOutside) {
  TSurface surface(3, 2);
  surface.Fill(0x1111);
  surface.Row(1)[2] = 0x2222;
  EXPECT_EQ(surface.GetPixel(2, 1), 0x2222u);
  EXPECT_EQ(surface.GetPixel(0, 0), 0x1111u);
  for (const auto& [x, y] : {std::pair{-1, 0}, std::pair{3, 0}, std::pair{0, -1}, std::pair{0, 2}}) {
    EXPECT_EQ(surface.GetPixel(x, y), 0u) << x << "," << y;
  }
}

TEST(Surface, MatchColorCutsEachChannelToItsWidthAndLeavesThePixelsAlone) {
  TSurface surface(2, 2);
  surface.Fill(0x4321);
  struct Case {
    TColor color;
    uint32_t raw;
  };
  for (const Case& c : {Case{clBlack, 0x0000}, Case{clWhite, 0xFFFF}, Case{0xFFFFFE, 0xFFFF},
                        Case{clRed, 0xF800}, Case{clLime, 0x07E0}, Case{RGB(0, 0, 255), 0x001F},
                        Case{clSilver, 0xC618}, Case{RGB(7, 3, 7), 0x0000}, Case{clMaroon, 0x8000}}) {
    EXPECT_EQ(surface.MatchColor(c.color), c.raw) << std::hex << c.color;
  }
  EXPECT_EQ(testing::CountPixels(surface, 0x4321), 4);
}

TEST(Surface, KeyTakenFromItsOwnCornerMakesThatValueTransparent) {
  TSurface source(3, 1);
  source.Row(0)[0] = 0x0F0F;
  source.Row(0)[1] = 0x1234;
  source.Row(0)[2] = 0x0F0F;
  source.SetColorKey(source.GetPixel(0, 0));
  TSurface dest(3, 1);
  dest.Fill(0x7777);
  dest.DrawSurface(0, 0, source.ClientRect(), &source, true);
  EXPECT_EQ(dest.GetPixel(0, 0), 0x7777u);
  EXPECT_EQ(dest.GetPixel(1, 0), 0x1234u);
  EXPECT_EQ(dest.GetPixel(2, 0), 0x7777u);
  dest.DrawSurface(0, 0, source.ClientRect(), &source, false);
  EXPECT_EQ(dest.GetPixel(0, 0), 0x0F0Fu);
}

TEST(Surface, DrawSurfaceWithoutSourceOrPastTheEdgeDrawsNothing) {
  TSurface source(4, 4);
  source.Fill(0xFFFF);
  TSurface dest(10, 10);
  dest.DrawSurface(0, 0, source.ClientRect(), nullptr, false);
  dest.DrawSurface(11, 0, source.ClientRect(), &source, false);
  dest.DrawSurface(0, 11, source.ClientRect(), &source, false);
  dest.DrawSurface(10, 10, source.ClientRect(), &source, false);
  dest.DrawSurface(INT_MIN, INT_MIN, source.ClientRect(), &source, false);
  EXPECT_EQ(testing::CountPixels(dest, 0), 100);
}

TEST(Surface, DrawSurfaceOntoItselfMovesTheBlockIntact) {
  TSurface surface(4, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) surface.Row(y)[x] = static_cast<RawPixel>(y * 4 + x);
  }
  surface.DrawSurface(1, 1, {0, 0, 3, 3}, &surface, false);
  for (int y = 1; y < 4; ++y) {
    for (int x = 1; x < 4; ++x) EXPECT_EQ(surface.GetPixel(x, y), static_cast<uint32_t>((y - 1) * 4 + x - 1));
  }
}

}  // namespace
}  // namespace jizdavo

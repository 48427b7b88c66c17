// DrawRotated against the plain copy and on its quarter turn.

#include <gtest/gtest.h>

#include "platform/display/image_fixtures.h"
#include "platform/display/image_list.h"
#include "platform/pixels/surface_fixtures.h"

namespace jizdavo {
namespace {

using testing::AddBuiltItem;
using testing::PixelsOf;

class Rotated : public ::testing::Test {
 protected:
  static constexpr int kW = 7, kH = 5;
  TDXImageList list;
  TPictureCollectionItem& item = AddBuiltItem(list, "Clovek1c", kW, kH, testing::CoordinatePicture(kW, kH));
  std::mt19937 rng{3};
  std::unique_ptr<TSurface> background = testing::NoiseSurface(40, 30, rng);

  std::vector<RawPixel> Turned(int x, int y, double cx, double cy, int angle) {
    auto dest = testing::Clone(*background);
    item.DrawRotated(*dest, x, y, kW, kH, 0, cx, cy, angle);
    return PixelsOf(*dest);
  }
};

TEST_F(Rotated, AngleZeroWithCentreAtTheCornerIsTheCopy) {
  for (bool transparent : {false, true}) {
    item.Transparent = transparent;
    for (const auto& [x, y] : {std::pair{10, 10}, std::pair{-3, 4}, std::pair{36, 27}, std::pair{0, 0}}) {
      auto copied = testing::Clone(*background);
      item.DrawAt(*copied, x, y, 0);
      EXPECT_EQ(Turned(x, y, 0, 0, 0), PixelsOf(*copied)) << x << "," << y;
    }
  }
}

TEST_F(Rotated, WholeTurnsAreTheSameAngle) {
  for (int angle : {0, 13, 64, 97, 200}) {
    const auto once = Turned(20, 15, 0.5, 0.5, angle);
    EXPECT_EQ(Turned(20, 15, 0.5, 0.5, angle + 256), once) << angle;
    EXPECT_EQ(Turned(20, 15, 0.5, 0.5, angle - 256), once) << angle;
    EXPECT_EQ(Turned(20, 15, 0.5, 0.5, angle - 512), once) << angle;
  }
}

// A quarter turn about the top-right corner: the picture ends up left of and above (x, y), its top edge
// now its right edge. The inverse map samples the first turned column at the picture's second row, so
// the top row itself is not shown.
TEST_F(Rotated, QuarterTurnAboutTheTopRightCornerTurnsClockwise) {
  const int x = 20, y = 15;
  auto dest = testing::Clone(*background);
  item.DrawRotated(*dest, x, y, kW, kH, 0, 1.0, 0.0, 64);
  int changed = 0;
  for (int py = 0; py < dest->Height(); ++py) {
    for (int px = 0; px < dest->Width(); ++px)
      changed += dest->GetPixel(px, py) != background->GetPixel(px, py);
  }
  EXPECT_EQ(changed, kW * (kH - 1));
  for (int row = 1; row < kH; ++row) {
    for (int column = 0; column < kW; ++column) {
      EXPECT_EQ(dest->GetPixel(x - row, y - kW + column),
                rgb565::FromColor(RGB(8 * column, 4 * row, 8 * (column + row))))
          << column << "," << row;
    }
  }
}

TEST_F(Rotated, NothingForAnEmptySizeOrABoxOffTheDestination) {
  const auto untouched = PixelsOf(*background);
  for (const auto& [w, h] : {std::pair{0, 5}, std::pair{7, 0}, std::pair{-7, 5}}) {
    auto dest = testing::Clone(*background);
    item.DrawRotated(*dest, 20, 15, w, h, 0, 0.5, 0.5, 30);
    EXPECT_EQ(PixelsOf(*dest), untouched);
  }
  EXPECT_EQ(Turned(-50, 15, 0.5, 0.5, 30), untouched);
  EXPECT_EQ(Turned(20, 100, 0.5, 0.5, 30), untouched);
}

}  // namespace
}  // namespace jizdavo

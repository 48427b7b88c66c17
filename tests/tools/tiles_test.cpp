// Ground, road and kerb tiles are laid edge to edge; the joins must not show.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

#include "platform/assets/asset_catalog.h"
#include "platform/pictures/dib_format.h"

namespace jizdavo {
namespace {

DecodedPicture Tile(const std::string& name) {
  for (const StoredImage& item : StoredImages())
    if (name == item.name) return DecodePicturePayload(item.payload);
  ADD_FAILURE() << name;
  return {};
}

TColor At(const DecodedPicture& p, int x, int y) { return p.pixels[y * p.width + x]; }

int Difference(TColor a, TColor b) {
  return std::abs(static_cast<int>(GetRValue(a)) - static_cast<int>(GetRValue(b))) +
         std::abs(static_cast<int>(GetGValue(a)) - static_cast<int>(GetGValue(b))) +
         std::abs(static_cast<int>(GetBValue(a)) - static_cast<int>(GetBValue(b)));
}

// Mean colour step between row `ya` of `a` and row `yb` of `b`.
double RowStep(const DecodedPicture& a, int ya, const DecodedPicture& b, int yb) {
  double sum = 0;
  for (int x = 0; x < a.width; ++x) sum += Difference(At(a, x, ya), At(b, x, yb));
  return sum / a.width;
}

double ColumnStep(const DecodedPicture& p, int xa, int xb) {
  double sum = 0;
  for (int y = 0; y < p.height; ++y) sum += Difference(At(p, xa, y), At(p, xb, y));
  return sum / p.height;
}

// The average step between neighbouring rows and columns inside the picture.
double InnerStep(const DecodedPicture& p) {
  double sum = 0;
  for (int y = 0; y + 1 < p.height; ++y) sum += RowStep(p, y, p, y + 1);
  for (int x = 0; x + 1 < p.width; ++x) sum += ColumnStep(p, x, x + 1);
  return sum / (p.height - 1 + p.width - 1);
}

TEST(Tiles, GroundRepeatsWithoutASeam) {
  for (const char* name : {"Povrch1", "Povrch2", "Povrch3", "Povrch4"}) {
    SCOPED_TRACE(name);
    DecodedPicture tile = Tile(name);
    double inner = InnerStep(tile);
    EXPECT_LT(ColumnStep(tile, tile.width - 1, 0), 1.6 * inner);
    EXPECT_LT(RowStep(tile, tile.height - 1, tile, 0), 1.6 * inner);
  }
}

TEST(Tiles, GroundTypesAreDifferentSurfaces) {
  auto mean = [](const DecodedPicture& p) {
    double r = 0, g = 0, b = 0;
    for (TColor c : p.pixels) r += GetRValue(c), g += GetGValue(c), b += GetBValue(c);
    return std::array<double, 3>{r / p.pixels.size(), g / p.pixels.size(), b / p.pixels.size()};
  };
  std::array<double, 3> means[4];
  for (int i = 0; i < 4; ++i) means[i] = mean(Tile("Povrch" + std::to_string(i + 1)));
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) {
      double distance = 0;
      for (int c = 0; c < 3; ++c) distance += std::abs(means[i][c] - means[j][c]);
      EXPECT_GT(distance, 30) << "Povrch" << i + 1 << " and Povrch" << j + 1;
    }
}

// A road is upper kerb, lane rows, lower kerb, stacked; along the road each tile meets itself.
TEST(Tiles, RoadAndKerbsJoinAcrossTilesAndLanes) {
  DecodedPicture road = Tile("Road"), lower = Tile("Krajnice1"), upper = Tile("Krajnice2");
  double inner = InnerStep(road);
  EXPECT_LT(RowStep(upper, upper.height - 1, road, 0), 1.6 * inner);
  EXPECT_LT(RowStep(road, road.height - 1, road, 0), 1.6 * inner);
  EXPECT_LT(RowStep(road, road.height - 1, lower, 0), 1.6 * inner);
  EXPECT_LT(RowStep(upper, upper.height - 1, lower, 0), 1.6 * inner);  // a road of one lane
  for (const DecodedPicture* tile : {&road, &lower, &upper})
    EXPECT_LT(ColumnStep(*tile, tile->width - 1, 0), 1.6 * InnerStep(*tile));
}

}  // namespace
}  // namespace jizdavo

// The pedestrian, the corpse and the blood, as pixel grids and a grown stain.
#include <cmath>

#include "art.h"
#include "noise.h"
#include "palette.h"
#include "pixel_grid.h"

namespace jizdavo::assetgen {

namespace {

const GridLegend& PersonLegend() {
  static const GridLegend legend{
      {'H', pal::Hair},      {'h', pal::HairLight}, {'S', pal::Skin},       {'s', pal::SkinShade},
      {'B', pal::Shirt},     {'b', pal::ShirtShade}, {'L', pal::ShirtLight}, {'T', pal::Trousers},
      {'k', pal::Shoe},      {'r', pal::Blood},     {'R', pal::BloodDark},  {'g', pal::BloodGlint},
  };
  return legend;
}

}  // namespace

Raster PedestrianStanding() {
  return FromGrid({"....bbbbbbbb....",
                   "..bbBBBBBBBBbb..",
                   ".bBBLLHHHHLLBBb.",
                   "sbBLLHhhhhHLLBbs",
                   "SbBLHhhhhhhHLBbS",
                   "SbBBHhhhhhhHBBbS",
                   ".bBBHHhhhhHHBBb.",
                   "..bbBHHSSHHBbb..",
                   "......sSSs......"},
                  PersonLegend());
}

// Mid-stride: the left arm swings forward, the right foot steps out ahead of the body.
Raster PedestrianStepping() {
  return FromGrid({"....bbbbbbbb....",
                   "..bbBBBBBBBBbbsS",
                   ".bBBLLHHHHLLBBbs",
                   "bbBLLHhhhhHLLBb.",
                   "bbBLHhhhhhhHLBb.",
                   "bBBLHhhhhhhHBBb.",
                   "bbBBHHhhhhHHBBb.",
                   "bb.bBHHSSHHBbb..",
                   "sS....sSSsTT....",
                   "SS........TT....",
                   "..........kk....",
                   "..........kk...."},
                  PersonLegend());
}

Raster Corpse() {
  return FromGrid({"........sS..............",
                   "........bb..........kk..",
                   "..HHH...bb.........TTk..",
                   ".HhhhH..bbB.......TT....",
                   "HhhhhhHbBBBBBBTTTTT.....",
                   "HhhhhhhBBLBBBBTTTT......",
                   "HhhhhhhBBLBBBBTTTT......",
                   "HhhhhhHBBBBBBBTTTTT.....",
                   ".HhhhHrbBBBb......TT....",
                   "..HHHrrr...bb......TTk..",
                   "...rRrgr....bb......kk..",
                   "....rRRr.....bS.........",
                   ".....rr.......sS........",
                   "........................"},
                  PersonLegend());
}

// A round pool with a ragged rim, darker where it is deep, a wet glint and a few splashes around.
Raster BloodStain() {
  Raster r(20, 20);
  const double cx = 9.5, cy = 9.5;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      double dx = x - cx, dy = y - cy;
      double angle = std::atan2(dy, dx);
      double rim = 6.3 + 1.6 * std::sin(angle * 3 + 0.7) + 0.9 * std::sin(angle * 7 + 2.1) +
                   1.4 * (Hash01(static_cast<int>((angle + 4) * 3), 0, 41) - 0.5);
      double d = std::sqrt(dx * dx + dy * dy);
      if (d > rim) continue;
      double depth = 1 - d / rim;
      r.Set(x, y, depth > 0.55 ? pal::BloodDark : depth > 0.18 ? pal::Blood : pal::BloodLight);
    }
  Rng rng(77);
  for (int i = 0; i < 9; ++i) {
    double angle = rng.Uniform() * 6.2832, d = 7.5 + rng.Uniform() * 2.3;
    int x = static_cast<int>(std::lround(cx + std::cos(angle) * d));
    int y = static_cast<int>(std::lround(cy + std::sin(angle) * d));
    r.Set(x, y, i % 3 ? pal::Blood : pal::BloodLight);
  }
  r.Set(7, 7, pal::BloodGlint);
  r.Set(8, 7, pal::BloodLight);
  r.Set(7, 8, pal::BloodLight);
  return r;
}

Raster BloodDrop() {
  return FromGrid({"grg", "rRr", "grg"},
                  GridLegend{{'g', pal::BloodLight}, {'r', pal::Blood}, {'R', pal::BloodDark}});
}

}  // namespace jizdavo::assetgen

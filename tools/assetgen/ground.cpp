// Ground, road and kerb tiles. Every feature is placed with wrapped coordinates, so a tile placed
// next to itself continues without a seam.
#include <cmath>

#include "art.h"
#include "noise.h"
#include "palette.h"

namespace jizdavo::assetgen {

namespace {

int Wrap(int i, int n) { return ((i % n) + n) % n; }

// Two octaves of tiling noise, 0..1.
double Field(const Raster& r, int x, int y, int cells, uint32_t seed) {
  double u = static_cast<double>(x) / r.width, v = static_cast<double>(y) / r.height;
  return 0.65 * TilingNoise(u * cells, v * cells, cells, cells, seed) +
         0.35 * TilingNoise(u * cells * 2, v * cells * 2, cells * 2, cells * 2, seed + 1);
}

// Picks one of three tones by a noisy value, dithered by a per-pixel hash.
TColor Tone3(double value, double grain, TColor dark, TColor mid, TColor light) {
  double v = value + (grain - 0.5) * 0.25;
  return v < 0.38 ? dark : v < 0.66 ? mid : light;
}

// Grass: the tile is small (45 x 48), so large blotches would show its grid on a big field. The
// tones follow three octaves of noise, the finer ones weighing most, with a strong per-pixel dither,
// and the mid tone covers most of the ground.
Raster Grass(int w, int h) {
  Raster r(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double u = static_cast<double>(x) / w, v = static_cast<double>(y) / h;
      double field = 0.3 * TilingNoise(u * 3, v * 3, 3, 3, 11) + 0.4 * TilingNoise(u * 7, v * 8, 7, 8, 14) +
                     0.3 * TilingNoise(u * 15, v * 16, 15, 16, 15);
      double tone = field + (Hash01(x, y, 12) - 0.5) * 0.3;
      r.Set(x, y, tone < 0.36 ? pal::GrassDark : tone < 0.64 ? pal::Grass : pal::GrassLight);
    }
  Rng rng(13);
  for (int i = 0; i < 70; ++i) {  // blades: a lit tip over a shaded root
    int x = rng.Below(w), y = rng.Below(h);
    r.Set(x, y, pal::GrassTip);
    r.Set(x, Wrap(y + 1, h), pal::GrassLight);
    r.Set(x, Wrap(y + 2, h), pal::GrassDark);
  }
  return r;
}

void Pebble(Raster& r, int x0, int y0, int size, TColor c) {
  for (int dy = 0; dy < size; ++dy)
    for (int dx = 0; dx < size; ++dx) {
      if (size > 2 && (dx == 0 || dx == size - 1) && (dy == 0 || dy == size - 1)) continue;
      TColor shade = dx + dy == 0 || (size > 2 && dx + dy == 1) ? Lighter(c, 0.3)
                     : dx + dy >= 2 * size - 3                  ? Darker(c, 0.25)
                                                                : c;
      r.Set(Wrap(x0 + dx, r.width), Wrap(y0 + dy, r.height), shade);
    }
}

Raster Gravel(int w, int h) {
  Raster r(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      r.Set(x, y, Tone3(Field(r, x, y, 3, 21), Hash01(x, y, 22), pal::SandDark, pal::Sand, pal::SandLight));
  const TColor stones[] = {pal::Concrete, pal::SlabDark, pal::Steel, pal::SandDark, pal::Earth};
  Rng rng(23);
  for (int i = 0; i < 60; ++i) Pebble(r, rng.Below(w), rng.Below(h), 2 + rng.Below(3), stones[rng.Below(5)]);
  return r;
}

// Square slabs in staggered rows, each a little different, lit on the top and left edges.
Raster Paving(int w, int h) {
  constexpr int kSlab = 25;
  Raster r(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      // Shifted so that the tile's own edges fall inside slabs, not on joints.
      int sy = Wrap(y + 12, h), row = sy / kSlab, sx = Wrap(x + 6 + (row % 2) * 12, w), col = sx / kSlab;
      int ix = sx % kSlab, iy = sy % kSlab;
      double tint = Hash01(col, row, 31) * 0.5 + Field(r, x, y, 5, 32) * 0.5;
      TColor c = Mix(pal::Slab, tint > 0.5 ? pal::SlabLight : pal::SlabDark, std::abs(tint - 0.5) * 1.4);
      double grit = Hash01(x, y, 33);
      if (grit > 0.9)
        c = Darker(c, 0.12);
      else if (grit < 0.08)
        c = Lighter(c, 0.12);
      if (ix == 0 || iy == 0)
        c = pal::Shadow;
      else if (ix == 1 || iy == 1)
        c = Lighter(c, 0.25);
      else if (ix == kSlab - 1 || iy == kSlab - 1)
        c = Darker(c, 0.18);
      r.Set(x, y, c);
    }
  return r;
}

Raster Snow(int w, int h) {
  Raster r(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double drift = Field(r, x, y, 4, 41);
      TColor c = Tone3(drift, Hash01(x, y, 42), pal::SnowShade, pal::Snow, pal::SnowLight);
      if (Hash01(x, y, 43) > 0.985) c = RGB(255, 255, 255);  // glitter
      r.Set(x, y, c);
    }
  return r;
}

// Fine-grained tarmac; `row` is the tile row's place in the 20-pixel lane rhythm, so road and kerb
// tiles share one surface.
TColor Tarmac(int x, int row) {
  // Fine grit only: anything larger would repeat visibly every 20 pixels.
  double v = Hash01(x, Wrap(row, 20), 51);
  return v < 0.12   ? pal::Shadow
         : v < 0.62 ? pal::Asphalt
         : v < 0.88 ? Mix(pal::Asphalt, pal::AsphaltLight, 0.5)
                    : pal::AsphaltLight;
}

TColor PaintOn(TColor tarmac) { return tarmac == pal::Shadow ? pal::Concrete : pal::Paint; }

}  // namespace

Raster GroundTile(int surface) {
  switch (surface) {
    case 1:
      return Grass(45, 48);
    case 2:
      return Gravel(48, 48);
    case 3:
      return Paving(100, 100);
    default:
      return Snow(100, 100);
  }
}

Raster RoadTile() {
  Raster r(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      TColor c = Tarmac(x, y);
      bool dash = (y == kLaneMarkRow || y == kLaneMarkRow + 1) && x >= 5 && x < 15;
      r.Set(x, y, dash ? PaintOn(c) : c);
    }
  return r;
}

// Upper kerb: stone, gutter, then tarmac with the edge line; the lower kerb is the same turned over.
Raster KerbTile(bool upper) {
  Raster r(20, 12);
  for (int k = 0; k < 12; ++k) {
    int row = upper ? k : 11 - k;  // counted from the stone side
    for (int x = 0; x < 20; ++x) {
      TColor c = Tarmac(x, upper ? 8 + k : k);
      if (row == 0)
        c = pal::ConcreteLight;
      else if (row <= 2)
        c = Hash01(x, row, 61) > 0.8 ? pal::ConcreteLight : pal::Concrete;
      else if (row == 3)
        c = pal::Shadow;
      else if (row == kKerbEdgeLineRow)
        c = PaintOn(c);
      if (row <= 2 && (x == 0 || x == 10)) c = pal::Steel;  // joints between kerb stones
      r.Set(x, k, c);
    }
  }
  return r;
}

}  // namespace jizdavo::assetgen

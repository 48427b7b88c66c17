#pragma once
// A picture under construction: colours (0x00BBGGRR), top row first, with a marker for see-through
// pixels that the catalogue later turns into the item's key colour.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/color.h"

namespace jizdavo::assetgen {

// Not a colour any picture can hold (colours keep their top byte zero).
constexpr TColor kClear = 0xFF000000;

struct Raster {
  int width = 0;
  int height = 0;
  std::vector<TColor> pixels;

  Raster() = default;
  Raster(int w, int h, TColor fill = kClear)
      : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  TColor At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Writes outside the picture are dropped, so shapes may be drawn partly off the edge.
  void Set(int x, int y, TColor c) {
    if (Contains(x, y)) pixels[static_cast<size_t>(y) * width + x] = c;
  }
  void FillRect(int x, int y, int w, int h, TColor c) {
    for (int yy = y; yy < y + h; ++yy)
      for (int xx = x; xx < x + w; ++xx) Set(xx, yy, c);
  }
};

// The picture seen in a mirror: left and right swapped.
Raster MirroredX(const Raster& source);
// Copies `source` onto `dest` at (x, y), leaving the see-through pixels of the source out.
void Stamp(Raster& dest, const Raster& source, int x, int y);

// Colour arithmetic for shading: t = 0 gives a, t = 1 gives b.
TColor Mix(TColor a, TColor b, double t);
TColor Lighter(TColor c, double t);
TColor Darker(TColor c, double t);

}  // namespace jizdavo::assetgen

#include "raster.h"

#include <cmath>

namespace jizdavo::assetgen {

Raster MirroredX(const Raster& source) {
  Raster result(source.width, source.height);
  for (int y = 0; y < source.height; ++y)
    for (int x = 0; x < source.width; ++x) result.Set(source.width - 1 - x, y, source.At(x, y));
  return result;
}

void Stamp(Raster& dest, const Raster& source, int x, int y) {
  for (int sy = 0; sy < source.height; ++sy)
    for (int sx = 0; sx < source.width; ++sx)
      if (source.At(sx, sy) != kClear) dest.Set(x + sx, y + sy, source.At(sx, sy));
}

TColor Mix(TColor a, TColor b, double t) {
  auto channel = [t](uint32_t ca, uint32_t cb) {
    return static_cast<uint32_t>(std::lround(ca + (static_cast<double>(cb) - ca) * t));
  };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
}

TColor Lighter(TColor c, double t) { return Mix(c, RGB(255, 250, 240), t); }
TColor Darker(TColor c, double t) { return Mix(c, RGB(12, 10, 20), t); }

}  // namespace jizdavo::assetgen

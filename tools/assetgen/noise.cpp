#include "noise.h"

#include <cmath>

namespace jizdavo::assetgen {

double Hash01(int x, int y, uint32_t seed) {
  uint32_t h =
      static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h / 4294967296.0;
}

namespace {
int Wrap(int i, int n) { return ((i % n) + n) % n; }
double Smooth(double t) { return t * t * (3 - 2 * t); }
}  // namespace

double TilingNoise(double u, double v, int cells_x, int cells_y, uint32_t seed) {
  int x0 = static_cast<int>(std::floor(u)), y0 = static_cast<int>(std::floor(v));
  double fx = Smooth(u - x0), fy = Smooth(v - y0);
  auto corner = [&](int dx, int dy) { return Hash01(Wrap(x0 + dx, cells_x), Wrap(y0 + dy, cells_y), seed); };
  double top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * fx;
  double bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * fx;
  return top + (bottom - top) * fy;
}

}  // namespace jizdavo::assetgen

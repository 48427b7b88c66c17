// The two menu emblems: a traffic light on the left, a pedestrian light on the right, both on posts.
#include <cmath>

#include "art.h"
#include "palette.h"
#include "pixel_grid.h"

namespace jizdavo::assetgen {

namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 184;

void Disc(Raster& r, double cx, double cy, double radius, TColor rim, TColor fill, TColor glint) {
  for (int y = static_cast<int>(cy - radius) - 1; y <= cy + radius + 1; ++y)
    for (int x = static_cast<int>(cx - radius) - 1; x <= cx + radius + 1; ++x) {
      double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (d <= radius - 1.2) r.Set(x, y, fill);
      else if (d <= radius) r.Set(x, y, rim);
    }
  r.FillRect(static_cast<int>(cx - radius / 2), static_cast<int>(cy - radius / 2), 2, 2, glint);
}

// A dark housing with a lit left edge and a shaded right edge.
void Housing(Raster& r, int x, int y, int w, int h) {
  r.FillRect(x, y, w, h, pal::PaintBlack);
  r.FillRect(x, y, 1, h, pal::Steel);
  r.FillRect(x, y, w, 1, pal::Steel);
  r.FillRect(x + w - 1, y, 1, h, pal::Shadow);
  r.FillRect(x, y + h - 1, w, 1, pal::Shadow);
}

void Post(Raster& r, int top) {
  for (int y = top; y < kHeight - 6; ++y) {
    r.Set(14, y, pal::ConcreteLight);
    r.FillRect(15, y, 2, 1, pal::Steel);
    r.Set(17, y, pal::Shadow);
  }
  r.FillRect(10, kHeight - 6, 12, 4, pal::Steel);  // the foot
  r.FillRect(10, kHeight - 6, 12, 1, pal::ConcreteLight);
  r.FillRect(8, kHeight - 2, 16, 2, pal::Shadow);
}

Raster TrafficLight() {
  Raster r(kWidth, kHeight);
  Post(r, 80);
  Housing(r, 4, 2, 24, 80);
  Disc(r, 16, 16, 9, pal::PaintMaroon, pal::SirenRed, pal::BloodGlint);
  Disc(r, 16, 42, 9, pal::PaintBrown, pal::Indicator, pal::Headlight);
  Disc(r, 16, 68, 9, pal::GrassDark, RGB(72, 200, 96), RGB(180, 240, 180));
  return r;
}

// The walking man lit green in the lower lamp, the standing man dark red in the upper one.
Raster Walker(bool walking) {
  const GridLegend legend{{'x', walking ? RGB(72, 200, 96) : pal::SirenRed}};
  if (walking)
    return FromGrid({"...xx...", "...xx...", "..xxxx..", ".x.xx.x.", "x..xx..x", "...xxx..", "..x..x..",
                     ".x....x.", "x......x"},
                    legend);
  return FromGrid({"...xx...", "...xx...", ".xxxxxx.", "x.xxxx.x", "x.xxxx.x", "..xxxx..", "..x..x..",
                   "..x..x..", "..x..x.."},
                  legend);
}

Raster PedestrianLight() {
  Raster r(kWidth, kHeight);
  Post(r, 60);
  Housing(r, 5, 4, 22, 58);
  r.FillRect(8, 7, 16, 24, pal::Ink);
  r.FillRect(8, 34, 16, 24, pal::Ink);
  Stamp(r, Walker(false), 12, 14);
  Stamp(r, Walker(true), 12, 41);
  Housing(r, 18, 104, 10, 14);  // the push-button box on the post
  Disc(r, 23, 111, 3, pal::Steel, pal::PaintYellow, pal::Headlight);
  return r;
}

}  // namespace

Raster Emblem(int side) { return side == 1 ? TrafficLight() : PedestrianLight(); }

}  // namespace jizdavo::assetgen

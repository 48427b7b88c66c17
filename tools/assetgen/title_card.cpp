// The title card: grass and a two-lane road, traffic passing both ways, the name dropping in letter
// by letter, fading in from black and out again.
#include "title_card.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "art.h"
#include "cars.h"
#include "palette.h"
#include "tiny_font.h"

namespace jizdavo::assetgen {

namespace {

constexpr std::string_view kTitle = "JIZDAVO";
constexpr int kTitleScale = 6;
constexpr int kRoadTop = 128;  // where the upper kerb starts
constexpr int kScale = 2;      // the scene is drawn at twice the game's size
constexpr int kKerbHeight = 12, kRoadHeight = 20;

// The two lanes, in the game's pixels down from the upper kerb's top: each runs from an edge line
// to the centre dashes, so a car centred in one stays clear of both.
struct Lane {
  int top, end;
};
constexpr Lane kUpperLane{kKerbEdgeLineRow + 1, kKerbHeight + kLaneMarkRow};
constexpr Lane kLowerLane{kKerbHeight + kLaneMarkRow + 2,
                          kKerbHeight + kRoadHeight + kKerbHeight - 1 - kKerbEdgeLineRow};

Raster Enlarged(const Raster& source, int k) {
  Raster result(source.width * k, source.height * k);
  for (int y = 0; y < result.height; ++y)
    for (int x = 0; x < result.width; ++x) result.Set(x, y, source.At(x / k, y / k));
  return result;
}

void Tile(Raster& dest, const Raster& tile, int top, int rows) {
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < dest.width; ++x) dest.Set(x, top + y, tile.At(x % tile.width, y % tile.height));
}

// The still part: grass, then upper kerb, one lane row and lower kerb, all enlarged.
const Raster& Scene() {
  static const Raster scene = [] {
    Raster s(kFilmWidth, kFilmHeight);
    Tile(s, Enlarged(GroundTile(1), kScale), 0, kFilmHeight);
    Raster upper = Enlarged(KerbTile(true), kScale), road = Enlarged(RoadTile(), kScale);
    Raster lower = Enlarged(KerbTile(false), kScale);
    Tile(s, upper, kRoadTop, upper.height);
    Tile(s, road, kRoadTop + upper.height, road.height);
    Tile(s, lower, kRoadTop + upper.height + road.height, lower.height);
    return s;
  }();
  return scene;
}

// A car `type` crossing during frames first..last, in the upper lane when driving left.
void DrawTraffic(Raster& frame, int index, int type, bool goes_left, int first, int last) {
  if (index < first || index > last) return;
  Raster car = Enlarged(DrawCar(type), kScale);
  if (goes_left) car = MirroredX(car);
  double t = static_cast<double>(index - first) / (last - first);
  int x = static_cast<int>(std::lround(-car.width + t * (kFilmWidth + car.width)));
  if (goes_left) x = kFilmWidth - car.width - x;
  Lane lane = goes_left ? kUpperLane : kLowerLane;
  int lane_centre = kRoadTop + kScale * (lane.top + lane.end) / 2;
  Stamp(frame, car, x, lane_centre - car.height / 2);
}

// Each letter falls from above the picture and settles with a small bounce.
void DrawTitle(Raster& frame, int index) {
  int left = (kFilmWidth - TextWidth(kTitle, kTitleScale)) / 2, rest = 44;
  for (size_t i = 0; i < kTitle.size(); ++i) {
    double t = (index - 8.0 - 5.0 * i) / 14.0;
    if (t <= 0) continue;
    double fall = t >= 1 ? 0 : (1 - t) * (1 - t) * -90 + std::sin(t * 3.1416) * 6;
    int x = left + static_cast<int>(i) * kGlyphAdvance * kTitleScale, y = rest + static_cast<int>(fall);
    std::string_view letter = kTitle.substr(i, 1);
    DrawText(frame, x + 3, y + 3, letter, pal::Ink, kTitleScale);  // drop shadow
    DrawText(frame, x, y, letter, pal::PaintYellow, kTitleScale);
  }
}

TColor Faded(TColor c, double level) { return Mix(RGB(0, 0, 0), c, level); }

}  // namespace

Raster TitleCardFrame(int index) {
  Raster frame = Scene();
  DrawTraffic(frame, index, 8, true, 10, 60);
  DrawTraffic(frame, index, 23, false, 30, 95);
  DrawTraffic(frame, index, 4, true, 55, 90);
  DrawTitle(frame, index);
  double level = std::clamp(std::min(index / 10.0, (kFilmFrames - 1 - index) / 10.0), 0.0, 1.0);
  if (level < 1)
    for (TColor& c : frame.pixels) c = Faded(c, level);
  return frame;
}

}  // namespace jizdavo::assetgen

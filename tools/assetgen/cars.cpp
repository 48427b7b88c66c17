#include "cars.h"

#include <algorithm>
#include <cmath>

#include "palette.h"

namespace jizdavo::assetgen {

namespace {

using K = CarKind;

// Sizes and key colours are the game's; kind and paint are the look of each type.
constexpr CarModel kModels[kCarTypes] = {
    {35, 15, clWhite, K::Sedan, pal::PaintRed},        {36, 14, clLime, K::Hatchback, pal::PaintBlue},
    {35, 14, clLime, K::Estate, pal::PaintGreen},      {35, 14, clLime, K::Sports, pal::PaintRed},
    {34, 14, clLime, K::Hatchback, pal::PaintOrange},  {34, 14, 0xBFFF00, K::Sedan, pal::PaintSilver},
    {35, 14, 0xFF0087, K::Sports, pal::PaintPurple},   {35, 15, clWhite, K::Taxi, pal::PaintYellow},
    {36, 14, 0x00FF8C, K::Police, pal::PaintWhite},    {35, 14, clLime, K::Van, pal::PaintWhite},
    {46, 18, clLime, K::Bus, pal::PaintYellow},        {36, 14, clLime, K::Pickup, pal::PaintBrown},
    {34, 12, clLime, K::Hatchback, pal::PaintPink},    {36, 14, clLime, K::Estate, pal::PaintNavy},
    {36, 14, clYellow, K::Sedan, pal::PaintTeal},      {34, 12, clLime, K::Sports, pal::PaintLime},
    {34, 12, 0x00FF44, K::Hatchback, pal::PaintSky},   {35, 14, 0xFFC700, K::Van, pal::PaintOrange},
    {32, 15, clLime, K::Sedan, pal::PaintBlack},       {32, 15, clLime, K::Pickup, pal::PaintOlive},
    {32, 15, 0xA75F5F, K::Sedan, pal::PaintMaroon},    {32, 15, clLime, K::Sports, pal::PaintSilver},
    {37, 15, clLime, K::Estate, pal::PaintCream},      {37, 15, clLime, K::Ambulance, pal::PaintWhite},
    {37, 15, clLime, K::Sedan, pal::PaintNavy},        {36, 15, clLime, K::Hatchback, pal::PaintGreen},
    {36, 15, clLime, K::Pickup, pal::PaintRed},        {47, 19, clLime, K::Lorry, pal::PaintRed},
};

// Where the parts of a car lie along its length, as fractions from the rear (0) to the front (1).
struct Layout {
  double rear_glass;
  double roof;
  double windscreen;
  double bonnet;
  double rear_axle;
  double front_axle;
};

Layout LayoutOf(CarKind kind) {
  switch (kind) {
    case K::Hatchback: return {0.04, 0.22, 0.52, 0.66, 0.2, 0.8};
    case K::Estate: return {0.04, 0.10, 0.58, 0.70, 0.2, 0.78};
    case K::Sports: return {0.24, 0.33, 0.50, 0.63, 0.2, 0.8};
    case K::Van:
    case K::Ambulance: return {0.03, 0.03, 0.76, 0.88, 0.18, 0.84};
    case K::Pickup: return {0.45, 0.50, 0.66, 0.77, 0.2, 0.8};
    default: return {0.20, 0.30, 0.57, 0.69, 0.2, 0.78};
  }
}

int At(double fraction, int length) { return static_cast<int>(std::lround(fraction * (length - 1))); }

struct Shape {
  int w;
  int h;
  int top;     // first body row
  int bottom;  // last body row
};

void DrawWheels(Raster& r, const Shape& s, int axle, int half) {
  for (int x = axle - half; x <= axle + half; ++x) {
    r.Set(x, s.top - 1, pal::Tyre);
    r.Set(x, s.bottom + 1, pal::Tyre);
  }
}

// How many rows the body's outline gives up at column x: the corners are rounded.
int CornerInset(const Shape& s, int x) {
  int from_end = std::min(x, s.w - 1 - x);
  return from_end == 0 ? 2 : from_end == 1 ? 1 : 0;
}

// The painted shell: lit along the upper side, shaded along the lower, with rounded corners and
// darker bumpers at both ends.
void DrawShell(Raster& r, const Shape& s, TColor paint) {
  for (int x = 0; x < s.w; ++x) {
    int inset = CornerInset(s, x);
    for (int y = s.top + inset; y <= s.bottom - inset; ++y) {
      TColor c = paint;
      if (y == s.top + inset) c = Lighter(paint, 0.4);
      else if (y == s.bottom - inset) c = Darker(paint, 0.4);
      else if (y == s.top + inset + 1) c = Lighter(paint, 0.15);
      else if (y == s.bottom - inset - 1) c = Darker(paint, 0.15);
      if (x == 0 || x == s.w - 1) c = Darker(c, 0.3);
      r.Set(x, y, c);
    }
  }
}

// A pane of glass across the cabin, framed by the pillars, with a glint on the upper side. The
// windscreen narrows towards the roof, as it leans back.
void DrawGlass(Raster& r, const Shape& s, int x0, int x1, int narrow_end) {
  for (int x = x0; x < x1; ++x) {
    int inset = x == narrow_end ? 3 : 2;
    for (int y = s.top + inset; y <= s.bottom - inset; ++y) {
      bool edge = y == s.top + inset || y == s.bottom - inset;
      r.Set(x, y, edge ? pal::GlassDark : pal::Glass);
    }
  }
  if (x1 - x0 >= 2) r.Set(x0 + (x1 - x0) / 2, s.top + 3, pal::GlassGlint);
}

void DrawCabin(Raster& r, const Shape& s, const Layout& l, TColor paint) {
  int rear_glass = At(l.rear_glass, s.w), roof = At(l.roof, s.w);
  int windscreen = At(l.windscreen, s.w), bonnet = At(l.bonnet, s.w);
  DrawGlass(r, s, rear_glass, roof, rear_glass);
  DrawGlass(r, s, windscreen, bonnet, windscreen);
  TColor roof_paint = Lighter(paint, 0.12);
  for (int x = roof; x < windscreen; ++x) {
    r.Set(x, s.top + 2, pal::GlassDark);  // side windows seen past the roof's edge
    r.Set(x, s.bottom - 2, pal::GlassDark);
    for (int y = s.top + 3; y <= s.bottom - 3; ++y) r.Set(x, y, roof_paint);
    r.Set(x, s.top + 3, Lighter(paint, 0.45));
    r.Set(x, s.bottom - 3, Darker(paint, 0.2));
  }
  for (int y = s.top + 3; y <= s.bottom - 3; ++y) {  // panel gaps at the bonnet and boot
    r.Set(bonnet, y, Darker(paint, 0.3));
    if (rear_glass > 3) r.Set(rear_glass - 1, y, Darker(paint, 0.2));
  }
  r.Set(windscreen, s.top - 1, Darker(paint, 0.2));  // mirrors
  r.Set(windscreen, s.bottom + 1, Darker(paint, 0.3));
}

void DrawLights(Raster& r, const Shape& s) {
  for (int y : {s.top + 2, s.bottom - 2}) {
    r.Set(s.w - 1, y, pal::Headlight);
    r.Set(s.w - 2, y, Mix(pal::Headlight, pal::Steel, 0.3));
    r.Set(0, y, pal::Taillight);
    r.Set(1, y, Darker(pal::Taillight, 0.3));
  }
  r.Set(s.w - 2, s.top + 1, pal::Indicator);
  r.Set(s.w - 2, s.bottom - 1, pal::Indicator);
}

void DrawTaxiDetails(Raster& r, const Shape& s, const Layout& l) {
  int mid = (At(l.roof, s.w) + At(l.windscreen, s.w)) / 2;
  int cy = (s.top + s.bottom) / 2;
  r.FillRect(mid - 1, cy - 2, 3, 5, pal::Ink);
  r.FillRect(mid, cy - 1, 1, 3, pal::Headlight);
  for (int x = 2; x < s.w - 2; ++x) {  // the chequered band along both sides
    TColor c = (x / 2) % 2 ? pal::Ink : pal::PaintYellow;
    r.Set(x, s.top, c);
    r.Set(x, s.bottom, (x / 2) % 2 ? pal::PaintYellow : pal::Ink);
  }
}

void DrawPoliceDetails(Raster& r, const Shape& s, const Layout& l) {
  int mid = (At(l.roof, s.w) + At(l.windscreen, s.w)) / 2;
  int cy = (s.top + s.bottom) / 2;
  r.FillRect(mid, s.top + 2, 2, cy - s.top - 1, pal::SirenRed);
  r.FillRect(mid, cy + 1, 2, s.bottom - 1 - cy, pal::SirenBlue);
  int door0 = At(l.roof, s.w) - 1, door1 = At(l.windscreen, s.w) + 1;
  r.FillRect(door0, s.top, door1 - door0, 1, pal::PaintNavy);
  r.FillRect(door0, s.bottom, door1 - door0, 1, pal::PaintNavy);
  r.FillRect(At(l.bonnet, s.w) + 2, (s.top + s.bottom) / 2, s.w - At(l.bonnet, s.w) - 4, 1 + (s.h % 2 == 0),
             pal::PaintNavy);
}

void DrawSportsDetails(Raster& r, const Shape& s, const Layout& l, TColor paint) {
  int cy = (s.top + s.bottom) / 2;
  TColor stripe = paint == pal::PaintSilver ? pal::PaintRed : pal::Chalk;
  for (int x = 1; x < s.w - 1; ++x) {
    if (x >= At(l.rear_glass, s.w) && x < At(l.bonnet, s.w)) continue;
    r.Set(x, cy - 1, stripe);
    r.Set(x, cy + 1, stripe);
  }
  for (int y = s.top; y <= s.bottom; ++y) r.Set(1, y, pal::Ink);  // the spoiler across the tail
}

void DrawVanDetails(Raster& r, const Shape& s, const Layout& l, TColor paint, bool ambulance) {
  int roof_end = At(l.windscreen, s.w);
  for (int x = 3; x < roof_end - 1; x += 4)  // stiffening ribs of the box roof
    for (int y = s.top + 2; y <= s.bottom - 2; ++y) r.Set(x, y, Darker(paint, 0.12));
  if (!ambulance) return;
  int cy = (s.top + s.bottom) / 2, cx = roof_end / 2;
  r.FillRect(cx - 3, cy, 7, 1 + (s.h % 2 == 0), pal::SirenRed);
  r.FillRect(cx, cy - 3, 1 + (s.h % 2 == 0), 7 + (s.h % 2 == 0), pal::SirenRed);
  r.FillRect(roof_end - 2, s.top + 2, 1, cy - s.top - 1, pal::SirenBlue);
  r.FillRect(roof_end - 2, cy + 1, 1, s.bottom - 1 - cy, pal::SirenBlue);
  for (int x = 1; x < s.w - 1; ++x) {
    r.Set(x, s.top, pal::SirenRed);
    r.Set(x, s.bottom, Darker(pal::SirenRed, 0.2));
  }
}

// Estates carry rails along the edges of their long roof.
void DrawRoofRails(Raster& r, const Shape& s, const Layout& l) {
  for (int x = At(l.roof, s.w); x < At(l.windscreen, s.w); ++x) {
    r.Set(x, s.top + 3, pal::Steel);
    r.Set(x, s.bottom - 3, pal::Shadow);
  }
}

void DrawPickupBed(Raster& r, const Shape& s, const Layout& l) {
  int bed_end = At(l.rear_glass, s.w) - 1;
  r.FillRect(2, s.top + 2, bed_end - 2, s.bottom - s.top - 3, pal::Shadow);
  for (int x = 4; x < bed_end; x += 3)
    for (int y = s.top + 2; y <= s.bottom - 2; ++y) r.Set(x, y, pal::Asphalt);
}

Raster DrawPassengerCar(const CarModel& m) {
  Raster r(m.width, m.height);
  Layout l = LayoutOf(m.kind);
  Shape s{m.width, m.height, 1, m.height - 2};
  DrawWheels(r, s, At(l.rear_axle, m.width), 2);
  DrawWheels(r, s, At(l.front_axle, m.width), 2);
  DrawShell(r, s, m.paint);
  DrawCabin(r, s, l, m.paint);
  if (m.kind == K::Pickup) DrawPickupBed(r, s, l);
  if (m.kind == K::Estate) DrawRoofRails(r, s, l);
  DrawLights(r, s);
  switch (m.kind) {
    case K::Taxi: DrawTaxiDetails(r, s, l); break;
    case K::Police: DrawPoliceDetails(r, s, l); break;
    case K::Sports: DrawSportsDetails(r, s, l, m.paint); break;
    case K::Van: DrawVanDetails(r, s, l, m.paint, false); break;
    case K::Ambulance: DrawVanDetails(r, s, l, m.paint, true); break;
    default: break;
  }
  return r;
}

// The city bus: one long box, a window row down each side, a vent block on the roof.
Raster DrawBus(const CarModel& m) {
  Raster r(m.width, m.height);
  Shape s{m.width, m.height, 1, m.height - 2};
  for (int axle : {7, 8, m.width - 9}) DrawWheels(r, s, axle, 2);
  DrawShell(r, s, m.paint);
  for (int x = 2; x < m.width - 4; ++x) {
    bool pillar = x % 5 == 0;
    r.Set(x, s.top + 1, pillar ? m.paint : pal::GlassDark);
    r.Set(x, s.bottom - 1, pillar ? m.paint : pal::GlassDark);
  }
  for (int y = s.top + 1; y <= s.bottom - 1; ++y) {
    r.Set(m.width - 2, y, pal::Glass);
    r.Set(m.width - 3, y, pal::GlassDark);
  }
  r.FillRect(2, s.top + 3, m.width - 7, s.bottom - s.top - 5, Lighter(m.paint, 0.2));
  r.FillRect(12, s.top + 5, 8, s.bottom - s.top - 9, pal::Concrete);
  r.FillRect(13, s.top + 6, 6, s.bottom - s.top - 11, pal::Steel);
  r.FillRect(28, s.top + 6, 3, s.bottom - s.top - 11, pal::Concrete);
  DrawLights(r, s);
  return r;
}

// The lorry: a red cab at the front, a ribbed silver box behind it.
Raster DrawLorry(const CarModel& m) {
  Raster r(m.width, m.height);
  Shape s{m.width, m.height, 1, m.height - 2};
  for (int axle : {4, 9, m.width - 6}) DrawWheels(r, s, axle, 2);
  int cab = m.width - 11;
  Shape box{cab - 1, m.height, 1, m.height - 2};
  DrawShell(r, box, pal::PaintSilver);
  for (int x = 3; x < cab - 2; x += 3)
    for (int y = box.top + 1; y <= box.bottom - 1; ++y) r.Set(x, y, Darker(pal::PaintSilver, 0.15));
  Raster cab_part(11, m.height);
  Shape cs{11, m.height, 2, m.height - 3};
  DrawShell(cab_part, cs, m.paint);
  DrawGlass(cab_part, cs, 7, 9, 7);
  cab_part.FillRect(1, cs.top + 2, 5, cs.bottom - cs.top - 3, Lighter(m.paint, 0.2));
  DrawLights(cab_part, cs);
  Stamp(r, cab_part, cab, 0);
  for (int y = s.top + 3; y <= s.bottom - 3; ++y) r.Set(cab - 1, y, pal::Ink);
  for (int y : {box.top + 1, box.bottom - 1}) r.Set(0, y, pal::Taillight);
  return r;
}

}  // namespace

const CarModel& CarModelOf(int type) { return kModels[type - 1]; }

Raster DrawCar(int type) {
  const CarModel& model = CarModelOf(type);
  if (model.kind == K::Bus) return DrawBus(model);
  if (model.kind == K::Lorry) return DrawLorry(model);
  return DrawPassengerCar(model);
}

}  // namespace jizdavo::assetgen

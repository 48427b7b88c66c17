#include "platform/pixels/draw_rotated.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "platform/pixels/draw_rows.h"

namespace jizdavo {

namespace {

constexpr int64_t kOne = 65536;  // 1.0 in 16.16 fixed point

const std::array<double, 256>& CosineTable() {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> t{};
    for (int k = 0; k < 256; ++k) t[k] = std::cos(2 * std::numbers::pi * k / 256);
    return t;
  }();
  return table;
}

// Cuts toward zero; values no real picture reaches are held at a bound so the cast stays defined.
int64_t Trunc(double value) {
  constexpr double kLimit = 1e15;
  return static_cast<int64_t>(std::clamp(value, -kLimit, kLimit));
}

// The bounding box of the four corners of the w x h box mapped forward, clipped to the destination.
TRect TurnedBounds(const TSurface& dest, int x, int y, int w, int h, double center_x, double center_y,
                   unsigned angle) {
  const double cos_t = TurnCosine(angle), sin_t = TurnCosine(angle + 192);
  int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
  for (const auto& [px, py] : {std::array{0, 0}, std::array{w, 0}, std::array{0, h}, std::array{w, h}}) {
    const double a = std::trunc(px - w * center_x), b = std::trunc(py - h * center_y);
    const int64_t corner_x = Trunc(a * cos_t - b * sin_t) + x;
    const int64_t corner_y = Trunc(a * sin_t + b * cos_t) + y;
    left = std::min(left, corner_x), right = std::max(right, corner_x);
    top = std::min(top, corner_y), bottom = std::max(bottom, corner_y);
  }
  return {static_cast<int>(std::max<int64_t>(left, 0)), static_cast<int>(std::max<int64_t>(top, 0)),
          static_cast<int>(std::min<int64_t>(right, dest.Width())),
          static_cast<int>(std::min<int64_t>(bottom, dest.Height()))};
}

// The inverse map: 16.16 source coordinates at the box's top-left pixel, and their change per pixel.
struct InverseMap {
  int64_t u0, v0;
  int64_t du_dx, du_dy, dv_dx, dv_dy;
};

InverseMap MakeInverseMap(const TRect& box, int x, int y, int w, int h, const TRect& s, double center_x,
                          double center_y, unsigned angle) {
  const int64_t c = Trunc(TurnCosine(0u - angle) * kOne);
  const int64_t sn = Trunc(TurnCosine(0u - angle + 192) * kOne);
  const int64_t sw = s.Width(), sh = s.Height();
  InverseMap m{};
  m.du_dx = sw * c / w;
  m.du_dy = -(sw * sn / w);
  m.dv_dx = sh * sn / h;
  m.dv_dy = sh * c / h;
  const int64_t dx = int64_t{box.Left} - x, dy = int64_t{box.Top} - y;
  m.u0 = s.Left * kOne + Trunc(center_x * sw * kOne) + dx * m.du_dx + dy * m.du_dy;
  m.v0 = s.Top * kOne + Trunc(center_y * sh * kOne) + dx * m.dv_dx + dy * m.dv_dy;
  return m;
}

}  // namespace

double TurnCosine(unsigned k) { return CosineTable()[k & 255]; }

void DrawRotatedCopy(TSurface& dest, int x, int y, int w, int h, const TSurface& source, const TRect& s,
                     double center_x, double center_y, int angle, bool keyed) {
  if (w <= 0 || h <= 0 || s.IsEmpty() || s.Left < 0 || s.Top < 0 || s.Right > source.Width() ||
      s.Bottom > source.Height() || !std::isfinite(center_x) || !std::isfinite(center_y)) {
    return;
  }
  const unsigned turn = static_cast<unsigned>(angle);
  const TRect box = TurnedBounds(dest, x, y, w, h, center_x, center_y, turn);
  if (box.IsEmpty()) return;
  const InverseMap m = MakeInverseMap(box, x, y, w, h, s, center_x, center_y, turn);
  dest.MarkChanged(box);
  RawPixel* scratch = rows::Scratch(box.Width());
  for (int row = 0; row < box.Height(); ++row) {
    const int64_t u = m.u0 + row * m.du_dy, v = m.v0 + row * m.dv_dy;
    // Only the run of pixels that map inside the source rectangle is drawn; the rest of the row stays.
    // Inside is one span, as u and v move one way along a row; scanning in from both ends costs no
    // more than drawing the row, and far less than dividing for small pictures.
    const auto inside = [&](int64_t c) {
      const int64_t cu = u + c * m.du_dx, cv = v + c * m.dv_dx;
      return cu >= s.Left * kOne && cu < s.Right * kOne && cv >= s.Top * kOne && cv < s.Bottom * kOne;
    };
    int64_t first = 0, last = box.Width() - 1;
    while (first <= last && !inside(first)) ++first;
    while (last >= first && !inside(last)) --last;
    if (first > last) continue;
    const int count = static_cast<int>(last - first + 1);
    int64_t su = u + first * m.du_dx, sv = v + first * m.dv_dx;
    for (int c = 0; c < count; ++c, su += m.du_dx, sv += m.dv_dx) {
      scratch[c] = source.Row(static_cast<int>(sv >> 16))[su >> 16];
    }
    rows::Put(dest.MarkedRow(box.Top + row) + box.Left + first, scratch, count, 255, keyed, source.ColorKey());
  }
}

}  // namespace jizdavo

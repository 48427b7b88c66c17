#include "platform/pixels/reference_draw.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace jizdavo::reference {

namespace {

void Put(TSurface& dest, int x, int y, RawPixel source, int alpha, bool keyed, RawPixel key) {
  if (keyed && source == key) return;
  RawPixel& d = dest.Row(y)[x];
  d = alpha >= 255 ? source : Mix(source, d, alpha);
}

bool InsideSource(const TRect& s, const TSurface& source) {
  return !s.IsEmpty() && s.Left >= 0 && s.Top >= 0 && s.Right <= source.Width() &&
         s.Bottom <= source.Height();
}

double Cosine(long long k) { return std::cos(2 * std::numbers::pi * static_cast<double>(k & 255) / 256); }

}  // namespace

RawPixel Mix(RawPixel source, RawPixel dest, int alpha) {
  const int widened_s[3] = {(source >> 11) << 3, ((source >> 5) & 63) << 2, (source & 31) << 3};
  const int widened_d[3] = {(dest >> 11) << 3, ((dest >> 5) & 63) << 2, (dest & 31) << 3};
  int mixed[3];
  for (int i = 0; i < 3; ++i) mixed[i] = (widened_s[i] * alpha + widened_d[i] * (255 - alpha)) / 256;
  return static_cast<RawPixel>((mixed[0] >> 3) << 11 | (mixed[1] >> 2) << 5 | (mixed[2] >> 3));
}

void FillRect(TSurface& dest, const TRect& rect, uint32_t raw) {
  for (int y = 0; y < dest.Height(); ++y) {
    for (int x = 0; x < dest.Width(); ++x) {
      if (x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom) {
        dest.Row(y)[x] = static_cast<RawPixel>(raw);
      }
    }
  }
}

// Every pixel of the source rectangle that exists on both surfaces is copied.
void DrawSurface(TSurface& dest, int x, int y, const TRect& s, const TSurface* source, bool transparent) {
  if (source == nullptr || x > dest.Width() || y > dest.Height()) return;
  for (long long sy = s.Top; sy < s.Bottom; ++sy) {
    for (long long sx = s.Left; sx < s.Right; ++sx) {
      const long long dx = x + (sx - s.Left), dy = y + (sy - s.Top);
      if (sx < 0 || sy < 0 || sx >= source->Width() || sy >= source->Height()) continue;
      if (dx < 0 || dy < 0 || dx >= dest.Width() || dy >= dest.Height()) continue;
      Put(dest, static_cast<int>(dx), static_cast<int>(dy), source->Row(static_cast<int>(sy))[sx], 255,
          transparent, source->ColorKey());
    }
  }
}

void DrawScaled(TSurface& dest, TRect r, const TSurface& source, const TRect& s, int alpha, bool keyed) {
  if (alpha <= 0 || r.IsEmpty() || !InsideSource(s, source)) return;
  const long long fx = (long long)(s.Right - s.Left) * 65536 / ((long long)r.Right - r.Left);
  const long long fy = (long long)(s.Bottom - s.Top) * 65536 / ((long long)r.Bottom - r.Top);
  long long ox = 0, oy = 0;
  if (r.Left < 0) ox = -(long long)r.Left, r.Left = 0;
  r.Right = std::min(r.Right, dest.Width());
  if (r.Right < 1 || r.Right - r.Left < 1) return;
  if (r.Top < 0) oy = -(long long)r.Top, r.Top = 0;
  r.Bottom = std::min(r.Bottom, dest.Height());
  if (r.Bottom < 1 || r.Bottom - r.Top < 1) return;
  const long long u_start = fx * ox + s.Left * 65536LL, v_start = fy * oy + s.Top * 65536LL;
  if (u_start < 0 || v_start < 0 || (u_start + fx * r.Width()) / 65536 > source.Width() ||
      (v_start + fy * r.Height()) / 65536 > source.Height()) {
    return;
  }
  for (int row = 0; row < r.Height(); ++row) {
    for (int c = 0; c < r.Width(); ++c) {
      const RawPixel p = source.Row(static_cast<int>((v_start + fy * row) >> 16))[(u_start + fx * c) >> 16];
      Put(dest, r.Left + c, r.Top + row, p, alpha, keyed, source.ColorKey());
    }
  }
}

void DrawRotated(TSurface& dest, int x, int y, int w, int h, const TSurface& source, const TRect& s,
                 double center_x, double center_y, int angle, bool keyed) {
  if (w <= 0 || h <= 0 || !InsideSource(s, source)) return;
  const double cos_t = Cosine(angle), sin_t = Cosine(angle + 192LL);
  long long box[4] = {1LL << 40, 1LL << 40, -(1LL << 40), -(1LL << 40)};
  const int corners[4][2] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
  for (const auto& corner : corners) {
    const double a = std::trunc(corner[0] - w * center_x), b = std::trunc(corner[1] - h * center_y);
    const long long cx = static_cast<long long>(std::trunc(a * cos_t - b * sin_t)) + x;
    const long long cy = static_cast<long long>(std::trunc(a * sin_t + b * cos_t)) + y;
    box[0] = std::min(box[0], cx), box[1] = std::min(box[1], cy);
    box[2] = std::max(box[2], cx), box[3] = std::max(box[3], cy);
  }
  const int left = static_cast<int>(std::max(box[0], 0LL)), top = static_cast<int>(std::max(box[1], 0LL));
  const int right = static_cast<int>(std::min<long long>(box[2], dest.Width()));
  const int bottom = static_cast<int>(std::min<long long>(box[3], dest.Height()));
  const long long c = static_cast<long long>(Cosine(-(long long)angle) * 65536);
  const long long sn = static_cast<long long>(Cosine(-(long long)angle + 192) * 65536);
  const long long sw = s.Width(), sh = s.Height();
  const long long du_dx = sw * c / w, du_dy = -(sw * sn / w), dv_dx = sh * sn / h, dv_dy = sh * c / h;
  const long long u_base = s.Left * 65536LL + static_cast<long long>(center_x * sw * 65536);
  const long long v_base = s.Top * 65536LL + static_cast<long long>(center_y * sh * 65536);
  const auto u_at = [&](int px, int py) {
    return u_base + ((long long)px - x) * du_dx + ((long long)py - y) * du_dy;
  };
  const auto v_at = [&](int px, int py) {
    return v_base + ((long long)px - x) * dv_dx + ((long long)py - y) * dv_dy;
  };
  const auto inside = [&](int px, int py) {
    const long long u = u_at(px, py), v = v_at(px, py);
    return u >= s.Left * 65536LL && u < s.Right * 65536LL && v >= s.Top * 65536LL && v < s.Bottom * 65536LL;
  };
  for (int py = top; py < bottom; ++py) {
    int first = left, last = right - 1;
    while (first <= last && !inside(first, py)) ++first;
    while (last >= first && !inside(last, py)) --last;
    for (int px = first; px <= last; ++px) {
      const RawPixel p = source.Row(static_cast<int>(v_at(px, py) >> 16))[u_at(px, py) >> 16];
      Put(dest, px, py, p, 255, keyed, source.ColorKey());
    }
  }
}

}  // namespace jizdavo::reference

#include "widgets/controls/picture_fill.h"

#include <algorithm>
#include <cmath>

#include "platform/pixels/dib.h"
#include "widgets/controls/control.h"

namespace jizdavo {

namespace {

TRect CutToPicture(const TDIB& target, const TRect& rect) {
  return IntersectRect(rect, {0, 0, target.Width(), target.Height()});
}

TColor MixColors(TColor over, TColor under, uint32_t alpha) {
  return RGB(MixChannel(GetRValue(over), GetRValue(under), alpha),
             MixChannel(GetGValue(over), GetGValue(under), alpha),
             MixChannel(GetBValue(over), GetBValue(under), alpha));
}

// One source channel at (fx, fy) between its four neighbours.
uint32_t Bilinear(const TDIB& source, double fx, double fy, uint32_t (*channel)(TColor)) {
  const int x0 = std::clamp(static_cast<int>(std::floor(fx)), 0, source.Width() - 1);
  const int y0 = std::clamp(static_cast<int>(std::floor(fy)), 0, source.Height() - 1);
  const int x1 = std::min(x0 + 1, source.Width() - 1);
  const int y1 = std::min(y0 + 1, source.Height() - 1);
  const double tx = std::clamp(fx - x0, 0.0, 1.0);
  const double ty = std::clamp(fy - y0, 0.0, 1.0);
  const double top = channel(source.Row(y0)[x0]) * (1 - tx) + channel(source.Row(y0)[x1]) * tx;
  const double bottom = channel(source.Row(y1)[x0]) * (1 - tx) + channel(source.Row(y1)[x1]) * tx;
  return static_cast<uint32_t>(std::lround(top * (1 - ty) + bottom * ty));
}

}  // namespace

void FillPicture(TDIB& target, const TRect& rect, TColor color) {
  const TRect cut = CutToPicture(target, rect);
  for (int y = cut.Top; y < cut.Bottom; ++y)
    std::fill(target.Row(y) + cut.Left, target.Row(y) + cut.Right, color);
}

void TilePicture(TDIB& target, const TRect& rect, const TDIB& pattern) {
  if (pattern.Empty()) return;
  const TRect cut = CutToPicture(target, rect);
  for (int y = cut.Top; y < cut.Bottom; ++y) {
    const TColor* from = pattern.Row(y % pattern.Height());
    for (int x = cut.Left; x < cut.Right; ++x) target.Row(y)[x] = from[x % pattern.Width()];
  }
}

void StretchPicture(TDIB& target, const TRect& rect, const TDIB& source) {
  if (source.Empty() || rect.IsEmpty()) return;
  const TRect cut = CutToPicture(target, rect);
  const double scale_x = static_cast<double>(source.Width()) / rect.Width();
  const double scale_y = static_cast<double>(source.Height()) / rect.Height();
  for (int y = cut.Top; y < cut.Bottom; ++y) {
    const double fy = (y - rect.Top + 0.5) * scale_y - 0.5;
    for (int x = cut.Left; x < cut.Right; ++x) {
      const double fx = (x - rect.Left + 0.5) * scale_x - 0.5;
      target.Row(y)[x] = RGB(Bilinear(source, fx, fy, GetRValue), Bilinear(source, fx, fy, GetGValue),
                             Bilinear(source, fx, fy, GetBValue));
    }
  }
}

void TextOnPicture(TDIB& target, int x, int y, const TControlFont& font, std::string_view text) {
  if (text.empty()) return;
  ForEachCovered(CachedText(font, text), x, y, {0, 0, target.Width(), target.Height()},
                 [&](int px, int py, uint32_t alpha) {
                   TColor& pixel = target.Row(py)[px];
                   pixel = MixColors(font.Color, pixel, alpha);
                 });
}

}  // namespace jizdavo

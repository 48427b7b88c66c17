#include "widgets/super_gauge.h"

#include <cmath>
#include <string>

#include "widgets/controls/control_paint.h"
#include "widgets/controls/picture_file.h"
#include "widgets/controls/picture_fill.h"

namespace jizdavo {

namespace {

// To the nearest integer, halves to the even neighbour.
int Round(double value) { return static_cast<int>(std::nearbyint(value)); }

// Per channel Round(t * a + (1 - t) * b).
TColor Blend(TColor a, TColor b, double t) {
  const auto mix = [t](uint32_t x, uint32_t y) { return static_cast<uint32_t>(Round(t * x + (1 - t) * y)); };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

}  // namespace

TSuperGauge::TSuperGauge() { SetBounds(0, 0, 200, 30); }

void TSuperGauge::SetMaximum(int maximum) {
  maximum_ = maximum;
  if (position_ > maximum_) position_ = maximum_;
}

void TSuperGauge::SetPosition(int position) { position_ = position > maximum_ ? maximum_ : position; }

void TSuperGauge::SetBitmap(const TDIB& picture) { CopyPicture(picture, bitmap_); }

// A gauge without a positive maximum shows no bar rather than dividing by zero.
int TSuperGauge::BarLength() const {
  if (maximum_ <= 0) return 0;
  return Round(static_cast<double>(Width - 2 * Border - 2 * Spacing) / maximum_ * position_);
}

void TSuperGauge::PaintBuffer() {
  if (buffer_.Width() != Width || buffer_.Height() != Height) buffer_.Assign(Width, Height, 24, {});
  if (buffer_.Empty()) return;
  const int length = BarLength();
  FillPicture(buffer_, {0, 0, Width, Height}, BkColor);
  PaintFrameRings();
  if (Picture) {
    PaintPicture(length);
  } else {
    PaintGradient(length);
  }
  if (Text) PaintPercentage();
}

// Ring i (1 the outermost) lies i - 1 pixels inside the edge: dark top and left, light bottom and
// right, the top-right and bottom-left corners light; the innermost ring is the darkest.
void TSuperGauge::PaintFrameRings() {
  for (int i = 1; i <= Border; ++i) {
    const double t = static_cast<double>(i) / Border;
    const TColor dark = Blend(clBlack, RGB(128, 128, 128), t);
    const TColor light = Blend(RGB(215, 215, 215), clWhite, t);
    const int left = i - 1, top = i - 1, right = Width - i, bottom = Height - i;
    if (left > right || top > bottom) break;
    FillPicture(buffer_, {left, top, right, top + 1}, dark);
    FillPicture(buffer_, {left, top, left + 1, bottom}, dark);
    FillPicture(buffer_, {left, bottom, right + 1, bottom + 1}, light);
    FillPicture(buffer_, {right, top, right + 1, bottom + 1}, light);
  }
}

void TSuperGauge::PaintGradient(int length) {
  const int d = ToEnd ? Width - 2 * Border : length;
  const int first = Border + Spacing;
  for (int c = 0; c < length; ++c) {
    const auto channel = [&](int from, int to) {
      return static_cast<uint32_t>(Round(static_cast<double>((d - c) * from + c * to) / d));
    };
    const TColor color =
        RGB(channel(static_cast<int>(GetRValue(FromColor)), static_cast<int>(GetRValue(ToColor))),
            channel(static_cast<int>(GetGValue(FromColor)), static_cast<int>(GetGValue(ToColor))),
            channel(static_cast<int>(GetBValue(FromColor)), static_cast<int>(GetBValue(ToColor))));
    FillPicture(buffer_, {first + c, first, first + c + 1, Height - first}, color);
  }
}

void TSuperGauge::PaintPicture(int length) {
  if (bitmap_.Empty()) return;
  const int first = Border + Spacing;
  const TRect inner{first, first, Width - first, Height - first};
  if (!Stretch) {
    TilePicture(buffer_, {first, first, first + length, Height - first}, bitmap_);
  } else if (ToEnd) {
    StretchPicture(buffer_, inner, bitmap_);
    FillPicture(buffer_, {first + length, first, inner.Right, inner.Bottom}, BkColor);
  } else {
    StretchPicture(buffer_, Bounds(first, first, length, inner.Height()), bitmap_);
  }
}

void TSuperGauge::PaintPercentage() {
  const int percent = maximum_ > 0 ? Round(static_cast<double>(position_) / maximum_ * 100) : 0;
  const std::string text = std::to_string(percent) + "%";
  const int width = TextExtentOf(Font, text).width;
  const int h = TextExtentOf(Font, "%").height;
  TextOnPicture(buffer_, Round(Width / 2.0 - width / 2.0), Round(Height / 2.0 - h / 2.0), Font, text);
}

void TSuperGauge::Paint(TSurface& frame, const TRect& place, const TRect& clip) {
  PaintBuffer();
  PictureOnFrame(frame, place.Left, place.Top, buffer_, IntersectRect(place, clip));
}

}  // namespace jizdavo

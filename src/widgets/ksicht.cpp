#include "widgets/ksicht.h"

#include "widgets/controls/control_paint.h"
#include "widgets/controls/picture_file.h"

namespace jizdavo {

namespace {

constexpr int kBoxSide = 13;
constexpr int kCaptionLeft = 16;
constexpr int kCaptionTop = 1;

}  // namespace

TKsicht::TKsicht() {
  SetBounds(0, 0, kBoxSide, kBoxSide);
  chnon_bit_.Assign(kBoxSide, kBoxSide, 24, {});
  ch_bit_.Assign(kBoxSide, kBoxSide, 24, {});
}

void TKsicht::SetChnonBit(const TDIB& picture) { CopyPicture(picture, chnon_bit_); }

void TKsicht::SetChBit(const TDIB& picture) { CopyPicture(picture, ch_bit_); }

void TKsicht::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TControl::MouseDown(button, shift, x, y);
  if (button == TMouseButton::mbLeft) Checked = !Checked;
}

// The box sits centred on the caption's height (13 without a caption), the caption at (16, 1); nothing
// else of the rectangle is touched, and nothing leaves it.
void TKsicht::Paint(TSurface& frame, const TRect& place, const TRect& clip) {
  const TRect inside = IntersectRect(place, clip);
  const TextExtent caption = TextExtentOf(Font, Caption);
  const int h = Caption.empty() ? kBoxSide : caption.height;
  PictureOnFrame(frame, place.Left, place.Top + h / 2 - 6, Checked ? ch_bit_ : chnon_bit_, inside);
  const int x = place.Left + kCaptionLeft;
  const int y = place.Top + kCaptionTop;
  if (!Transparent && !Caption.empty())
    FillOnFrame(frame, Bounds(x, y, caption.width, caption.height), inside, Color);
  TextOnFrame(frame, x, y, Font, Caption, inside);
}

}  // namespace jizdavo

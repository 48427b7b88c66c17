#include "menus/controls/simple_controls.h"

#include <algorithm>

#include "menus/controls/control_paint.h"

namespace jizdavo {

void TPanel::Paint(TSurface& frame, const TRect& place, const TRect& clip) {
  FillOnFrame(frame, place, clip, Color);
}

void TLabel::UpdateSize() {
  if (!AutoSize) return;
  const TextExtent extent = TextExtentOf(Font, Caption);
  Width = extent.width;
  Height = extent.height;
}

void TLabel::Paint(TSurface& frame, const TRect& place, const TRect& clip) {
  if (!Transparent) FillOnFrame(frame, place, clip, Color);
  TextOnFrame(frame, place.Left, place.Top, Font, Caption, clip);
}

TStaticText::TStaticText() {
  Font = MenuFont("MS Sans Serif", 11);
  AutoSize = false;
  Transparent = false;
}

void TStaticText::Paint(TSurface& frame, const TRect& place, const TRect& clip) {
  TLabel::Paint(frame, place, IntersectRect(place, clip));
}

void TShape::Paint(TSurface& frame, const TRect& place, const TRect& clip) {
  const int pen = std::max(1, Pen.Width);
  if (Brush.Style == TBrushStyle::bsSolid)
    FillOnFrame(frame, {place.Left + pen, place.Top + pen, place.Right - pen, place.Bottom - pen}, clip,
                Brush.Color);
  for (int i = 0; i < pen; ++i)
    OutlineOnFrame(frame, {place.Left + i, place.Top + i, place.Right - i, place.Bottom - i}, clip,
                   Pen.Color);
}

}  // namespace jizdavo

#include "widgets/controls/simple_controls.h"

#include <algorithm>

#include "widgets/controls/control_paint.h"
#include "widgets/controls/paint_cache.h"

namespace jizdavo {

void TPanel::Paint(TSurface& frame, const TRect& place, const TRect& clip) {
  FillOnFrame(frame, place, clip, Color);
}

bool TPanel::AppendLook(std::string& look) const {
  AppendLookValue(look, static_cast<int>(Color));
  return true;
}

bool TLabel::AppendLook(std::string& look) const {
  AppendLookText(look, Caption);
  AppendLookText(look, Font.Name);
  for (int value : {Font.Height, static_cast<int>(Font.Color), static_cast<int>(Font.Bold),
                    static_cast<int>(Font.Italic), static_cast<int>(AutoSize), static_cast<int>(Transparent),
                    static_cast<int>(Color)})
    AppendLookValue(look, value);
  return true;
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

bool TShape::AppendLook(std::string& look) const {
  for (int value : {static_cast<int>(Pen.Color), Pen.Width, static_cast<int>(Brush.Style),
                    static_cast<int>(Brush.Color)})
    AppendLookValue(look, value);
  return true;
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

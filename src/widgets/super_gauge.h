#pragma once
// The game's bar gauge: a sunken frame, and a bar filling from the left in proportion to Position,
// with a colour gradient or a picture, and the percentage in the middle. It can hold other controls
// (the volume gauges hold the outline shape that takes the mouse).

#include "platform/pixels/dib.h"
#include "widgets/controls/control.h"
#include "widgets/controls/control_text.h"

namespace jizdavo {

class TSuperGauge : public TControl {
 public:
  // 200 x 30, black percentage text; the other values as below.
  TSuperGauge();

  TColor FromColor = RGB(225, 221, 74);  // the gradient's colour at the left end
  TColor ToColor = RGB(128, 0, 0);       // towards the right end
  int Border = 2;                        // width of the sunken frame
  bool ToEnd = true;                     // the gradient spans the whole gauge, not only the bar
  TColor BkColor = clWhite;
  bool Text = true;      // the percentage
  int Spacing = 1;       // between frame and bar
  bool Picture = false;  // the bar shows Bitmap instead of the gradient
  bool Stretch = false;  // Bitmap scaled (smoothly) instead of repeated
  TControlFont Font{"MS Sans Serif", 11, clBlack, false, false};

  int Maximum() const { return maximum_; }
  // Lowers Position to a smaller maximum.
  void SetMaximum(int maximum);
  int Position() const { return position_; }
  // Above Maximum is stored as Maximum; below 0 is stored as it is.
  void SetPosition(int position);
  const TDIB& Bitmap() const { return bitmap_; }
  void SetBitmap(const TDIB& picture);

  // Paints the whole face into the gauge's own picture (Width x Height), which Buffer() then shows.
  void PaintBuffer();
  const TDIB& Buffer() const { return buffer_; }

  bool Windowed() const override { return true; }

 protected:
  void Paint(TSurface& frame, const TRect& place, const TRect& clip) override;

 private:
  int BarLength() const;
  void PaintFrameRings();
  void PaintGradient(int length);
  void PaintPicture(int length);
  void PaintPercentage();

  int maximum_ = 100;
  int position_ = 0;
  TDIB bitmap_;
  TDIB buffer_;
};

}  // namespace jizdavo

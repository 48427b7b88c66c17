#pragma once
// The plain controls of the menus: black panels, text labels, the version text and outline shapes.

#include <string>

#include "platform/pixels/canvas.h"
#include "widgets/controls/control.h"
#include "widgets/controls/control_text.h"

namespace jizdavo {

// A flat panel without bevel, filled with its colour; it holds the items of one menu screen.
class TPanel : public TControl {
 public:
  TColor Color = clBlack;

  bool Windowed() const override { return true; }
  bool Opaque() const override { return true; }
  bool AppendLook(std::string& look) const override;

 protected:
  void Paint(TSurface& frame, const TRect& place, const TRect& clip) override;
};

// A line of text. With AutoSize (the default) it is exactly as large as its text cell, following
// every change of caption or font. Its ink may overhang the cell (italics), as far as the parent lets.
class TLabel : public TControl {
 public:
  std::string Caption;
  TControlFont Font = ItemFont();
  bool AutoSize = true;
  bool Transparent = true;
  TColor Color = clBlack;  // behind the text when not transparent

  bool AppendLook(std::string& look) const override;

 protected:
  void UpdateSize() override;
  void Paint(TSurface& frame, const TRect& place, const TRect& clip) override;
};

// Text in a small window of its own: opaque, cut to its bounds, not auto-sized.
class TStaticText : public TLabel {
 public:
  TStaticText();

  bool Windowed() const override { return true; }

 protected:
  void Paint(TSurface& frame, const TRect& place, const TRect& clip) override;
};

// An outline rectangle: the pen draws the edge inside the bounds, the brush fills unless bsClear.
class TShape : public TControl {
 public:
  TPen Pen;
  TBrush Brush;

  bool AppendLook(std::string& look) const override;

 protected:
  void Paint(TSurface& frame, const TRect& place, const TRect& clip) override;
};

}  // namespace jizdavo

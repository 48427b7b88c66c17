#pragma once
// Text and line drawing on a surface or a picture, with the font, brush and pen kept between uses.

#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/rect.h"

namespace jizdavo {

class TSurface;
class TDIB;
struct PlacedGlyph;
struct FontRequest;

enum class TBrushStyle { bsSolid, bsClear };

struct TFont {
  std::string Name = "MS Sans Serif";
  int Size = 8;  // points: an em of Size * 96 / 72 pixels, rounded
  TColor Color = clBlack;
  bool Bold = false;
  bool Italic = false;
};

// The face, em size and style a font asks the text renderer for.
FontRequest RequestOf(const TFont& font);

struct TBrush {
  TBrushStyle Style = TBrushStyle::bsSolid;
  TColor Color = clWhite;
};

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
};

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  TFont Font;
  TBrush Brush;
  TPen Pen;

  void TextOut(int x, int y, const std::string& text);
  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void FillRect(const TRect& rect);
  void Rectangle(int left, int top, int right, int bottom);
  void CopyFrom(int x, int y, int w, int h, TCanvas& source, int sx, int sy);

 protected:
  virtual int TargetWidth() const = 0;
  virtual int TargetHeight() const = 0;
  // Pixels from x0 up to (not including) x1 of row y, already clipped to the target.
  virtual void FillSpan(int x0, int x1, int y, TColor color) = 0;
  // `area`, already clipped to the target: by default row by row.
  virtual void FillArea(const TRect& area, TColor color);
  // The covered runs of `placed` with the text's cell at (x, y), all inside `inked` (clipped to the
  // target), in `color`: by default span by span.
  virtual void FillRuns(const std::vector<PlacedGlyph>& placed, int x, int y, const TRect& inked,
                        TColor color);
  virtual TColor ReadPixel(int x, int y) const = 0;

 private:
  // Fills `rect` cut to the target.
  void FillClipped(const TRect& rect, TColor color);

  int pen_x_ = 0;
  int pen_y_ = 0;
};

// Colours land on the surface converted as pictures are (channels cut to 5-6-5).
class TSurfaceCanvas final : public TCanvas {
 public:
  explicit TSurfaceCanvas(TSurface& surface) : surface_(surface) {}

 protected:
  int TargetWidth() const override;
  int TargetHeight() const override;
  void FillSpan(int x0, int x1, int y, TColor color) override;
  // Both straight into the surface: one record of the change, and no call a row or a run.
  void FillArea(const TRect& area, TColor color) override;
  void FillRuns(const std::vector<PlacedGlyph>& placed, int x, int y, const TRect& inked,
                TColor color) override;
  TColor ReadPixel(int x, int y) const override;

 private:
  TSurface& surface_;
};

class TDIBCanvas final : public TCanvas {
 public:
  explicit TDIBCanvas(TDIB& dib) : dib_(dib) {}

 protected:
  int TargetWidth() const override;
  int TargetHeight() const override;
  void FillSpan(int x0, int x1, int y, TColor color) override;
  TColor ReadPixel(int x, int y) const override;

 private:
  TDIB& dib_;
};

}  // namespace jizdavo

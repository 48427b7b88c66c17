// Canvas drawing, the same on surfaces and on pictures: every operation ends in clipped spans of one
// colour, which each kind of target writes in its own pixel format.

#include "platform/pixels/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/pixels/dib.h"
#include "platform/pixels/draw_rows.h"
#include "platform/pixels/surface.h"
#include "platform/text/text_render.h"

namespace jizdavo {

namespace {

constexpr TColor kColorBits = 0xFFFFFF;

TColor ColorOfRaw(RawPixel raw) { return RGB(rgb565::Red8(raw), rgb565::Green8(raw), rgb565::Blue8(raw)); }

// The glyphs' covered runs with the text's cell at (x, y), each clipped to a width x height target
// here rather than through FillClipped: a line of text has hundreds of runs.
template <typename Use>
void ForEachRun(const std::vector<PlacedGlyph>& placed, int x, int y, int width, int height, Use use) {
  for (const PlacedGlyph& place : placed) {
    const int left = x + place.x, top = y + place.y;
    for (const GlyphRun& run : place.glyph->runs) {
      const int row = top + run.row;
      const int x0 = std::max(left + run.left, 0), x1 = std::min(left + run.right, width);
      if (row >= 0 && row < height && x0 < x1) use(x0, x1, row);
    }
  }
}

}  // namespace

FontRequest RequestOf(const TFont& font) {
  return {font.Name, EmPixelsForPoints(font.Size), font.Bold, font.Italic};
}

void TCanvas::FillClipped(const TRect& rect, TColor color) {
  const int x0 = std::max(rect.Left, 0);
  const int x1 = std::min(rect.Right, TargetWidth());
  const int y0 = std::max(rect.Top, 0);
  const int y1 = std::min(rect.Bottom, TargetHeight());
  if (x0 < x1 && y0 < y1) FillArea({x0, y0, x1, y1}, color);
}

void TCanvas::FillArea(const TRect& area, TColor color) {
  for (int y = area.Top; y < area.Bottom; ++y) FillSpan(area.Left, area.Right, y, color);
}

// Hard-edged glyphs are drawn as their covered runs, one span each; where glyphs overlap, the spans
// cover the same pixels as the glyphs' union would.
void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  thread_local std::vector<PlacedGlyph> placed;
  const TextExtent cell = LayOutText(RequestOf(Font), text, GlyphRender::kMono, placed);
  if (Brush.Style == TBrushStyle::bsSolid) FillClipped(Bounds(x, y, cell.width, cell.height), Brush.Color);
  // Where the runs can land: the glyphs' boxes, clipped to the target.
  const int width = TargetWidth(), height = TargetHeight();
  TRect inked{width, height, 0, 0};
  for (const PlacedGlyph& place : placed) {
    inked = {std::min(inked.Left, x + place.x), std::min(inked.Top, y + place.y),
             std::max(inked.Right, x + place.x + place.glyph->width),
             std::max(inked.Bottom, y + place.y + place.glyph->height)};
  }
  inked = {std::max(inked.Left, 0), std::max(inked.Top, 0), std::min(inked.Right, width),
           std::min(inked.Bottom, height)};
  if (!inked.IsEmpty()) FillRuns(placed, x, y, inked, Font.Color);
}

void TCanvas::FillRuns(const std::vector<PlacedGlyph>& placed, int x, int y, const TRect&, TColor color) {
  ForEachRun(placed, x, y, TargetWidth(), TargetHeight(),
             [&](int x0, int x1, int row) { FillSpan(x0, x1, row, color); });
}

int TCanvas::TextWidth(const std::string& text) { return MeasureText(RequestOf(Font), text).width; }

// The cell's height, the same for every text in the font: no need to go through the letters.
int TCanvas::TextHeight(const std::string&) { return MeasureText(RequestOf(Font), {}).height; }

void TCanvas::MoveTo(int x, int y) {
  pen_x_ = x;
  pen_y_ = y;
}

// Bresenham's walk from the pen position, stopping before (x, y); each point is a square the pen's width.
void TCanvas::LineTo(int x, int y) {
  const int dx = std::abs(x - pen_x_);
  const int dy = std::abs(y - pen_y_);
  const int step_x = x > pen_x_ ? 1 : -1;
  const int step_y = y > pen_y_ ? 1 : -1;
  const int width = std::max(1, Pen.Width);
  const int offset = (width - 1) / 2;
  int px = pen_x_;
  int py = pen_y_;
  if (dx == 0 || dy == 0) {
    // A straight line's squares join into one rectangle: from the first point to the last drawn one.
    const int last_x = x - (dx == 0 ? 0 : step_x);
    const int last_y = y - (dy == 0 ? 0 : step_y);
    if (dx + dy > 0) {
      FillClipped({std::min(px, last_x) - offset, std::min(py, last_y) - offset,
                   std::max(px, last_x) - offset + width, std::max(py, last_y) - offset + width},
                  Pen.Color);
    }
    MoveTo(x, y);
    return;
  }
  int error = dx - dy;
  for (int i = 0, steps = std::max(dx, dy); i < steps; ++i) {
    FillClipped(Bounds(px - offset, py - offset, width, width), Pen.Color);
    const int twice = 2 * error;
    if (twice > -dy) {
      error -= dy;
      px += step_x;
    }
    if (twice < dx) {
      error += dx;
      py += step_y;
    }
  }
  MoveTo(x, y);
}

// A clear brush paints nothing, as a hollow brush does.
void TCanvas::FillRect(const TRect& rect) {
  if (Brush.Style == TBrushStyle::bsSolid) FillClipped(rect, Brush.Color);
}

// The outline lies inside the area: a pen of width w covers its outermost w pixels on every side.
void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (left >= right || top >= bottom) return;
  FillRect({left, top, right, bottom});
  const int width = std::min({std::max(1, Pen.Width), right - left, bottom - top});
  FillClipped({left, top, right, top + width}, Pen.Color);
  FillClipped({left, bottom - width, right, bottom}, Pen.Color);
  FillClipped({left, top, left + width, bottom}, Pen.Color);
  FillClipped({right - width, top, right, bottom}, Pen.Color);
}

void TCanvas::CopyFrom(int x, int y, int w, int h, TCanvas& source, int sx, int sy) {
  // Clip against the source, then the destination, moving both corners together.
  const int cut_left = std::max({0, -sx, -x});
  const int cut_top = std::max({0, -sy, -y});
  x += cut_left, sx += cut_left, w -= cut_left;
  y += cut_top, sy += cut_top, h -= cut_top;
  w = std::min({w, source.TargetWidth() - sx, TargetWidth() - x});
  h = std::min({h, source.TargetHeight() - sy, TargetHeight() - y});
  if (w <= 0 || h <= 0) return;
  // Read the whole block first: source and destination may be the same canvas.
  std::vector<TColor> block(static_cast<size_t>(w) * h);
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col)
      block[static_cast<size_t>(row) * w + col] = source.ReadPixel(sx + col, sy + row);
  }
  for (int row = 0; row < h; ++row) {
    const TColor* colors = block.data() + static_cast<size_t>(row) * w;
    for (int col = 0; col < w;) {
      const int start = col;
      while (col < w && colors[col] == colors[start]) ++col;
      FillSpan(x + start, x + col, y + row, colors[start]);
    }
  }
}

int TSurfaceCanvas::TargetWidth() const { return surface_.Width(); }
int TSurfaceCanvas::TargetHeight() const { return surface_.Height(); }

void TSurfaceCanvas::FillArea(const TRect& area, TColor color) {
  surface_.FillRect(area, rgb565::FromColor(color));
}

void TSurfaceCanvas::FillSpan(int x0, int x1, int y, TColor color) {
  surface_.MarkChanged({x0, y, x1, y + 1});
  rows::Fill(surface_.MarkedRow(y) + x0, x1 - x0, rgb565::FromColor(color));
}

void TSurfaceCanvas::FillRuns(const std::vector<PlacedGlyph>& placed, int x, int y, const TRect& inked,
                              TColor color) {
  surface_.MarkChanged(inked);
  const RawPixel raw = rgb565::FromColor(color);
  ForEachRun(placed, x, y, surface_.Width(), surface_.Height(), [&](int x0, int x1, int row) {
    RawPixel* pixels = surface_.MarkedRow(row);
    std::fill(pixels + x0, pixels + x1, raw);
  });
}

TColor TSurfaceCanvas::ReadPixel(int x, int y) const { return ColorOfRaw(std::as_const(surface_).Row(y)[x]); }

int TDIBCanvas::TargetWidth() const { return dib_.Empty() ? 0 : dib_.Width(); }
int TDIBCanvas::TargetHeight() const { return dib_.Empty() ? 0 : dib_.Height(); }

void TDIBCanvas::FillSpan(int x0, int x1, int y, TColor color) {
  std::fill(dib_.Row(y) + x0, dib_.Row(y) + x1, color & kColorBits);
}

TColor TDIBCanvas::ReadPixel(int x, int y) const { return dib_.Row(y)[x]; }

}  // namespace jizdavo

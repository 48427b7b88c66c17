// Canvas drawing on surfaces and pictures: text cells and keying, lines, rectangles, block copies and
// the settings that outlive a run of drawing.

#include "platform/pixels/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/pixels/dib.h"
#include "platform/pixels/surface.h"
#include "platform/text/text_render.h"

namespace jizdavo {
namespace {

TDIB& Picture(TDIB& dib, int width, int height, TColor fill) {
  dib.SetWidth(width);
  dib.SetHeight(height);
  dib.SetBitCount(24);
  for (int y = 0; y < height; ++y) std::fill(dib.Row(y), dib.Row(y) + width, fill);
  return dib;
}

int CountRaw(const TSurface& surface, RawPixel raw) {
  return static_cast<int>(
      std::count(surface.Pixels(), surface.Pixels() + surface.Width() * surface.Height(), raw));
}

void SetFont(TCanvas& canvas, const char* name, int size, TColor color) {
  canvas.Font.Name = name;
  canvas.Font.Size = size;
  canvas.Font.Color = color;
}

TEST(CanvasTest, NewCanvasStartsWithBlackPenWhiteBrushBlackFont) {
  TSurface surface(4, 4);
  TDIB dib;
  Picture(dib, 4, 4, clBlack);
  for (TCanvas* canvas : {static_cast<TCanvas*>(&surface.Canvas()), static_cast<TCanvas*>(&dib.Canvas())}) {
    EXPECT_EQ(canvas->Pen.Color, clBlack);
    EXPECT_EQ(canvas->Pen.Width, 1);
    EXPECT_EQ(canvas->Brush.Style, TBrushStyle::bsSolid);
    EXPECT_EQ(canvas->Brush.Color, clWhite);
    EXPECT_EQ(canvas->Font.Color, clBlack);
  }
}

TEST(CanvasTest, SettingsSurviveReleaseCanvas) {
  TSurface surface(4, 4);
  TSurfaceCanvas& canvas = surface.Canvas();
  SetFont(canvas, "Arial Black", 20, clYellow);
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Pen.Width = 3;
  surface.ReleaseCanvas();
  TSurfaceCanvas& again = surface.Canvas();
  EXPECT_EQ(again.Font.Name, "Arial Black");
  EXPECT_EQ(again.Font.Size, 20);
  EXPECT_EQ(again.Font.Color, clYellow);
  EXPECT_EQ(again.Brush.Style, TBrushStyle::bsClear);
  EXPECT_EQ(again.Pen.Width, 3);
}

TEST(CanvasTest, TextHeightIsTheCellWhateverTheLetters) {
  TSurface surface(8, 8);
  TSurfaceCanvas& canvas = surface.Canvas();
  SetFont(canvas, "Arial Black", 20, clWhite);
  const int height = canvas.TextHeight("x");
  EXPECT_GE(height, 27);  // at least the em
  for (const char* text : {"", "Jizdavo", "_gjpq", "\xC3\x81"})
    EXPECT_EQ(canvas.TextHeight(text), height) << text;
  EXPECT_EQ(canvas.TextWidth(""), 0);
  EXPECT_GT(canvas.TextWidth("Jizdavo"), canvas.TextWidth("Jiz"));
}

// Every glyph pixel of the string lies inside its cell: the cell holds ascent and descent.
TEST(CanvasTest, GlyphsStayInsideTheCell) {
  TSurface surface(300, 80);
  TSurfaceCanvas& canvas = surface.Canvas();
  SetFont(canvas, "Tahoma", 20, clWhite);
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.TextOut(10, 10, "Hgjy");
  const int width = canvas.TextWidth("Hgjy"), height = canvas.TextHeight("Hgjy");
  int inside = 0;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      if (surface.GetPixel(x, y) == 0) continue;
      const bool in_cell = x >= 10 && x < 10 + width && y >= 10 && y < 10 + height;
      EXPECT_TRUE(in_cell) << x << "," << y;
      inside += in_cell;
    }
  }
  EXPECT_GT(inside, 50);
}

TEST(CanvasTest, KeyColouredTextKeysOutWithoutFringes) {
  TSurface banner(200, 50);
  const RawPixel red = rgb565::FromColor(clRed);
  banner.Fill(red);
  banner.SetColorKey(banner.MatchColor(clWhite));
  TSurfaceCanvas& canvas = banner.Canvas();
  SetFont(canvas, "Arial Black", 20, 0xFFFFFE);  // the same raw value as white once cut to 5-6-5
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.TextOut(5, 5, "Victory");
  banner.ReleaseCanvas();
  const int glyph_pixels = CountRaw(banner, 0xFFFF);
  EXPECT_GT(glyph_pixels, 200);
  EXPECT_EQ(glyph_pixels + CountRaw(banner, red), 200 * 50);  // nothing half-way between

  TSurface screen(200, 50);
  const RawPixel blue = rgb565::FromColor(RGB(0, 0, 255));
  screen.Fill(blue);
  screen.DrawSurface(0, 0, banner.ClientRect(), &banner, true);
  EXPECT_EQ(CountRaw(screen, blue), glyph_pixels);
  EXPECT_EQ(CountRaw(screen, red), 200 * 50 - glyph_pixels);
}

TEST(CanvasTest, SolidBrushFillsTheCellAndClearBrushOnlyDrawsGlyphs) {
  const std::string text = "Hi";
  for (TBrushStyle style : {TBrushStyle::bsSolid, TBrushStyle::bsClear}) {
    TSurface surface(100, 60);
    TSurfaceCanvas& canvas = surface.Canvas();
    SetFont(canvas, "Arial", 20, clRed);
    canvas.Brush.Style = style;
    canvas.Brush.Color = clLime;
    canvas.TextOut(10, 5, text);
    const TRect cell = Bounds(10, 5, canvas.TextWidth(text), canvas.TextHeight(text));
    const int font = CountRaw(surface, rgb565::FromColor(clRed));
    const int brush = CountRaw(surface, rgb565::FromColor(clLime));
    EXPECT_GT(font, 50);
    if (style == TBrushStyle::bsSolid) {
      EXPECT_EQ(font + brush, cell.Width() * cell.Height());
      EXPECT_EQ(surface.GetPixel(cell.Left, cell.Top), rgb565::FromColor(clLime));
      EXPECT_EQ(surface.GetPixel(cell.Right - 1, cell.Bottom - 1), rgb565::FromColor(clLime));
      EXPECT_EQ(surface.GetPixel(cell.Right, cell.Bottom), 0u);
    } else {
      EXPECT_EQ(brush, 0);
      EXPECT_EQ(font + CountRaw(surface, 0), 100 * 60);
    }
  }
}

TEST(CanvasTest, EmptyTextDrawsNothing) {
  TSurface surface(50, 50);
  surface.Canvas().TextOut(0, 0, "");
  EXPECT_EQ(CountRaw(surface, 0), 50 * 50);
}

TEST(CanvasTest, TextIsClippedAtTheEdges) {
  TSurface surface(20, 10);
  TSurfaceCanvas& canvas = surface.Canvas();
  SetFont(canvas, "Arial Black", 20, clWhite);
  canvas.Brush.Color = clLime;
  for (auto [x, y] : {std::pair{-30, -10}, std::pair{15, 5}, std::pair{-1000, 0}, std::pair{0, 1000}}) {
    canvas.TextOut(x, y, "Jizdavo");
  }
  EXPECT_GT(CountRaw(surface, rgb565::FromColor(clLime)), 0);
}

// TextOut draws glyph by glyph; the pixels must be those of the string's composed mono coverage, also
// where slanted glyphs overlap and where the text runs off any edge.
TEST(CanvasTest, TextOutPaintsExactlyTheComposedCoverage) {
  struct Case {
    const char* font;
    bool bold, italic;
    int x, y;
  };
  const std::string text = "Wfffj/Time: 01:23";
  for (const Case& c : {Case{"Tahoma", false, false, 4, 4}, Case{"Arial", true, true, 3, 2},
                        Case{"Arial Black", false, true, -9, -6}, Case{"Tahoma", true, false, 70, 12}}) {
    TSurface surface(120, 24);
    TSurfaceCanvas& canvas = surface.Canvas();
    SetFont(canvas, c.font, 14, clWhite);
    canvas.Font.Bold = c.bold;
    canvas.Font.Italic = c.italic;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOut(c.x, c.y, text);
    const TextCoverage glyphs = RenderText(RequestOf(canvas.Font), text, GlyphRender::kMono);
    int ink = 0;
    for (int y = 0; y < surface.Height(); ++y) {
      for (int x = 0; x < surface.Width(); ++x) {
        const int gx = x - c.x - glyphs.left, gy = y - c.y - glyphs.top;
        const bool covered = gx >= 0 && gy >= 0 && gx < glyphs.width && gy < glyphs.height &&
                             glyphs.alpha[static_cast<size_t>(gy) * glyphs.width + gx] != 0;
        ink += covered;
        ASSERT_EQ(surface.GetPixel(x, y), covered ? 0xFFFFu : 0u) << c.font << " at " << x << "," << y;
      }
    }
    EXPECT_GT(ink, 100) << c.font;
  }
}

// Lines drawn on a picture: every point from the start up to, not including, the end.
struct LineCase {
  int x0, y0, x1, y1;
};

class CanvasLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(CanvasLineTest, ExcludesTheEndPoint) {
  const LineCase& c = GetParam();
  TDIB dib;
  TDIBCanvas& canvas = Picture(dib, 20, 20, clBlack).Canvas();
  canvas.Pen.Color = clWhite;
  canvas.MoveTo(c.x0, c.y0);
  canvas.LineTo(c.x1, c.y1);
  int drawn = 0;
  for (int y = 0; y < 20; ++y) drawn += static_cast<int>(std::count(dib.Row(y), dib.Row(y) + 20, clWhite));
  EXPECT_EQ(drawn, std::max(std::abs(c.x1 - c.x0), std::abs(c.y1 - c.y0)));
  EXPECT_EQ(dib.Row(c.y1)[c.x1], clBlack);
  if (drawn > 0) {
    EXPECT_EQ(dib.Row(c.y0)[c.x0], clWhite);
  }
  canvas.LineTo(c.x1, c.y1 == 0 ? 1 : c.y1 - 1);  // the next line starts where this one ended
  EXPECT_EQ(dib.Row(c.y1)[c.x1], clWhite);
}

INSTANTIATE_TEST_SUITE_P(Directions, CanvasLineTest,
                         testing::Values(LineCase{2, 5, 12, 5}, LineCase{12, 5, 2, 5}, LineCase{4, 1, 4, 18},
                                         LineCase{1, 1, 9, 9}, LineCase{15, 2, 3, 7}, LineCase{3, 17, 6, 2},
                                         LineCase{7, 7, 7, 7}));

TEST(CanvasTest, PenWidthThickensLines) {
  TDIB dib;
  TDIBCanvas& canvas = Picture(dib, 20, 20, clBlack).Canvas();
  canvas.Pen.Color = clWhite;
  canvas.Pen.Width = 3;
  canvas.MoveTo(5, 10);
  canvas.LineTo(15, 10);
  for (int y : {9, 10, 11}) EXPECT_EQ(dib.Row(y)[10], clWhite) << y;
  for (int y : {8, 12}) EXPECT_EQ(dib.Row(y)[10], clBlack) << y;
  EXPECT_EQ(dib.Row(10)[4], clWhite);
  EXPECT_EQ(dib.Row(10)[16], clBlack);
}

// A straight line of any pen width is the pen's square stamped at every point up to the end point,
// clipped at the picture's edges like the rest.
TEST(CanvasTest, StraightWideLinesAreThePenSquaresAtEveryPoint) {
  const LineCase lines[] = {{3, 8, 14, 8}, {14, 8, 3, 8}, {8, 2, 8, 15}, {8, 15, 8, 2}, {-2, 0, 5, 0},
                            {19, 19, 19, 12}};
  for (const LineCase& c : lines) {
    for (int width = 1; width <= 5; ++width) {
      TDIB drawn;
      TDIBCanvas& canvas = Picture(drawn, 20, 20, clBlack).Canvas();
      canvas.Pen.Color = clWhite;
      canvas.Pen.Width = width;
      canvas.MoveTo(c.x0, c.y0);
      canvas.LineTo(c.x1, c.y1);
      TDIB stamped;
      TDIBCanvas& reference = Picture(stamped, 20, 20, clBlack).Canvas();
      reference.Brush.Color = clWhite;
      const int offset = (width - 1) / 2;
      const int steps = std::max(std::abs(c.x1 - c.x0), std::abs(c.y1 - c.y0));
      for (int i = 0; i < steps; ++i) {
        const int x = c.x0 + i * (c.x1 > c.x0) - i * (c.x1 < c.x0);
        const int y = c.y0 + i * (c.y1 > c.y0) - i * (c.y1 < c.y0);
        reference.FillRect(Bounds(x - offset, y - offset, width, width));
      }
      for (int y = 0; y < 20; ++y) {
        ASSERT_TRUE(std::equal(drawn.Row(y), drawn.Row(y) + 20, stamped.Row(y)))
            << "line " << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1 << " width " << width
            << " row " << y;
      }
    }
  }
}

TEST(CanvasTest, RectangleOutlinesTheOutermostPixels) {
  for (TBrushStyle style : {TBrushStyle::bsSolid, TBrushStyle::bsClear}) {
    TDIB dib;
    TDIBCanvas& canvas = Picture(dib, 12, 12, clBlack).Canvas();
    canvas.Pen.Color = clRed;
    canvas.Brush.Style = style;
    canvas.Brush.Color = clLime;
    canvas.Rectangle(2, 3, 8, 9);
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 12; ++x) {
        const bool inside = x >= 2 && x < 8 && y >= 3 && y < 9;
        const bool edge = inside && (x == 2 || x == 7 || y == 3 || y == 8);
        const TColor interior = style == TBrushStyle::bsSolid ? clLime : clBlack;
        EXPECT_EQ(dib.Row(y)[x], edge ? clRed : inside ? interior : clBlack) << x << "," << y;
      }
    }
  }
}

TEST(CanvasTest, FillRectUsesTheBrushAndIsClipped) {
  TDIB dib;
  TDIBCanvas& canvas = Picture(dib, 6, 6, clBlack).Canvas();
  canvas.Brush.Color = RGB(1, 2, 3);  // a picture keeps the colour exactly
  canvas.FillRect({-5, 4, 3, 100});
  EXPECT_EQ(dib.Row(5)[0], RGB(1, 2, 3));
  EXPECT_EQ(dib.Row(4)[2], RGB(1, 2, 3));
  EXPECT_EQ(dib.Row(3)[2], clBlack);
  EXPECT_EQ(dib.Row(4)[3], clBlack);
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.FillRect({0, 0, 6, 6});
  EXPECT_EQ(dib.Row(0)[0], clBlack);
}

TEST(CanvasTest, SurfaceColoursAreCutTo565) {
  TSurface surface(2, 1);
  TSurfaceCanvas& canvas = surface.Canvas();
  canvas.Brush.Color = RGB(0x0F, 0x87, 0xFF);
  canvas.FillRect({0, 0, 2, 1});
  EXPECT_EQ(surface.GetPixel(1, 0), surface.MatchColor(RGB(0x0F, 0x87, 0xFF)));
  EXPECT_EQ(surface.GetPixel(1, 0), 0x0C3Fu);
}

// CopyFrom against a pixel-by-pixel reading of its rule, with the block cut at every side of both.
struct CopyCase {
  int x, y, w, h, sx, sy;
};

class CanvasCopyTest : public testing::TestWithParam<CopyCase> {};

TEST_P(CanvasCopyTest, CopiesTheBlockClippedToBothCanvases) {
  const CopyCase& c = GetParam();
  TDIB source, dest;
  Picture(source, 7, 5, clBlack);
  Picture(dest, 9, 6, clWhite);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) source.Row(y)[x] = RGB(x + 1, y + 1, 0);
  }
  dest.Canvas().CopyFrom(c.x, c.y, c.w, c.h, source.Canvas(), c.sx, c.sy);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 9; ++x) {
      const int from_x = x - c.x + c.sx, from_y = y - c.y + c.sy;
      const bool copied = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h && from_x >= 0 &&
                          from_x < 7 && from_y >= 0 && from_y < 5;
      EXPECT_EQ(dest.Row(y)[x], copied ? RGB(from_x + 1, from_y + 1, 0) : clWhite) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sides, CanvasCopyTest,
                         testing::Values(CopyCase{1, 1, 3, 2, 2, 1}, CopyCase{-2, 0, 5, 3, 0, 0},
                                         CopyCase{0, -3, 4, 5, 1, 0}, CopyCase{6, 4, 7, 5, 0, 0},
                                         CopyCase{0, 0, 7, 5, -3, -2}, CopyCase{2, 1, 9, 9, 4, 3},
                                         CopyCase{0, 0, 9, 6, 0, 0}, CopyCase{9, 0, 3, 3, 0, 0},
                                         CopyCase{0, 0, 3, 3, 7, 0}, CopyCase{0, 0, 0, 3, 0, 0}));

TEST(CanvasTest, CopyWithinOneCanvasReadsBeforeWriting) {
  TDIB dib;
  Picture(dib, 5, 1, clBlack);
  for (int x = 0; x < 5; ++x) dib.Row(0)[x] = RGB(x, 0, 0);
  dib.Canvas().CopyFrom(1, 0, 4, 1, dib.Canvas(), 0, 0);
  for (int x = 1; x < 5; ++x) EXPECT_EQ(dib.Row(0)[x], RGB(x - 1, 0, 0));
}

TEST(CanvasTest, CopyFromSurfaceToPictureKeepsTheColours) {
  TSurface surface(3, 3);
  surface.Fill(0xF81F);
  TDIB dib;
  Picture(dib, 3, 3, clBlack).Canvas().CopyFrom(0, 0, 3, 3, surface.Canvas(), 0, 0);
  EXPECT_EQ(dib.Row(2)[2], RGB(0xF8, 0, 0xF8));
}

}  // namespace
}  // namespace jizdavo

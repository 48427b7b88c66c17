#pragma once
// Text as the game draws it: faces by name at a size in points, measured and rasterised. The canvas
// uses the hard-edged form; composed frames can take the antialiased coverage instead.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/glyph_face.h"

namespace jizdavo {

struct FontRequest {
  std::string name;
  int em_pixels = 11;
  bool bold = false;
  bool italic = false;
};

// s points ask for an em of s x 96 / 72 pixels, rounded: 20 points are 27 pixels.
int EmPixelsForPoints(int points);

// The family that really draws a wanted face (after substitution), e.g. for the README's table and tests.
std::string ResolvedFamily(const FontRequest& wanted);

struct TextExtent {
  int width = 0;   // sum of the advances
  int height = 0;  // the cell: ascent + descent, whatever the letters
  int ascent = 0;
  int em = 0;  // the em height the face was set to, in pixels
};

TextExtent MeasureText(const FontRequest& wanted, std::string_view utf8);

// The glyphs of a string in one bitmap. The text cell's top-left corner is at (0, 0); the bitmap
// starts at (left, top) relative to it and covers the cell and any ink outside it.
struct TextCoverage {
  TextExtent cell;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> alpha;  // width * height, 0..255 (only 0 and 255 for kMono)
};

TextCoverage RenderText(const FontRequest& wanted, std::string_view utf8, GlyphRender render);

// A glyph with ink, and where its bitmap's top-left corner lies relative to the text cell's.
struct PlacedGlyph {
  const Glyph* glyph;
  int x;
  int y;
};

// Lays the string out on one line without composing a bitmap: `placed` receives the glyphs that have
// ink, in order; the answer is the cell. The glyphs stay valid for the run.
TextExtent LayOutText(const FontRequest& wanted, std::string_view utf8, GlyphRender render,
                      std::vector<PlacedGlyph>& placed);

}  // namespace jizdavo

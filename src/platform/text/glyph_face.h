#pragma once
// One font face at one pixel size, with its rasterised glyphs cached. The sizes of a face share the
// opened file: each holds only its own FreeType size.

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text/font_resolver.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;
struct FT_SizeRec_;

namespace jizdavo {

// kMono gives hard-edged glyphs (every pixel fully in or out), so that text in a surface's key colour
// keys out completely; kCoverage gives antialiased glyphs for composing over finished frames.
enum class GlyphRender { kMono, kCoverage };

// A stretch of one bitmap row where the coverage is not 0: columns [left, right) of row `row`.
struct GlyphRun {
  int row;
  int left;
  int right;
};

struct Glyph {
  int left = 0;  // from the pen position to the bitmap's left column
  int top = 0;   // from the baseline up to the bitmap's top row
  int width = 0;
  int height = 0;
  int advance = 0;
  std::vector<uint8_t> coverage;  // width * height, 0..255; only 0 and 255 when mono
  std::vector<GlyphRun> runs;     // the covered pixels row by row, so hard-edged text is drawn as spans
};

class GlyphFace {
 public:
  // `face` is the opened file with its character map chosen (nullptr when it could not be opened),
  // kept open by the caller for the life of this object. `em_pixels` is the em height asked for; a font with fixed bitmap sizes takes
  // its nearest size.
  GlyphFace(FT_FaceRec_* face, const FontFile& file, int em_pixels, GlyphRender render);
  ~GlyphFace();
  GlyphFace(const GlyphFace&) = delete;
  GlyphFace& operator=(const GlyphFace&) = delete;

  bool Valid() const { return size_ != nullptr; }
  int Ascent() const { return ascent_; }
  int Descent() const { return descent_; }
  int EmPixels() const { return em_pixels_; }
  const Glyph& GlyphFor(char32_t code);

 private:
  void SetSize(int em_pixels);
  void SetCellMetrics();
  unsigned GlyphIndex(char32_t code) const;
  Glyph Rasterise(char32_t code) const;

  FT_FaceRec_* face_ = nullptr;
  FT_SizeRec_* size_ = nullptr;
  FontFile file_;
  GlyphRender render_;
  bool symbol_map_ = false;
  int ascent_ = 0;
  int descent_ = 0;
  int em_pixels_ = 0;
  std::unordered_map<char32_t, Glyph> glyphs_;
  // Latin-1 glyphs straight by code, once rasterised; the map's entries never move.
  std::array<const Glyph*, 256> latin1_{};
};

}  // namespace jizdavo

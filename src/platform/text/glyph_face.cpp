// FreeType behind GlyphFace: sizing, cell metrics and glyph rasterising.

#include "platform/text/glyph_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cstdlib>

namespace jizdavo {
namespace {

int RoundPixels(FT_Pos value) { return static_cast<int>((value + 32) >> 6); }

std::vector<GlyphRun> CoveredRuns(const Glyph& glyph) {
  std::vector<GlyphRun> runs;
  for (int y = 0; y < glyph.height; ++y) {
    const uint8_t* row = glyph.coverage.data() + static_cast<size_t>(y) * glyph.width;
    for (int x = 0; x < glyph.width;) {
      if (row[x] == 0) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < glyph.width && row[x] != 0) ++x;
      runs.push_back({y, start, x});
    }
  }
  return runs;
}

}  // namespace

GlyphFace::GlyphFace(FT_FaceRec_* face, const FontFile& file, int em_pixels, GlyphRender render)
    : face_(face), file_(file), render_(render) {
  if (face_ == nullptr || FT_New_Size(face_, &size_) != 0) {
    size_ = nullptr;
    return;
  }
  symbol_map_ = face_->charmap != nullptr && face_->charmap->encoding == FT_ENCODING_MS_SYMBOL;
  FT_Activate_Size(size_);
  SetSize(em_pixels);
  SetCellMetrics();
  em_pixels_ = face_->size->metrics.y_ppem;
}

GlyphFace::~GlyphFace() {
  if (size_ != nullptr) FT_Done_Size(size_);
}

void GlyphFace::SetSize(int em_pixels) {
  if (FT_IS_SCALABLE(face_) || face_->num_fixed_sizes == 0) {
    FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(em_pixels));
    return;
  }
  int best = 0;
  for (int i = 1; i < face_->num_fixed_sizes; ++i) {
    const auto distance = [&](int k) {
      return std::abs(RoundPixels(face_->available_sizes[k].y_ppem) - em_pixels);
    };
    if (distance(i) < distance(best)) best = i;
  }
  FT_Select_Size(face_, best);
}

// The cell is ascent plus descent whatever the letters: Windows' own line metrics where the font has
// them, the font's ascender and descender otherwise.
void GlyphFace::SetCellMetrics() {
  const FT_Size_Metrics& metrics = face_->size->metrics;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
  if (FT_IS_SCALABLE(face_) && os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
    ascent_ = RoundPixels(FT_MulFix(os2->usWinAscent, metrics.y_scale));
    descent_ = RoundPixels(FT_MulFix(os2->usWinDescent, metrics.y_scale));
  } else {
    ascent_ = RoundPixels(metrics.ascender);
    descent_ = RoundPixels(-metrics.descender);
  }
}

unsigned GlyphFace::GlyphIndex(char32_t code) const {
  unsigned index = FT_Get_Char_Index(face_, code);
  if (index == 0 && symbol_map_ && code < 0x100) index = FT_Get_Char_Index(face_, 0xF000 + code);
  return index;
}

const Glyph& GlyphFace::GlyphFor(char32_t code) {
  const bool latin1 = code < latin1_.size();
  if (latin1 && latin1_[code] != nullptr) return *latin1_[code];
  auto found = glyphs_.find(code);
  if (found == glyphs_.end()) found = glyphs_.emplace(code, Rasterise(code)).first;
  if (latin1) latin1_[code] = &found->second;
  return found->second;
}

Glyph GlyphFace::Rasterise(char32_t code) const {
  const bool mono = render_ == GlyphRender::kMono;
  Glyph glyph;
  // Outlines wherever the font has them: some fonts carry bitmap sizes that look the same in bold and
  // regular, and only outlines can be slanted.
  const FT_Int32 source = FT_IS_SCALABLE(face_) ? FT_LOAD_NO_BITMAP : FT_LOAD_DEFAULT;
  const FT_Int32 target = mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
  FT_Activate_Size(size_);
  if (FT_Load_Glyph(face_, GlyphIndex(code), source | target) != 0) return glyph;
  FT_GlyphSlot slot = face_->glyph;
  if (file_.slant && slot->format == FT_GLYPH_FORMAT_OUTLINE) FT_GlyphSlot_Oblique(slot);
  if (file_.embolden) FT_GlyphSlot_Embolden(slot);
  if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
      FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) {
    return glyph;
  }
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.advance = RoundPixels(slot->advance.x);
  glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
  for (int y = 0; y < glyph.height; ++y) {
    const uint8_t* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    uint8_t* out = glyph.coverage.data() + static_cast<size_t>(y) * glyph.width;
    for (int x = 0; x < glyph.width; ++x) {
      const bool one_bit = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
      const uint8_t value = one_bit ? ((row[x >> 3] >> (7 - (x & 7)) & 1) ? 255 : 0) : row[x];
      // A gray bitmap (a font's own strike) is cut to in or out when mono text is wanted.
      out[x] = mono ? (value >= 128 ? 255 : 0) : value;
    }
  }
  glyph.runs = CoveredRuns(glyph);
  return glyph;
}

}  // namespace jizdavo

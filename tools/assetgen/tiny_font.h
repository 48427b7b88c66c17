#pragma once
// A 5 x 7 capital-letter font for labels in the preview sheet and the title of the intro film.

#include <string_view>

#include "raster.h"

namespace jizdavo::assetgen {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;

// Letters print as capitals; characters without a glyph leave a gap. `scale` enlarges each dot.
void DrawText(Raster& dest, int x, int y, std::string_view text, TColor color, int scale = 1);
int TextWidth(std::string_view text, int scale = 1);

}  // namespace jizdavo::assetgen

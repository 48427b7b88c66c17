#pragma once
// Text of the menus' controls: fonts by pixel height, 8-bit captions, a small cache of rendered
// captions, and drawing them antialiased.
//
// A font's Height is the height of its characters without internal leading, i.e. the em, in pixels:
// the form's "20 px" Tahoma is an em of 20 pixels. The text cell (what a label sizes itself to) is the
// face's ascent plus descent, a few pixels more.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/color.h"
#include "platform/rect.h"
#include "platform/text/text_render.h"

namespace jizdavo {

constexpr TColor kMenuTextColor = RGB(177, 187, 174);

struct TControlFont {
  std::string Name = "MS Sans Serif";
  int Height = 11;  // em in pixels
  TColor Color = clBlack;
  bool Bold = false;
  bool Italic = false;

  bool operator==(const TControlFont&) const = default;
};

// The menus' styles, in the menu text colour.
TControlFont HeadingFont();                                  // Tahoma 20 px bold italic
TControlFont ItemFont();                                     // Arial Black 13 px
TControlFont MenuFont(const std::string& name, int height);  // any other face of the menus

FontRequest FontRequestOf(const TControlFont& font);

// Captions are 8-bit text like the game's (Latin-1). Typed text arrives as UTF-8: characters beyond
// Latin-1 are dropped.
std::string Latin1FromUtf8(std::string_view utf8);
std::string Utf8FromLatin1(std::string_view latin1);

// The antialiased coverage of a caption, rendered once and kept (the cache is bounded, and so is the
// length of caption rendered: 256 bytes, far more than a panel shows).
const TextCoverage& CachedText(const TControlFont& font, std::string_view caption);
inline TextExtent TextExtentOf(const TControlFont& font, std::string_view caption) {
  return CachedText(font, caption).cell;
}

// Calls `blend(x, y, alpha)` for every pixel of `text` with some coverage that lies inside `clip`, the
// text cell's top-left corner being at (x, y).
template <typename Blend>
void ForEachCovered(const TextCoverage& text, int x, int y, const TRect& clip, Blend&& blend) {
  // The clip is applied once, as a range of rows and columns of the coverage.
  const int ox = x + text.left, oy = y + text.top;
  const int first_row = std::max(0, clip.Top - oy), end_row = std::min(text.height, clip.Bottom - oy);
  const int first_col = std::max(0, clip.Left - ox), end_col = std::min(text.width, clip.Right - ox);
  for (int row = first_row; row < end_row; ++row) {
    const uint8_t* alpha = text.alpha.data() + static_cast<size_t>(row) * text.width;
    for (int col = first_col; col < end_col; ++col)
      if (alpha[col] != 0) blend(ox + col, oy + row, alpha[col]);
  }
}

// One 8-bit channel of `over` laid with coverage `alpha` on `under`.
constexpr uint32_t MixChannel(uint32_t over, uint32_t under, uint32_t alpha) {
  return (over * alpha + under * (255 - alpha) + 127) / 255;
}

}  // namespace jizdavo

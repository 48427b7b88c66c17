#pragma once
// Drawing into pictures (0x00BBGGRR pixels), everything cut to the picture: what the gauge paints its
// off-screen face with.

#include <string_view>

#include "platform/rect.h"
#include "widgets/controls/control_text.h"

namespace jizdavo {

class TDIB;

void FillPicture(TDIB& target, const TRect& rect, TColor color);
// `rect` filled with `pattern` repeated from the target's top-left corner, as a pattern brush does.
void TilePicture(TDIB& target, const TRect& rect, const TDIB& pattern);
// The whole of `source` scaled into `rect`, smoothed: each pixel samples the source bilinearly at
// its centre.
void StretchPicture(TDIB& target, const TRect& rect, const TDIB& source);
// Text without background, its cell's top-left corner at (x, y), mixed by coverage like the frame's.
void TextOnPicture(TDIB& target, int x, int y, const TControlFont& font, std::string_view text);

}  // namespace jizdavo

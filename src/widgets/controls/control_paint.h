#pragma once
// Drawing the controls onto the composed frame (RGB 5-6-5), always cut to a clip rectangle.

#include <string_view>

#include "platform/color.h"
#include "platform/rect.h"
#include "widgets/controls/control_text.h"

namespace jizdavo {

class TSurface;
class TDIB;

void FillOnFrame(TSurface& frame, const TRect& rect, const TRect& clip, TColor color);
// A one-pixel outline along the inside of `rect`.
void OutlineOnFrame(TSurface& frame, const TRect& rect, const TRect& clip, TColor color);
// The picture at its natural size, opaque, its top-left corner at (x, y).
void PictureOnFrame(TSurface& frame, int x, int y, const TDIB& picture, const TRect& clip);
// The caption's text cell with its top-left corner at (x, y): each pixel mixes the font colour over
// the frame by the glyphs' coverage, so fully covered pixels take exactly the font colour.
void TextOnFrame(TSurface& frame, int x, int y, const TControlFont& font, std::string_view caption,
                 const TRect& clip);

}  // namespace jizdavo

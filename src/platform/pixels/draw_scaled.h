#pragma once
// Scaled copies: `source_rect` of `source` mapped onto the whole of `rect`, clipped to `dest`, with
// 16.16 fixed-point stepping; the stretched and the blended draws of the image items.

#include "platform/rect.h"
#include "platform/pixels/surface.h"

namespace jizdavo {

// Alpha 255 or more copies, 1..254 mixes with what is there, 0 or less draws nothing. Keyed skips
// source pixels equal to the source's colour key.
void DrawScaled(TSurface& dest, const TRect& rect, const TSurface& source, const TRect& source_rect,
                int alpha, bool keyed);

}  // namespace jizdavo

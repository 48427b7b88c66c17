#pragma once
// The turned copy: `source_rect` of `source` scaled to w x h and turned by `angle` (256ths of a full turn,
// clockwise on screen) so that its point (center_x * w, center_y * h) lands on (x, y).

#include "platform/rect.h"
#include "platform/pixels/surface.h"

namespace jizdavo {

// cos(2 pi k / 256) for the low 8 bits of k.
double TurnCosine(unsigned k);

void DrawRotatedCopy(TSurface& dest, int x, int y, int w, int h, const TSurface& source,
                     const TRect& source_rect, double center_x, double center_y, int angle, bool keyed);

}  // namespace jizdavo

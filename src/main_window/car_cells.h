#pragma once
// Copying a picture with one colour keyed out, for the wanted-car cells.

#include "platform/color.h"
#include "platform/pixels/dib.h"

namespace jizdavo {

// Copies the source rectangle (sx, sy, sw, sh) onto the destination rectangle (x, y, w, h), scaled
// when the sizes differ; source pixels of colour `key` leave the destination as it was.
void DrawTransparent(TDIB& dest, int x, int y, int w, int h, const TDIB& source, int sx, int sy, int sw, int sh,
                     TColor key);

}  // namespace jizdavo

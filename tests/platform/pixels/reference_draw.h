#pragma once
// Plain, pixel-at-a-time versions of the drawing operations, written straight from their rules, for the
// tests to hold the fast versions against.

#include <cstdint>

#include "platform/rect.h"
#include "platform/pixels/surface.h"

namespace jizdavo::reference {

RawPixel Mix(RawPixel source, RawPixel dest, int alpha);
void FillRect(TSurface& dest, const TRect& rect, uint32_t raw);
void DrawSurface(TSurface& dest, int x, int y, const TRect& source_rect, const TSurface* source,
                 bool transparent);
void DrawScaled(TSurface& dest, TRect rect, const TSurface& source, const TRect& source_rect, int alpha,
                bool keyed);
void DrawRotated(TSurface& dest, int x, int y, int w, int h, const TSurface& source, const TRect& source_rect,
                 double center_x, double center_y, int angle, bool keyed);

}  // namespace jizdavo::reference

#pragma once
// The inner loops of every drawing operation: one destination row at a time, source already gathered.
// The build takes them from draw_rows_x86.cpp (vector loops) or draw_rows_plain.cpp, and the rest
// from draw_rows.cpp.

#include "platform/color.h"

namespace jizdavo::rows {

void Fill(RawPixel* dst, int count, RawPixel value);
// Opaque copy; the rows may overlap (a surface drawn onto itself).
void Copy(RawPixel* dst, const RawPixel* src, int count);
// A block of `rows` rows, each `count` pixels; the two blocks must not share memory. Pitches are in
// pixels. Short rows are copied inline, with no call each.
void CopyRows(RawPixel* dst, int dst_pitch, const RawPixel* src, int src_pitch, int count, int rows);
// Leaves the destination alone wherever the source equals `key`.
void CopyKeyed(RawPixel* dst, const RawPixel* src, int count, RawPixel key);
// A block of `rows` rows, each `count` pixels, keyed as above; the two blocks must not share memory.
// Pitches are in pixels.
void CopyKeyedRows(RawPixel* dst, int dst_pitch, const RawPixel* src, int src_pitch, int count, int rows,
                   RawPixel key);
// Per channel, widened to 8 bits: (s * alpha + d * (255 - alpha)) div 256, packed back by truncation.
// `alpha` is 1..254.
void Blend(RawPixel* dst, const RawPixel* src, int count, int alpha);
void BlendKeyed(RawPixel* dst, const RawPixel* src, int count, int alpha, RawPixel key);
// Blend with a source of one colour throughout (a one-pixel picture stretched: the menus' veils).
void BlendColor(RawPixel* dst, int count, RawPixel color, int alpha);

// Picks the loop: alpha 255 or more copies, below mixes; keyed or not.
void Put(RawPixel* dst, const RawPixel* src, int count, int alpha, bool keyed, RawPixel key);

// A per-thread scratch row of at least `count` pixels, for gathering scaled or turned source pixels.
RawPixel* Scratch(int count);

}  // namespace jizdavo::rows

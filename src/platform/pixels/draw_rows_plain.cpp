// The row loops for processors without the vector loops, or with them switched off
// (JIZDAVO_VECTOR_LOOPS=OFF). The compiler may still vectorise these on its own.

#include <algorithm>

#include "platform/pixels/draw_rows.h"
#include "platform/pixels/draw_rows_plain.h"

namespace jizdavo::rows {

void Fill(RawPixel* dst, int count, RawPixel value) { std::fill_n(dst, std::max(count, 0), value); }

void CopyRows(RawPixel* dst, int dst_pitch, const RawPixel* src, int src_pitch, int count, int rows) {
  for (int row = 0; row < rows; ++row, dst += dst_pitch, src += src_pitch) Copy(dst, src, count);
}

void CopyKeyed(RawPixel* dst, const RawPixel* src, int count, RawPixel key) {
  plain::CopyKeyed(dst, src, count, key);
}

void CopyKeyedRows(RawPixel* dst, int dst_pitch, const RawPixel* src, int src_pitch, int count, int rows,
                   RawPixel key) {
  for (int row = 0; row < rows; ++row, dst += dst_pitch, src += src_pitch) plain::CopyKeyed(dst, src, count, key);
}

void Blend(RawPixel* dst, const RawPixel* src, int count, int alpha) { plain::Blend(dst, src, count, alpha); }

void BlendKeyed(RawPixel* dst, const RawPixel* src, int count, int alpha, RawPixel key) {
  plain::BlendKeyed(dst, src, count, alpha, key);
}

void BlendColor(RawPixel* dst, int count, RawPixel color, int alpha) { plain::BlendColor(dst, count, color, alpha); }

}  // namespace jizdavo::rows

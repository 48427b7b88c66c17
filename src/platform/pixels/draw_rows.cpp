// The row loops every build shares; the rest come from draw_rows_x86.cpp or draw_rows_plain.cpp, as
// the build chooses.

#include "platform/pixels/draw_rows.h"

#include <cstring>
#include <vector>

namespace jizdavo::rows {

void Copy(RawPixel* dst, const RawPixel* src, int count) {
  if (count > 0) std::memmove(dst, src, static_cast<size_t>(count) * sizeof(RawPixel));
}

void Put(RawPixel* dst, const RawPixel* src, int count, int alpha, bool keyed, RawPixel key) {
  if (alpha >= 255) {
    keyed ? CopyKeyed(dst, src, count, key) : Copy(dst, src, count);
  } else {
    keyed ? BlendKeyed(dst, src, count, alpha, key) : Blend(dst, src, count, alpha);
  }
}

RawPixel* Scratch(int count) {
  thread_local std::vector<RawPixel> scratch;
  if (scratch.size() < static_cast<size_t>(count)) scratch.resize(static_cast<size_t>(count));
  return scratch.data();
}

}  // namespace jizdavo::rows

#include "platform/pixels/draw_scaled.h"

#include <algorithm>
#include <cstdint>

#include "platform/pixels/draw_rows.h"

namespace jizdavo {

namespace {

constexpr int64_t kOne = 65536;  // 1.0 in 16.16 fixed point

bool Inside(const TRect& r, const TSurface& surface) {
  return !r.IsEmpty() && r.Left >= 0 && r.Top >= 0 && r.Right <= surface.Width() &&
         r.Bottom <= surface.Height();
}

// One axis of the mapping after clipping: where the drawn span starts on the destination, how many
// pixels it has, and the 16.16 source coordinate of its first pixel and of each step.
struct Axis {
  int first = 0;
  int count = 0;
  int64_t start = 0;
  int64_t step = 0;
};

// Steps are taken from the full rectangle, so clipping never changes the scale. False: nothing to draw.
bool ClipAxis(int low, int high, int source_low, int source_high, int dest_size, int source_size,
              Axis& axis) {
  axis.step = int64_t{source_high - source_low} * kOne / (int64_t{high} - low);
  int64_t offset = 0;
  if (low < 0) offset = -int64_t{low}, low = 0;
  high = std::min(high, dest_size);
  if (high < 1 || high - low < 1) return false;
  axis.first = low;
  axis.count = high - low;
  axis.start = axis.step * offset + int64_t{source_low} * kOne;
  return axis.start >= 0 && (axis.start + axis.step * axis.count) / kOne <= source_size;
}

// The source pixels one destination row shows: the source row itself when the scale is 1:1 across,
// else each pixel picked by stepping.
const RawPixel* GatherRow(const RawPixel* source_row, const Axis& across, RawPixel* scratch) {
  if (across.step == kOne) return source_row + (across.start >> 16);
  int64_t u = across.start;
  for (int c = 0; c < across.count; ++c, u += across.step) scratch[c] = source_row[u >> 16];
  return scratch;
}

}  // namespace

void DrawScaled(TSurface& dest, const TRect& rect, const TSurface& source, const TRect& source_rect,
                int alpha, bool keyed) {
  if (alpha <= 0 || rect.IsEmpty() || !Inside(source_rect, source)) return;
  Axis across, down;
  if (!ClipAxis(rect.Left, rect.Right, source_rect.Left, source_rect.Right, dest.Width(), source.Width(),
                across) ||
      !ClipAxis(rect.Top, rect.Bottom, source_rect.Top, source_rect.Bottom, dest.Height(), source.Height(),
                down)) {
    return;
  }
  // A one-pixel source is one colour throughout: each row takes it without gathering.
  const bool one_colour = source_rect.Width() == 1 && source_rect.Height() == 1;
  const RawPixel colour = source.Row(source_rect.Top)[source_rect.Left];
  if (one_colour && keyed && colour == source.ColorKey()) return;
  dest.MarkChanged(Bounds(across.first, down.first, across.count, down.count));
  if (one_colour) {
    for (int r = 0; r < down.count; ++r) {
      RawPixel* row = dest.MarkedRow(down.first + r) + across.first;
      alpha >= 255 ? rows::Fill(row, across.count, colour) : rows::BlendColor(row, across.count, colour, alpha);
    }
    return;
  }
  RawPixel* scratch = rows::Scratch(across.count);
  const RawPixel* gathered = nullptr;
  int64_t gathered_row = -1;
  int64_t v = down.start;
  for (int r = 0; r < down.count; ++r, v += down.step) {
    // Rows that show the same source row share one gathering.
    if ((v >> 16) != gathered_row) {
      gathered_row = v >> 16;
      gathered = GatherRow(source.Row(static_cast<int>(gathered_row)), across, scratch);
    }
    rows::Put(dest.MarkedRow(down.first + r) + across.first, gathered, across.count, alpha, keyed,
              source.ColorKey());
  }
}

}  // namespace jizdavo

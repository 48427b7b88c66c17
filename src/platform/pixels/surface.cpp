#include "platform/pixels/surface.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "platform/pixels/draw_rows.h"

namespace jizdavo {

namespace {

// Wide enough that no position or size the callers pass can overflow while clipping.
struct WideRect {
  int64_t left, top, right, bottom;
  bool Empty() const { return left >= right || top >= bottom; }
};

// Surface ids start at 1: a surface that was never a copy has a source id of 0.
std::atomic<uint64_t> next_surface_id{1};

// Past this share of the surface, one straight copy of everything beats copying the changed places.
constexpr int64_t kPartialCopyLimitPercent = 50;

}  // namespace

TSurface::TSurface(int width, int height)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0),
      id_(next_surface_id++) {}

TSurface::~TSurface() = default;

void TSurface::Fill(uint32_t raw) {
  changes_.AddEverywhere();
  std::fill(pixels_.begin(), pixels_.end(), static_cast<RawPixel>(raw));
}

void TSurface::MarkChanged(const TRect& area) {
  const TRect clipped{std::max(area.Left, 0), std::max(area.Top, 0), std::min(area.Right, width_),
                      std::min(area.Bottom, height_)};
  if (!clipped.IsEmpty()) changes_.Add(clipped);
}

// Everything that differs from the source lies where either side changed since the last whole copy:
// the places this surface was drawn on, and the places the source was.
void TSurface::CopyWhole(const TSurface& source) {
  stale_.clear();
  int64_t stale_area = 0;
  const auto collect = [&](const TRect& area) {
    stale_.push_back(area);
    stale_area += int64_t{area.Width()} * area.Height();
  };
  const bool known = origin_.source_id == source.id_ &&
                     source.changes_.ForEachSince(origin_.source_count, collect) &&
                     changes_.ForEachSince(origin_.own_count, collect);
  const int64_t limit = int64_t{width_} * height_ * kPartialCopyLimitPercent / 100;
  if (known && stale_area <= limit) {
    for (const TRect& area : stale_) {
      rows::CopyRows(MarkedRow(area.Top) + area.Left, width_, source.Row(area.Top) + area.Left, width_,
                     area.Width(), area.Height());
    }
  } else {
    rows::Copy(pixels_.data(), source.pixels_.data(), width_ * height_);
  }
  // Whoever copies from this surface next takes it whole; this surface's own record starts afresh.
  changes_.AddEverywhere();
  origin_ = {source.id_, source.changes_.Count(), changes_.Count()};
}

void TSurface::FillRect(const TRect& rect, uint32_t raw) {
  const int left = std::max(rect.Left, 0);
  const int top = std::max(rect.Top, 0);
  const int right = std::min(rect.Right, width_);
  const int bottom = std::min(rect.Bottom, height_);
  if (left >= right || top >= bottom) return;
  changes_.Add({left, top, right, bottom});
  if (left == 0 && right == width_) {
    // Whole rows are one run of memory.
    rows::Fill(MarkedRow(top), (bottom - top) * width_, static_cast<RawPixel>(raw));
    return;
  }
  for (int y = top; y < bottom; ++y) rows::Fill(MarkedRow(y) + left, right - left, static_cast<RawPixel>(raw));
}

// Clips the destination first and carries the change over to the source, then clips the source and
// carries that back, so both rectangles stay the same size.
void TSurface::DrawSurface(int x, int y, const TRect& source_rect, const TSurface* source, bool transparent) {
  if (source == nullptr || x > width_ || y > height_) return;
  WideRect s{source_rect.Left, source_rect.Top, source_rect.Right, source_rect.Bottom};
  WideRect d{x, y, int64_t{x} + (s.right - s.left), int64_t{y} + (s.bottom - s.top)};
  if (d.left < 0) s.left -= d.left, d.left = 0;
  if (d.top < 0) s.top -= d.top, d.top = 0;
  if (s.left < 0) d.left -= s.left, s.left = 0;
  if (s.top < 0) d.top -= s.top, s.top = 0;
  if (d.right > width_) s.right -= d.right - width_, d.right = width_;
  if (d.bottom > height_) s.bottom -= d.bottom - height_, d.bottom = height_;
  if (s.right > source->width_) d.right -= s.right - source->width_, s.right = source->width_;
  if (s.bottom > source->height_) d.bottom -= s.bottom - source->height_, s.bottom = source->height_;
  if (d.Empty() || s.Empty()) return;

  const int count = static_cast<int>(d.right - d.left);
  const int rows_drawn = static_cast<int>(d.bottom - d.top);
  const bool whole_source = count == source->width_ && rows_drawn == source->height_;
  if (!transparent && source != this && whole_source && count == width_ && rows_drawn == height_) {
    CopyWhole(*source);
    return;
  }
  changes_.Add({static_cast<int>(d.left), static_cast<int>(d.top), static_cast<int>(d.right),
                static_cast<int>(d.bottom)});
  const auto put = [&](RawPixel* to, const RawPixel* from, int n) {
    transparent ? rows::CopyKeyed(to, from, n, source->color_key_) : rows::Copy(to, from, n);
  };
  if (count == width_ && count == source->width_) {
    // Same width on both sides: the block is one run of memory.
    put(MarkedRow(static_cast<int>(d.top)), source->Row(static_cast<int>(s.top)), rows_drawn * count);
    return;
  }
  if (transparent && source != this) {
    // Another surface's pixels never share memory with ours, so the whole block goes in one call.
    rows::CopyKeyedRows(MarkedRow(static_cast<int>(d.top)) + d.left, width_,
                        source->Row(static_cast<int>(s.top)) + s.left, source->width_, count, rows_drawn,
                        source->color_key_);
    return;
  }
  // Onto itself and downward, go bottom up so that no row is read after it has been written.
  const bool bottom_up = source == this && d.top > s.top;
  for (int i = 0; i < rows_drawn; ++i) {
    const int row = bottom_up ? rows_drawn - 1 - i : i;
    put(MarkedRow(static_cast<int>(d.top) + row) + d.left, source->Row(static_cast<int>(s.top) + row) + s.left,
        count);
  }
}

uint32_t TSurface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return Row(y)[x];
}

// Writing the colour into a pixel and reading it back gives exactly the picture conversion, so the
// conversion is used directly and the surface is left untouched.
uint32_t TSurface::MatchColor(TColor color) { return rgb565::FromColor(color); }

}  // namespace jizdavo

#pragma once
// An off-screen rectangle of display pixels (RGB 5-6-5) with an optional source colour key.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/pixels/change_log.h"
#include "platform/color.h"
#include "platform/rect.h"

namespace jizdavo {

class TSurfaceCanvas;

class TSurface {
 public:
  // Black, at least 1 x 1.
  TSurface(int width, int height);
  ~TSurface();
  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  TRect ClientRect() const { return {0, 0, width_, height_}; }

  // Rows top to bottom, Width() pixels apart. Writable access counts as a change anywhere on the
  // surface; a writer that knows where it writes says so with MarkChanged and uses MarkedRow.
  RawPixel* Row(int y) {
    changes_.AddEverywhere();
    return MarkedRow(y);
  }
  const RawPixel* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  RawPixel* Pixels() {
    changes_.AddEverywhere();
    return pixels_.data();
  }
  const RawPixel* Pixels() const { return pixels_.data(); }

  // Records a write inside `area` (clipped here), which MarkedRow then gives access to.
  void MarkChanged(const TRect& area);
  // A row of an area already given to MarkChanged.
  RawPixel* MarkedRow(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }

  void Fill(uint32_t raw);
  void FillRect(const TRect& rect, uint32_t raw);
  // 1:1 copy of `source_rect` of `source` to (x, y), clipped on both sides; keyed when `transparent`.
  // A whole opaque copy of a surface of the same size that this one was a whole copy of before only
  // copies what has changed since on either side.
  void DrawSurface(int x, int y, const TRect& source_rect, const TSurface* source, bool transparent);
  // 0 outside the surface.
  uint32_t GetPixel(int x, int y) const;
  void SetColorKey(uint32_t raw) { color_key_ = static_cast<RawPixel>(raw); }
  RawPixel ColorKey() const { return color_key_; }
  uint32_t MatchColor(TColor color);

  TSurfaceCanvas& Canvas();
  void ReleaseCanvas();

 private:
  void CopyWhole(const TSurface& source);

  // The surface this one was last made a whole copy of, and both change counts right after that.
  struct CopyOrigin {
    uint64_t source_id = 0;
    uint64_t source_count = 0;
    uint64_t own_count = 0;
  };

  int width_;
  int height_;
  std::vector<RawPixel> pixels_;
  uint64_t id_;  // never reused while the program runs, unlike an address
  ChangeLog changes_;
  CopyOrigin origin_;
  std::vector<TRect> stale_;  // scratch for CopyWhole
  RawPixel color_key_ = 0;
  // The canvas is deleted by a function of the code that makes it, so the pixels need not know
  // the canvas, and code that draws no text links without it.
  struct CanvasDeleter {
    void (*destroy)(TSurfaceCanvas*);
    void operator()(TSurfaceCanvas* canvas) const { destroy(canvas); }
  };
  std::unique_ptr<TSurfaceCanvas, CanvasDeleter> canvas_;
};

}  // namespace jizdavo

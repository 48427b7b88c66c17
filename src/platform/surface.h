#pragma once
// An off-screen rectangle of display pixels (RGB 5-6-5) with an optional source colour key.

#include <cstdint>
#include <memory>
#include <vector>

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

  // Rows top to bottom, Width() pixels apart.
  RawPixel* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const RawPixel* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  RawPixel* Pixels() { return pixels_.data(); }
  const RawPixel* Pixels() const { return pixels_.data(); }

  void Fill(uint32_t raw);
  void FillRect(const TRect& rect, uint32_t raw);
  // 1:1 copy of `source_rect` of `source` to (x, y), clipped on both sides; keyed when `transparent`.
  void DrawSurface(int x, int y, const TRect& source_rect, const TSurface* source, bool transparent);
  // 0 outside the surface.
  uint32_t GetPixel(int x, int y) const;
  void SetColorKey(uint32_t raw) { color_key_ = static_cast<RawPixel>(raw); }
  RawPixel ColorKey() const { return color_key_; }
  uint32_t MatchColor(TColor color);

  TSurfaceCanvas& Canvas();
  void ReleaseCanvas();

 private:
  int width_;
  int height_;
  std::vector<RawPixel> pixels_;
  RawPixel color_key_ = 0;
  std::unique_ptr<TSurfaceCanvas> canvas_;
};

}  // namespace jizdavo

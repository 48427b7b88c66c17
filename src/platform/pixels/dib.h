#pragma once
// A device-independent picture: what the image items store and what the game composes at run time.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/color.h"

namespace jizdavo {

class TDIBCanvas;

class TDIB {
 public:
  TDIB();
  ~TDIB();
  TDIB(const TDIB&) = delete;
  TDIB& operator=(const TDIB&) = delete;

  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitCount() const { return bit_count_; }

  // The size and depth rules of the game's pictures: a new size or depth gives a blank picture,
  // a change of depth alone converts the pixels, the same value keeps them, 0 or less empties it.
  void SetWidth(int width);
  void SetHeight(int height);
  void SetBitCount(int bit_count);
  // Replaces everything at once, as the stored-picture decoder does. `pixels` is width * height.
  void Assign(int width, int height, int bit_count, std::vector<TColor> pixels);

  // Pixels as colours (0x00BBGGRR), top row first, whatever the depth.
  TColor* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const TColor* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }

  TDIBCanvas& Canvas();

 private:
  int width_ = 0;
  int height_ = 0;
  int bit_count_ = 0;
  std::vector<TColor> pixels_;
  // The canvas is deleted by a function of the code that makes it, so the picture need not know
  // the canvas, and code that draws no text links without it.
  struct CanvasDeleter {
    void (*destroy)(TDIBCanvas*);
    void operator()(TDIBCanvas* canvas) const { destroy(canvas); }
  };
  std::unique_ptr<TDIBCanvas, CanvasDeleter> canvas_;
};

}  // namespace jizdavo

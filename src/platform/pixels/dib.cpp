#include "platform/pixels/dib.h"

#include <algorithm>
#include <array>
#include <climits>


namespace jizdavo {

namespace {

bool ValidBitCount(int bit_count) {
  return bit_count == 1 || bit_count == 4 || bit_count == 8 || bit_count == 16 || bit_count == 24 ||
         bit_count == 32;
}

// The 16 colours of the 4-bit palette.
constexpr std::array<TColor, 16> kPalette16 = {
    RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
    RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(128, 128, 128),
    RGB(192, 192, 192), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
constexpr std::array<TColor, 2> kPalette2 = {clBlack, clWhite};

int SquaredDistance(TColor a, TColor b) {
  const int dr = static_cast<int>(GetRValue(a)) - static_cast<int>(GetRValue(b));
  const int dg = static_cast<int>(GetGValue(a)) - static_cast<int>(GetGValue(b));
  const int db = static_cast<int>(GetBValue(a)) - static_cast<int>(GetBValue(b));
  return dr * dr + dg * dg + db * db;
}

template <size_t N>
TColor Nearest(TColor color, const std::array<TColor, N>& palette) {
  TColor best = palette[0];
  int best_distance = INT_MAX;
  for (TColor entry : palette) {
    const int distance = SquaredDistance(color, entry);
    if (distance < best_distance) best = entry, best_distance = distance;
  }
  return best;
}

// The nearest of `levels` evenly spaced values from 0 to 255.
uint32_t NearestLevel(uint32_t channel, uint32_t levels) {
  const uint32_t steps = levels - 1;
  const uint32_t index = (channel * steps + 127) / 255;
  return (index * 255 + steps / 2) / steps;
}

// How a pixel looks after a change of depth:
//   24 and 32 bits hold every colour as it is;
//   16 bits keep the top 5 bits of each channel (5-5-5);
//   8 bits take the nearest colour of a fixed 3-3-2 palette (8 reds, 8 greens, 4 blues, evenly spaced);
//   4 bits take the nearest of the 16 standard colours, 1 bit the nearer of black and white.
TColor ConvertToDepth(TColor color, int bit_count) {
  switch (bit_count) {
    case 16:
      return color & 0xF8F8F8;
    case 8:
      return RGB(NearestLevel(GetRValue(color), 8), NearestLevel(GetGValue(color), 8),
                 NearestLevel(GetBValue(color), 4));
    case 4:
      return Nearest(color, kPalette16);
    case 1:
      return Nearest(color, kPalette2);
    default:
      return color & 0xFFFFFF;
  }
}

constexpr int kEmptyPictureBitCount = 8;

}  // namespace

TDIB::TDIB() = default;
TDIB::~TDIB() = default;

void TDIB::SetWidth(int width) {
  if (width <= 0) return Assign(0, 0, bit_count_, {});
  if (Empty()) return Assign(width, 1, kEmptyPictureBitCount, {});
  if (width != width_) Assign(width, height_, bit_count_, {});
}

void TDIB::SetHeight(int height) {
  if (height <= 0) return Assign(0, 0, bit_count_, {});
  if (Empty()) return Assign(1, height, kEmptyPictureBitCount, {});
  if (height != height_) Assign(width_, height, bit_count_, {});
}

void TDIB::SetBitCount(int bit_count) {
  if (!ValidBitCount(bit_count) || bit_count == bit_count_) return;
  bit_count_ = bit_count;
  for (TColor& pixel : pixels_) pixel = ConvertToDepth(pixel, bit_count);
}

// A missing or short pixel list leaves the rest black.
void TDIB::Assign(int width, int height, int bit_count, std::vector<TColor> pixels) {
  if (width <= 0 || height <= 0) width = height = 0;
  width_ = width;
  height_ = height;
  bit_count_ = bit_count;
  pixels_ = std::move(pixels);
  pixels_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_), clBlack);
}

}  // namespace jizdavo

#pragma once
// The menu pointer, written as a cursor file with its hot spot.

#include <cstdint>
#include <vector>

#include "raster.h"

namespace jizdavo::assetgen {

Raster PointerPicture();  // 32 x 32, see-through around the arrow
constexpr int kPointerHotX = 1;
constexpr int kPointerHotY = 1;

// A cursor file with one 32-bit image and its AND mask.
std::vector<uint8_t> EncodeCursorFile(const Raster& picture, int hot_x, int hot_y);

}  // namespace jizdavo::assetgen

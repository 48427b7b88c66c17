#pragma once
// The stored forms of a picture: the collection's "TDIB" payload and the standalone "BM" file.

#include <cstdint>
#include <vector>

#include "raster.h"

namespace jizdavo::assetgen {

// 24 bits per pixel, rows bottom-up; with `one_bit`, 1 bit per pixel with a black-and-white palette.
std::vector<uint8_t> EncodeStoredPicture(const Raster& picture, bool one_bit = false);
// A 24-bit bottom-up bitmap file with its 14-byte "BM" header.
std::vector<uint8_t> EncodeBitmapFile(const Raster& picture);

}  // namespace jizdavo::assetgen

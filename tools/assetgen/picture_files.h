#pragma once
// The stored forms of a picture, through the game's own picture format code.

#include <cstdint>
#include <vector>

#include "platform/pictures/dib_format.h"
#include "raster.h"

namespace jizdavo::assetgen {

inline PictureView ViewOf(const Raster& picture) {
  return {picture.width, picture.height, picture.pixels.data()};
}

// The collection's "TDIB" payload: 24 bits per pixel, or 1 bit with a black-and-white palette.
inline std::vector<uint8_t> EncodeStoredPicture(const Raster& picture, bool one_bit = false) {
  return one_bit ? EncodePicturePayload1(ViewOf(picture), clBlack, clWhite)
                 : EncodePicturePayload24(ViewOf(picture));
}

// A 24-bit bottom-up bitmap file with its 14-byte "BM" header.
inline std::vector<uint8_t> EncodeBitmapFile(const Raster& picture) {
  return EncodeBitmapFile24(ViewOf(picture));
}

}  // namespace jizdavo::assetgen

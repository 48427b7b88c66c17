#pragma once
// The stored picture format: reading "TDIB" picture payloads, bare device-independent bitmaps and
// standalone "BM" files, and writing the 24-bit and 1-bit forms the asset tool stores.
//
// Every length and offset is checked against the bytes given; anything that does not fit raises
// jizdavo::Error and nothing is read outside the buffer.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/color.h"

namespace jizdavo {

class TDIB;

// A decoded picture: colours top row first, whatever depth it was stored in.
struct DecodedPicture {
  int width = 0;
  int height = 0;
  int bit_count = 0;
  std::vector<TColor> pixels;

  bool Empty() const { return width <= 0 || height <= 0; }
};

// Pictures larger than this are refused before anything is allocated.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 24;

// The info header, palette and pixel rows of a device-independent bitmap.
DecodedPicture DecodeDIB(std::span<const uint8_t> bytes);
// A picture payload: one length byte, the class name "TDIB", then the bitmap. No bytes at all is the
// empty picture.
DecodedPicture DecodePicturePayload(std::span<const uint8_t> bytes);
// A standalone file: the 14-byte header starting with "BM", then the bitmap.
DecodedPicture DecodeBitmapFile(std::span<const uint8_t> bytes);

// Fills `dib` with a decoded picture (an empty one empties it).
void AssignPicture(TDIB& dib, DecodedPicture&& picture);

// What the encoders read: width x height colours, top row first.
struct PictureView {
  int width = 0;
  int height = 0;
  const TColor* pixels = nullptr;
};

// A "TDIB" payload at 24 bits per pixel, rows bottom-up.
std::vector<uint8_t> EncodePicturePayload24(const PictureView& picture);
// A "TDIB" payload at 1 bit per pixel with the two-entry palette {color0, color1}: pixels equal to
// color1 store 1, every other pixel 0.
std::vector<uint8_t> EncodePicturePayload1(const PictureView& picture, TColor color0, TColor color1);
// A standalone 24-bit "BM" file.
std::vector<uint8_t> EncodeBitmapFile24(const PictureView& picture);

}  // namespace jizdavo

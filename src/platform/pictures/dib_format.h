#pragma once
// The stored picture format: reading "TDIB" picture payloads, bare device-independent bitmaps and
// standalone "BM" files, and writing the 24-bit and 1-bit forms the asset tool stores.
//
// Every length and offset is checked against the bytes given; anything that does not fit raises
// jizdavo::Error and nothing is read outside the buffer.

#include <array>
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
  // Run-length data that ended before the last row: the pixels it did not reach are the first
  // palette colour.
  bool ends_early = false;

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

inline constexpr uint32_t kDibRgb = 0;
inline constexpr uint32_t kDibRle8 = 1;
inline constexpr uint32_t kDibRle4 = 2;
inline constexpr uint32_t kDibBitFields = 3;

// A bitmap form the encoder writes: the game's own pictures are the default 24 bits and a 1-bit one;
// the others are what common editors and converters write.
struct DibForm {
  int bits = 24;                  // 1, 4, 8, 16, 24 or 32
  uint32_t compression = kDibRgb;  // run lengths at 4 and 8 bits, bit fields at 16 and 32
  uint32_t header_size = 40;      // 12 (the old form), 40, 52, 56, 108 or 124
  bool top_down = false;          // not with run lengths
  // Up to 8 bits: the palette, its length stored in the header. Empty: the picture's colours in the
  // order met, and with `full_palette` filled up to 2^bits entries and a stored length of 0.
  std::vector<TColor> palette = {};
  bool full_palette = false;
  std::array<uint32_t, 3> masks = {0, 0, 0};  // red, green, blue, with bit fields
  // Run lengths: each row's last run goes on into the row's padding, as some converters write.
  bool runs_into_padding = false;
};

// A device-independent bitmap in `form`; colours a palette or mask cannot hold are stored as near as
// it gets (the palette's first entry for a colour it lacks).
std::vector<uint8_t> EncodeDIB(const PictureView& picture, const DibForm& form);
// A standalone "BM" file in `form`.
std::vector<uint8_t> EncodeBitmapFile(const PictureView& picture, const DibForm& form);

// A "TDIB" payload at 24 bits per pixel, rows bottom-up.
std::vector<uint8_t> EncodePicturePayload24(const PictureView& picture);
// A "TDIB" payload at 1 bit per pixel with the two-entry palette {color0, color1}: pixels equal to
// color1 store 1, every other pixel 0.
std::vector<uint8_t> EncodePicturePayload1(const PictureView& picture, TColor color0, TColor color1);
// A standalone 24-bit "BM" file.
std::vector<uint8_t> EncodeBitmapFile24(const PictureView& picture);

}  // namespace jizdavo

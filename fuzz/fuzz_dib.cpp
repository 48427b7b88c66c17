// Feeds arbitrary bytes to every entry of the stored-picture reader: each must either decode or raise
// jizdavo::Error, never read outside the buffer or crash. A decoded picture must be within the size
// limits with one colour per pixel, fill a TDIB of its size, and (when small) store and read back as it is.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/pixels/dib.h"
#include "platform/pictures/dib_format.h"
#include "platform/error.h"

namespace {

using jizdavo::DecodedPicture;

// Storing is checked on small pictures only, so that large ones do not slow the search down.
constexpr size_t kMaxStoredCheckPixels = 4096;

void CheckStoredAgain(const DecodedPicture& picture) {
  if (picture.pixels.size() > kMaxStoredCheckPixels) return;
  const DecodedPicture again = jizdavo::DecodePicturePayload(
      jizdavo::EncodePicturePayload24({picture.width, picture.height, picture.pixels.data()}));
  if (again.width != picture.width || again.height != picture.height || again.pixels != picture.pixels)
    __builtin_trap();
}

void Check(DecodedPicture picture) {
  if (picture.Empty()) {
    if (!picture.pixels.empty()) __builtin_trap();
    return;
  }
  if (picture.width > jizdavo::kMaxPictureSide || picture.height > jizdavo::kMaxPictureSide) __builtin_trap();
  if (picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height) __builtin_trap();
  for (jizdavo::TColor pixel : picture.pixels)
    if (pixel > 0xFFFFFF) __builtin_trap();
  CheckStoredAgain(picture);
  const int width = picture.width, height = picture.height, bit_count = picture.bit_count;
  jizdavo::TDIB dib;
  jizdavo::AssignPicture(dib, std::move(picture));
  if (dib.Width() != width || dib.Height() != height || dib.BitCount() != bit_count) __builtin_trap();
}

template <typename Decode>
void Try(Decode decode, std::span<const uint8_t> bytes) {
  DecodedPicture picture;
  try {
    picture = decode(bytes);
  } catch (const jizdavo::Error&) {
    return;
  }
  Check(std::move(picture));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  Try(jizdavo::DecodeDIB, bytes);
  Try(jizdavo::DecodePicturePayload, bytes);
  Try(jizdavo::DecodeBitmapFile, bytes);
  return 0;
}

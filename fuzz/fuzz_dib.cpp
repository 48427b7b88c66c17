// Feeds arbitrary bytes to every entry of the stored-picture reader: each must either decode or raise
// jizdavo::Error, never read outside the buffer or crash.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/dib_format.h"
#include "platform/error.h"

namespace {

template <typename Decode>
void Try(Decode decode, std::span<const uint8_t> bytes) {
  try {
    const jizdavo::DecodedPicture picture = decode(bytes);
    if (picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height) __builtin_trap();
  } catch (const jizdavo::Error&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  Try(jizdavo::DecodeDIB, bytes);
  Try(jizdavo::DecodePicturePayload, bytes);
  Try(jizdavo::DecodeBitmapFile, bytes);
  return 0;
}

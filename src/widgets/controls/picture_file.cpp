#include "widgets/controls/picture_file.h"

#include <span>
#include <vector>

#include "platform/pixels/dib.h"
#include "platform/pictures/dib_format.h"
#include "platform/plain_file.h"

namespace jizdavo {

bool LoadPictureFile(const std::filesystem::path& path, TDIB& picture) {
  const std::string bytes = ReadAssetFile(path.string(), kPictureFileLimit);
  DecodedPicture decoded =
      DecodeBitmapFile(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  const bool whole = !decoded.ends_early;
  AssignPicture(picture, std::move(decoded));
  return whole;
}

void CopyPicture(const TDIB& from, TDIB& to) {
  if (&from == &to) return;
  std::vector<TColor> pixels;
  pixels.reserve(static_cast<size_t>(from.Width()) * from.Height());
  for (int y = 0; y < from.Height(); ++y)
    pixels.insert(pixels.end(), from.Row(y), from.Row(y) + from.Width());
  to.Assign(from.Width(), from.Height(), from.BitCount(), std::move(pixels));
}

}  // namespace jizdavo

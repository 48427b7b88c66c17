#include "widgets/controls/picture_file.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/dib.h"
#include "platform/dib_format.h"
#include "platform/error.h"

namespace jizdavo {

bool LoadPictureFile(const std::filesystem::path& path, TDIB& picture) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error("Cannot open file \"" + path.string() + "\"");
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  DecodedPicture decoded = DecodeBitmapFile(bytes);
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

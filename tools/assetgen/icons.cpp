#include "icons.h"

#include <zlib.h>

#include <stdexcept>
#include <string>

#include "file_output.h"
#include "preview_scene.h"

namespace jizdavo::assetgen {

namespace {

constexpr int kArtSize = 32;  // drawn at the game's own pixel size, then enlarged by whole factors

// Grass, a one-lane road with its kerbs, a car driving in from the left and the pedestrian at the
// kerb, looking down the road he is about to cross.
Raster DrawArt(const std::vector<ImageAsset>& images) {
  Raster art(kArtSize, kArtSize);
  const ImageAsset& ground = Find(images, "Povrch1");
  for (int y = 0; y < kArtSize; y += ground.picture.height) PutRow(art, ground, y);
  const ImageAsset& top_kerb = Find(images, "Krajnice2");
  PutRow(art, top_kerb, 11 - top_kerb.picture.height);
  PutRow(art, Find(images, "Road"), 11);
  PutRow(art, Find(images, "Krajnice1"), 31);
  const ImageAsset& car = Find(images, "Auto71");
  Put(art, car, 19 - car.picture.width, 14 + (14 - car.picture.height) / 2);
  Put(art, Find(images, "Clovek1c"), 16, 0);
  return art;
}

Raster Enlarged(const Raster& art, int factor) {
  Raster big(art.width * factor, art.height * factor);
  for (int y = 0; y < big.height; ++y)
    for (int x = 0; x < big.width; ++x) big.Set(x, y, art.At(x / factor, y / factor));
  return big;
}

// Each 2 x 2 block becomes its mean colour, so the small icon keeps the road's lines.
Raster Halved(const Raster& art) {
  Raster small(art.width / 2, art.height / 2);
  for (int y = 0; y < small.height; ++y)
    for (int x = 0; x < small.width; ++x) {
      const TColor top = Mix(art.At(2 * x, 2 * y), art.At(2 * x + 1, 2 * y), 0.5);
      const TColor bottom = Mix(art.At(2 * x, 2 * y + 1), art.At(2 * x + 1, 2 * y + 1), 0.5);
      small.Set(x, y, Mix(top, bottom, 0.5));
    }
  return small;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutBigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

}  // namespace

Raster MakeIcon(const std::vector<ImageAsset>& images, int size) {
  const Raster art = DrawArt(images);
  return size < kArtSize ? Halved(art) : Enlarged(art, size / kArtSize);
}

std::vector<uint8_t> EncodePng(const Raster& picture) {
  std::vector<uint8_t> rows;  // each row: filter 0, then R G B
  for (int y = 0; y < picture.height; ++y) {
    rows.push_back(0);
    for (int x = 0; x < picture.width; ++x) {
      const TColor c = picture.At(x, y);
      rows.insert(rows.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16)});
    }
  }
  uLongf packed_size = compressBound(static_cast<uLong>(rows.size()));
  std::vector<uint8_t> packed(packed_size);
  if (compress2(packed.data(), &packed_size, rows.data(), static_cast<uLong>(rows.size()), 9) != Z_OK)
    throw std::runtime_error("the icon could not be compressed");
  packed.resize(packed_size);
  std::vector<uint8_t> header;
  PutBigEndian(header, static_cast<uint32_t>(picture.width));
  PutBigEndian(header, static_cast<uint32_t>(picture.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter choice, no interlace
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  return png;
}

void WriteIcons(const std::filesystem::path& folder, const std::vector<ImageAsset>& images) {
  for (int size : kIconSizes) {
    const std::string side = std::to_string(size) + "x" + std::to_string(size);
    WriteFile(folder / "hicolor" / side / "apps" / "jizdavo.png", EncodePng(MakeIcon(images, size)));
  }
}

}  // namespace jizdavo::assetgen

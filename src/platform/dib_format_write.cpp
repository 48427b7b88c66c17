// Writer of the stored picture format: the 24-bit and 1-bit forms the game's own pictures use.

#include <string>

#include "platform/dib_format.h"
#include "platform/error.h"

namespace jizdavo {
namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kFileHeaderSize = 14;
constexpr int32_t kPixelsPerMetre = 3780;  // 96 dots per inch

class ByteWriter {
 public:
  void U8(uint32_t value) { bytes_.push_back(static_cast<uint8_t>(value)); }
  void U16(uint32_t value) {
    U8(value);
    U8(value >> 8);
  }
  void U32(uint32_t value) {
    U16(value);
    U16(value >> 16);
  }
  void Text(const std::string& text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

void CheckView(const PictureView& picture) {
  if (picture.width <= 0 || picture.height <= 0 || picture.pixels == nullptr) {
    throw Error("An empty picture cannot be stored");
  }
  if (picture.width > kMaxPictureSide || picture.height > kMaxPictureSide)
    throw Error("Picture is too large");
}

uint32_t RowStride(int width, int bits) { return (static_cast<uint32_t>(width) * bits + 31) / 32 * 4; }

void WriteInfoHeader(ByteWriter& out, const PictureView& picture, int bits, uint32_t colors_used) {
  out.U32(kInfoHeaderSize);
  out.U32(static_cast<uint32_t>(picture.width));
  out.U32(static_cast<uint32_t>(picture.height));  // positive: rows bottom-up
  out.U16(1);
  out.U16(static_cast<uint32_t>(bits));
  out.U32(0);  // no compression
  out.U32(RowStride(picture.width, bits) * static_cast<uint32_t>(picture.height));
  out.U32(kPixelsPerMetre);
  out.U32(kPixelsPerMetre);
  out.U32(colors_used);
  out.U32(0);
}

void WriteRows24(ByteWriter& out, const PictureView& picture) {
  const uint32_t padding = RowStride(picture.width, 24) - 3 * static_cast<uint32_t>(picture.width);
  for (int y = picture.height - 1; y >= 0; --y) {
    const TColor* row = picture.pixels + static_cast<size_t>(y) * picture.width;
    for (int x = 0; x < picture.width; ++x) {
      out.U8(GetBValue(row[x]));
      out.U8(GetGValue(row[x]));
      out.U8(GetRValue(row[x]));
    }
    for (uint32_t i = 0; i < padding; ++i) out.U8(0);
  }
}

void WriteRows1(ByteWriter& out, const PictureView& picture, TColor color1) {
  const uint32_t stride = RowStride(picture.width, 1);
  for (int y = picture.height - 1; y >= 0; --y) {
    const TColor* row = picture.pixels + static_cast<size_t>(y) * picture.width;
    std::vector<uint8_t> bits(stride, 0);
    for (int x = 0; x < picture.width; ++x) {
      if (row[x] == color1) bits[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
    }
    for (uint8_t byte : bits) out.U8(byte);
  }
}

void WritePaletteEntry(ByteWriter& out, TColor color) {
  out.U8(GetBValue(color));
  out.U8(GetGValue(color));
  out.U8(GetRValue(color));
  out.U8(0);
}

void WriteClassName(ByteWriter& out) {
  const std::string name = "TDIB";
  out.U8(static_cast<uint32_t>(name.size()));
  out.Text(name);
}

}  // namespace

std::vector<uint8_t> EncodePicturePayload24(const PictureView& picture) {
  CheckView(picture);
  ByteWriter out;
  WriteClassName(out);
  WriteInfoHeader(out, picture, 24, 0);
  WriteRows24(out, picture);
  return out.Take();
}

std::vector<uint8_t> EncodePicturePayload1(const PictureView& picture, TColor color0, TColor color1) {
  CheckView(picture);
  ByteWriter out;
  WriteClassName(out);
  WriteInfoHeader(out, picture, 1, 2);
  WritePaletteEntry(out, color0);
  WritePaletteEntry(out, color1);
  WriteRows1(out, picture, color1);
  return out.Take();
}

std::vector<uint8_t> EncodeBitmapFile24(const PictureView& picture) {
  CheckView(picture);
  const uint32_t pixel_offset = kFileHeaderSize + kInfoHeaderSize;
  ByteWriter out;
  out.Text("BM");
  out.U32(pixel_offset + RowStride(picture.width, 24) * static_cast<uint32_t>(picture.height));
  out.U32(0);  // two reserved words
  out.U32(pixel_offset);
  WriteInfoHeader(out, picture, 24, 0);
  WriteRows24(out, picture);
  return out.Take();
}

}  // namespace jizdavo

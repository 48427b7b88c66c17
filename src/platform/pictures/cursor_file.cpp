#include "platform/pictures/cursor_file.h"

#include <string>

#include "platform/error.h"
#include "platform/plain_file.h"

namespace jizdavo {
namespace {

constexpr int kMaxSide = 256;

[[noreturn]] void Invalid() { throw Error("Cursor is invalid"); }

// Checked little-endian reads at an offset into the file.
uint32_t Read(std::span<const uint8_t> bytes, size_t at, int size) {
  if (at > bytes.size() || static_cast<size_t>(size) > bytes.size() - at) Invalid();
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

struct ImageLayout {
  int width;
  int height;
  int bits;
  size_t palette;   // offset of the palette (4 bytes an entry)
  size_t xor_rows;  // offset of the colour rows, bottom-up
  size_t and_rows;  // offset of the 1-bit mask rows, bottom-up
  size_t xor_stride;
  size_t and_stride;
};

size_t Stride(int width, int bits) { return (static_cast<size_t>(width) * bits + 31) / 32 * 4; }

// The bitmap header of the image at `at`: its height counts the colour rows and the mask rows.
ImageLayout ReadLayout(std::span<const uint8_t> bytes, size_t at) {
  if (Read(bytes, at, 4) != 40) Invalid();  // PNG images and old headers are not cursors we make
  int width = static_cast<int32_t>(Read(bytes, at + 4, 4));
  int double_height = static_cast<int32_t>(Read(bytes, at + 8, 4));
  int bits = static_cast<int>(Read(bytes, at + 14, 2));
  uint32_t compression = Read(bytes, at + 16, 4), colors_used = Read(bytes, at + 32, 4);
  if (width <= 0 || width > kMaxSide || double_height <= 0 || double_height > 2 * kMaxSide ||
      double_height % 2)
    Invalid();
  if (compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) Invalid();
  size_t entries = bits <= 8 ? (colors_used ? colors_used : 1u << bits) : 0;
  if (entries > (1u << (bits <= 8 ? bits : 0))) Invalid();
  ImageLayout l{width, double_height / 2, bits, at + 40, 0, 0, Stride(width, bits), Stride(width, 1)};
  l.xor_rows = l.palette + entries * 4;
  l.and_rows = l.xor_rows + l.xor_stride * l.height;
  Read(bytes, l.and_rows + l.and_stride * l.height - 1, 1);  // everything must be there
  return l;
}

uint32_t ColorAt(std::span<const uint8_t> bytes, const ImageLayout& l, int x, int row) {
  size_t line = l.xor_rows + l.xor_stride * row;
  if (l.bits >= 24) {
    uint32_t bgr = Read(bytes, line + static_cast<size_t>(x) * (l.bits / 8), 3);
    uint32_t alpha = l.bits == 32 ? bytes[line + static_cast<size_t>(x) * 4 + 3] : 0xFF;
    return alpha << 24 | bgr;
  }
  size_t bit = static_cast<size_t>(x) * l.bits;
  uint32_t index = bytes[line + bit / 8] >> (8 - l.bits - bit % 8) & ((1u << l.bits) - 1);
  return 0xFF000000u | Read(bytes, l.palette + index * 4, 3);
}

bool MaskedAt(std::span<const uint8_t> bytes, const ImageLayout& l, int x, int row) {
  return bytes[l.and_rows + l.and_stride * row + x / 8] >> (7 - x % 8) & 1;
}

}  // namespace

CursorImage DecodeCursor(std::span<const uint8_t> bytes) {
  if (Read(bytes, 0, 2) != 0 || Read(bytes, 2, 2) != 2 || Read(bytes, 4, 2) == 0) Invalid();
  CursorImage cursor;
  cursor.hot_x = static_cast<int>(Read(bytes, 6 + 4, 2));
  cursor.hot_y = static_cast<int>(Read(bytes, 6 + 6, 2));
  ImageLayout l = ReadLayout(bytes, Read(bytes, 6 + 12, 4));
  cursor.width = l.width;
  cursor.height = l.height;
  cursor.argb.resize(static_cast<size_t>(l.width) * l.height);
  bool has_alpha = false;
  for (int y = 0; y < l.height; ++y)
    for (int x = 0; x < l.width; ++x) {
      uint32_t c = ColorAt(bytes, l, x, l.height - 1 - y);
      has_alpha |= l.bits == 32 && c >> 24 != 0;
      cursor.argb[static_cast<size_t>(y) * l.width + x] = c;
    }
  // Without an alpha channel of its own, the mask says which pixels are see-through.
  for (int y = 0; y < l.height; ++y)
    for (int x = 0; x < l.width; ++x) {
      uint32_t& c = cursor.argb[static_cast<size_t>(y) * l.width + x];
      if (!has_alpha) c = MaskedAt(bytes, l, x, l.height - 1 - y) ? 0 : c | 0xFF000000u;
    }
  if (cursor.hot_x >= l.width || cursor.hot_y >= l.height) Invalid();
  return cursor;
}

CursorImage LoadCursorFile(const std::string& path) {
  const std::string bytes = ReadAssetFile(path, kPictureFileLimit);
  return DecodeCursor(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace jizdavo

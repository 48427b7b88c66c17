// Reader of the stored picture format. Each stage checks its lengths before it reads, so a cut-short
// or hostile payload ends in an Error and never in a read outside the buffer.

#include "platform/pictures/dib_format.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <string>

#include "platform/error.h"

namespace jizdavo {
namespace {

constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitFields = 3;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCoreHeaderSize = 12;
// The later headers are the 40-byte one followed by the colour masks (52), an alpha mask (56), a
// colour-space block (108) and a profile's place (124); the reader takes the masks and skips the rest.
constexpr uint32_t kMaskedHeaderSize = 52;
constexpr uint32_t kLaterHeaderSizes[] = {52, 56, 108, 124};
constexpr int kMaxPaletteEntries = 256;

const char* const kInvalid = "DIB is invalid";
const char* const kTruncatedHeader = "DIB header is truncated";
const char* const kTruncatedPalette = "DIB palette is truncated";
const char* const kTruncatedPixels = "DIB pixel data is truncated";

// Little-endian reads from a byte span; each names the error to raise when the bytes run out.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t Position() const { return pos_; }
  std::span<const uint8_t> Rest() const { return bytes_.subspan(pos_); }

  std::span<const uint8_t> Take(size_t count, const char* error) {
    if (count > bytes_.size() - pos_) throw Error(error);
    std::span<const uint8_t> taken = bytes_.subspan(pos_, count);
    pos_ += count;
    return taken;
  }
  void Skip(size_t count, const char* error) { Take(count, error); }
  uint8_t U8(const char* error) { return Take(1, error)[0]; }
  uint16_t U16(const char* error) {
    std::span<const uint8_t> b = Take(2, error);
    return static_cast<uint16_t>(b[0] | b[1] << 8);
  }
  uint32_t U32(const char* error) {
    std::span<const uint8_t> b = Take(4, error);
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
  }
  int32_t I32(const char* error) { return static_cast<int32_t>(U32(error)); }

 private:
  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
};

struct DibHeader {
  bool core = false;  // the old 12-byte form: 3-byte palette entries, no compression
  int width = 0;
  int height = 0;  // always positive here; top_down says which way the rows go
  bool top_down = false;
  int bit_count = 0;
  uint32_t compression = kCompressionNone;
  uint32_t image_size = 0;
  uint32_t colors_used = 0;
  uint32_t masks[3] = {0, 0, 0};
};

bool ValidDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool ValidCompression(uint32_t compression, int bits) {
  switch (compression) {
    case kCompressionNone:
      return true;
    case kCompressionRle8:
      return bits == 8;
    case kCompressionRle4:
      return bits == 4;
    case kCompressionBitFields:
      return bits == 16 || bits == 32;
    default:
      return false;
  }
}

// Sizes are checked in 64 bits, before anything of that size is allocated.
void CheckSize(int64_t width, int64_t height) {
  if (width <= 0 || height == 0) throw Error(kInvalid);
  const int64_t rows = height < 0 ? -height : height;
  if (width > kMaxPictureSide || rows > kMaxPictureSide || width * rows > kMaxPicturePixels) {
    throw Error("DIB is too large (" + std::to_string(width) + "x" + std::to_string(rows) + ")");
  }
}

void SetDefaultMasks(DibHeader& header) {
  if (header.bit_count == 16) {  // 5-5-5
    header.masks[0] = 0x7C00;
    header.masks[1] = 0x03E0;
    header.masks[2] = 0x001F;
  } else {
    header.masks[0] = 0xFF0000;
    header.masks[1] = 0x00FF00;
    header.masks[2] = 0x0000FF;
  }
}

bool KnownHeaderSize(uint32_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize ||
         std::find(std::begin(kLaterHeaderSizes), std::end(kLaterHeaderSizes), size) != std::end(kLaterHeaderSizes);
}

DibHeader ReadHeader(ByteReader& in) {
  const uint32_t header_size = in.U32(kTruncatedHeader);
  if (!KnownHeaderSize(header_size)) throw Error(kInvalid);
  DibHeader header;
  header.core = header_size == kCoreHeaderSize;
  int64_t width, height;
  if (header.core) {
    width = in.U16(kTruncatedHeader);
    height = in.U16(kTruncatedHeader);
  } else {
    width = in.I32(kTruncatedHeader);
    height = in.I32(kTruncatedHeader);
  }
  in.U16(kTruncatedHeader);  // planes: always 1, nothing depends on it
  header.bit_count = in.U16(kTruncatedHeader);
  if (!header.core) {
    header.compression = in.U32(kTruncatedHeader);
    header.image_size = in.U32(kTruncatedHeader);
    in.Skip(8, kTruncatedHeader);  // resolution
    header.colors_used = in.U32(kTruncatedHeader);
    in.Skip(4, kTruncatedHeader);  // colours important
  }
  if (!ValidDepth(header.bit_count) || !ValidCompression(header.compression, header.bit_count)) {
    throw Error(kInvalid);
  }
  CheckSize(width, height);
  header.width = static_cast<int>(width);
  header.height = static_cast<int>(height < 0 ? -height : height);
  header.top_down = height < 0;
  // Run-length rows only ever go bottom-up.
  if (header.top_down && (header.compression == kCompressionRle8 || header.compression == kCompressionRle4)) {
    throw Error(kInvalid);
  }
  SetDefaultMasks(header);
  // The later headers always hold the masks, but they count only with bit fields, as after the
  // 40-byte header; the alpha mask is ignored.
  if (header.compression == kCompressionBitFields || header_size >= kMaskedHeaderSize) {
    uint32_t masks[3];
    for (uint32_t& mask : masks) mask = in.U32(kTruncatedHeader);
    if (header.compression == kCompressionBitFields) std::copy(std::begin(masks), std::end(masks), header.masks);
  }
  if (header_size > kMaskedHeaderSize) in.Skip(header_size - kMaskedHeaderSize, kTruncatedHeader);
  return header;
}

std::vector<TColor> ReadPalette(ByteReader& in, const DibHeader& header) {
  const int64_t count = header.colors_used != 0 ? int64_t{header.colors_used}
                        : header.bit_count <= 8 ? int64_t{1} << header.bit_count
                                                : 0;
  if (count > kMaxPaletteEntries) throw Error(kInvalid);
  const int entry_size = header.core ? 3 : 4;
  std::vector<TColor> palette;
  for (int64_t i = 0; i < count; ++i) {
    std::span<const uint8_t> entry = in.Take(entry_size, kTruncatedPalette);
    palette.push_back(RGB(entry[2], entry[1], entry[0]));
  }
  // Deeper pictures may carry a palette as a display hint; their pixels do not use it.
  if (header.bit_count > 8) palette.clear();
  return palette;
}

// Picks one channel out of a masked pixel and scales it to 8 bits, the top bit landing on bit 7.
class MaskChannel {
 public:
  explicit MaskChannel(uint32_t mask)
      : mask_(mask), shift_(mask == 0 ? 0 : std::countr_zero(mask)), bits_(std::bit_width(mask >> shift_)) {}

  uint32_t Extract(uint32_t pixel) const {
    const uint32_t value = (pixel & mask_) >> shift_;
    return bits_ >= 8 ? value >> (bits_ - 8) : value << (8 - bits_);
  }

 private:
  uint32_t mask_;
  int shift_;
  int bits_;
};

class RowDecoder {
 public:
  RowDecoder(const DibHeader& header, std::vector<TColor> palette)
      : header_(header),
        palette_(std::move(palette)),
        red_(header.masks[0]),
        green_(header.masks[1]),
        blue_(header.masks[2]) {}

  TColor Indexed(uint32_t index) const { return index < palette_.size() ? palette_[index] : clBlack; }

  void Decode(const uint8_t* row, TColor* out) const {
    const int width = header_.width;
    switch (header_.bit_count) {
      case 1:
        for (int x = 0; x < width; ++x) out[x] = Indexed(row[x >> 3] >> (7 - (x & 7)) & 1);
        break;
      case 4:
        for (int x = 0; x < width; ++x) out[x] = Indexed(row[x >> 1] >> ((x & 1) ? 0 : 4) & 0xF);
        break;
      case 8:
        for (int x = 0; x < width; ++x) out[x] = Indexed(row[x]);
        break;
      case 16:
        for (int x = 0; x < width; ++x) out[x] = Masked(row[2 * x] | row[2 * x + 1] << 8);
        break;
      case 24:
        for (int x = 0; x < width; ++x) out[x] = RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        break;
      default:
        for (int x = 0; x < width; ++x) {
          const uint8_t* p = row + 4 * x;
          out[x] = Masked(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
        }
    }
  }

 private:
  TColor Masked(uint32_t pixel) const {
    return RGB(red_.Extract(pixel), green_.Extract(pixel), blue_.Extract(pixel));
  }

  const DibHeader& header_;
  std::vector<TColor> palette_;
  MaskChannel red_, green_, blue_;
};

int64_t RowStride(const DibHeader& header) {
  return (int64_t{header.width} * header.bit_count + 31) / 32 * 4;
}

void DecodeRows(std::span<const uint8_t> data, const DibHeader& header, const RowDecoder& rows,
                DecodedPicture& picture) {
  const int64_t stride = RowStride(header);
  if (static_cast<int64_t>(data.size()) / stride < header.height) throw Error(kTruncatedPixels);
  picture.pixels.resize(static_cast<size_t>(header.width) * header.height);
  for (int stored = 0; stored < header.height; ++stored) {
    const int y = header.top_down ? stored : header.height - 1 - stored;
    rows.Decode(data.data() + stored * stride, picture.pixels.data() + static_cast<size_t>(y) * header.width);
  }
}

// Run-length pixels: rows go bottom-up. As the common decoders do, a run past the row's end is cut at
// it (some converters write a row's padding as part of its last run), moves and rows past the picture
// draw nothing, and data that ends before its end mark keeps what it drew. Pixels no run reaches keep
// the first palette colour.
class RleDecoder {
 public:
  RleDecoder(const DibHeader& header, const RowDecoder& rows, DecodedPicture& picture)
      : header_(header), rows_(rows), picture_(picture) {}

  // False when the data ended before the picture's last row was reached.
  bool Run(std::span<const uint8_t> data) {
    ByteReader in(data);
    try {
      for (;;) {
        const uint8_t count = in.U8(kTruncatedPixels);
        const uint8_t code = in.U8(kTruncatedPixels);
        if (count > 0) {
          Put(count, [&](int i) { return Nibble(code, i); });
        } else if (code == 0) {
          x_ = 0;
          y_ = std::min(y_ + 1, header_.height);
        } else if (code == 1) {
          return true;
        } else if (code == 2) {
          x_ = std::min(x_ + in.U8(kTruncatedPixels), header_.width);
          y_ = std::min(y_ + in.U8(kTruncatedPixels), header_.height);
        } else {
          Absolute(in, code);
        }
      }
    } catch (const Error&) {
      return y_ >= header_.height;
    }
  }

 private:
  bool Rle4() const { return header_.compression == kCompressionRle4; }

  // The i-th index of a byte: the byte itself for RLE8, alternating high and low nibbles for RLE4.
  uint32_t Nibble(uint8_t byte, int i) const { return !Rle4() ? byte : (i & 1) ? byte & 0xF : byte >> 4; }

  void Absolute(ByteReader& in, int count) {
    const int bytes = Rle4() ? (count + 1) / 2 : count;
    std::span<const uint8_t> run = in.Take((bytes + 1) & ~1, kTruncatedPixels);  // padded to 16 bits
    Put(count, [&](int i) { return Nibble(run[Rle4() ? i / 2 : i], i); });
  }

  template <typename IndexAt>
  void Put(int count, IndexAt index_at) {
    if (y_ < header_.height) {
      TColor* row = picture_.pixels.data() + static_cast<size_t>(header_.height - 1 - y_) * header_.width;
      const int drawn = std::min(count, header_.width - x_);
      for (int i = 0; i < drawn; ++i) row[x_ + i] = rows_.Indexed(index_at(i));
    }
    x_ = std::min(x_ + count, header_.width);
  }

  const DibHeader& header_;
  const RowDecoder& rows_;
  DecodedPicture& picture_;
  int x_ = 0;
  int y_ = 0;
};

// `pixel_offset`, when given, is where the pixel rows start within `bytes` (a file's own pointer).
DecodedPicture DecodeBitmap(std::span<const uint8_t> bytes, std::optional<size_t> pixel_offset) {
  ByteReader in(bytes);
  const DibHeader header = ReadHeader(in);
  RowDecoder rows(header, ReadPalette(in, header));
  if (pixel_offset) {
    if (*pixel_offset < in.Position() || *pixel_offset > bytes.size()) throw Error(kInvalid);
    in.Skip(*pixel_offset - in.Position(), kInvalid);
  }
  std::span<const uint8_t> data = in.Rest();
  DecodedPicture picture{header.width, header.height, header.bit_count, {}};
  if (header.compression == kCompressionRle8 || header.compression == kCompressionRle4) {
    if (header.image_size != 0 && header.image_size < data.size()) data = data.first(header.image_size);
    picture.pixels.assign(static_cast<size_t>(header.width) * header.height, rows.Indexed(0));
    picture.ends_early = !RleDecoder(header, rows, picture).Run(data);
  } else {
    DecodeRows(data, header, rows, picture);
  }
  return picture;
}

}  // namespace

DecodedPicture DecodeDIB(std::span<const uint8_t> bytes) { return DecodeBitmap(bytes, std::nullopt); }

DecodedPicture DecodePicturePayload(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return {};
  ByteReader in(bytes);
  const uint8_t name_length = in.U8(kInvalid);
  std::span<const uint8_t> name = in.Take(name_length, kInvalid);
  const std::string class_name(name.begin(), name.end());
  if (class_name != "TDIB") throw Error("Picture class '" + class_name + "' is not supported");
  return DecodeDIB(in.Rest());
}

DecodedPicture DecodeBitmapFile(std::span<const uint8_t> bytes) {
  constexpr size_t kFileHeaderSize = 14;
  if (bytes.size() < kFileHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') throw Error(kInvalid);
  ByteReader in(bytes);
  in.Skip(10, kInvalid);  // "BM", file size and two reserved words: nothing to check them against
  const uint32_t pixel_offset = in.U32(kInvalid);
  std::span<const uint8_t> bitmap = bytes.subspan(kFileHeaderSize);
  // An offset of 0 is what careless writers leave: the rows then follow the palette.
  if (pixel_offset == 0) return DecodeDIB(bitmap);
  if (pixel_offset < kFileHeaderSize) throw Error(kInvalid);
  return DecodeBitmap(bitmap, pixel_offset - kFileHeaderSize);
}

}  // namespace jizdavo

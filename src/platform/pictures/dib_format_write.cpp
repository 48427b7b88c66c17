// Writer of the stored picture format: the 24-bit and 1-bit forms the game's own pictures use, and the
// other forms common editors write, which the reader must take as well.

#include <algorithm>
#include <bit>
#include <string>

#include "platform/pictures/dib_format.h"
#include "platform/error.h"

namespace jizdavo {
namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kMaskedHeaderSize = 52;
constexpr uint32_t kAlphaHeaderSize = 56;
constexpr uint32_t kFileHeaderSize = 14;
constexpr int32_t kPixelsPerMetre = 3780;  // 96 dots per inch
constexpr uint32_t kSrgbColourSpace = 0x73524742;  // "sRGB"

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
  void Append(const std::vector<uint8_t>& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
  size_t Size() const { return bytes_.size(); }
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

// A channel's top bits placed under its mask.
uint32_t UnderMask(uint32_t channel, uint32_t mask) {
  if (mask == 0) return 0;
  const int width = std::min(std::popcount(mask), 8);
  return (channel >> (8 - width)) << std::countr_zero(mask);
}

class DibWriter {
 public:
  DibWriter(const PictureView& picture, const DibForm& form) : picture_(picture), form_(form) {
    CheckView(picture);
    palette_ = form.palette;
    if (form.bits <= 8 && palette_.empty()) {
      const size_t most = size_t{1} << form.bits;
      for (const TColor* p = picture.pixels; p != picture.pixels + Count() && palette_.size() < most; ++p)
        if (std::find(palette_.begin(), palette_.end(), *p) == palette_.end()) palette_.push_back(*p);
      if (form.full_palette) palette_.resize(most, clBlack);
    }
    if (form.compression == kDibBitFields) {
      masks_ = form.masks;
    } else if (form.bits == 16) {
      masks_ = {0x7C00, 0x03E0, 0x001F};
    } else {
      masks_ = {0xFF0000, 0x00FF00, 0x0000FF};
    }
  }

  // The header, masks and palette; `pixels` is what follows them.
  void WriteHead(ByteWriter& out, const std::vector<uint8_t>& pixels) const {
    if (form_.header_size == kCoreHeaderSize) {
      out.U32(kCoreHeaderSize);
      out.U16(static_cast<uint32_t>(picture_.width));
      out.U16(static_cast<uint32_t>(picture_.height));
      out.U16(1);
      out.U16(static_cast<uint32_t>(form_.bits));
    } else {
      WriteInfoHeader(out, pixels);
    }
    for (TColor c : palette_) {
      out.U8(GetBValue(c));
      out.U8(GetGValue(c));
      out.U8(GetRValue(c));
      if (form_.header_size != kCoreHeaderSize) out.U8(0);
    }
  }

  std::vector<uint8_t> Pixels() const {
    return form_.compression == kDibRle8 || form_.compression == kDibRle4 ? RunLengths() : Rows();
  }

 private:
  size_t Count() const { return static_cast<size_t>(picture_.width) * picture_.height; }
  TColor At(int x, int y) const { return picture_.pixels[static_cast<size_t>(y) * picture_.width + x]; }
  uint32_t Index(int x, int y) const {
    const auto found = std::find(palette_.begin(), palette_.end(), At(x, y));
    return found == palette_.end() ? 0 : static_cast<uint32_t>(found - palette_.begin());
  }
  int StoredRow(int stored) const { return form_.top_down ? stored : picture_.height - 1 - stored; }

  void WriteInfoHeader(ByteWriter& out, const std::vector<uint8_t>& pixels) const {
    const bool short_palette = !form_.palette.empty() || (!palette_.empty() && !form_.full_palette);
    out.U32(form_.header_size);
    out.U32(static_cast<uint32_t>(picture_.width));
    out.U32(static_cast<uint32_t>(form_.top_down ? -picture_.height : picture_.height));
    out.U16(1);
    out.U16(static_cast<uint32_t>(form_.bits));
    out.U32(form_.compression);
    out.U32(static_cast<uint32_t>(pixels.size()));
    out.U32(kPixelsPerMetre);
    out.U32(kPixelsPerMetre);
    out.U32(short_palette ? static_cast<uint32_t>(palette_.size()) : 0);
    out.U32(0);
    // The 40-byte header has the masks after it only with bit fields; the later ones always hold them.
    const bool fields = form_.compression == kDibBitFields;
    if (fields || form_.header_size >= kMaskedHeaderSize)
      for (uint32_t mask : masks_) out.U32(fields ? mask : 0);
    if (form_.header_size >= kAlphaHeaderSize) out.U32(0);  // no alpha
    if (form_.header_size > kAlphaHeaderSize) {
      const size_t end = out.Size() + form_.header_size - kAlphaHeaderSize;
      out.U32(kSrgbColourSpace);
      while (out.Size() < end) out.U32(0);  // end points, gammas, intent and no profile
    }
  }

  std::vector<uint8_t> Rows() const {
    const size_t stride = RowStride(picture_.width, form_.bits);
    std::vector<uint8_t> rows(stride * picture_.height);
    for (int stored = 0; stored < picture_.height; ++stored) {
      uint8_t* row = rows.data() + stride * stored;
      const int y = StoredRow(stored);
      for (int x = 0; x < picture_.width; ++x) {
        if (form_.bits <= 8) {
          const size_t bit = static_cast<size_t>(x) * form_.bits;
          row[bit / 8] |= static_cast<uint8_t>(Index(x, y) << (8 - form_.bits - bit % 8));
          continue;
        }
        const TColor c = At(x, y);
        uint32_t value = GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16;
        if (form_.bits != 24)
          value = UnderMask(GetRValue(c), masks_[0]) | UnderMask(GetGValue(c), masks_[1]) |
                  UnderMask(GetBValue(c), masks_[2]);
        for (int i = 0; i < form_.bits / 8; ++i) row[x * form_.bits / 8 + i] = static_cast<uint8_t>(value >> 8 * i);
      }
    }
    return rows;
  }

  // Each row as runs of one index, with absolute runs for stretches of three or more pixels that do not
  // repeat, then an end of line; an end of picture last.
  std::vector<uint8_t> RunLengths() const {
    const bool rle4 = form_.compression == kDibRle4;
    const int padded = static_cast<int>(RowStride(picture_.width, form_.bits) * 8 / form_.bits);
    ByteWriter out;
    for (int stored = 0; stored < picture_.height; ++stored) {
      const int y = StoredRow(stored);
      const auto index = [&](int x) { return x < picture_.width ? Index(x, y) : 0; };
      const auto repeats = [&](int x) {
        int count = 1;
        while (x + count < picture_.width && count < 255 && index(x + count) == index(x)) ++count;
        return count;
      };
      for (int x = 0; x < picture_.width;) {
        int literal = 0;
        if (repeats(x) < 3) {
          while (x + literal < picture_.width && literal < 255 && repeats(x + literal) < 3) ++literal;
          if (literal < 3) literal = 0;
        }
        const int taken = literal > 0 ? literal : repeats(x);
        const bool row_end = x + taken == picture_.width;
        const int written = row_end && form_.runs_into_padding ? std::min(taken + padded - picture_.width, 255) : taken;
        if (literal == 0) {
          out.U8(static_cast<uint32_t>(written));
          out.U8(rle4 ? index(x) << 4 | index(x) : index(x));
        } else {
          out.U8(0);
          out.U8(static_cast<uint32_t>(written));
          std::vector<uint8_t> run;
          for (int i = 0; i < written; ++i) {
            if (!rle4) {
              run.push_back(static_cast<uint8_t>(index(x + i)));
            } else if (i % 2 == 0) {
              run.push_back(static_cast<uint8_t>(index(x + i) << 4));
            } else {
              run.back() |= static_cast<uint8_t>(index(x + i));
            }
          }
          if (run.size() % 2) run.push_back(0);  // absolute runs keep to 16 bits
          out.Append(run);
        }
        x += taken;
      }
      out.U8(0);
      out.U8(stored + 1 < picture_.height ? 0 : 1);
    }
    return out.Take();
  }

  const PictureView& picture_;
  const DibForm& form_;
  std::vector<TColor> palette_;
  std::array<uint32_t, 3> masks_;
};

void WriteClassName(ByteWriter& out) {
  const std::string name = "TDIB";
  out.U8(static_cast<uint32_t>(name.size()));
  out.Text(name);
}

}  // namespace

std::vector<uint8_t> EncodeDIB(const PictureView& picture, const DibForm& form) {
  const DibWriter writer(picture, form);
  const std::vector<uint8_t> pixels = writer.Pixels();
  ByteWriter out;
  writer.WriteHead(out, pixels);
  out.Append(pixels);
  return out.Take();
}

std::vector<uint8_t> EncodeBitmapFile(const PictureView& picture, const DibForm& form) {
  const DibWriter writer(picture, form);
  const std::vector<uint8_t> pixels = writer.Pixels();
  ByteWriter head;
  writer.WriteHead(head, pixels);
  const uint32_t pixel_offset = kFileHeaderSize + static_cast<uint32_t>(head.Size());
  ByteWriter out;
  out.Text("BM");
  out.U32(pixel_offset + static_cast<uint32_t>(pixels.size()));
  out.U32(0);  // two reserved words
  out.U32(pixel_offset);
  out.Append(head.Take());
  out.Append(pixels);
  return out.Take();
}

std::vector<uint8_t> EncodePicturePayload24(const PictureView& picture) {
  ByteWriter out;
  WriteClassName(out);
  out.Append(EncodeDIB(picture, {}));
  return out.Take();
}

std::vector<uint8_t> EncodePicturePayload1(const PictureView& picture, TColor color0, TColor color1) {
  ByteWriter out;
  WriteClassName(out);
  out.Append(EncodeDIB(picture, {.bits = 1, .palette = {color0, color1}}));
  return out.Take();
}

std::vector<uint8_t> EncodeBitmapFile24(const PictureView& picture) { return EncodeBitmapFile(picture, {}); }

}  // namespace jizdavo

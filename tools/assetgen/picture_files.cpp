#include "picture_files.h"

#include "byte_writer.h"

namespace jizdavo::assetgen {

namespace {

int RowBytes(int width, int bits) { return (width * bits + 31) / 32 * 4; }

void InfoHeader(ByteWriter& out, const Raster& p, int bits) {
  out.U32(40);
  out.U32(p.width);
  out.U32(p.height);  // positive: bottom-up
  out.U16(1);
  out.U16(bits);
  out.U32(0);  // uncompressed
  out.U32(RowBytes(p.width, bits) * p.height);
  out.U32(3780);  // 96 dots per inch
  out.U32(3780);
  out.U32(0);
  out.U32(0);
}

void Rows24(ByteWriter& out, const Raster& p) {
  int padding = RowBytes(p.width, 24) - p.width * 3;
  for (int y = p.height - 1; y >= 0; --y) {
    for (int x = 0; x < p.width; ++x) {
      TColor c = p.At(x, y);
      out.U8(GetBValue(c));
      out.U8(GetGValue(c));
      out.U8(GetRValue(c));
    }
    for (int i = 0; i < padding; ++i) out.U8(0);
  }
}

// Palette entry 0 black, 1 white; a pixel is 1 unless it is black.
void Rows1(ByteWriter& out, const Raster& p) {
  out.U32(0x000000);
  out.U32(0xFFFFFF);
  int row_bytes = RowBytes(p.width, 1);
  for (int y = p.height - 1; y >= 0; --y)
    for (int i = 0; i < row_bytes; ++i) {
      uint32_t byte = 0;
      for (int bit = 0; bit < 8; ++bit) {
        int x = i * 8 + bit;
        if (x < p.width && p.At(x, y) != clBlack) byte |= 0x80u >> bit;
      }
      out.U8(byte);
    }
}

}  // namespace

std::vector<uint8_t> EncodeStoredPicture(const Raster& picture, bool one_bit) {
  ByteWriter out;
  out.U8(4);
  out.Tag("TDIB");
  InfoHeader(out, picture, one_bit ? 1 : 24);
  if (one_bit)
    Rows1(out, picture);
  else
    Rows24(out, picture);
  return out.Take();
}

std::vector<uint8_t> EncodeBitmapFile(const Raster& picture) {
  ByteWriter out;
  out.Tag("BM");
  out.U32(14 + 40 + RowBytes(picture.width, 24) * picture.height);
  out.U32(0);
  out.U32(14 + 40);
  InfoHeader(out, picture, 24);
  Rows24(out, picture);
  return out.Take();
}

}  // namespace jizdavo::assetgen

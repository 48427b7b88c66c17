#include "pointer.h"

#include "byte_writer.h"
#include "palette.h"
#include "pixel_grid.h"

namespace jizdavo::assetgen {

// An arrow in the menu text colour with a dark rim, so it shows on black panels and bright ground.
Raster PointerPicture() {
  Raster arrow = FromGrid({"oo..........",
                           "oLo.........",
                           "oLMo........",
                           "oLMMo.......",
                           "oLMMMo......",
                           "oLMMMMo.....",
                           "oLMMMMMo....",
                           "oLMMMMMMo...",
                           "oLMMMMMMMo..",
                           "oLMMMMMMMMo.",
                           "oLMMMMMoooo.",
                           "oLMMoMMo....",
                           "oLMo.oMMo...",
                           "oLo..oMMo...",
                           "oo....oMMo..",
                           "......oMMo..",
                           ".......oo..."},
                          GridLegend{{'o', pal::Ink}, {'M', pal::MenuText}, {'L', pal::Chalk}});
  Raster picture(32, 32);
  Stamp(picture, arrow, 0, 0);
  return picture;
}

std::vector<uint8_t> EncodeCursorFile(const Raster& picture, int hot_x, int hot_y) {
  const int w = picture.width, h = picture.height, mask_stride = (w + 31) / 32 * 4;
  ByteWriter out;
  out.U16(0);  // the directory: reserved, type 2 (cursor), one image
  out.U16(2);
  out.U16(1);
  out.U8(w);
  out.U8(h);
  out.U8(0);
  out.U8(0);
  out.U16(hot_x);
  out.U16(hot_y);
  out.U32(40 + w * h * 4 + mask_stride * h);
  out.U32(6 + 16);
  out.U32(40);  // the image: a bitmap header whose height counts colour rows and mask rows
  out.U32(w);
  out.U32(2 * h);
  out.U16(1);
  out.U16(32);
  for (int i = 0; i < 6; ++i) out.U32(0);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      TColor c = picture.At(x, y);
      bool clear = c == kClear;
      out.U8(clear ? 0 : GetBValue(c));
      out.U8(clear ? 0 : GetGValue(c));
      out.U8(clear ? 0 : GetRValue(c));
      out.U8(clear ? 0 : 255);
    }
  for (int y = h - 1; y >= 0; --y)
    for (int i = 0; i < mask_stride; ++i) {
      uint32_t bits = 0;
      for (int b = 0; b < 8; ++b)
        if (i * 8 + b < w && picture.At(i * 8 + b, y) == kClear) bits |= 0x80u >> b;
      out.U8(bits);
    }
  return out.Take();
}

}  // namespace jizdavo::assetgen

#pragma once
// The pointer file "Graphics\Cursor.cur": a cursor resource with its hot spot. The first image of the
// file is read; its pixels come out as straight-alpha 0xAARRGGBB words, ready for a window system's
// colour cursor.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace jizdavo {

struct CursorImage {
  int width = 0;
  int height = 0;
  int hot_x = 0;  // the pixel that points, from the top-left corner
  int hot_y = 0;
  std::vector<uint32_t> argb;  // width * height, top row first
};

// Bitmap images of 1, 4, 8, 24 or 32 bits per pixel with their AND mask. Every offset and length is
// checked; anything else (a PNG image, an icon file, cut-short data) raises "Cursor is invalid".
CursorImage DecodeCursor(std::span<const uint8_t> bytes);
// Reads the file as ReadAssetFile does, bounded by kPictureFileLimit (raising its errors), then as
// DecodeCursor.
CursorImage LoadCursorFile(const std::string& path);

}  // namespace jizdavo

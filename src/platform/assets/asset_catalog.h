#pragma once
// The pictures and sounds built into the program, in collection order, as stored bytes.
// The tables are generated at build time by tools/assetgen.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/color.h"

namespace jizdavo {

struct StoredImage {
  const char* name;
  bool transparent;
  TColor transparent_color;
  std::span<const uint8_t> payload;  // "TDIB" picture payload; empty for run-time images
};

struct StoredSound {
  const char* name;
  bool looped;
  std::span<const uint8_t> wave;  // RIFF WAVE bytes; empty for the music items
};

// A file the program keeps beside itself, as the generator wrote it.
struct StoredFile {
  const char* path;  // below the program's folder, "Graphics/ArrowNext.bmp"
  std::span<const uint8_t> bytes;
};

std::span<const StoredImage> StoredImages();
std::span<const StoredSound> StoredSounds();
// The options panel's pictures under Graphics/, for when their files are missing or damaged.
std::span<const StoredFile> StoredWidgetPictures();

}  // namespace jizdavo

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

std::span<const StoredImage> StoredImages();
std::span<const StoredSound> StoredSounds();

}  // namespace jizdavo

#pragma once
// The built-in pictures and sounds in collection order, as the generator makes them.

#include <cstdint>
#include <string>
#include <vector>

#include "raster.h"

namespace jizdavo::assetgen {

struct ImageAsset {
  std::string name;
  bool transparent = false;
  TColor key = clBlack;
  bool one_bit = false;  // stored with 1 bit per pixel and a two-entry palette
  Raster picture;        // empty for the pictures the game builds at run time; keyed and final
};

struct SoundAsset {
  std::string name;
  bool looped = false;
  std::vector<uint8_t> wave;  // RIFF WAVE bytes; empty for the music items
};

std::vector<ImageAsset> MakeImages();
std::vector<SoundAsset> MakeSounds();

// Gives the see-through pixels the key colour and moves any opaque pixel that the display would
// confuse with the key (same 5-6-5 value) by one step of green, so keying never punches holes.
void ApplyKey(Raster& picture, TColor key, bool transparent);

}  // namespace jizdavo::assetgen

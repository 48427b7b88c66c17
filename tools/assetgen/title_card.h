#pragma once
// The intro film's pictures: an animated title card for the game.

#include "raster.h"

namespace jizdavo::assetgen {

constexpr int kFilmWidth = 320;
constexpr int kFilmHeight = 240;
constexpr int kFilmFps = 25;
constexpr int kFilmFrames = 4 * kFilmFps;

// Frame `index` of kFilmFrames, fully opaque.
Raster TitleCardFrame(int index);

}  // namespace jizdavo::assetgen

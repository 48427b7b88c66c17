#pragma once
// Small surfaces for the drawing tests, made by the tests themselves.

#include <memory>
#include <random>
#include <vector>

#include "platform/pixels/surface.h"

namespace jizdavo::testing {

// Pixels drawn from `palette`, so that a colour key actually turns up in the picture.
std::unique_ptr<TSurface> RandomSurface(int width, int height, std::mt19937& rng,
                                        const std::vector<RawPixel>& palette);
// Any 16-bit pixel.
std::unique_ptr<TSurface> NoiseSurface(int width, int height, std::mt19937& rng);
std::unique_ptr<TSurface> Clone(const TSurface& surface);
std::vector<RawPixel> PixelsOf(const TSurface& surface);
int CountPixels(const TSurface& surface, RawPixel value);

}  // namespace jizdavo::testing

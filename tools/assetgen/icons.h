#pragma once
// The game's icon for desktops: a pedestrian about to cross a road with a car coming, drawn from the
// game's own pictures, in the sizes icon themes ask for, as PNG files.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "catalog.h"

namespace jizdavo::assetgen {

inline constexpr int kIconSizes[] = {16, 32, 64, 128, 256};

// The icon at `size` pixels a side (one of kIconSizes).
Raster MakeIcon(const std::vector<ImageAsset>& images, int size);
// An opaque picture as PNG bytes (8-bit RGB).
std::vector<uint8_t> EncodePng(const Raster& picture);
// <folder>/hicolor/<N>x<N>/apps/jizdavo.png for every size.
void WriteIcons(const std::filesystem::path& folder, const std::vector<ImageAsset>& images);

}  // namespace jizdavo::assetgen

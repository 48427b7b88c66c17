#pragma once
// A mock-up of a level, laid out as the game lays out its backdrop, with traffic and the pedestrian
// on it: to judge the pictures together, at their real size.

#include <string>
#include <vector>

#include "catalog.h"

namespace jizdavo::assetgen {

// The stored picture of that name; throws when there is none.
const ImageAsset& Find(const std::vector<ImageAsset>& images, const std::string& name);
// Copies a picture, leaving out its key colour when it is transparent.
void Put(Raster& dest, const ImageAsset& item, int x, int y);
// The picture tiled across the whole width at row y.
void PutRow(Raster& dest, const ImageAsset& tile, int y);

Raster MakeLevelScene(const std::vector<ImageAsset>& images, int ground, int lanes, int roads);

}  // namespace jizdavo::assetgen

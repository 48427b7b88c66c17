#pragma once
// A mock-up of a level, laid out as the game lays out its backdrop, with traffic and the pedestrian
// on it: to judge the pictures together, at their real size.

#include <vector>

#include "catalog.h"

namespace jizdavo::assetgen {

Raster MakeLevelScene(const std::vector<ImageAsset>& images, int ground, int lanes, int roads);

}  // namespace jizdavo::assetgen

#pragma once
// The game's pictures other than the cars, each drawn see-through where the picture has no pixels.

#include "raster.h"

namespace jizdavo::assetgen {

// The pedestrian from above, facing down the screen.
Raster PedestrianStanding();  // 16 x 9
Raster PedestrianStepping();  // 16 x 12; the other step is its mirror image
Raster Corpse();              // 24 x 14, lying as thrown by a car driving left
Raster BloodStain();          // 20 x 20
Raster BloodDrop();           // 3 x 3

// Ground under and between the roads: tiles that repeat without seams.
Raster GroundTile(int surface);  // 1..4
Raster RoadTile();               // 20 x 20, one lane row with the lane marking across its middle
Raster KerbTile(bool upper);     // 20 x 12, the road's upper or lower edge
// Where the road's paint lies: the lane marking on rows 9 and 10 of a road tile, the edge line on
// row 5 of a kerb tile counted from its stone side.
constexpr int kLaneMarkRow = 9;
constexpr int kKerbEdgeLineRow = 5;

// The tall menu emblems beside the main panel.
Raster Emblem(int side);  // 1 left, 2 right; 32 x 184

// The options panel: the check box pair and the track arrows.
Raster CheckBox(bool checked);  // 13 x 13
Raster TrackArrow(bool next);   // 9 x 10

}  // namespace jizdavo::assetgen

#pragma once
// The level records of both modes, four text lines each: lanes per road, roads, ground texture,
// and the barrier list (Standard) or the area rules (Car chase).

#include <string>
#include <vector>

namespace jizdavo {

// The 16 Standard levels: 64 lines.
std::vector<std::string> StandardLevelLines();
// The 6 Car chase areas: 24 lines.
std::vector<std::string> ChaseAreaLines();

}  // namespace jizdavo

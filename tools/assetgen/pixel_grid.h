#pragma once
// Pixel art written as rows of characters, one character a pixel, read through a small legend.

#include <initializer_list>
#include <string_view>
#include <utility>

#include "raster.h"

namespace jizdavo::assetgen {

// Maps a character to a colour; '.' is always see-through.
class GridLegend {
 public:
  GridLegend(std::initializer_list<std::pair<char, TColor>> entries);
  TColor operator[](char c) const;

 private:
  TColor colors_[128];
};

// Every row must have the same length; a character missing from the legend is a bug in the art.
Raster FromGrid(std::initializer_list<std::string_view> rows, const GridLegend& legend);

}  // namespace jizdavo::assetgen

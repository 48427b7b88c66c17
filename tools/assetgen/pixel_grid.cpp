#include "pixel_grid.h"

#include <stdexcept>
#include <string>

namespace jizdavo::assetgen {

namespace {
// An impossible colour marks characters the legend does not know.
constexpr TColor kUnknown = 0xFE000000;
}  // namespace

GridLegend::GridLegend(std::initializer_list<std::pair<char, TColor>> entries) {
  for (TColor& c : colors_) c = kUnknown;
  colors_[static_cast<int>('.')] = kClear;
  for (const auto& [symbol, color] : entries) colors_[static_cast<unsigned char>(symbol) & 127] = color;
}

TColor GridLegend::operator[](char c) const {
  TColor color = colors_[static_cast<unsigned char>(c) & 127];
  if (color == kUnknown) throw std::logic_error(std::string("pixel grid: no colour for '") + c + "'");
  return color;
}

Raster FromGrid(std::initializer_list<std::string_view> rows, const GridLegend& legend) {
  int width = rows.size() == 0 ? 0 : static_cast<int>(rows.begin()->size());
  Raster result(width, static_cast<int>(rows.size()));
  int y = 0;
  for (std::string_view row : rows) {
    if (static_cast<int>(row.size()) != width) throw std::logic_error("pixel grid: ragged rows");
    for (int x = 0; x < width; ++x) result.Set(x, y, legend[row[x]]);
    ++y;
  }
  return result;
}

}  // namespace jizdavo::assetgen

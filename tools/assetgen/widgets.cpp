// The options panel's check boxes and track arrows, in the menu text colour on black.
#include "art.h"
#include "palette.h"
#include "pixel_grid.h"

namespace jizdavo::assetgen {

namespace {

const GridLegend& WidgetLegend() {
  static const GridLegend legend{
      {'_', clBlack}, {'M', pal::MenuText}, {'c', pal::MenuShade}, {'e', pal::MenuEdge}};
  return legend;
}

}  // namespace

Raster CheckBox(bool checked) {
  if (checked)
    return FromGrid({"_____________", "_cMMMMMMMMMc_", "_M_________M_", "_M___eee___M_", "_M__eMMMe__M_",
                     "_M_eMMMMMe_M_", "_M_eMMMMMe_M_", "_M_eMMMMMe_M_", "_M__eMMMe__M_", "_M___eee___M_",
                     "_M_________M_", "_cMMMMMMMMMc_", "_____________"},
                    WidgetLegend());
  return FromGrid({"_____________", "_cMMMMMMMMMc_", "_M_________M_", "_M_________M_", "_M_________M_",
                   "_M_________M_", "_M_________M_", "_M_________M_", "_M_________M_", "_M_________M_",
                   "_M_________M_", "_cMMMMMMMMMc_", "_____________"},
                  WidgetLegend());
}

Raster TrackArrow(bool next) {
  Raster right = FromGrid({"_________", "_Mc______", "_MMMc____", "_MMMMMc__", "_MMMMMMMc", "_MMMMMMMc",
                           "_MMMMMc__", "_MMMc____", "_Mc______", "_________"},
                          WidgetLegend());
  return next ? right : MirroredX(right);
}

}  // namespace jizdavo::assetgen

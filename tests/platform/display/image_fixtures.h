#pragma once
// Image items built from pixels the tests choose.

#include <vector>

#include "platform/display/image_list.h"

namespace jizdavo::testing {

// An initialised, built item named `name` in `list` holding a w x h 24-bit picture.
TPictureCollectionItem& AddBuiltItem(TDXImageList& list, const std::string& name, int w, int h,
                                     const std::vector<TColor>& pixels);
// A w x h picture whose pixel (x, y) is RGB(8 * x, 4 * y, 8 * (x + y)): every pixel tells where it came from.
std::vector<TColor> CoordinatePicture(int w, int h);

}  // namespace jizdavo::testing

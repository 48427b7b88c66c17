#include "platform/display/image_fixtures.h"

namespace jizdavo::testing {

TPictureCollectionItem& AddBuiltItem(TDXImageList& list, const std::string& name, int w, int h,
                                     const std::vector<TColor>& pixels) {
  TPictureCollectionItem& item = list.Add(name);
  item.Picture().Assign(w, h, 24, pixels);
  list.InitializeAll();
  item.Rebuild();
  return item;
}

std::vector<TColor> CoordinatePicture(int w, int h) {
  std::vector<TColor> pixels;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) pixels.push_back(RGB(8 * x, 4 * y, 8 * (x + y)));
  }
  return pixels;
}

}  // namespace jizdavo::testing

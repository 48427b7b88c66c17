#include "widgets/controls/image.h"

#include "widgets/controls/control_paint.h"
#include "widgets/controls/picture_file.h"

namespace jizdavo {

TDIBCanvas& TImage::Canvas() {
  if (picture_.Empty() && Width > 0 && Height > 0) picture_.Assign(Width, Height, 24, {});
  return picture_.Canvas();
}

void TImage::LoadFromFile(const std::filesystem::path& path) { LoadPictureFile(path, picture_); }

void TImage::Paint(TSurface& frame, const TRect& place, const TRect& clip) {
  PictureOnFrame(frame, place.Left, place.Top, picture_, IntersectRect(place, clip));
}

}  // namespace jizdavo

// Hands a decoded picture to a TDIB. Kept apart from the reader so that code that only decodes does not
// need the picture class.

#include "platform/pixels/dib.h"
#include "platform/pictures/dib_format.h"

namespace jizdavo {

void AssignPicture(TDIB& dib, DecodedPicture&& picture) {
  if (picture.Empty()) {
    dib.SetWidth(0);
    return;
  }
  dib.Assign(picture.width, picture.height, picture.bit_count, std::move(picture.pixels));
}

}  // namespace jizdavo

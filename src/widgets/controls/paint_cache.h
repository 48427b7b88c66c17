#pragma once
// Paintings of opaque controls kept for the next frames. An opaque control covers its rectangle and
// cuts its children to it, so what it shows does not depend on what lies under it: while its look
// (bounds, visibility, captions, fonts, colours of the whole tree) stays the same, the kept pixels
// are copied back instead of painting the tree again. Any change of look paints it afresh.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/color.h"
#include "platform/rect.h"

namespace jizdavo {

class TControl;
class TSurface;

// Pieces of a control's look (TControl::AppendLook).
void AppendLookValue(std::string& look, int value);
void AppendLookText(std::string& look, std::string_view text);

// The look of `control` and its visible descendants, as a byte string; false when some control in
// the tree cannot describe its look.
bool LookOfTree(const TControl& control, std::string& look);

class PaintCache {
 public:
  // What TControl::PaintTree does, reusing the pixels kept from the last time when nothing changed.
  void PaintTree(TControl& control, TSurface& frame, int x, int y, const TRect& clip);
  void Forget(const TControl* control) { kept_.erase(control); }

 private:
  struct Kept {
    std::string look;
    TRect area;
    std::vector<RawPixel> pixels;
  };
  std::unordered_map<const TControl*, Kept> kept_;
  std::string look_;  // reused, so that a frame allocates nothing
};

}  // namespace jizdavo

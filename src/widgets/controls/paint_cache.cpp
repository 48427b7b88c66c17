#include "widgets/controls/paint_cache.h"

#include <algorithm>
#include <utility>

#include "platform/pixels/draw_rows.h"
#include "platform/pixels/surface.h"
#include "widgets/controls/control.h"

namespace jizdavo {

void AppendLookValue(std::string& look, int value) {
  look.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// The length first, so that two texts side by side cannot read as two others.
void AppendLookText(std::string& look, std::string_view text) {
  AppendLookValue(look, static_cast<int>(text.size()));
  look.append(text);
}

bool LookOfTree(const TControl& control, std::string& look) {
  AppendLookValue(look, control.Visible);
  if (!control.Visible) return true;
  for (int value : {control.Left, control.Top, control.Width, control.Height})
    AppendLookValue(look, value);
  AppendLookValue(look, static_cast<int>(control.Controls().size()));
  if (!control.AppendLook(look)) return false;
  for (const TControl* child : control.Controls())
    if (!LookOfTree(*child, look)) return false;
  return true;
}

void PaintCache::PaintTree(TControl& control, TSurface& frame, int x, int y, const TRect& clip) {
  look_.clear();
  for (int value : {x, y, clip.Left, clip.Top, clip.Right, clip.Bottom}) AppendLookValue(look_, value);
  if (!control.Opaque() || !LookOfTree(control, look_)) {
    kept_.erase(&control);
    control.PaintTree(frame, x, y, clip);
    return;
  }
  Kept& kept = kept_[&control];
  const int pitch = frame.Width();
  if (kept.look == look_) {
    const TRect& a = kept.area;
    if (a.IsEmpty()) return;
    frame.MarkChanged(a);
    rows::CopyRows(frame.MarkedRow(a.Top) + a.Left, pitch, kept.pixels.data(), a.Width(), a.Width(), a.Height());
    return;
  }
  control.PaintTree(frame, x, y, clip);
  // Sizes are up to date only after painting.
  const TRect a = IntersectRect(IntersectRect(Bounds(x, y, control.Width, control.Height), clip),
                                frame.ClientRect());
  kept.look = look_;
  kept.area = a;
  kept.pixels.resize(static_cast<size_t>(a.Width()) * a.Height());
  if (!a.IsEmpty())
    rows::CopyRows(kept.pixels.data(), a.Width(), std::as_const(frame).Row(a.Top) + a.Left, pitch, a.Width(),
                   a.Height());
}

}  // namespace jizdavo

#pragma once
// The game's check box: a 13 x 13 picture for each state and a caption beside it, drawn on its
// parent. A left press toggles it; the click that follows the release sees the new state.

#include <string>

#include "platform/pixels/dib.h"
#include "widgets/controls/control.h"
#include "widgets/controls/control_text.h"

namespace jizdavo {

class TKsicht : public TControl {
 public:
  // Unchecked, 13 x 13, both pictures black 13 x 13.
  TKsicht();

  // Setting it does not raise OnClick. Every frame paints the current state, so a plain field is
  // enough to have a change shown.
  bool Checked = false;
  bool Transparent = false;  // the caption without background
  TColor Color = clBlack;    // behind the caption's text cell when not transparent
  std::string Caption;
  TControlFont Font;

  // The pictures are the check box's own: setting one copies the given picture.
  const TDIB& ChnonBit() const { return chnon_bit_; }
  void SetChnonBit(const TDIB& picture);
  const TDIB& ChBit() const { return ch_bit_; }
  void SetChBit(const TDIB& picture);

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

 protected:
  void Paint(TSurface& frame, const TRect& place, const TRect& clip) override;

 private:
  TDIB chnon_bit_;
  TDIB ch_bit_;
};

}  // namespace jizdavo

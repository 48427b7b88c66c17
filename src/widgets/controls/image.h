#pragma once
// A picture cell: a picture shown at its natural size from the cell's top-left corner, cut to the
// cell, with a canvas the game draws into (the wanted cars, the track arrows).

#include <filesystem>

#include "platform/pixels/canvas.h"
#include "platform/pixels/dib.h"
#include "widgets/controls/control.h"

namespace jizdavo {

class TImage : public TControl {
 public:
  TDIB& Picture() { return picture_; }
  const TDIB& Picture() const { return picture_; }
  // An empty picture first becomes a black 24-bit one of the cell's size, so there is something to
  // draw on.
  TDIBCanvas& Canvas();
  void LoadFromFile(const std::filesystem::path& path);

 protected:
  void Paint(TSurface& frame, const TRect& place, const TRect& clip) override;

 private:
  TDIB picture_;
};

}  // namespace jizdavo

// The canvases of surfaces and pictures, kept apart so that code drawing no text links without them.

#include "platform/canvas.h"
#include "platform/dib.h"
#include "platform/surface.h"

namespace jizdavo {

TSurfaceCanvas& TSurface::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TSurfaceCanvas>(*this);
  return *canvas_;
}

// Canvas drawing writes straight into the pixels, so there is nothing to hand back; the canvas and its
// font, brush and pen stay for the next run.
void TSurface::ReleaseCanvas() {}

TDIBCanvas& TDIB::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TDIBCanvas>(*this);
  return *canvas_;
}

}  // namespace jizdavo

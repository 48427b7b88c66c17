// The canvases of surfaces and pictures, kept apart so that code drawing no text links without them.

#include "platform/pixels/canvas.h"
#include "platform/pixels/dib.h"
#include "platform/pixels/surface.h"

namespace jizdavo {

namespace {

template <typename Canvas>
void Destroy(Canvas* canvas) {
  delete canvas;
}

}  // namespace

TSurfaceCanvas& TSurface::Canvas() {
  if (!canvas_) canvas_ = {new TSurfaceCanvas(*this), {&Destroy<TSurfaceCanvas>}};
  return *canvas_;
}

// Canvas drawing writes straight into the pixels, so there is nothing to hand back; the canvas and its
// font, brush and pen stay for the next run.
void TSurface::ReleaseCanvas() {}

TDIBCanvas& TDIB::Canvas() {
  if (!canvas_) canvas_ = {new TDIBCanvas(*this), {&Destroy<TDIBCanvas>}};
  return *canvas_;
}

}  // namespace jizdavo

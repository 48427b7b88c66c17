#include "sprites/barrier.h"

#include "sprites/rounding.h"
#include "sprites/sprite_window.h"
#include "platform/pixels/canvas.h"
#include "platform/display/image_list.h"
#include "platform/pixels/surface.h"

namespace jizdavo {

TBarrier::TBarrier(TSprite* AParent) : TImageSprite(AParent) {
  SetImage(&Window().FindImage("Barrier"));
  SetZ(0);
  Height = ImageItem->Height();
}

// The bar and two small end caps that reach 2 pixels past each end, outside the collision rectangle.
void TBarrier::Render() {
  const int x = RoundHalfEven(X);
  const int y = RoundHalfEven(Y);
  TSurface& surface = BackSurface();
  TCanvas& canvas = surface.Canvas();
  canvas.Pen.Width = 3;
  canvas.Pen.Color = RGB(219, 219, 219);
  canvas.MoveTo(x, y);
  canvas.LineTo(x + Width, y);
  canvas.Pen.Width = 1;
  canvas.Pen.Color = RGB(200, 200, 200);
  canvas.MoveTo(x - 2, y);
  canvas.LineTo(x, y);
  canvas.MoveTo(x + Width + 2, y);
  canvas.LineTo(x + Width, y);
  surface.ReleaseCanvas();
}

}  // namespace jizdavo

#include "sprites/cil.h"

#include "sprites/rounding.h"
#include "sprites/sprite_window.h"
#include "platform/display/image_list.h"

namespace jizdavo {

namespace {

constexpr int kFinishAlpha = 100;

}  // namespace

TCil::TCil(TSprite* AParent) : TImageSprite(AParent) {
  SetImage(&Window().FindImage("Cil"));
  X = DisplayWidth() / 2 - ImageItem->Width() / 2;
  Y = DisplayHeight() - Height - 22;
}

// The road shows through the chequer.
void TCil::Render() {
  const int x = RoundHalfEven(X);
  const int y = RoundHalfEven(Y);
  ImageItem->DrawBlended(BackSurface(), {x, y, x + Width, y + Height}, 0, kFinishAlpha);
}

}  // namespace jizdavo

// The two picture cells of the new car chase screen that show the wanted car types.

#include "main_window/car_cells.h"

#include <algorithm>
#include <string>

#include "main_window/jizdavo.h"

namespace jizdavo {

void DrawTransparent(TDIB& dest, int x, int y, int w, int h, const TDIB& source, int sx, int sy, int sw, int sh,
                     TColor key) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  for (int row = 0; row < h; ++row) {
    const int dy = y + row;
    const int from_y = sy + row * sh / h;
    if (dy < 0 || dy >= dest.Height() || from_y < 0 || from_y >= source.Height()) continue;
    for (int col = 0; col < w; ++col) {
      const int dx = x + col;
      const int from_x = sx + col * sw / w;
      if (dx < 0 || dx >= dest.Width() || from_x < 0 || from_x >= source.Width()) continue;
      const TColor pixel = source.Row(from_y)[from_x];
      if (pixel != key) dest.Row(dy)[dx] = pixel;
    }
  }
}

// The cells are larger than the old game's (twice a car's size, where the old one drew it at its
// size): the car is drawn doubled, or as large as the cell allows, and "ALL" and "CARS" stand
// together in the middle of the panel, centred in height. The rule line under them follows.
void TJizdavo::DrawCarType(TImage& cell, int type) {
  TDIBCanvas& canvas = cell.Canvas();
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = clBlack;
  canvas.FillRect(Bounds(0, 0, cell.Width, cell.Height));
  Menus.CarChaseRule.Caption = Game.TargetCar1 == 0 ? kEveryCarRule : kWantedCarsRule;
  if (Game.TargetCar1 == 0) {
    // Every car counts: the two cells read "ALL CARS" together.
    for (TImage* each : {&Menus.Car1, &Menus.Car2}) {
      TDIBCanvas& text = each->Canvas();
      text.Brush.Style = TBrushStyle::bsClear;
      text.Font.Name = "Arial Black";
      text.Font.Size = 10;  // 13 pixels
      text.Font.Color = kMenuTextColor;
    }
    TDIBCanvas& all = Menus.Car1.Canvas();
    const int y = (cell.Height - all.TextHeight("ALL")) / 2;
    all.TextOut(Menus.Car1.Width - all.TextWidth("ALL"), y, "ALL");
    Menus.Car2.Canvas().TextOut(0, y, "CARS");
    return;
  }
  TPictureCollectionItem& car = DXImageList.Find("Auto" + std::to_string(type) + "0");
  const int w = car.Width();
  const int h = car.Height();
  if (w <= 0 || h <= 0) return;
  const int scaled_w = std::min(2 * w, cell.Width);
  const int scaled_h = h * scaled_w / w;
  DrawTransparent(cell.Picture(), cell.Width / 2 - scaled_w / 2, cell.Height / 2 - scaled_h / 2, scaled_w,
                  scaled_h, car.Picture(), 0, 0, w, h, car.TransparentColor());
}

}  // namespace jizdavo

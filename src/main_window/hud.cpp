// The heads-up display: one line of small black text on the grey strip at the bottom of the field.

#include <string>

#include "state/date_time.h"
#include "main_window/jizdavo.h"

namespace jizdavo {

void TJizdavo::DrawHeadsUpDisplay() {
  TSurface& back = BackSurface();
  TCanvas& canvas = back.Canvas();
  canvas.Font.Size = 8;
  canvas.Font.Name = "Tahoma";
  canvas.Font.Color = clBlack;
  canvas.Brush.Style = TBrushStyle::bsClear;
  int w = DXDraw1.Width();
  auto write = [&](int x, const std::string& text) {
    canvas.TextOut(x, DXDraw1.Height() - (canvas.TextHeight(text) + 18) / 2, text);
  };
  write(5, "Time: " + FormatTime(Game.GameTime));
  write(100, "Level: " + std::to_string(Game.Level));
  if (FPS.Checked) write(160, "FPS: " + std::to_string(DXTimer1.PictureRate()));
  if (Game.ChaseMode) {
    write(220, "Cars killed: " + std::to_string(Game.CarsKilled) + "/" + std::to_string(Game.CarsToKill));
  }
  if (watching_) write(340, "REPLAY " + watching_->name);
  std::string best = "Best time: " + FormatTime(Game.BestTime);
  write(w - canvas.TextWidth(best) - 5, best);
  back.ReleaseCanvas();
}

}  // namespace jizdavo

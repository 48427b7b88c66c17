// The screen title at the top of the display, and the intro film's hold on the frames.

#include "frame/jizdavo.h"

namespace jizdavo {

void TJizdavo::ShowTitle() {
  TSurface& back = BackSurface();
  TCanvas& canvas = back.Canvas();
  canvas.TextOut(DXDraw1.Width() / 2 - canvas.TextWidth(Game.Title) / 2, 20, Game.Title);
  back.ReleaseCanvas();
  if (PlaySE.Checked) DXWaveList.Find("Menu").Play(false);
}

bool TJizdavo::FilmIsPlaying() const { return false; }

}  // namespace jizdavo

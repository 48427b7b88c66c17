// The menu backdrop: two emblems shimmering beside the main panel, the screen title swept letter by
// letter, and black veils that fade whatever older frames left. The screen is never cleared, so each
// frame is the sum of the earlier ones fading away.

#include <cmath>
#include <string>

#include "main_window/jizdavo.h"

namespace jizdavo {

namespace {

constexpr int EmblemTop = 190;
constexpr int EmblemOpacity = 100;
constexpr int EmblemVeilOpacity = 20;
constexpr int TitleVeilOpacity = 30;
constexpr int TitleY = 20;
constexpr int32_t SweepStopped = 1000;

// The title band: as tall as text in the window's own font ("MS Sans Serif" with a 27-pixel em). The
// face this build has for that name is a smaller bitmap, so the band keeps the font's real height.
constexpr int TitleBandHeight = 32;

// The letter the sweep shows at `pos`: first to last, then back.
int SweepLetter(int32_t pos, int length) { return pos <= length ? pos : 2 * length + 1 - pos; }

}  // namespace

void TJizdavo::ShowTitle() {
  TSurface& back = BackSurface();
  TCanvas& canvas = back.Canvas();
  canvas.TextOut(DXDraw1.Width() / 2 - canvas.TextWidth(Game.Title) / 2, TitleY, Game.Title);
  back.ReleaseCanvas();
  PlayEffect("Menu");
}

void TJizdavo::MenuFrame() {
  TSurface& back = BackSurface();
  Randomize();
  // The emblems stand beside the main menu panel.
  int p = Menus.Panel1.Left;
  int pw = Menus.Panel1.Width;
  int right_left = static_cast<int>(std::lround(p * 1.5)) + pw;
  DrawEmblem("Znak1", p / 2);
  int j2 = DrawEmblem("Znak2", right_left);
  SweepTitle(back);

  const TPictureCollectionItem& emblem = DXImageList.Find("Znak1");
  int w = emblem.Width();
  int h = emblem.Height();
  const TPictureCollectionItem& veil = DXImageList.Find("Caption");
  // Both veils take the right emblem's vertical jitter.
  for (int centre : {p / 2, right_left}) {
    int left = centre - w / 2;
    veil.DrawBlended(back, {left - 10, j2 + EmblemTop, left + w + 20, h + 210}, 0, EmblemVeilOpacity);
  }
  veil.DrawBlended(back, {0, TitleY, DXDraw1.Width(), TitleY + TitleBandHeight}, 0, TitleVeilOpacity);
}

// Blends the emblem around `centre`, moved and widened by a random jitter; gives the vertical jitter.
int TJizdavo::DrawEmblem(const std::string& name, int centre) {
  int j1 = Random(21);
  int j2 = Random(21);
  const TPictureCollectionItem& emblem = DXImageList.Find(name);
  int left = centre - emblem.Width() / 2 + j1 - 10;
  int top = j2 + EmblemTop;
  TRect rect{left, top, left + emblem.Width() + j1 - 10, emblem.Height() + top};
  emblem.DrawBlended(BackSurface(), rect, 0, EmblemOpacity);
  return j2;
}

void TJizdavo::SweepTitle(TSurface& back) {
  int length = static_cast<int>(Game.Title.size());
  if (Game.TitlePos != SweepStopped) {
    ++Game.TitlePos;
    if (Game.TitlePos > 2 * length) Game.TitlePos = 1;
  }
  TCanvas& canvas = back.Canvas();
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Font.Name = "Arial Black";
  canvas.Font.Size = 20;
  canvas.Font.Color = clWhite;
  if (Game.TitlePos != SweepStopped && length > 0) {
    int k = SweepLetter(Game.TitlePos, length);
    int x = canvas.TextWidth(Game.Title.substr(0, k - 1)) + DXDraw1.Width() / 2 -
            canvas.TextWidth(Game.Title) / 2;
    canvas.TextOut(x, TitleY, Game.Title.substr(k - 1, 1));
  }
  back.ReleaseCanvas();
}

}  // namespace jizdavo

// The level picture: ground, roads and the bottom strip painted once into "Pozadi", the barrier lines
// and the finish as sprites, and the run-time images the end sequences and the Car chase use.

#include <string>

#include "sprites/barrier.h"
#include "sprites/cil.h"
#include "state/game_rules.h"
#include "state/level_record.h"
#include "main_window/jizdavo.h"

namespace jizdavo {

namespace {

constexpr TColor EndStripColor = 12632256;  // R 192, G 192, B 192
constexpr TColor EndTextStartColor = 16777214;  // one step off white, the transparent colour
constexpr TColor AlphaColor = 65535;          // yellow
constexpr int EndStripAlpha = 100;

void SetPictureSize(TDIB& picture, int width, int height) {
  picture.SetWidth(width);
  picture.SetHeight(height);
  picture.SetBitCount(24);
}

void FillPicture(TDIB& picture, TColor color) {
  TCanvas& canvas = picture.Canvas();
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = color;
  canvas.FillRect({0, 0, picture.Width(), picture.Height()});
}

// Copies `tile` whole into `target` at (x, y).
void CopyTile(TDIB& target, TPictureCollectionItem& tile, int x, int y) {
  TDIB& source = tile.Picture();
  target.Canvas().CopyFrom(x, y, source.Width(), source.Height(), source.Canvas(), 0, 0);
}

}  // namespace

void TJizdavo::BuildWorld() {
  LevelRecord record = CurrentRecord();
  TPictureCollectionItem& pozadi = DXImageList.Find("Pozadi");
  SetPictureSize(pozadi.Picture(), DXDraw1.Width(), DXDraw1.Height());
  PaintGround(record.Ground);
  for (int r = 0; r < record.Roads; ++r) DrawRoad((record.Lanes + 1) * r);
  pozadi.Rebuild();

  if (Game.ChaseMode) {
    AreaRules rules = ReadAreaRules(record, Game.Level);
    Game.GameTime = rules.TimeLimit;
    Game.CarsToKill = rules.CarsToKill;
    Game.CarsKilled = rules.CarsKilled;
  } else {
    PlaceBarriers(record);
  }
  PrepareEndImage();
  if (Game.ChaseMode) {
    BuildAlpha();
  } else {
    BuildFinish();
  }
}

void TJizdavo::PaintGround(int ground) {
  TPictureCollectionItem& tile = DXImageList.Find("Povrch" + std::to_string(ground));
  TDIB& picture = DXImageList.Find("Pozadi").Picture();
  int tw = tile.Picture().Width();
  int th = tile.Picture().Height();
  // Both bounds inclusive: the last tile may stick out, so the ground covers the whole screen.
  for (int i = 0; i <= DXDraw1.Width() / tw; ++i) {
    for (int j = 0; j <= DXDraw1.Height() / th; ++j) CopyTile(picture, tile, tw * i, th * j);
  }
}

void TJizdavo::DrawRoad(int s) {
  int lanes = CurrentRecord().Lanes;
  TDIB& picture = DXImageList.Find("Pozadi").Picture();
  TPictureCollectionItem& upper_kerb = DXImageList.Find("Krajnice2");
  TPictureCollectionItem& lane = DXImageList.Find("Road");
  TPictureCollectionItem& lower_kerb = DXImageList.Find("Krajnice1");
  int columns = DXDraw1.Width() / 20;
  for (int i = 0; i <= columns; ++i) CopyTile(picture, upper_kerb, 20 * i, Game.RoadTop + 21 * s + 8);
  for (int j = s + 1; j <= s + lanes - 1; ++j) {
    for (int i = 0; i <= columns; ++i) CopyTile(picture, lane, 20 * i, Game.RoadTop + s + 20 * j);
  }
  for (int i = 0; i <= columns; ++i) CopyTile(picture, lower_kerb, 20 * i, Game.RoadTop + s + 20 * (s + lanes));
}

void TJizdavo::PlaceBarriers(const LevelRecord& record) {
  TSprite* root = &DXSpriteEngine.Root;
  for (const BarrierGap& gap : ReadBarrierGaps(record, Game.Level)) {
    int y = BarrierLineY(Game.RoadTop, record.Lanes, gap.Line);
    auto* left = new TBarrier(root);
    left->X = 0;
    left->Y = y;
    left->Width = gap.Left;
    auto* right = new TBarrier(root);
    right->X = gap.Left + gap.Width;
    right->Y = y;
    right->Width = DXDraw1.Width() - (gap.Left + gap.Width);
  }
}

void TJizdavo::PrepareEndImage() {
  int w = DXDraw1.Width();
  int h = DXDraw1.Height();
  TPictureCollectionItem& end = DXImageList.Find("end");
  TDIB& picture = end.Picture();
  SetPictureSize(picture, w, h);
  FillPicture(picture, EndStripColor);
  picture.Canvas().Pen.Width = 2;
  picture.Canvas().MoveTo(1, 1);
  picture.Canvas().LineTo(w, 1);
  end.Rebuild();
  // The strip under the heads-up display: only the top 20 rows of the rectangle are on screen.
  TSurface* backdrop = DXImageList.Find("Pozadi").PatternSurface(0);
  if (backdrop) end.DrawBlended(*backdrop, {0, h - 20, w, 2 * h - 40}, 0, EndStripAlpha);

  // From here "end" is the transparent overlay of the end sequences.
  end.SetTransparentColor(clWhite);
  if (TSurface* overlay = end.PatternSurface(0)) {
    overlay->Canvas().Font.Color = EndTextStartColor;
    overlay->ReleaseCanvas();
    overlay->Fill(0xFFFFFF);
  }
}

void TJizdavo::BuildFinish() {
  TPictureCollectionItem& cil = DXImageList.Find("Cil");
  TDIB& picture = cil.Picture();
  SetPictureSize(picture, 15, 15);
  FillPicture(picture, clWhite);
  TCanvas& canvas = picture.Canvas();
  canvas.Pen.Width = 1;
  canvas.Brush.Color = clBlack;
  for (int i = 0; i <= 15 / 5; ++i) {
    for (int j = 0; j <= 15 / 5; ++j) {
      if (i % 2 == j % 2) canvas.Rectangle(5 * i, 5 * j, 5 * i + 5, 5 * j + 5);
    }
  }
  cil.Rebuild();
  new TCil(&DXSpriteEngine.Root);
}

void TJizdavo::BuildAlpha() {
  TPictureCollectionItem& alpha = DXImageList.Find("Alpha");
  SetPictureSize(alpha.Picture(), 50, 30);
  FillPicture(alpha.Picture(), AlphaColor);
  alpha.Rebuild();
}

}  // namespace jizdavo

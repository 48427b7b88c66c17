// The end of a game: the words grow and darken over the field, the picture freezes, black bars fall
// and pile up, and then the game hands over to the menus.

#include <algorithm>
#include <cmath>

#include "sprites/black.h"
#include "platform/input/scan_codes.h"
#include "state/date_time.h"
#include "state/game_rules.h"
#include "main_window/jizdavo.h"

namespace jizdavo {

namespace {

constexpr double GrowthStep = 0.34;
constexpr uint32_t GrowthInterval = 17;  // ms between growth steps

TColor Darker(TColor c) {
  auto down = [](uint32_t v) { return v == 0 ? 0u : v - 1; };
  return RGB(down(GetRValue(c)), down(GetGValue(c)), down(GetBValue(c)));
}

}  // namespace

// False when the sequence has handed over, which ends the frame without presenting.
bool TJizdavo::RunEndSequence(int LagCount, bool victory) {
  // The next level is unlocked and saved as the game is won, so that no way out of the screens that
  // follow loses it. Raising again is a no-op.
  if (victory && !watching_) RaiseLevelProgress(Game.Level + 1);
  if (Game.EndProgress < kFieldFrozen) GrowEndText(victory);
  if (Game.EndProgress >= kFieldFrozen && Game.EndProgress < kCurtainStart) FreezeField();
  if (Game.EndProgress >= kFieldFrozen) {
    DXImageList.Find("end").DrawAt(BackSurface(), 0, 0, 0);
    DXSpriteEngine.MoveAll(LagCount);
    DXSpriteEngine.DrawAll();
  }
  if (Game.EndProgress < kHandOver) return true;
  HoldBackGameKeys();
  if (watching_) {
    EndWatching(true);
  } else if (victory) {
    HandOverVictory();
  } else {
    HandOverGameOver();
  }
  return false;
}

// "end" is never cleared during the growth, so each larger, darker step leaves a trail of outlines.
void TJizdavo::GrowEndText(bool victory) {
  TPictureCollectionItem& end = DXImageList.Find("end");
  TSurface* overlay = end.PatternSurface(0);
  if (!overlay) return;
  TCanvas& canvas = overlay->Canvas();
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Font.Size = static_cast<int>(std::lrint(Game.EndProgress));
  uint32_t now = Now();
  const uint32_t since = now - Game.AnimTick;
  if (since >= GrowthInterval) {
    Game.EndProgress += GrowthStep;
    canvas.Font.Name = "Arial Black";
    canvas.Font.Color = Darker(canvas.Font.Color);
    // The part of a frame past the step is kept for the next, so the words grow one step per 17 ms on
    // the 16/17/17 ms game frames too (the old game set the clock to now, which there gives a step in
    // only two of three frames); after a longer gap the clock starts afresh, as it did.
    Game.AnimTick = since < 2 * GrowthInterval ? Game.AnimTick + GrowthInterval : now;
  }
  int w = DXDraw1.Width();
  int h = DXDraw1.Height();
  if (victory) {
    canvas.TextOut(w / 2 - canvas.TextWidth("Victory") / 2, h / 2 - canvas.TextHeight("Victory") / 2, "Victory");
  } else {
    canvas.TextOut(w / 2 - canvas.TextWidth("GAME") / 2, h / 2 - canvas.TextHeight("GAME"), "GAME");
    canvas.TextOut(w / 2 - canvas.TextWidth("OVER") / 2, h / 2, "OVER");
  }
  overlay->ReleaseCanvas();
  end.Transparent = true;
  end.DrawAt(BackSurface(), 0, 0, 0);
}

void TJizdavo::FreezeField() {
  TPictureCollectionItem& end = DXImageList.Find("end");
  end.Picture().SetWidth(DXDraw1.Width());
  end.Picture().SetHeight(DXDraw1.Height());
  if (TSurface* frozen = end.PatternSurface(0)) {
    frozen->DrawSurface(0, 0, DXDraw1.GetClientRect(), &BackSurface(), false);
  }
  end.Transparent = false;
  RemoveAllSprites();
  new TBlack(&DXSpriteEngine.Root);
  DXWaveList.Find("Puk").SetFrequency(8000);
  Game.EndProgress = kCurtainStart;
}

void TJizdavo::RemoveAllSprites() {
  DXSpriteEngine.Root.FreeChildren();
  Game.Player = nullptr;  // it went with the others
}

// The game tune fades out while the menus already show (the old game held a black screen for the
// second of the fade).
void TJizdavo::StopGame() {
  FadeOutGameMusicBehind();
  BackSurface().Fill(0);
  Game.InGame = false;
  RemoveAllSprites();
}

void TJizdavo::HandOverGameOver() {
  LastGame = Recorder.Finish(static_cast<uint32_t>(WholeMilliseconds(Game.GameTime)));
  StopGame();
  ResetGame();
  StartMenuMusic();
  ShowPauseMenu(false);
  // A retry is the likeliest wish: one Enter away.
  Menus.Keys.Preselect(Menus.Label19);
  Game.Title = "GAME OVER";
  ShowTitle();
  Game.TitlePos = 0;
}

void TJizdavo::HandOverVictory() {
  LastGame = Recorder.Finish(static_cast<uint32_t>(WholeMilliseconds(Game.GameTime)));
  StopGame();
  Menus.TimeLabel.Caption = FormatTime(Game.GameTime);
  ResetGame();
  StartMenuMusic();
  EndOfLevel();
}

// The last level of a mode completes the game: announced once, before the best-times screens.
void TJizdavo::ShowCompletionNotice() {
  const char* text = nullptr;
  if (!Game.ChaseMode && Game.Level == 16) {
    text = "Congratulation, you have completed all levels of standard game!";
  } else if (Game.ChaseMode && Game.Level == 6) {
    text = "Congratulation, you have completed all levels of car chase game!";
  }
  if (!text) return;
  EndFadeBehind();  // the box holds the frames that would fade the game tune: the fanfare plays alone
  PlayEffect("Fanfare");
  ShowMessage("You win!", text);
}

}  // namespace jizdavo

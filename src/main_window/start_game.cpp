// Starting a game from the new-game screens, and putting the game state back to its defaults.

#include <cmath>

#include "files/best_times.h"
#include "sprites/player.h"
#include "platform/text/text_render.h"
#include "state/date_time.h"
#include "state/game_rules.h"
#include "state/level_record.h"
#include "main_window/jizdavo.h"

namespace jizdavo {

void TJizdavo::Label11Click() { StartTitledGame(true); }

void TJizdavo::StartTitledGame(bool wait_for_menu_tune) {
  // Any other screen has no game to start (the game would run without a level picture).
  if (Game.Title == "NEW GAME STANDARD") {
    StartGame(false, wait_for_menu_tune);
  } else if (Game.Title == "NEW GAME CAR CHASE") {
    StartGame(true, wait_for_menu_tune);
  }
}

void TJizdavo::StartGame(bool chase, bool wait_for_menu_tune) {
  Game.ChaseMode = chase;
  ShowTitle();
  Game.TitlePos = 1000;
  PrepareGrowingWords();
  // The last game's tune may still be fading, and the new one may be the same item.
  EndFadeBehind();
  if (wait_for_menu_tune) {
    FadeOutMenuMusic();
  } else {
    FadeOutMenuMusicBehind();
  }
  HidePanels();
  Menus.ListView1.Clear();
  Game.ScoresListMode = 0;
  Game.Title = chase ? "CAR CHASE SCORES" : "STANDARD GAME SCORES";
  ListView1Click();
  Game.BestTime = ListBestTime();
  const std::optional<Replay> ghost = GhostReplay();
  SetUpPlayField(chase);
  if (ghost) AddGhost(*ghost);
  Game.InGameTrack = TuneNumber(Random(20));
  Game.LastTick = game_clock_ = Now();
  Recorder.Begin({ModeOf(chase), Game.Level, Game.GameDifficulty, Game.TargetCar1, Game.TargetCar2,
                  services_.random.BaseSeed(), Game.LastTick, 0, {}});
  // The first play frame counts from here, not from before the fade and the building of the world.
  DXTimer1.Renew();
  if (PlayMusic.Checked) {
    TWaveCollectionItem& tune = DXWaveList.Find("InGame" + std::to_string(Game.InGameTrack));
    tune.SetVolume(MusicVolume());
    tune.Play(false);
  }
}

void TJizdavo::SetUpPlayField(bool chase) {
  if (!chase) Game.GameTime = 0;
  // The walk cycle and the end words start afresh (any clock long past does that), from the same
  // state in a game and in its replay, whatever the game before left.
  Game.AnimTick = 0;
  // The Car chase start value before the world is built; BuildWorld sets the area's own.
  if (chase) Game.CarsKilled = 10;
  Game.LevelTable = chase ? Areas : Levels;
  LevelRecord record = CurrentRecord();
  Game.RoadTop = RoadTopFor(record.Lanes, record.Roads, DXDraw1.Height(), chase);
  BuildWorld();

  DXTimer1.SetInterval(0);
  BackSurface().Canvas().Font.Color = clBlack;
  BackSurface().ReleaseCanvas();
  services_.window.SetPointerShape(-1);
  Game.InGame = true;
}

// The countdown shrinks and the end words grow through every size between them, a new size every
// frame or two. Their letters are made here, once a run (about 40 ms the first time), so that no game
// frame waits for the font engine.
void TJizdavo::PrepareGrowingWords() {
  TFont font;
  font.Name = "Arial Black";
  const int smallest = static_cast<int>(std::lrint(kEndIdle));
  const int largest = static_cast<int>(std::lrint(kCountdownStart));
  for (font.Size = smallest; font.Size <= largest; ++font.Size) MeasureText(RequestOf(font), "321GAMEOVRVictory");
}

void TJizdavo::ResetGame() {
  Game.LaneGap.fill(0);
  DXInput.Update();
  // The difficulty is left as chosen: "Next level" and "Restart level" play at the one just played.
  Game.Countdown = 3;
  Game.CountdownSize = kCountdownStart;
  Game.EndProgress = kEndIdle;
  Game.Title = "MAIN MENU";
  Game.CountdownDone = false;
  Game.Crashed = false;
  Game.Finished = false;
  Game.TitlePos = 0;
  AddPlayerFigure();
  LoadProgressFiles();
}

void TJizdavo::AddPlayerFigure() {
  auto* player = new TPlayer(&DXSpriteEngine.Root);
  PlaceAtStart(*player);
  player->SetZ(1);
  Game.Player = player;
}

void TJizdavo::PlaceAtStart(TPlayer& figure) {
  figure.WalkPhase = 1.0;
  figure.SetImage(&DXImageList.Find("Clovek1d"));
  figure.Y = 0;
  figure.X = DXDraw1.Width() / 2 - figure.Width / 2;
}

}  // namespace jizdavo

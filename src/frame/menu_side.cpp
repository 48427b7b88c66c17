// What the game needs of the menus: the title, the music between the screens, the pause menu and
// the steps after a won level. The menu screens themselves (panels, lists, gauges) build on these.

#include <string>

#include "frame/date_time.h"
#include "frame/game_rules.h"
#include "frame/jizdavo.h"
#include "menus/best_times.h"
#include "menus/progress.h"

namespace jizdavo {

namespace {

constexpr uint32_t FadeLength = 1000;  // ms

}  // namespace

void TJizdavo::ShowTitle() {
  TSurface& back = BackSurface();
  TCanvas& canvas = back.Canvas();
  canvas.TextOut(DXDraw1.Width() / 2 - canvas.TextWidth(Game.Title) / 2, 20, Game.Title);
  back.ReleaseCanvas();
  if (PlaySE.Checked) DXWaveList.Find("Menu").Play(false);
}

void TJizdavo::HidePanels() { MenuPanelsShown = false; }

void TJizdavo::ShowPauseMenu(bool with_resume) {
  MenuPanelsShown = true;
  PauseResumable = with_resume;
  services_.window.SetPointerShape(1);
}

// The tune goes quieter by 2 hundredths of a decibel a millisecond for one second, then stops.
void TJizdavo::FadeOut(const std::string& tune_name, int start_volume, bool run_frames) {
  TWaveCollectionItem& tune = DXWaveList.Find(tune_name);
  uint32_t t0 = Now();
  uint32_t elapsed = 0;
  do {
    tune.SetVolume(start_volume - 2 * static_cast<int>(elapsed));
    if (run_frames) DXTimer1Timer(0);
    // Wait rather than spin when a pass took less than a millisecond.
    if (Now() - t0 == elapsed) services_.wait(1);
    elapsed = Now() - t0;
  } while (elapsed < FadeLength);
  tune.Stop();
}

void TJizdavo::FadeOutMenuMusic() { FadeOut("MenuTune" + std::to_string(MenuTrack), 0, true); }

void TJizdavo::FadeOutGameMusic(bool run_frames) {
  FadeOut("InGame" + std::to_string(Game.InGameTrack), -1000, run_frames);
}

void TJizdavo::StartMenuMusic() {
  MenuTrack = TuneNumber(Random(20));
  TWaveCollectionItem& tune = DXWaveList.Find("MenuTune" + std::to_string(MenuTrack));
  if (PlayMusic.Checked) {
    tune.Play(false);
  } else {
    tune.Stop();
  }
  // The new tune plays at the recording's own level whatever the music gauge says.
  tune.SetVolume(0);
}

// The best-times loader of the scores screens: the top ten of `Level` for the mode the title names.
void TJizdavo::ListView1Click() {
  const std::string& title = Game.Title;
  bool standard = title == "STANDARD GAME SCORES" || title == "STANDARD GAME TOP TEN TIME";
  bool chase = title == "CAR CHASE SCORES" || title == "CAR CHASE TOP TEN TIME";
  if (Game.ScoresListMode != 0 || !(standard || chase)) return;
  BestTimes = LoadTopTen(services_.data_folder, standard ? GameMode::Standard : GameMode::CarChase, Game.Level);
  Game.ScoresListMode = 2;
}

void TJizdavo::LoadProgressFiles() {
  Game.StandardProgress = LoadProgress(services_.data_folder, GameMode::Standard);
  Game.ChaseProgress = LoadProgress(services_.data_folder, GameMode::CarChase);
}

// After a won level: the completion notice on the last level, then the name entry when the time
// enters the top ten, or the scores list when it does not.
void TJizdavo::EndOfLevel() {
  Game.ScoresListMode = 0;
  Game.Title = Game.ChaseMode ? "CAR CHASE TOP TEN TIME" : "STANDARD GAME TOP TEN TIME";
  ListView1Click();
  ShowCompletionNotice();
  MenuPanelsShown = true;
  EntersTopTen = QualifiesForTopTen(BestTimes, Game.GameTime, ModeOf(Game.ChaseMode));
  if (EntersTopTen) {
    ShowTitle();
  } else {
    Game.ScoresListMode = 0;
    Game.Title = Game.ChaseMode ? "CAR CHASE SCORES" : "STANDARD GAME SCORES";
    ShowTitle();
    ListView1Click();
    Game.ScoresListMode = 10;
  }
  Game.TitlePos = 0;
  services_.window.SetPointerShape(1);
}

bool TJizdavo::FilmIsPlaying() const { return false; }

}  // namespace jizdavo

// The scores list: a level's top ten loaded from the best-times files, the end of a won level (name
// entry or after-game scores), appending a best time, and the unlocked levels.

#include <string>
#include <vector>

#include "files/progress.h"
#include "platform/error.h"
#include "state/date_time.h"
#include "main_window/jizdavo.h"

namespace jizdavo {

namespace {

bool IsScoresTitle(const std::string& title) {
  return title == "STANDARD GAME SCORES" || title == "CAR CHASE SCORES" || title == "CAR CHASE TOP TEN TIME" ||
         title == "STANDARD GAME TOP TEN TIME";
}

bool IsChaseListTitle(const std::string& title) {
  return title == "CAR CHASE SCORES" || title == "CAR CHASE TOP TEN TIME";
}

TDateTime RowTime(const TListItem& item) {
  return item.SubItems.size() < 2 ? 0 : ParseTime(item.SubItems[1]).value_or(0);
}

bool IsLastLevel() { return Game.Level >= LevelCount(ModeOf(Game.ChaseMode)); }

}  // namespace

void TJizdavo::ListView1Click(TControl* Sender) {
  TListView& list = Menus.ListView1;
  if (Sender == &list && !list.Selected()) return;
  if (Game.ScoresListMode == 0 && IsScoresTitle(Game.Title)) {
    LoadBestTimes(Sender);
  } else if (Sender == &list && IsScoresTitle(Game.Title) && list.ViewStyle == TViewStyle::vsReport) {
    // A record of the top ten shown: its replay.
    WatchRecord(*list.Selected());
    return;
  }
  const bool standard_pick = Game.Title == "STANDARD GAME LEVEL";
  if (!(standard_pick || Game.Title == "CAR CHASE LEVEL") || !list.Selected()) return;

  Game.Level = ParseInteger(list.Selected()->Caption).value_or(1);
  Label17Click();
  (standard_pick ? Menus.Label13 : Menus.Label32).Caption = "Level: " + std::to_string(Game.Level);
  if (standard_pick) return;
  ChooseAreaTargets();
  DrawCarType(Menus.Car1, Game.TargetCar1);
  DrawCarType(Menus.Car2, Game.TargetCar2);
}

GameMode TJizdavo::ListedMode() const {
  const bool standard = Game.Title == "STANDARD GAME SCORES" || Game.Title == "STANDARD GAME TOP TEN TIME";
  return standard ? GameMode::Standard : GameMode::CarChase;
}

// The top ten of `Level` for the mode the title names, ranked, in report rows.
void TJizdavo::LoadBestTimes(TControl* Sender) {
  TListView& list = Menus.ListView1;
  if (Sender) ShowTitle();
  if (Sender == &list) Game.Level = ParseInteger(list.Selected()->Caption).value_or(1);
  Menus.Label16.Caption = "Level: " + std::to_string(Game.Level);
  list.BeginUpdate();
  list.Clear();
  for (const BestTimeRow& row : LoadTopTen(services_.data_folder, ListedMode(), Game.Level)) {
    TListItem* item = list.Items.Add();
    item->Caption = row.Rank;
    item->SubItems = {row.Name, row.Time};
  }
  list.EndUpdate();
  ShowFileMessages();
  list.ViewStyle = TViewStyle::vsReport;
  if (Game.ScoresListMode != 10) Game.ScoresListMode = Sender == &list ? 1 : 2;
}

int TJizdavo::ListView1Compare(const TListItem& Item1, const TListItem& Item2) const {
  const TDateTime t1 = RowTime(Item1);
  const TDateTime t2 = RowTime(Item2);
  const int order = t1 < t2 ? -1 : (t1 > t2 ? 1 : 0);
  return IsChaseListTitle(Game.Title) ? -order : order;
}

// The time of rank 1, or 0 for an empty list.
TDateTime TJizdavo::ListBestTime() const {
  const TListItems& items = Menus.ListView1.Items;
  return items.Count() == 0 ? 0 : RowTime(*items[0]);
}

// Whether the game just won enters the top ten the list shows.
bool TJizdavo::ListTakesTime() const {
  std::vector<BestTimeRow> rows;
  const TListItems& items = Menus.ListView1.Items;
  for (int i = 0; i < items.Count(); ++i) rows.push_back({items[i]->Caption, "", "", RowTime(*items[i])});
  return QualifiesForTopTen(rows, Game.GameTime, ModeOf(Game.ChaseMode));
}

void TJizdavo::EndOfLevel() {
  Game.ScoresListMode = 0;
  Game.Title = Game.ChaseMode ? "CAR CHASE TOP TEN TIME" : "STANDARD GAME TOP TEN TIME";
  ListView1Click();
  const bool qualified = ListTakesTime();
  ShowCompletionNotice();
  ShowPanels();
  if (qualified) {
    Menus.ScoresEnter.BringToFront();
    ShowTitle();
  } else {
    Game.ScoresListMode = 0;
    Game.Title = Game.ChaseMode ? "CAR CHASE SCORES" : "STANDARD GAME SCORES";
    ShowTitle();
    ShowAfterGameScores();
  }
  Game.TitlePos = 0;
  services_.window.SetPointerShape(1);
  // The last name is offered selected: typing a new name replaces it, an arrow key keeps it to edit.
  if (qualified) {
    Menus.Edit1.SetFocus();
    Menus.Edit1.SelectAll();
  }
}

// The level's top ten after a game, with "Main menu" and, below the last level, "Next level".
void TJizdavo::ShowAfterGameScores() {
  Menus.Label17.Caption = "Main menu";
  Menus.Label18.Visible = !IsLastLevel();
  ListView1Click();
  Game.ScoresListMode = 10;
  Menus.ListView1.Show();
  Menus.Scores.BringToFront();
  if (Menus.Label18.Visible) Menus.Keys.Preselect(Menus.Label18);  // one Enter to play on
}

void TJizdavo::Label15Click(TControl*) {
  const GameMode mode = ListedMode();
  try {
    const int occurrence = AppendBestTime(services_.data_folder, mode, Game.Level, Menus.Edit1.Text(), Game.GameTime);
    KeepWonReplay(mode, Menus.Edit1.Text(), occurrence);
  } catch (const Error& error) {
    ShowSaveProblem(error.what());
  }
  ShowFileMessages();
  Game.ScoresListMode = 0;
  ShowAfterGameScores();
  Menus.ListView1.SetFocus();
  Game.TitlePos = 0;
  ShowTitle();
}

// A file that cannot be written leaves the game playable: the player is told, and the menus go on.
void TJizdavo::ShowSaveProblem(const std::string& message) { ShowMessage("Jizdavo", message); }

void TJizdavo::ShowMessage(const std::string& title, const std::string& text) {
  services_.window.MessageBox(title, text);
  DXTimer1.Renew();
}

// What reading the files had to tell (a file refused or read only in part, the files kept in memory),
// once the display is up; until then it waits.
void TJizdavo::ShowFileMessages() {
  if (DXDraw1.BackSurface() == nullptr) return;
  for (const std::string& message : TakePlayerMessages()) ShowSaveProblem(message);
}

void TJizdavo::RaiseLevelProgress(int level) {
  std::string& progress = Game.ChaseMode ? Game.ChaseProgress : Game.StandardProgress;
  try {
    RaiseProgress(services_.data_folder, ModeOf(Game.ChaseMode), progress, level);
  } catch (const Error& error) {
    ShowSaveProblem(error.what());
  }
  ShowFileMessages();
}

// A level unlocked this run stays so where its file could not be written: the old file would take it
// back, and unlocking it again would tell the player a second time.
void TJizdavo::LoadProgressFiles() {
  const auto reload = [this](std::string& progress, GameMode mode) {
    std::string stored = LoadProgress(services_.data_folder, mode);
    if (ParseInteger(stored).value_or(1) >= ParseInteger(progress).value_or(1)) progress = std::move(stored);
  };
  reload(Game.StandardProgress, GameMode::Standard);
  reload(Game.ChaseProgress, GameMode::CarChase);
  ShowFileMessages();
}

}  // namespace jizdavo

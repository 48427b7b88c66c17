// Moving between the menu screens: the main menu, the new-game screens, the level lists, pause and
// game over, credits, and the wanted-car cells of a car chase.

#include <string>

#include "files/data_folder.h"
#include "platform/input/scan_codes.h"
#include "state/game_rules.h"
#include "state/level_record.h"
#include "main_window/jizdavo.h"

namespace jizdavo {

namespace {


}  // namespace

void TJizdavo::WireMenuHandlers() {
  WireNavigation();
  WireOptions();
  WireKeyboard();
}

void TJizdavo::WireNavigation() {
  TMenuScreens& m = Menus;
  auto on = [this](void (TJizdavo::*handler)(TControl*)) {
    return [this, handler](TControl* sender) { (this->*handler)(sender); };
  };
  m.Label2.OnClick = on(&TJizdavo::Label2Click);
  m.Label3.OnClick = on(&TJizdavo::Label3Click);
  m.Label31.OnClick = on(&TJizdavo::Label31Click);
  m.Label28.OnClick = on(&TJizdavo::Label28Click);
  m.Label22.OnClick = on(&TJizdavo::Label22Click);
  m.Label33.OnClick = on(&TJizdavo::Label33Click);
  m.Label6.OnClick = on(&TJizdavo::Label6Click);
  for (TLabel* item : {&m.Label8, &m.Label9, &m.Label10}) item->OnClick = on(&TJizdavo::Label8Click);
  m.Label13.OnClick = on(&TJizdavo::Label13Click);
  m.Label32.OnClick = on(&TJizdavo::Label32Click);
  for (TLabel* start : {&m.Label11, &m.Label29}) start->OnClick = [this](TControl*) { Label11Click(); };
  for (TLabel* back : {&m.Label12, &m.Label30, &m.Label23}) back->OnClick = on(&TJizdavo::Label12Click);
  m.Label17.OnClick = on(&TJizdavo::Label17Click);
  m.Label18.OnClick = on(&TJizdavo::Label18Click);
  m.Label21.OnClick = on(&TJizdavo::Label21Click);
  m.Label20.OnClick = on(&TJizdavo::Label20Click);
  m.Label19.OnClick = on(&TJizdavo::Label19Click);
  m.Label42.OnClick = on(&TJizdavo::Label42Click);
  m.ListView1.OnClick = on(&TJizdavo::ListView1Click);
  m.ListView1.OnEnter = on(&TJizdavo::ListView1Enter);
  m.ListView1.OnCompare = [this](TControl*, TListItem* a, TListItem* b, int, int& result) {
    result = ListView1Compare(*a, *b);
  };
  for (TLabel* time : {&m.Label14, &m.TimeLabel}) time->OnClick = on(&TJizdavo::Label14Click);
  m.Label15.OnClick = on(&TJizdavo::Label15Click);
  m.Edit1.OnKeyPress = [this](TControl* sender, char& key) { Edit1KeyPress(sender, key); };
}

// The name field keeps its keys; other keys work the menus, and the mouse hides their highlight.
void TJizdavo::HandleWindowEvent(const WindowEvent& event) {
  const bool used = Menus.Layer.HandleEvent(event);
  if (!used || event.kind != WindowEvent::Kind::KeyDown) Menus.Keys.HandleEvent(event);
}

// A key the game read as it ended (the skip, or one still held) has done its work: until it is let
// go, neither its press, which may still be on its way, nor its character works or types anything in
// the screen it brought up. A tap whose events all came before the read is over already.
void TJizdavo::HoldBackGameKeys() {
  for (int code = 1; code < 256; ++code) {
    if (!DXInput.Keyboard.Keys(code)) continue;
    if (pressed_before_read_[static_cast<size_t>(code)] && !Menus.Layer.KeyDown(code)) continue;
    Menus.Layer.HoldBack(code);
  }
}

void TJizdavo::ShowPanels() {
  for (TControl* panel : PanelSet(Menus)) panel->Show();
}

void TJizdavo::HidePanels() {
  for (TControl* panel : PanelSet(Menus)) panel->Hide();
  Menus.ListView1.Hide();
}

void TJizdavo::ShowPauseMenu(bool with_resume) {
  Menus.Label21.Visible = with_resume;
  Menus.Pause.Show();
  Menus.Pause.BringToFront();
  services_.window.SetPointerShape(1);
}

void TJizdavo::EnterScreen(const char* title, TControl& panel) {
  Game.Title = title;
  ShowTitle();
  Game.TitlePos = 0;
  panel.BringToFront();
}

void TJizdavo::Label2Click(TControl*) {
  Game.Level = 1;
  Menus.Label13.Caption = "Level: 1";
  EnterScreen("NEW GAME STANDARD", Menus.NewG);
}

// "Your time is:" leaves the name entry, saving nothing, for the new game of the mode just played.
void TJizdavo::Label14Click(TControl* Sender) {
  if (Game.ChaseMode) {
    Label3Click(Sender);
  } else {
    Label2Click(Sender);
  }
}

void TJizdavo::Label3Click(TControl*) {
  Game.Level = 1;
  Menus.Label32.Caption = "Level: 1";
  EnterScreen("NEW GAME CAR CHASE", Menus.NewGCH);
  ChooseTargetCars();
  DrawCarType(Menus.Car1, Game.TargetCar1);
  DrawCarType(Menus.Car2, Game.TargetCar2);
}

// Two different wanted types at random.
void TJizdavo::ChooseTargetCars() {
  Game.TargetCar1 = Random(kCarTypes) + 1;
  do {
    Game.TargetCar2 = Random(kCarTypes) + 1;
  } while (Game.TargetCar2 == Game.TargetCar1);
}

// The wanted types of area `Level`: every car when its rules say so, else two at random.
void TJizdavo::ChooseAreaTargets() {
  const std::string& rules = ReadLevelRecord(Areas, Game.Level, true).Rules;
  if (!rules.empty() && rules.back() == '1') {
    Game.TargetCar1 = 0;
    Game.TargetCar2 = 0;
  } else {
    ChooseTargetCars();
  }
}

// The level list of the Scores panel: items 1 .. count in rows.
void TJizdavo::FillLevelList(int count) {
  TListView& list = Menus.ListView1;
  list.BeginUpdate();
  list.Clear();
  list.ViewStyle = TViewStyle::vsSmallIcon;
  for (int level = 1; level <= count; ++level) list.Items.Add()->Caption = std::to_string(level);
  Game.ScoresListMode = 0;
  list.EndUpdate();
}

void TJizdavo::OpenLevelList(const char* title, int count) {
  Game.Title = title;
  ShowTitle();
  Menus.Label16.Caption = "Select level";
  Menus.Label17.Caption = "Back";
  Menus.Label18.Hide();
  Game.TitlePos = 0;
  FillLevelList(count);
  Menus.ListView1.Show();
  Menus.Scores.BringToFront();
}

void TJizdavo::Label31Click(TControl*) {
  OpenLevelList("STANDARD GAME SCORES", static_cast<int>(Levels.size() / 4));
}

void TJizdavo::Label28Click(TControl*) {
  OpenLevelList("CAR CHASE SCORES", static_cast<int>(Areas.size() / 4));
}

void TJizdavo::Label13Click(TControl*) {
  OpenLevelList("STANDARD GAME LEVEL", ParseInteger(Game.StandardProgress).value_or(1));
}

void TJizdavo::Label32Click(TControl*) {
  OpenLevelList("CAR CHASE LEVEL", ParseInteger(Game.ChaseProgress).value_or(1));
}

void TJizdavo::Label22Click(TControl*) { EnterScreen("OPTIONS", Menus.Options); }

void TJizdavo::Label33Click(TControl*) { EnterScreen("CREDITS", Menus.Credits); }

void TJizdavo::Label42Click(TControl*) { EnterScreen("MAIN MENU", Menus.Panel1); }

void TJizdavo::Label6Click(TControl*) {
  ShowTitle();
  Game.TitlePos = 1000;
  FadeOutMenuMusic();
  services_.window.Close();
}

void TJizdavo::Label8Click(TControl* Sender) {
  TLabel* items[] = {&Menus.Label8, &Menus.Label9, &Menus.Label10};
  for (int value = 1; value <= 3; ++value) {
    if (Sender != items[value - 1]) continue;
    Menus.Difficulty.Top = items[value - 1]->Top;
    Game.GameDifficulty = value;
  }
}

void TJizdavo::Label17Click(TControl*) {
  TMenuScreens& m = Menus;
  if (m.Label17.Caption == "Main menu") {
    ++Game.Level;
    RaiseLevelProgress(Game.Level);
  }
  const bool browser = Game.Title == "STANDARD GAME SCORES" || Game.Title == "CAR CHASE SCORES";
  auto leave_list = [&](const char* title, TControl& panel) {
    panel.BringToFront();
    m.ListView1.Hide();
    m.ListView1.Clear();
    Game.ScoresListMode = 0;
    Game.Title = title;
    ShowTitle();
    Game.TitlePos = 0;
  };
  if (((Game.ScoresListMode == 0 || Game.ScoresListMode == 2) && browser) || Game.ScoresListMode == 10) {
    leave_list("MAIN MENU", m.Panel1);
  } else if (Game.Title == "STANDARD GAME LEVEL") {
    leave_list("NEW GAME STANDARD", m.NewG);
  } else if (Game.Title == "CAR CHASE LEVEL") {
    leave_list("NEW GAME CAR CHASE", m.NewGCH);
  } else {
    // One level's top ten of the browser: back to its level list.
    ShowTitle();
    m.Label17.Caption = "Back";
    m.Label16.Caption = "Select level";
    const auto& table = Game.Title != "STANDARD GAME SCORES" ? Areas : Levels;
    FillLevelList(static_cast<int>(table.size() / 4));
  }
}

void TJizdavo::Label18Click(TControl*) {
  ++Game.Level;
  if (Game.ChaseMode) {
    Game.Title = "NEW GAME CAR CHASE";
    RaiseLevelProgress(Game.Level);
    ChooseAreaTargets();
  } else {
    Game.Title = "NEW GAME STANDARD";
    RaiseLevelProgress(Game.Level);
  }
  StartTitledGame(false);
}

void TJizdavo::ListView1Enter(TControl*) { Menus.Layer.SetFocusedControl(nullptr); }

void TJizdavo::Edit1KeyPress(TControl*, char& Key) {
  if (Key != kKeyEnter) return;
  Key = 0;
  Label15Click();
}

void TJizdavo::Label21Click(TControl*) {
  Menus.Pause.Hide();
  Game.TitlePos = 1000;
  ShowTitle();
  resuming_ = true;
  services_.window.SetPointerShape(-1);
}

void TJizdavo::Label20Click(TControl*) {
  Recorder.Stop();
  RemoveAllSprites();
  Game.TitlePos = 1000;
  ShowTitle();
  if (Menus.Label21.Visible) {
    FadeOutGameMusic();
    StartMenuMusic();
  }
  ResetGame();
  ShowPanels();
  Game.Title = "MAIN MENU";
  ShowTitle();
  Menus.Panel1.BringToFront();
}

void TJizdavo::Label19Click(TControl*) {
  RemoveAllSprites();
  ResetGame();
  PlayEffect("Menu");
  const bool paused = Menus.Label21.Visible;
  if (paused) FadeOutGameMusic();
  HidePanels();
  Game.Title = Game.ChaseMode ? "NEW GAME CAR CHASE" : "NEW GAME STANDARD";
  StartTitledGame(paused);
}

}  // namespace jizdavo

#include "soak_player.h"

#include <algorithm>
#include <string>

#include "files/best_times.h"
#include "platform/input/scan_codes.h"

namespace jizdavo::soak {

namespace {

// Frames a game may take before the player gives up on it: twice the longest Car chase clock.
constexpr int kGameBudget = 14000;
// Frames an end sequence may still take after that.
constexpr int kEndingGrace = 3000;
constexpr const char* kNameLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .-'";

}  // namespace

void SoakPlayer::Expect(bool condition, const char* what) const {
  if (!condition) throw SoakFailure(std::string(what) + " (screen \"" + Game.Title + "\")");
}

void SoakPlayer::Idle(int max_frames) { machine_.Frames(Pick(1, max_frames)); }

void SoakPlayer::PlayEpisode() {
  Expect(!Game.InGame && Game.Title == "MAIN MENU" && machine_.Menus().Panel1.InFront(), "back on the main menu");
  Idle(40);
  const int roll = Pick(1, 100);
  if (roll <= 45) {
    StandardEpisode();
  } else if (roll <= 70) {
    ChaseEpisode();
  } else if (roll <= 85) {
    OptionsEpisode();
  } else if (roll <= 95) {
    ScoresEpisode();
  } else {
    CreditsEpisode();
  }
}

void SoakPlayer::PickLevel(TControl& opener, int unlocked) {
  machine_.Click(opener);
  Expect(machine_.Menus().ListView1.Showing(), "the level list opens");
  Idle(10);
  const int level = Pick(1, unlocked);
  machine_.ClickListItem(level);
  Expect(Game.Level == level, "the picked level is taken");
}

void SoakPlayer::StandardEpisode() {
  TMenuScreens& m = machine_.Menus();
  machine_.Click(m.Label2);
  Expect(Game.Title == "NEW GAME STANDARD", "Standard opens its new-game screen");
  TLabel* difficulties[] = {&m.Label8, &m.Label9, &m.Label10};
  const int difficulty = Pick(1, 3);
  machine_.Click(*difficulties[difficulty - 1]);
  Expect(Game.GameDifficulty == difficulty, "the difficulty is taken");
  if (Chance(60)) PickLevel(m.Label13, ParseInteger(Game.StandardProgress).value_or(1));
  Expect(Game.Title == "NEW GAME STANDARD", "the level list returns to the new-game screen");
  if (Chance(5)) {
    machine_.Click(m.Label12);
    return;
  }
  PlayGames(m.Label11);
}

void SoakPlayer::ChaseEpisode() {
  TMenuScreens& m = machine_.Menus();
  machine_.Click(m.Label3);
  Expect(Game.Title == "NEW GAME CAR CHASE", "Car chase opens its new-game screen");
  if (Chance(60)) PickLevel(m.Label32, ParseInteger(Game.ChaseProgress).value_or(1));
  Expect(Game.Title == "NEW GAME CAR CHASE", "the area list returns to the new-game screen");
  if (Chance(5)) {
    machine_.Click(m.Label30);
    return;
  }
  PlayGames(m.Label29);
}

void SoakPlayer::PlayGames(TControl& start) {
  machine_.Click(start);
  for (;;) {
    const Ending ending = PlayOneGame();
    if (ending == Ending::Aborted) break;
    if (!(ending == Ending::Lost ? AfterLoss() : AfterWin())) break;
  }
  Expect(Game.Title == "MAIN MENU", "leaving the games ends on the main menu");
}

SoakPlayer::Ending SoakPlayer::PlayOneGame() {
  Expect(Game.InGame, "the game starts");
  ++tally_.started;
  // Half of the Standard games run without traffic, so that the walker wins them.
  traffic_ = Game.ChaseMode || Chance(50);
  machine_.Random().SetTraffic(traffic_);
  bool left = false;
  RunGameFrames(!Game.ChaseMode, left);
  machine_.ReleaseKeys();
  machine_.Random().SetTraffic(true);
  if (left) {
    ++tally_.aborted;
    return Ending::Aborted;
  }
  const TMenuScreens& m = machine_.Menus();
  if (m.Pause.InFront() && !m.Label21.Visible) {
    ++tally_.lost;
    return Ending::Lost;
  }
  Expect(m.ScoresEnter.InFront() || Game.ScoresListMode == 10, "a won game shows the name entry or the scores");
  ++tally_.won;
  return Ending::Won;
}

// Frames until the game ends; `left` when the player went to the main menu from the pause panel.
void SoakPlayer::RunGameFrames(bool walk_to_finish, bool& left) {
  const int pause_at = Chance(35) ? Pick(60, 1500) : -1;
  const int abort_at = Chance(10) ? Pick(60, 2000) : kGameBudget;
  for (int frame = 0; Game.InGame && !left; ++frame) {
    const bool live = Game.CountdownDone && !Game.Crashed && !Game.Finished;
    if (live && (frame == pause_at || frame >= abort_at)) {
      if (frame >= kGameBudget) ++tally_.gave_up;
      left = !PauseDuringGame(frame >= abort_at);
      continue;
    }
    Expect(frame < kGameBudget + kEndingGrace, "a game comes to an end");
    walk_to_finish ? pilot_.Steer() : pilot_.Wander();
    machine_.Frame();
  }
}

// Esc, then resume or (`leave`, or now and then) the main menu. False when the game was left.
bool SoakPlayer::PauseDuringGame(bool leave) {
  machine_.ReleaseKeys();
  machine_.Hold(kScanEscape, true);
  machine_.Frame();
  machine_.Hold(kScanEscape, false);
  TMenuScreens& m = machine_.Menus();
  // The game may have ended in that very frame; its own screens follow.
  if (Game.InGame || !m.Label21.Visible) return true;
  Expect(Game.Title == "PAUSED" && m.Pause.InFront(), "Esc pauses the game");
  ++tally_.paused;
  Idle(60);
  if (leave || Chance(20)) {
    machine_.Click(m.Label20);
    return false;
  }
  machine_.Click(m.Label21);
  machine_.Frames(1);
  Expect(Game.InGame, "Resume game goes on with the game at the next frame");
  ++tally_.resumed;
  return true;
}

bool SoakPlayer::AfterLoss() {
  TMenuScreens& m = machine_.Menus();
  Idle(60);
  if (!finishing_ && Chance(50)) {
    machine_.Click(m.Label19);
    return true;
  }
  machine_.Click(m.Label20);
  return false;
}

bool SoakPlayer::AfterWin() {
  TMenuScreens& m = machine_.Menus();
  Idle(30);
  if (m.ScoresEnter.InFront()) EnterName();
  Expect(Game.ScoresListMode == 10 && m.Label17.Caption == "Main menu", "the scores list follows a won game");
  const GameMode mode = ModeOf(Game.ChaseMode);
  int32_t& progress = Game.ChaseMode ? tally_.chase_progress : tally_.standard_progress;
  progress = std::max(progress, std::min(Game.Level + 1, LevelCount(mode)));
  Idle(30);
  if (!finishing_ && m.Label18.Visible && Chance(60)) {
    machine_.Click(m.Label18);
    return true;
  }
  machine_.Click(m.Label17);
  return false;
}

void SoakPlayer::EnterName() {
  TMenuScreens& m = machine_.Menus();
  const std::string letters = kNameLetters;
  std::string typed;
  for (int i = Pick(0, 20); i > 0; --i) typed += letters[Pick(0, static_cast<int>(letters.size()) - 1)];
  machine_.Type(typed);
  Idle(20);
  Expect(m.Edit1.Text().size() <= kMaxNameLength, "the name field keeps names short enough to store");
  tally_.entered.push_back({ModeOf(Game.ChaseMode), Game.Level, m.Edit1.Text()});
  machine_.PressKey(kKeyEnter);
}

void SoakPlayer::OptionsEpisode() {
  TMenuScreens& m = machine_.Menus();
  TJizdavo& window = machine_.Window();
  machine_.Click(m.Label22);
  Expect(Game.Title == "OPTIONS", "Options opens");
  ++tally_.option_visits;
  TControl* buttons[] = {&window.PlayMusic, &window.PlaySE, &window.FPS, &m.Image1, &m.Image2};
  for (int i = Pick(1, 6); i > 0; --i) {
    const int what = Pick(0, 6);
    if (what < 5) {
      machine_.Click(*buttons[what]);
    } else {
      TControl& shape = what == 5 ? static_cast<TControl&>(m.Shape2) : m.Shape3;
      machine_.Drag(shape, Pick(0, shape.Width - 1), Pick(-20, shape.Width + 20));
    }
    Idle(20);
  }
  machine_.Click(m.Label23);
  Expect(Game.Title == "MAIN MENU", "Back leaves Options for the main menu");
}

void SoakPlayer::ScoresEpisode() {
  TMenuScreens& m = machine_.Menus();
  const bool chase = Chance(40);
  machine_.Click(chase ? m.Label28 : m.Label31);
  Expect(m.ListView1.Showing(), "the scores browser lists the levels");
  ++tally_.score_visits;
  Idle(20);
  machine_.ClickListItem(Pick(1, LevelCount(chase ? GameMode::CarChase : GameMode::Standard)));
  Expect(Game.ScoresListMode == 1, "a level's top ten shows");
  Idle(20);
  machine_.Click(m.Label17);
  Expect(Game.ScoresListMode == 0 && m.ListView1.Showing(), "Back returns to the level list");
  machine_.Click(m.Label17);
  Expect(Game.Title == "MAIN MENU", "Back leaves the scores for the main menu");
}

void SoakPlayer::CreditsEpisode() {
  TMenuScreens& m = machine_.Menus();
  machine_.Click(m.Label33);
  Expect(Game.Title == "CREDITS", "Credits opens");
  ++tally_.credit_visits;
  Idle(60);
  machine_.Click(m.Label42);
  Expect(Game.Title == "MAIN MENU", "Back leaves the credits for the main menu");
}

}  // namespace jizdavo::soak

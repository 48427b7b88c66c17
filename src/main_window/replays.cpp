// Replays of the best times: the won game's replay kept beside its record, replays that leave the
// top ten removed, and a record's replay watched from the scores list.

#include <algorithm>
#include <string>
#include <vector>

#include "sprites/ghost.h"
#include "platform/error.h"
#include "platform/input/scan_codes.h"
#include "state/date_time.h"
#include "state/game_rules.h"
#include "main_window/jizdavo.h"

namespace jizdavo {

// Called once the won game's record has been appended under `name`.
void TJizdavo::KeepWonReplay(const std::string& name) {
  if (!LastGame) return;
  const GameMode mode = LastGame->mode;
  const std::optional<TDateTime> time = ParseTime(FormatTime(Game.GameTime));
  try {
    SaveReplay(services_.data_folder, mode, Game.Level, StoredName(name), time.value_or(0), *LastGame);
  } catch (const Error& error) {
    ShowSaveProblem(error.what());
  }
  LastGame.reset();
}

// The records of `before` no longer in the level's top ten lose their replays.
void TJizdavo::DropReplaysLeavingTopTen(GameMode mode, const std::vector<BestTimeRow>& before) {
  const std::vector<BestTimeRow> after = LoadTopTen(services_.data_folder, mode, Game.Level);
  for (const BestTimeRow& row : before) {
    const bool stays = std::any_of(after.begin(), after.end(), [&row](const BestTimeRow& kept) {
      return kept.Name == row.Name && kept.Time == row.Time;
    });
    if (!stays) RemoveReplay(services_.data_folder, mode, Game.Level, row.Name, row.Value);
  }
}

// A record of the list shown: its replay, if it has one that reads and leads to its time.
void TJizdavo::WatchRecord(const TListItem& row) {
  if (row.SubItems.size() < 2) return;
  const GameMode mode = ListedMode();
  const std::string& name = row.SubItems[0];
  const TDateTime time = ParseTime(row.SubItems[1]).value_or(0);
  std::optional<Replay> replay;
  try {
    replay = LoadReplay(services_.data_folder, mode, Game.Level, name, time);
  } catch (const Error& error) {
    ShowSaveProblem(error.what());
    return;
  }
  // Older records have none: the list stays as it is.
  if (!replay) return;
  if (replay->mode != mode || replay->level != Game.Level || replay->result_ms != WholeMilliseconds(time)) {
    ShowSaveProblem("This replay is not the game of its record.");
    return;
  }
  WatchReplay(*replay, name);
}

// The best run of this level made at the difficulty being played: the first in rank order of the
// list Start loaded whose replay was played at it, since one list holds the times of every difficulty.
std::optional<Replay> TJizdavo::BestReplayAtDifficulty() {
  const TListItems& rows = Menus.ListView1.Items;
  for (int i = 0; i < rows.Count(); ++i) {
    if (rows[i]->SubItems.size() < 2) continue;
    std::optional<Replay> replay;
    try {
      replay = LoadReplay(services_.data_folder, GameMode::Standard, Game.Level, rows[i]->SubItems[0],
                          ParseTime(rows[i]->SubItems[1]).value_or(0));
    } catch (const Error&) {
      continue;  // said when it is watched
    }
    if (replay && replay->mode == GameMode::Standard && replay->level == Game.Level &&
        replay->difficulty == Game.GameDifficulty) {
      return replay;
    }
  }
  return std::nullopt;
}

// The ghost's walk starts at the tick "GO" came with; the ticks its player paused at did not walk.
void TJizdavo::AddGhost() {
  if (!Ghost.Checked || Game.ChaseMode) return;
  const std::optional<Replay> replay = BestReplayAtDifficulty();
  if (!replay) return;
  std::vector<GhostStep> steps;
  int countdown_steps = 0;
  for (const ReplayTick& tick : replay->ticks) {
    countdown_steps += tick.countdown_steps;
    if (countdown_steps < 3 || (tick.keys & kReplayEscape)) continue;
    const HeldDirections held{(tick.keys & kReplayUp) != 0, (tick.keys & kReplayDown) != 0,
                              (tick.keys & kReplayLeft) != 0, (tick.keys & kReplayRight) != 0};
    steps.push_back({held, tick.lag});
  }
  auto* ghost = new TGhost(&DXSpriteEngine.Root, std::move(steps));
  PlaceAtStart(*ghost);
  ghost->SetZ(0);  // under the player and the cars
}

void TJizdavo::WatchReplay(const Replay& replay, const std::string& name) {
  const TDateTime best = ListBestTime();
  watching_.emplace(Watch{ReplayPlayer(replay), name, services_.random.BaseSeed(), Game});
  HidePanels();
  RemoveAllSprites();
  ResetGame();
  Game.ChaseMode = replay.mode == GameMode::CarChase;
  Game.Level = replay.level;
  Game.GameDifficulty = replay.difficulty;
  Game.TargetCar1 = replay.target_car1;
  Game.TargetCar2 = replay.target_car2;
  Game.BestTime = best;
  Game.TitlePos = 1000;
  PrepareGrowingWords();
  SetUpPlayField(Game.ChaseMode);
  Timer1.SetEnabled(false);
  services_.random.SetBaseSeed(replay.seed);
  Game.LastTick = replay.start_time;
  DXTimer1.Renew();
}

// Esc or a mouse button pressed after the replay started (not the press that started it).
bool TJizdavo::WatcherLeaves() {
  const bool pressed = DXInput.Keyboard.Keys(kKeyEscape) || DXInput.Mouse.Buttons(0) || DXInput.Mouse.Buttons(1);
  if (!pressed) watching_->released = true;
  return pressed && watching_->released;
}

void TJizdavo::EndWatching(bool to_the_end) {
  const bool truthful = GameIsWon(Game) && WholeMilliseconds(Game.GameTime) == watching_->player.Tape().result_ms;
  const Watch watch = std::move(*watching_);
  watching_.reset();
  services_.random.SetBaseSeed(watch.own_seed);
  Timer1.SetEnabled(false);
  RemoveAllSprites();
  BackSurface().Fill(0);
  Game = watch.menus;
  Game.Player = nullptr;
  ResetGame();
  Game.Title = watch.menus.Title;
  Game.InGame = false;
  ShowPanels();
  Menus.ListView1.Show();
  Menus.Scores.BringToFront();
  ShowTitle();
  Game.TitlePos = 0;
  services_.window.SetPointerShape(1);
  if (to_the_end && !truthful) {
    ShowSaveProblem("This replay does not end at its record's time (the file was altered, or the game has "
                    "changed since). The record stays.");
  }
}

}  // namespace jizdavo

// Replays of the best times: the won game's replay kept beside its record (and only the top ten's
// kept), a record's replay watched from the scores list, and the best run's ghost, from a replay the
// watcher accepts.

#include <functional>
#include <string>
#include <vector>

#include "sprites/ghost.h"
#include "platform/error.h"
#include "platform/input/scan_codes.h"
#include "state/date_time.h"
#include "state/game_rules.h"
#include "main_window/jizdavo.h"

namespace jizdavo {

namespace {

constexpr const char* kUntrueReplay =
    "This replay does not end at its record's time (the file was altered, or the game has changed since). "
    "The record stays.";

// Which of the list's records with its name and time `row` is: equal times keep the order they were
// entered in, so the others entered before it are the rows above it.
int OccurrenceInList(const TListItems& rows, const TListItem& row) {
  int occurrence = 1;
  for (int i = 0; i < row.Index(); ++i) {
    if (rows[i]->SubItems == row.SubItems) ++occurrence;
  }
  return occurrence;
}

}  // namespace

// Called once the won game's record has been appended under `name`.
void TJizdavo::KeepWonReplay(GameMode mode, const std::string& name, int occurrence) {
  const std::optional<TDateTime> time = ParseTime(FormatTime(Game.GameTime));
  const Replay* replay = LastGame ? &*LastGame : nullptr;
  SaveRecordReplay(services_.data_folder, mode, Game.Level, name, time.value_or(0), occurrence, replay);
  LastGame.reset();
}

std::optional<Replay> TJizdavo::RecordReplay(GameMode mode, int level, const std::string& name, TDateTime time,
                                             int occurrence, std::string* problem) {
  std::optional<Replay> replay;
  try {
    replay = LoadReplay(services_.data_folder, mode, level, name, time, occurrence);
  } catch (const Error& error) {
    if (problem) *problem = error.what();
    return std::nullopt;
  }
  // Older records have none.
  if (!replay) return std::nullopt;
  if (replay->mode != mode || replay->level != level || replay->result_ms != WholeMilliseconds(time)) {
    if (problem) *problem = "This replay is not the game of its record.";
    return std::nullopt;
  }
  return replay;
}

std::optional<Replay> TJizdavo::AcceptedReplay(GameMode mode, int level, const std::string& name, TDateTime time,
                                               int occurrence) {
  std::optional<Replay> replay = RecordReplay(mode, level, name, time, occurrence, nullptr);
  if (!replay) return std::nullopt;
  const std::string bytes = EncodeReplay(*replay);
  auto known = replay_verdicts_.find(bytes);
  if (known == replay_verdicts_.end()) known = replay_verdicts_.emplace(bytes, PlaysToItsTime(*replay)).first;
  if (!known->second) return std::nullopt;
  return replay;
}

// The game a replay decides, from the state a game starts in.
void TJizdavo::SetUpReplayedGame(const Replay& replay) {
  RemoveAllSprites();
  ResetGame();
  Game.ChaseMode = replay.mode == GameMode::CarChase;
  Game.Level = replay.level;
  Game.GameDifficulty = replay.difficulty;
  Game.TargetCar1 = replay.target_car1;
  Game.TargetCar2 = replay.target_car2;
  SetUpPlayField(Game.ChaseMode);
  Timer1.SetEnabled(false);
  services_.random.SetBaseSeed(replay.seed);
  Game.LastTick = game_clock_ = replay.start_time;
}

// The replay played through unseen, as the watcher plays it, up to the end of its game: won, at its
// record's time. Everything it changed is put back after.
bool TJizdavo::PlaysToItsTime(const Replay& replay) {
  const TGameState before = Game;
  const uint64_t own_seed = services_.random.BaseSeed();
  SetUpReplayedGame(replay);
  watching_.emplace(Watch{ReplayPlayer(replay), "", own_seed, before});
  drawing_ = false;
  while (!watching_->player.Done() && !GameIsOver(Game)) {
    const GameTick tick = NextTick(0);
    in_tick_ = true;
    tick_time_ = tick.time;
    tick_keys_ = tick.keys;
    StepFrame(tick.lag);
    in_tick_ = false;
  }
  const bool holds = GameIsWon(Game) && WholeMilliseconds(Game.GameTime) == replay.result_ms;
  drawing_ = true;
  watching_.reset();
  services_.random.SetBaseSeed(own_seed);
  Timer1.SetEnabled(false);
  RemoveAllSprites();
  Game = before;
  AddPlayerFigure();
  return holds;
}

// A record of the list shown: its replay, if it has one that reads and is the game of its record. One
// that does not end at its record's time is said so when it ends.
void TJizdavo::WatchRecord(const TListItem& row) {
  if (row.SubItems.size() < 2) return;
  const std::string& name = row.SubItems[0];
  const TDateTime time = ParseTime(row.SubItems[1]).value_or(0);
  std::string problem;
  const std::optional<Replay> replay =
      RecordReplay(ListedMode(), Game.Level, name, time, OccurrenceInList(Menus.ListView1.Items, row), &problem);
  if (!problem.empty()) {
    ShowSaveProblem(problem);
    return;
  }
  // Older records have none: the list stays as it is.
  if (replay) WatchReplay(*replay, name);
}

// The best run of this level made at the difficulty being played, from a replay the watcher accepts:
// the first such in rank order of the list Start loaded, since one list holds the times of every
// difficulty. Asked before the level's world is built, as the check plays the replay in a world of its
// own; a problem is said when the record is watched.
std::optional<Replay> TJizdavo::GhostReplay() {
  const TListItems& rows = Menus.ListView1.Items;
  if (!ShowGhost.Checked || Game.ChaseMode) return std::nullopt;
  for (int i = 0; i < rows.Count(); ++i) {
    if (rows[i]->SubItems.size() < 2) continue;
    const std::string& name = rows[i]->SubItems[0];
    const TDateTime time = ParseTime(rows[i]->SubItems[1]).value_or(0);
    const int occurrence = OccurrenceInList(rows, *rows[i]);
    // Read first, so that only a replay of this difficulty is played through.
    const std::optional<Replay> read = RecordReplay(GameMode::Standard, Game.Level, name, time, occurrence, nullptr);
    if (!read || read->difficulty != Game.GameDifficulty) continue;
    if (std::optional<Replay> accepted = AcceptedReplay(GameMode::Standard, Game.Level, name, time, occurrence)) {
      return accepted;
    }
  }
  return std::nullopt;
}

// Its walk starts at the tick "GO" came with; the ticks its player paused at did not walk.
void TJizdavo::AddGhost(const Replay& replay) {
  std::vector<GhostStep> steps;
  int countdown_steps = 0;
  for (const ReplayTick& tick : replay.ticks) {
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
  SetUpReplayedGame(replay);
  Game.BestTime = best;
  Game.TitlePos = 1000;
  PrepareGrowingWords();
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
  if (to_the_end) replay_verdicts_[EncodeReplay(watching_->player.Tape())] = truthful;
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
  if (to_the_end && !truthful) ShowSaveProblem(kUntrueReplay);
}

}  // namespace jizdavo

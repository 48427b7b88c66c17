// The frame: input, then the play field while a game runs or the menu backdrop otherwise, then
// presentation. The play frame runs the countdown, pausing, traffic, the sprites, the game clock,
// the end sequences and the heads-up display.

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "sprites/car.h"
#include "platform/input/scan_codes.h"
#include "platform/time/frame_pacer.h"
#include "state/date_time.h"
#include "state/game_rules.h"
#include "state/level_record.h"
#include "main_window/jizdavo.h"

namespace jizdavo {

static_assert(kLongestTick == FramePacer::kLongestCatchUp, "a tick counts at most what the pacer lets through");

void TJizdavo::DXTimer1Timer(int LagCount) {
  DXInput.Update();
  pressed_before_read_ = Menus.Layer.TakeKeysPressed();
  AdvanceFadeBehind();
  if (!DXDraw1.IsDrawable() || FilmIsPlaying()) return;
  // "Resume game" takes effect here, at the start of a tick, whenever the click was handled.
  if (resuming_) Game.InGame = true;
  if (!Game.InGame) {
    MenuFrame();
  } else if (!PlayFrame(LagCount)) {
    return;
  }
  DXDraw1.Present();
}

// False when the frame ends without presenting (pause, hand-overs, the end of a replay).
bool TJizdavo::PlayFrame(int LagCount) {
  if (watching_ && (watching_->player.Done() || WatcherLeaves())) {
    EndWatching(watching_->player.Done());
    return false;
  }
  const GameTick tick = NextTick(LagCount);
  // Every reading of the time within the tick is the tick's, so that replaying the tick's time
  // replays the tick.
  in_tick_ = true;
  tick_time_ = tick.time;
  tick_keys_ = tick.keys;
  const bool presented = StepFrame(tick.lag);
  in_tick_ = false;
  return presented;
}

TJizdavo::GameTick TJizdavo::NextTick(int LagCount) {
  if (!watching_) {
    // The game's time passes in its ticks only, each counting what the frame timer measured for it
    // (never more than kLongestTick): time the game did not run (the pause, the focus elsewhere, a
    // stall) never reaches it, and the game reads no other clock. The tick after the pause counts
    // from the tick the game paused at.
    if (std::exchange(resuming_, false)) {
      Game.LastTick = game_clock_;
      Recorder.Resumed(game_clock_);
    }
    const int lag = std::clamp(LagCount, 0, static_cast<int>(kLongestTick));
    game_clock_ += static_cast<uint32_t>(lag);
    const GameTick tick{game_clock_, lag, HeldKeys()};
    Recorder.Tick(tick.time, tick.lag, tick.keys);
    return tick;
  }
  const ReplayTick& tick = watching_->player.Next();
  for (int i = 0; i < tick.countdown_steps; ++i) Timer1Timer();
  if (tick.resumed_after) Game.LastTick = watching_->player.Tape().start_time + *tick.resumed_after;
  return {watching_->player.Time(), tick.lag, tick.keys};
}

uint8_t TJizdavo::HeldKeys() const {
  const TDXInputStates& states = DXInput.States();
  uint8_t keys = 0;
  if (states[StateUp]) keys |= kReplayUp;
  if (states[StateDown]) keys |= kReplayDown;
  if (states[StateLeft]) keys |= kReplayLeft;
  if (states[StateRight]) keys |= kReplayRight;
  if (AnyKeyHeld(pause_keys_)) keys |= kReplayEscape;
  if (AnyKeyHeld(skip_keys_)) keys |= kReplayEnter;
  return keys;
}

bool TJizdavo::StepFrame(int LagCount) {
  uint32_t now = Now();
  bool escape = tick_keys_ & kReplayEscape;
  if (GameIsLive(Game) && escape && Game.Countdown <= 0) {
    // A replay goes on where its player paused: the tick after the pause is the one after Resume.
    if (!watching_) PauseGame();
    return false;
  }
  if (GameIsOver(Game) && (escape || (tick_keys_ & kReplayEnter))) Game.EndProgress = kHandOver;
  // A replay steps its countdown at the ticks it stepped at.
  if (!Game.CountdownDone && !watching_) Timer1.SetEnabled(true);
  if (Game.EndProgress < kWorldHidden) DrawWorld(LagCount, now);
  if (Game.CountdownSize > 5.0) DrawCountdown(now);

  // A lost game takes precedence: with both endings in one Car chase frame only the game-over runs.
  if (GameIsLost(Game)) {
    if (!RunEndSequence(LagCount, false)) return false;
  } else if (GameIsWon(Game)) {
    if (!RunEndSequence(LagCount, true)) return false;
  }

  AdvanceGameClock(now);
  Game.LastTick = now;
  if (Game.EndProgress < kFieldFrozen && drawing_) DrawHeadsUpDisplay();
  return true;
}

bool TJizdavo::AnyKeyHeld(const KeyCodes& keys) const {
  return std::any_of(keys.begin(), keys.end(), [this](int code) { return DXInput.Keyboard.Keys(code); });
}

void TJizdavo::PauseGame() {
  Game.InGame = false;
  BackSurface().Fill(0);
  ShowPauseMenu(true);
  Game.Title = "PAUSED";
  Game.TitlePos = 0;
}

void TJizdavo::DrawWorld(int LagCount, uint32_t now) {
  if (drawing_) DXImageList.Find("Pozadi").DrawAt(BackSurface(), 0, 0, 0);
  Randomize();
  LevelRecord record = CurrentRecord();
  double spent = static_cast<uint32_t>(now - Game.LastTick) / 10.0;
  for (int r = 0; r < record.Roads; ++r) {
    for (int l = 0; l < record.Lanes; ++l) {
      double& gap = Game.LaneGap[r * record.Lanes + l];
      gap -= spent;
      // The draw happens whether or not the lane's spacing allows a car.
      if (IsSpawnCandidate(DifficultyInForce(Game), Random(15)) && gap <= 0) SpawnCar(r, l, record.Lanes);
    }
  }
  DXSpriteEngine.MoveAll(LagCount);
  DXSpriteEngine.FreeDead();
  // Drawn unseen too: the sprites' drawing moves the walk cycle, sizes the figure and grows stains.
  DXSpriteEngine.DrawAll();
}

void TJizdavo::SpawnCar(int road, int lane, int lanes) {
  auto* car = new TCar(&DXSpriteEngine.Root);
  car->SetZ(2);
  car->CarType = Random(kCarTypes) + 1;
  car->GoesLeft = RoadGoesLeft(road);
  car->Speed = LaneSpeed(road, lane, lanes);
  car->SetImage(&DXImageList.Find("Auto" + std::to_string(car->CarType) + (car->GoesLeft ? "1" : "0")));
  car->X = car->GoesLeft ? DXDraw1.SurfaceWidth() + car->Width : -car->Width;
  car->Y = CarTop(Game.RoadTop, road, lane, lanes, car->Height);
  Game.LaneGap[road * lanes + lane] = car->Width;
}

void TJizdavo::DrawCountdown(uint32_t now) {
  const int size = static_cast<int>(std::lrint(Game.CountdownSize));
  Game.CountdownSize -= static_cast<uint32_t>(now - Game.LastTick) / 5.0;
  if (drawing_) {
    TSurface& back = BackSurface();
    TCanvas& canvas = back.Canvas();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Font.Size = size;
    canvas.Font.Name = "Arial Black";
    std::string text = Game.Countdown == 0 ? "GO" : std::to_string(Game.Countdown);
    int w = DXDraw1.Width();
    int h = DXDraw1.Height();
    canvas.TextOut(w / 2 - canvas.TextWidth(text) / 2, h / 2 - canvas.TextHeight(text) / 2, text);
    back.ReleaseCanvas();
  }
  // The clock must not count the frames that show "GO".
  if (Game.Countdown == 0) Game.LastTick = now;
}

void TJizdavo::AdvanceGameClock(uint32_t now) {
  if (Game.Countdown != 0 || Game.EndProgress != kEndIdle) return;
  uint32_t elapsed = now - Game.LastTick;
  Game.GameTime = Game.ChaseMode ? AdvanceChaseClock(Game.GameTime, elapsed)
                                 : AdvanceStandardClock(Game.GameTime, elapsed);
}

}  // namespace jizdavo

#pragma once
// The game's process-wide state: one instance, shared by the frame loop, the sprites and the menus.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace jizdavo {

class TJizdavo;
class TPlayer;

// Date-time values count days: one hour is 1/24.
using TDateTime = double;

// The font size each number of the countdown shrinks from.
constexpr double kCountdownStart = 80.0;

// The phases of `EndProgress` through an end sequence.
// Between sequences, and the font size the end words start growing from.
constexpr double kEndIdle = 5.0;
// From here the field is no longer redrawn (one below the freeze: the last growth steps show no field).
constexpr double kWorldHidden = 69.0;
// The words are grown: the field freezes, the heads-up display goes and the curtain phase runs.
constexpr double kFieldFrozen = 70.0;
// The first curtain bar falls; each landing adds one.
constexpr double kCurtainStart = 71.0;
// The pile covers the screen; from here every bar only counts the sequence to its end.
constexpr double kPileComplete = 119.0;
// The sequence hands over to the menus (Esc or Enter jump here).
constexpr double kHandOver = 125.0;

struct TGameState {
  TPlayer* Player = nullptr;  // owned by the sprite engine's root
  bool InGame = false;
  bool ChaseMode = false;
  int32_t Level = 1;
  std::vector<std::string> LevelTable;
  int32_t GameDifficulty = 1;
  int32_t Countdown = 3;
  bool CountdownDone = false;
  double CountdownSize = kCountdownStart;
  TDateTime GameTime = 0;
  uint32_t LastTick = 0;
  std::array<double, 21> LaneGap{};
  int32_t RoadTop = 0;
  bool Crashed = false;
  bool Finished = false;
  int32_t CarsKilled = 0;
  int32_t CarsToKill = 0;
  int32_t TargetCar1 = 0;
  int32_t TargetCar2 = 0;
  double EndProgress = kEndIdle;
  uint32_t AnimTick = 0;
  TDateTime BestTime = 0;
  std::string Title = "MAIN MENU";
  int32_t TitlePos = 0;
  int32_t ScoresListMode = 0;  // what the scores list shows: 0 load, 1 or 2 loaded, 10 after a game
  int32_t InGameTrack = 1;
  std::string StandardProgress = "1";
  std::string ChaseProgress = "1";
};

// The one game state and the one main window. TJizdavo's constructor resets the state.
extern TGameState Game;
extern TJizdavo* Jizdavo;

}  // namespace jizdavo

#pragma once
// The rules of play that are plain arithmetic on the game state: when the game is live or over,
// the clocks of both modes, where lanes, roads and barrier lines lie, and how lanes spawn traffic.

#include <cstdint>

#include "state/game_state.h"

namespace jizdavo {

// The most time one game tick counts, in milliseconds, and so the most steps its figure takes: the
// frame pacer leaves a longer wait out of the game clock, so a game never counts more.
constexpr uint32_t kLongestTick = 250;

// The car models 1..28: the traffic's pictures and the Car chase's wanted types.
constexpr int kCarTypes = 28;
// A touched car counts one up in the Car chase: one of the two wanted types, or any car in an area where
// every car counts (`TargetCar1` 0).
bool IsWantedCar(const TGameState& game, int car_type);
// The pulse points the wanted types out; in an every-car area no car pulses (marking all would mark none).
bool PulsesAsWanted(const TGameState& game, int car_type);

// Standard: neither crashed nor finished, and the countdown is done. Car chase: score in range and
// time left (the countdown is no part of it).
bool GameIsLive(const TGameState& game);
// Standard: crashed or finished. Car chase: below zero, time up or the target reached.
bool GameIsOver(const TGameState& game);
// The conditions of the two end sequences; both can hold in one Car chase frame.
bool GameIsLost(const TGameState& game);
bool GameIsWon(const TGameState& game);

// Time used: adds `elapsed_ms`, stopping at 59:59:999 (the longest time the best-times files hold).
TDateTime AdvanceStandardClock(TDateTime time, uint32_t elapsed_ms);
// Time left: takes `elapsed_ms` away; below zero it becomes exactly one hour, which reads as time up.
TDateTime AdvanceChaseClock(TDateTime time, uint32_t elapsed_ms);

// `draw` is Random(15): Easy takes 1, Medium 1 and 2, Hard 1 to 3; no other difficulty spawns.
bool IsSpawnCandidate(int difficulty, int draw);
// The traffic's difficulty: the one chosen on the Standard screen, Easy in every Car chase area (which
// has no choice of its own and shows none).
int DifficultyInForce(const TGameState& game);
// Even roads drive left, odd roads right.
bool RoadGoesLeft(int road);
// 0.5, 1.0, ... from the top lane down on roads driving left, from the bottom lane up on the others.
double LaneSpeed(int road, int lane, int lanes);
// Top of a car `car_height` high in `lane` of `road`; 14-pixel cars sit on the lane's row.
double CarTop(int road_top, int road, int lane, int lanes, int car_height);
// Screen Y of barrier line `line` (0 above the first road, `roads` below the last).
int BarrierLineY(int road_top, int lanes, int line);
// The road block centred on the 480-row screen; the Standard game lifts it by 19 rows.
int RoadTopFor(int lanes, int roads, int screen_height, bool chase);

// A tune number 1..4 from `draw` = Random(20): 0..4 give 1, 5..9 give 2 and so on.
int TuneNumber(int draw);

}  // namespace jizdavo

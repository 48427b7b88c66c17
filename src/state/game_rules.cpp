#include "state/game_rules.h"

#include "state/date_time.h"

namespace jizdavo {

namespace {

bool TimeIsUp(const TGameState& game) { return SplitTime(game.GameTime).Hour == 1; }

}  // namespace

bool GameIsLive(const TGameState& game) {
  if (!game.ChaseMode) return !game.Crashed && !game.Finished && game.CountdownDone;
  return game.CarsKilled >= 0 && !TimeIsUp(game) && game.CarsKilled != game.CarsToKill;
}

bool GameIsOver(const TGameState& game) { return GameIsLost(game) || GameIsWon(game); }

bool GameIsLost(const TGameState& game) {
  if (!game.ChaseMode) return game.Crashed;
  return game.CarsKilled < 0 || TimeIsUp(game);
}

bool GameIsWon(const TGameState& game) {
  if (!game.ChaseMode) return game.Finished;
  return game.CarsKilled == game.CarsToKill;
}

TDateTime AdvanceStandardClock(TDateTime time, uint32_t elapsed_ms) {
  TimeParts t = SplitTime(time);
  int64_t ms = t.Millisecond + static_cast<int64_t>(elapsed_ms);
  int64_t s = t.Second + ms / 1000;
  int64_t m = t.Minute + s / 60;
  // The stored time has no hours: a run past the hour would wrap to a few seconds and top the list.
  if (m >= 60) return MakeTime(0, 59, 59, 999);
  return MakeTime(0, static_cast<int>(m), static_cast<int>(s % 60), static_cast<int>(ms % 1000));
}

TDateTime AdvanceChaseClock(TDateTime time, uint32_t elapsed_ms) {
  TimeParts t = SplitTime(time);
  int64_t left = (t.Minute * 60LL + t.Second) * 1000 + t.Millisecond - elapsed_ms;
  if (left < 0) return MakeTime(1, 0, 0, 0);
  return MakeTime(0, static_cast<int>(left / 60000), static_cast<int>(left / 1000 % 60),
                  static_cast<int>(left % 1000));
}

bool IsSpawnCandidate(int difficulty, int draw) {
  if (difficulty < 1 || difficulty > 3) return false;
  return draw >= 1 && draw <= difficulty;
}

int DifficultyInForce(const TGameState& game) { return game.ChaseMode ? 1 : game.GameDifficulty; }

bool RoadGoesLeft(int road) { return road % 2 == 0; }

double LaneSpeed(int road, int lane, int lanes) {
  return RoadGoesLeft(road) ? (lane + 1) * 0.5 : (lanes - lane) * 0.5;
}

double CarTop(int road_top, int road, int lane, int lanes, int car_height) {
  return road_top + 21 * (lanes + 1) * road + 20 * lane + 13 - (car_height - 14) / 2.0;
}

int BarrierLineY(int road_top, int lanes, int line) { return road_top + 21 * (lanes + 1) * line - 4; }

int RoadTopFor(int lanes, int roads, int screen_height, bool chase) {
  int top = screen_height / 2 - ((lanes + 1) * 20 * roads) / 2;
  return chase ? top : top - 19;
}

int TuneNumber(int draw) { return (draw + 1 + 4) / 5; }

bool IsWantedCar(const TGameState& game, int car_type) {
  return game.TargetCar1 == 0 || car_type == game.TargetCar1 || car_type == game.TargetCar2;
}

bool PulsesAsWanted(const TGameState& game, int car_type) {
  return game.TargetCar1 != 0 && IsWantedCar(game, car_type);
}

}  // namespace jizdavo

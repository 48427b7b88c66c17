#pragma once
// A game's ticks on their way into a replay, and back out of one: the recorder takes what each tick
// saw and what reached the game between ticks; the player hands the ticks back with their times.

#include <cstdint>
#include <optional>

#include "files/replay_file.h"

namespace jizdavo {

class ReplayRecorder {
 public:
  // A new game, decided by `header` (its ticks are dropped); recording starts.
  void Begin(Replay header);
  // Recording stops and what was recorded is dropped.
  void Stop() { replay_.reset(); }
  bool Recording() const { return replay_.has_value(); }

  // What reaches the game between ticks: a step of the one-second countdown, the resume from the
  // pause (with the time the next tick counts from). Kept for the next tick.
  void CountdownStepped();
  void Resumed(uint32_t since);
  void Tick(uint32_t time, int lag, uint8_t keys);

  // The game recorded, ending at `result_ms` on the game clock; recording stops.
  std::optional<Replay> Finish(uint32_t result_ms);

 private:
  std::optional<Replay> replay_;
  uint32_t last_time_ = 0;
  uint8_t countdown_steps_ = 0;
  std::optional<uint32_t> resumed_after_;
};

class ReplayPlayer {
 public:
  explicit ReplayPlayer(Replay replay) : replay_(std::move(replay)), time_(replay_.start_time) {}

  const Replay& Tape() const { return replay_; }
  bool Done() const { return next_ >= replay_.ticks.size(); }
  // The next tick (not Done); Time() is then its time.
  const ReplayTick& Next();
  uint32_t Time() const { return time_; }

 private:
  Replay replay_;
  size_t next_ = 0;
  uint32_t time_;
};

}  // namespace jizdavo

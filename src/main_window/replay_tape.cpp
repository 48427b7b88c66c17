#include "main_window/replay_tape.h"

#include <utility>

namespace jizdavo {

void ReplayRecorder::Begin(Replay header) {
  header.ticks.clear();
  last_time_ = header.start_time;
  countdown_steps_ = 0;
  resumed_after_.reset();
  replay_ = std::move(header);
}

void ReplayRecorder::CountdownStepped() {
  if (Recording()) ++countdown_steps_;
}

void ReplayRecorder::Resumed(uint32_t since) {
  if (Recording()) resumed_after_ = since - replay_->start_time;
}

void ReplayRecorder::Tick(uint32_t time, int lag, uint8_t keys) {
  if (!Recording()) return;
  replay_->ticks.push_back({time - last_time_, lag, keys, countdown_steps_, resumed_after_});
  last_time_ = time;
  countdown_steps_ = 0;
  resumed_after_.reset();
}

std::optional<Replay> ReplayRecorder::Finish(uint32_t result_ms) {
  if (replay_) replay_->result_ms = result_ms;
  return std::exchange(replay_, std::nullopt);
}

const ReplayTick& ReplayPlayer::Next() {
  const ReplayTick& tick = replay_.ticks[next_++];
  time_ += tick.delta;
  return tick;
}

}  // namespace jizdavo

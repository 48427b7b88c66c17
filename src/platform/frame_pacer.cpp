#include "platform/frame_pacer.h"

#include <algorithm>

namespace jizdavo {

FramePacer::FramePacer(const Clock& clock, TDXTimer& frame_timer, MessageTimers& timers, WaitFunction wait)
    : clock_(clock), frame_timer_(frame_timer), timers_(timers), wait_(std::move(wait)) {}

uint32_t FramePacer::TimeToNextWork() const {
  uint32_t wait = timers_.TimeToNextExpiry().value_or(kLongestWait);
  if (frame_timer_.Polling()) {
    // An interval of 0 still waits for the next millisecond.
    const uint32_t period = static_cast<uint32_t>(std::max(frame_timer_.Interval(), 1));
    const uint32_t elapsed = clock_.Now() - frame_timer_.LastTickTime();
    wait = std::min(wait, elapsed >= period ? 0 : period - elapsed);
  }
  return std::min(wait, kLongestWait);
}

void FramePacer::Idle() {
  timers_.Dispatch();
  const uint32_t wait = TimeToNextWork();
  if (wait > 0) {
    wait_(wait);
    return;
  }
  frame_timer_.Poll();
}

}  // namespace jizdavo

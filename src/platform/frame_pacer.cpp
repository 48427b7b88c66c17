#include "platform/frame_pacer.h"

#include <algorithm>

namespace jizdavo {

FramePacer::FramePacer(const Clock& clock, TDXTimer& frame_timer, MessageTimers& timers, WaitFunction wait)
    : clock_(clock), frame_timer_(frame_timer), timers_(timers), wait_(std::move(wait)) {
  SetRefreshRate(kDefaultRefreshRate);
}

void FramePacer::SetRefreshRate(int hz) {
  if (hz <= 0) hz = kDefaultRefreshRate;
  hz = std::min(hz, 1000);  // a tick a millisecond at most
  frame_period_ = static_cast<uint32_t>((1000 + hz - 1) / hz);
}

// The frame timer's own interval, but never less than a frame of the display (nor than a millisecond).
uint32_t FramePacer::TimeToNextFrame() const {
  const auto interval = static_cast<uint32_t>(std::max(frame_timer_.Interval(), 0));
  const uint32_t period = std::max(interval, frame_period_);
  const uint32_t elapsed = clock_.Now() - frame_timer_.LastTickTime();
  return elapsed >= period ? 0 : period - elapsed;
}

uint32_t FramePacer::TimeToNextWork() const {
  uint32_t wait = timers_.TimeToNextExpiry().value_or(kLongestWait);
  if (frame_timer_.Polling()) wait = std::min(wait, TimeToNextFrame());
  return std::min(wait, kLongestWait);
}

void FramePacer::Idle() {
  timers_.Dispatch();
  const uint32_t wait = TimeToNextWork();
  if (wait > 0) {
    wait_(wait);
    return;
  }
  if (frame_timer_.Polling() && TimeToNextFrame() == 0) frame_timer_.Poll();
}

}  // namespace jizdavo

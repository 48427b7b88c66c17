#pragma once
// The idle side of the main loop: fires the message timers and polls the frame timer, and waits
// instead of spinning when neither has anything to do.
//
// The frame timer's lag count is at least 1, so two ticks in one millisecond would run the game
// faster than real time; the pacer never polls again before the clock has moved past the last tick.
// Nor does it poll the frame timer more often than the display can show frames: an interval of 0
// ("as fast as the machine allows") gives one frame per refresh of the display. Motion scales with
// the lag count, the milliseconds since the last tick, so the game runs at the same speed.

#include <cstdint>
#include <functional>

#include "platform/clock.h"
#include "platform/dx_timer.h"
#include "platform/timer.h"

namespace jizdavo {

class FramePacer {
 public:
  // `wait` blocks for up to the given milliseconds and returns early when a window event arrives.
  using WaitFunction = std::function<void(uint32_t milliseconds)>;

  FramePacer(const Clock& clock, TDXTimer& frame_timer, MessageTimers& timers, WaitFunction wait);

  // One turn of the idle loop, for when no window event waits.
  void Idle();
  // How long the loop may wait for events before the next tick or timer expiry is due.
  uint32_t TimeToNextWork() const;

  // The display's refresh rate in Hz; 0 or less when unknown, which counts as kDefaultRefreshRate.
  void SetRefreshRate(int hz);
  // The shortest time between two frames: a whole refresh period, rounded up to whole milliseconds
  // so that the frame rate never goes above the refresh rate.
  uint32_t FramePeriod() const { return frame_period_; }

  // The longest wait while nothing is due, so that a missed wake-up costs little.
  static constexpr uint32_t kLongestWait = 100;
  static constexpr int kDefaultRefreshRate = 60;

 private:
  uint32_t TimeToNextFrame() const;

  const Clock& clock_;
  TDXTimer& frame_timer_;
  MessageTimers& timers_;
  WaitFunction wait_;
  uint32_t frame_period_ = 0;
};

}  // namespace jizdavo

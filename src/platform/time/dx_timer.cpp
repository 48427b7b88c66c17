#include "platform/time/dx_timer.h"

#include <algorithm>
#include <cmath>

namespace jizdavo {

TDXTimer::TDXTimer(const Clock& clock) : clock_(clock) {}

TDXTimer::~TDXTimer() { Stop(); }

void TDXTimer::SetInterval(int value) {
  if (value == interval_) return;
  interval_ = std::max(value, 0);
  divisor_ = static_cast<uint32_t>(std::max(value, 1));
}

void TDXTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  if (loading_) return;
  if (enabled_) {
    Start();
  } else {
    Stop();
  }
}

void TDXTimer::Loaded() {
  loading_ = false;
  if (enabled_) Start();
}

void TDXTimer::Start() {
  Stop();
  if (!ActiveOnly || application_active_) BeginPolling();
  started_ = true;
}

void TDXTimer::Stop() {
  if (!started_) return;
  polling_ = false;
  started_ = false;
}

void TDXTimer::BeginPolling() {
  last_tick_ = rate_start_ = clock_.Now();
  polling_ = true;
}

void TDXTimer::Renew() {
  last_tick_ = rate_start_ = clock_.Now();
  frame_counter_ = picture_counter_ = 0;
}

void TDXTimer::Poll() {
  if (!polling_) return;
  const uint32_t now = clock_.Now();
  // unsigned: the clock wraps after 49.7 days
  if (now - last_tick_ < static_cast<uint32_t>(interval_)) return;
  Tick(now);
}

void TDXTimer::Tick(uint32_t time) {
  if (!polling_) return;
  const uint32_t elapsed = time - last_tick_;
  last_tick_ = time;
  const int lag_count = static_cast<int>(std::max<uint32_t>(elapsed / divisor_, 1));
  ++frame_counter_;
  const uint32_t span = std::max<uint32_t>(time - rate_start_, 1);
  if (span >= 1000) {
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    frame_rate_ = static_cast<int>(std::nearbyint(frame_counter_ * 1000.0 / span));
    picture_rate_ = static_cast<int>(std::nearbyint(picture_counter_ * 1000.0 / span));
    frame_counter_ = picture_counter_ = 0;
    rate_start_ = time;
  }
  if (OnTimer) OnTimer(this, lag_count);
}

void TDXTimer::ApplicationActivated() {
  application_active_ = true;
  if (OnActivate) OnActivate(this);
  // Time spent in the background must not come back as one huge lag count.
  if (started_ && ActiveOnly) BeginPolling();
}

void TDXTimer::ApplicationDeactivated() {
  application_active_ = false;
  if (OnDeactivate) OnDeactivate(this);
  if (started_ && ActiveOnly) polling_ = false;
}

}  // namespace jizdavo

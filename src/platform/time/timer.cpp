#include "platform/time/timer.h"

#include <algorithm>

#include "platform/error.h"

namespace jizdavo {

namespace {

// Wrap-safe "a is at or after b" for clock values less than 2^31 ms apart.
bool Reached(uint32_t now, uint32_t due) { return static_cast<int32_t>(now - due) >= 0; }

}  // namespace

MessageTimers::MessageTimers(const Clock& clock, int capacity) : clock_(clock), slots_(capacity) {}

int MessageTimers::SetTimer(uint32_t interval, std::function<void()> expired) {
  auto free_slot = std::find_if(slots_.begin(), slots_.end(), [](const Slot& s) { return s.id == 0; });
  if (free_slot == slots_.end()) return 0;
  *free_slot = Slot{next_id_++, interval, clock_.Now() + interval, std::move(expired)};
  if (next_id_ <= 0) next_id_ = 1;
  return free_slot->id;
}

void MessageTimers::KillTimer(int id) {
  for (Slot& slot : slots_) {
    if (slot.id == id && id != 0) slot = Slot{};
  }
}

void MessageTimers::Dispatch() {
  const uint32_t now = clock_.Now();
  for (Slot& slot : slots_) {
    if (slot.id == 0 || !Reached(now, slot.due)) continue;
    slot.due += slot.interval;
    if (Reached(now, slot.due)) slot.due = now + slot.interval;
    // The handler may kill this timer or arm others; copy what the call needs first.
    std::function<void()> expired = slot.expired;
    expired();
  }
}

std::optional<uint32_t> MessageTimers::TimeToNextExpiry() const {
  const uint32_t now = clock_.Now();
  std::optional<uint32_t> next;
  for (const Slot& slot : slots_) {
    if (slot.id == 0) continue;
    const uint32_t wait = Reached(now, slot.due) ? 0 : slot.due - now;
    next = next ? std::min(*next, wait) : wait;
  }
  return next;
}

int MessageTimers::ArmedCount() const {
  return static_cast<int>(std::count_if(slots_.begin(), slots_.end(), [](const Slot& s) { return s.id; }));
}

TTimer::TTimer(SystemTimers& system) : system_(system) {}

TTimer::~TTimer() { system_.KillTimer(timer_id_); }

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(int value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(NotifyEvent handler) {
  on_timer_ = std::move(handler);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  system_.KillTimer(timer_id_);
  timer_id_ = 0;
  if (interval_ <= 0 || !enabled_ || !on_timer_) return;
  timer_id_ = system_.SetTimer(static_cast<uint32_t>(interval_), [this] {
    if (on_timer_) on_timer_(this);
  });
  if (timer_id_ == 0) {
    // A timer that reads as enabled but never fires would hide the failure.
    enabled_ = false;
    throw Error("Not enough timers available");
  }
}

}  // namespace jizdavo

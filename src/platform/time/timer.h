#pragma once
// The ordinary periodic timer (the countdown's one-second tick) and the system timers behind it.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/clock.h"

namespace jizdavo {

// Periodic timers whose expiries the message loop delivers.
class SystemTimers {
 public:
  virtual ~SystemTimers() = default;
  // Arms a timer that calls `expired` every `interval` ms; 0 when the system has no timer to give.
  virtual int SetTimer(uint32_t interval, std::function<void()> expired) = 0;
  virtual void KillTimer(int id) = 0;
};

// System timers kept by the main loop on the millisecond clock. Expiries that pile up while the loop
// is busy come as one call, as a message timer's do.
class MessageTimers final : public SystemTimers {
 public:
  explicit MessageTimers(const Clock& clock, int capacity = 16);
  int SetTimer(uint32_t interval, std::function<void()> expired) override;
  void KillTimer(int id) override;

  // Calls every timer that has expired. Handlers may arm and kill timers.
  void Dispatch();
  // Milliseconds until the next expiry; none while no timer is armed.
  std::optional<uint32_t> TimeToNextExpiry() const;
  int ArmedCount() const;

 private:
  struct Slot {
    int id = 0;  // 0: free
    uint32_t interval = 0;
    uint32_t due = 0;
    std::function<void()> expired;
  };
  const Clock& clock_;
  std::vector<Slot> slots_;
  int next_id_ = 1;
};

class TTimer {
 public:
  using NotifyEvent = std::function<void(TTimer* Sender)>;

  explicit TTimer(SystemTimers& system);
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  // Each of these re-arms the system timer; with the timer disabled, no handler or an interval of 0,
  // none runs. Raises "Not enough timers available" (and stays disabled) when none can be had.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  int Interval() const { return interval_; }
  void SetInterval(int value);
  void SetOnTimer(NotifyEvent handler);

 private:
  void UpdateTimer();

  SystemTimers& system_;
  bool enabled_ = true;
  int interval_ = 1000;
  NotifyEvent on_timer_;
  int timer_id_ = 0;
};

}  // namespace jizdavo

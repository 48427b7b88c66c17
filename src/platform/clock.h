#pragma once
// The millisecond clock the game measures time with: 32 bits that wrap around.

#include <cstdint>

namespace jizdavo {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t Now() const = 0;
};

// A clock that tests set by hand.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(uint32_t start = 0) : now_(start) {}
  uint32_t Now() const override {
    if (running_ > 0) {
      --running_;
      ++now_;
    }
    return now_;
  }
  void Set(uint32_t ms) { now_ = ms; }
  void Advance(uint32_t ms) { now_ += ms; }
  // Time that passes while code runs: each of the next readings finds the clock a millisecond later,
  // until `ms` have passed or StopRunning.
  void Run(uint32_t ms) { running_ = ms; }
  // The code has finished: what is left of its time passes at once.
  void StopRunning() {
    now_ += running_;
    running_ = 0;
  }

 private:
  mutable uint32_t now_;
  mutable uint32_t running_ = 0;
};

}  // namespace jizdavo

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
  uint32_t Now() const override { return now_; }
  void Set(uint32_t ms) { now_ = ms; }
  void Advance(uint32_t ms) { now_ += ms; }

 private:
  uint32_t now_;
};

}  // namespace jizdavo

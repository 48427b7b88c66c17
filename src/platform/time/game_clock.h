#pragma once
// The time the game runs on. While a game frame runs, every reading gives that frame's own time on
// the 60 Hz frame clock, however long the frame takes to draw; between frames it is the machine's
// millisecond clock. Time the game stood still for (the machine stalled, the window was dragged) is
// left out of it from then on, so the game never sees it.

#include <cstdint>

#include "platform/clock.h"

namespace jizdavo {

class GameClock final : public Clock {
 public:
  explicit GameClock(const Clock& machine) : machine_(machine) {}

  uint32_t Now() const override { return held_ ? held_time_ : Live(); }
  // The machine's time less what was left out, never held: for waits that must see time pass even
  // inside a frame (the music fade of a hand-over).
  uint32_t Live() const { return machine_.Now() - left_out_; }

  // Every reading gives `time` until Release: a frame runs.
  void Hold(uint32_t time) {
    held_time_ = time;
    held_ = true;
  }
  void Release() { held_ = false; }
  // The game stood still for these milliseconds: from now on they are not part of its time.
  void LeaveOut(uint32_t milliseconds) { left_out_ += milliseconds; }

 private:
  const Clock& machine_;
  uint32_t left_out_ = 0;
  uint32_t held_time_ = 0;
  bool held_ = false;
};

}  // namespace jizdavo

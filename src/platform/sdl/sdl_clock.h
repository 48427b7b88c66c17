#pragma once
// The millisecond clock of the SDL back end: SDL's tick count, which wraps like the game expects.

#include "platform/clock.h"

namespace jizdavo {

class SdlClock final : public Clock {
 public:
  uint32_t Now() const override;
};

}  // namespace jizdavo

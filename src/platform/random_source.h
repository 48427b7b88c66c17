#pragma once
// The game's random numbers: Random(n) is uniform in 0..n-1; Randomize re-seeds from the clock.

#include <cstdint>

namespace jizdavo {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual int Random(int n) = 0;
  virtual void Randomize() = 0;
};

}  // namespace jizdavo

#pragma once
// The game's random numbers: Random(n) is uniform in 0..n-1; Randomize re-seeds from the base seed
// combined with a time the caller reads (the game's), so a game replays from its seed and its times.

#include <cstdint>

namespace jizdavo {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual int Random(int n) = 0;
  virtual void Randomize(uint32_t now) = 0;
  // The seed Randomize combines with the time; a replay puts back the one its game had.
  virtual uint64_t BaseSeed() const = 0;
  virtual void SetBaseSeed(uint64_t seed) = 0;
};

}  // namespace jizdavo

#pragma once
// A small deterministic random source (xorshift64*). Randomize re-seeds from the clock combined
// with the base seed, so a run replayed with the same seed and the same clock readings draws the
// same numbers, while the game still re-seeds from the clock as it always did.

#include <cstdint>

#include "platform/clock.h"
#include "platform/random_source.h"

namespace jizdavo {

class SeededRandom final : public RandomSource {
 public:
  SeededRandom(uint64_t seed, const Clock& clock);

  // Uniform in 0..n-1; 0 when n < 1.
  int Random(int n) override;
  void Randomize() override;

 private:
  uint64_t Next();
  void Seed(uint64_t value);

  uint64_t base_seed_;
  uint64_t state_ = 0;
  const Clock& clock_;
};

}  // namespace jizdavo

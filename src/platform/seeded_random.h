#pragma once
// A small deterministic random source (xorshift64*). Randomize re-seeds from the time it is given
// combined with the base seed, so a run replayed with the same seed and the same times draws the
// same numbers, while the game still re-seeds from its clock as it always did.

#include <cstdint>

#include "platform/random_source.h"

namespace jizdavo {

class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(uint64_t seed);

  // Uniform in 0..n-1; 0 when n < 1.
  int Random(int n) override;
  void Randomize(uint32_t now) override;
  uint64_t BaseSeed() const override { return base_seed_; }
  void SetBaseSeed(uint64_t seed) override;

 private:
  uint64_t Next();
  void Seed(uint64_t value);

  uint64_t base_seed_;
  uint64_t state_ = 0;
};

}  // namespace jizdavo

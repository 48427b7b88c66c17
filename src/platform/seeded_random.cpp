#include "platform/seeded_random.h"

namespace jizdavo {

namespace {

// splitmix64: spreads a seed's bits so that near seeds (consecutive clock readings) start far apart.
uint64_t Mix(uint64_t z) {
  z += 0x9E3779B97F4A7C15ULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

}  // namespace

SeededRandom::SeededRandom(uint64_t seed) : base_seed_(seed) { Seed(seed); }

void SeededRandom::SetBaseSeed(uint64_t seed) {
  base_seed_ = seed;
  Seed(seed);
}

void SeededRandom::Seed(uint64_t value) {
  state_ = Mix(value);
  if (state_ == 0) state_ = 1;  // xorshift stays at 0 forever
}

uint64_t SeededRandom::Next() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return state_ * 0x2545F4914F6CDD1DULL;
}

int SeededRandom::Random(int n) {
  if (n < 1) return 0;
  // The high 32 bits scaled to 0..n-1 (multiply-shift; bias below 1 in 2^32 / n).
  return static_cast<int>(((Next() >> 32) * static_cast<uint64_t>(n)) >> 32);
}

void SeededRandom::Randomize(uint32_t now) { Seed(base_seed_ ^ (static_cast<uint64_t>(now) << 32 | now)); }

}  // namespace jizdavo

#pragma once
// Repeatable randomness for procedural pictures and sounds: the same numbers on every build.

#include <cstdint>

namespace jizdavo::assetgen {

// A hash of integer coordinates to 0..1.
double Hash01(int x, int y, uint32_t seed);

// Smooth value noise 0..1 over a lattice of cells_x x cells_y cells that wraps around, so that a
// picture of any size sampled at (x / width * cells_x, y / height * cells_y) tiles without a seam.
double TilingNoise(double u, double v, int cells_x, int cells_y, uint32_t seed);

// A small fast generator (xorshift) for sequences.
class Rng {
 public:
  explicit Rng(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  double Uniform() { return Next() / 4294967296.0; }  // 0 <= u < 1
  double Signed() { return Uniform() * 2.0 - 1.0; }    // -1 <= s < 1
  int Below(int n) { return static_cast<int>(Uniform() * n); }

 private:
  uint32_t state_;
};

}  // namespace jizdavo::assetgen

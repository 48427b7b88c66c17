#pragma once
// Pixel positions and alphas computed from real values round to the nearest integer, halves to even.

#include <cmath>

namespace jizdavo {

// Independent of the floating-point rounding mode, so nothing else in the process can change it.
inline int RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double result = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
    result = floor + 1.0;
  }
  return static_cast<int>(result);
}

}  // namespace jizdavo

#pragma once
// The volume gauges: where a press puts the gauge, and how loud that position plays.

#include <cstdint>

namespace jizdavo {

// The gauges run from 0 (quietest) to 80 (the recording's own level).
inline constexpr int32_t kGaugeMax = 80;

// The gauge position for a press or drag at `x` pixels inside the 80-pixel-wide gauge outline: the
// far left is 0, anything beyond the right end is 80.
int32_t GaugePositionAt(int32_t x);

// The sound volume, in hundredths of a decibel, of gauge position 0..80: Round(p / 80 * 35 - 35) dB,
// halves to the even neighbour, so 1 dB steps from -35 dB (still audible) up to 0. Positions below 0,
// which a stored setting may give, go on down to silence (-10000) and stay there.
int32_t GaugeVolume(int32_t position);

}  // namespace jizdavo

#include "main_window/volume_mapping.h"

#include <algorithm>
#include <cmath>

#include "platform/sound/mixer.h"

namespace jizdavo {

int32_t GaugePositionAt(int32_t x) { return std::clamp(x, 0, kGaugeMax); }

int32_t GaugeVolume(int32_t position) {
  constexpr double kRangeDecibels = 35;
  // p * 35 / 80 is a multiple of 1/16, exact in a double, so the halves really are halves; nearbyint
  // rounds them to even in the default rounding mode, which the game never changes.
  const double decibels = position * kRangeDecibels / kGaugeMax - kRangeDecibels;
  // A stored position far below 0 (the gauge keeps it) would overflow; the sound stops at silence.
  const double hundredths = std::nearbyint(decibels) * 100;
  return static_cast<int32_t>(std::clamp<double>(hundredths, kSilentVolume, kLoudestVolume));
}

}  // namespace jizdavo

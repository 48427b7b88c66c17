#pragma once
// The end of the mix: holds its true peak (the highest level between the samples as well, as a meter
// oversampling four times sees it) under -1 dBTP, so that no sound card and no later resampling
// clips it. The gain falls smoothly over the frames before a peak and recovers slowly after it;
// everything quieter passes unchanged, with no delay: the caller mixes a few frames ahead for it to
// look at.

#include <array>
#include <cstdint>

namespace jizdavo {

class TruePeakLimiter {
 public:
  // Frames over which the gain comes down to a peak.
  static constexpr int kRamp = 48;
  // Frames on either side that the oversampling reads.
  static constexpr int kReach = 6;
  // Frames the caller mixes beyond those it puts out.
  static constexpr int kLookAhead = kRamp + kReach;
  // The ceiling of the output's true peak by this oversampling, in sample units: -2 dBTP, a decibel
  // under the limit, since a meter that oversamples otherwise (finer, or after a resampling) finds a
  // peak between our points up to about half a decibel higher.
  static constexpr float kCeiling = 26029.0f;

  // `mix` holds `frames` stereo frames to put out (at most kMostFrames) and kLookAhead more that
  // follow them as far as they are known; `out` receives the `frames` frames, limited and rounded.
  void Process(const float* mix, int frames, int16_t* out);

  static constexpr int kMostFrames = 512;

 private:
  // Frames kept from before the present block: the oversampling's and the ramp's reach back.
  static constexpr int kPast = kRamp + kReach;

  std::array<float, 2 * kPast> past_{};
  // The gain the release had reached at the last frame put out.
  float released_ = 1.0f;
};

// The highest level of the stereo frame at `at` and of the three points between it and the next,
// both sides, interpolated from the kReach frames on either side.
float TruePeakAt(const float* frames, int at);

}  // namespace jizdavo

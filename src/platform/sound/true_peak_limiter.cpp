#include "platform/sound/true_peak_limiter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace jizdavo {

namespace {

constexpr int kReach = TruePeakLimiter::kReach;
constexpr int kRamp = TruePeakLimiter::kRamp;
constexpr int kTaps = 2 * kReach;  // frames at - kReach + 1 .. at + kReach

// For each point a quarter, a half and three quarters of the way to the next frame, the weights of
// the frames around it: a sinc shaped by a raised cosine over the reach.
using Weights = std::array<std::array<float, kTaps>, 3>;

Weights MakeWeights() {
  Weights weights{};
  for (int phase = 1; phase <= 3; ++phase) {
    for (int tap = 0; tap < kTaps; ++tap) {
      const double t = phase / 4.0 - (tap - kReach + 1);
      const double pi_t = std::numbers::pi * t;
      const double window = 0.5 * (1.0 + std::cos(std::numbers::pi * t / kReach));
      weights[static_cast<size_t>(phase - 1)][static_cast<size_t>(tap)] =
          static_cast<float>(std::sin(pi_t) / pi_t * window);
    }
  }
  return weights;
}

const Weights kWeights = MakeWeights();

// Each frame the gain climbs back a little towards 1: about 50 ms to cover two thirds of the way, and
// a last small step each frame so that it reaches 1 again.
constexpr float kRelease = 1.0f / (0.05f * 44100.0f);
constexpr float kLeastRelease = 1e-5f;

}  // namespace

float TruePeakAt(const float* frames, int at) {
  float peak = std::max(std::abs(frames[2 * at]), std::abs(frames[2 * at + 1]));
  const float* first = frames + 2 * (at - kReach + 1);
  for (const auto& weights : kWeights) {
    float left = 0.0f, right = 0.0f;
    for (int tap = 0; tap < kTaps; ++tap) {
      left += weights[static_cast<size_t>(tap)] * first[2 * tap];
      right += weights[static_cast<size_t>(tap)] * first[2 * tap + 1];
    }
    peak = std::max({peak, std::abs(left), std::abs(right)});
  }
  return peak;
}

// The gain of each frame put out is the mean of the released gains over the ramp that starts at it,
// each the least gain needed anywhere over the ramp that ends at it; so every gain is at most the one
// its own frame needs, and it moves in steps of a ramp's share.
void TruePeakLimiter::Process(const float* mix, int frames, int16_t* out) {
  frames = std::clamp(frames, 0, kMostFrames);
  constexpr int kMostTotal = kPast + kMostFrames + kLookAhead;
  const int total = kPast + frames + kLookAhead;
  float input[2 * kMostTotal];
  std::copy(past_.begin(), past_.end(), input);
  std::copy_n(mix, 2 * (frames + kLookAhead), input + 2 * kPast);

  float needed[kMostTotal];
  for (int at = kReach; at < total - kReach; ++at) {
    const float peak = TruePeakAt(input, at);
    needed[at] = peak > kCeiling ? kCeiling / peak : 1.0f;
  }
  const int last = kPast + frames + kRamp - 1;  // the released gains reach this far
  float released[kMostTotal];
  float gain = released_;
  for (int at = kPast; at < last; ++at) {
    const float least = *std::min_element(needed + at - kRamp + 1, needed + at + 1);
    gain = std::min({least, 1.0f, gain + (1.0f - gain) * kRelease + kLeastRelease});
    released[at] = gain;
    if (at == kPast + frames - 1) released_ = gain;
  }
  double sum = 0.0;
  for (int at = kPast; at < kPast + kRamp; ++at) sum += released[at];
  for (int i = 0; i < frames; ++i) {
    const int at = kPast + i;
    const auto gained = static_cast<float>(sum / kRamp);
    for (int side = 0; side < 2; ++side) {
      const long level = std::lrint(input[2 * at + side] * gained);
      out[2 * i + side] = static_cast<int16_t>(std::clamp(level, -32768L, 32767L));
    }
    if (i + 1 < frames) sum += released[at + kRamp] - released[at];
  }
  std::copy_n(input + 2 * frames, 2 * kPast, past_.begin());
}

}  // namespace jizdavo

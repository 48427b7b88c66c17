#include "loudness.h"

#include <algorithm>
#include <cmath>

#include "synth.h"

namespace jizdavo::assetgen {

namespace {

// One biquad section in direct form I.
struct Section {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  double Process(double x) {
    double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    return y;
  }
};

// The two stages of the K-weighting, from their analogue prototypes for any rate: a shelf of about
// +4 dB above 1.7 kHz (the head), then a high-pass at 38 Hz.
Section Shelf(int rate) {
  const double f0 = 1681.974450955533, gain_db = 3.999843853973347, q = 0.7071752369554196;
  double k = std::tan(kTau / 2 * f0 / rate), vh = std::pow(10.0, gain_db / 20);
  double vb = std::pow(vh, 0.4996667741545416), a0 = 1 + k / q + k * k;
  return {(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
          2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
}

Section HighPass(int rate) {
  const double f0 = 38.13547087602444, q = 0.5003270373238773;
  double k = std::tan(kTau / 2 * f0 / rate), a0 = 1 + k / q + k * k;
  return {1, -2, 1, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
}

double Lufs(double mean_square) { return -0.691 + 10 * std::log10(mean_square); }

}  // namespace

double IntegratedLoudness(const std::vector<float>& samples, int rate, int channels) {
  // The channels' weighted powers add up, frame by frame.
  std::vector<double> weighted(samples.size() / channels);
  for (int c = 0; c < channels; ++c) {
    Section shelf = Shelf(rate), high = HighPass(rate);
    for (size_t i = 0; i < weighted.size(); ++i)
      weighted[i] += std::pow(high.Process(shelf.Process(samples[i * channels + c])), 2);
  }
  const size_t block = static_cast<size_t>(rate) * 4 / 10, hop = block / 4;
  std::vector<double> blocks;
  for (size_t start = 0; start + block <= weighted.size(); start += hop) {
    double sum = 0;
    for (size_t i = start; i < start + block; ++i) sum += weighted[i];
    if (Lufs(sum / block) > -70) blocks.push_back(sum / block);
  }
  if (blocks.empty()) return -70;
  double mean = 0;
  for (double z : blocks) mean += z / blocks.size();
  double gate = Lufs(mean) - 10, kept = 0;
  size_t count = 0;
  for (double z : blocks)
    if (Lufs(z) > gate) kept += z, ++count;
  return Lufs(kept / count);
}

double SoundingRmsDb(const std::vector<float>& samples) {
  double sum = 0;
  size_t count = 0;
  for (float s : samples)
    if (std::abs(s) > 0.01) sum += static_cast<double>(s) * s, ++count;
  return count ? 10 * std::log10(sum / count) : -100;
}

double PeakDb(const std::vector<float>& samples) {
  float peak = 0;
  for (float s : samples) peak = std::max(peak, std::abs(s));
  return 20 * std::log10(std::max(peak, 1e-5f));
}

}  // namespace jizdavo::assetgen

#include "synth.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>
#include <utility>

namespace jizdavo::assetgen {

namespace {

constexpr int kCycle = 4096;  // samples in one stored cycle; a power of two
constexpr double kPi = kTau / 2;

// Harmonics a cycle may hold for a pitch: up to 45 % of the rate, rounded down onto a ladder of
// eight steps an octave, so that a handful of cycles serve every note.
int HarmonicCount(double top_hz, int rate) {
  int most = std::clamp(static_cast<int>(0.45 * rate / top_hz), 1, kCycle / 2 - 1);
  if (most <= 16) return most;
  int step = 1 << (std::bit_width(static_cast<unsigned>(most)) - 4);
  return most / step * step;
}

// Cosine and sine amplitudes of harmonic k; every wave but the saw keeps its level from the old
// shapes (1 at the peak), and none carries a constant offset.
std::pair<double, double> Harmonic(Wave wave, int k) {
  auto pulse = [k](double duty) {
    return std::pair{2 / (kPi * k) * std::sin(kTau * k * duty),
                     4 / (kPi * k) * std::pow(std::sin(kPi * k * duty), 2)};
  };
  switch (wave) {
    case Wave::Saw: return {0.0, (k % 2 ? 2 : -2) / (kPi * k)};
    case Wave::Square: return pulse(0.5);
    case Wave::Pulse25: return pulse(0.25);
    case Wave::Pulse35: return pulse(0.35);
    case Wave::Triangle: return {k % 2 ? 8 / (kPi * kPi * k * k) : 0.0, 0.0};
  }
  return {0, 0};
}

std::vector<float> BuildCycle(Wave wave, int harmonics) {
  static const auto unit = [] {  // cos and sin of every step round the cycle
    std::vector<std::pair<double, double>> u(kCycle);
    for (int n = 0; n < kCycle; ++n) u[n] = {std::cos(kTau * n / kCycle), std::sin(kTau * n / kCycle)};
    return u;
  }();
  std::vector<double> sum(kCycle);
  for (int k = 1; k <= harmonics; ++k) {
    auto [a, b] = Harmonic(wave, k);
    double x = kPi * k / (harmonics + 1), sigma = std::sin(x) / x;
    a *= sigma, b *= sigma;
    for (int n = 0, at = 0; n < kCycle; ++n, at = (at + k) & (kCycle - 1))
      sum[n] += a * unit[at].first + b * unit[at].second;
  }
  return {sum.begin(), sum.end()};
}

}  // namespace

double Sine(double phase) { return std::sin(kTau * phase); }

double NoteHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

Oscillator::Oscillator(Wave wave, double top_hz, int rate) {
  static std::map<std::pair<Wave, int>, std::vector<float>> cycles;
  int harmonics = HarmonicCount(top_hz, rate);
  auto [at, fresh] = cycles.try_emplace({wave, harmonics});
  if (fresh) at->second = BuildCycle(wave, harmonics);
  cycle_ = &at->second;
}

double Oscillator::At(double phase) const {
  double x = (phase - std::floor(phase)) * kCycle;
  int i = static_cast<int>(x);
  double a = (*cycle_)[i & (kCycle - 1)], b = (*cycle_)[(i + 1) & (kCycle - 1)];
  return a + (b - a) * (x - i);
}

void Biquad::Tune(double hz, double q) {
  double w = kTau * std::clamp(hz, 10.0, rate_ * 0.45) / rate_;
  double alpha = std::sin(w) / (2 * q), c = std::cos(w), a0 = 1 + alpha;
  switch (kind_) {
    case Kind::LowPass:
      b0_ = (1 - c) / 2, b1_ = 1 - c, b2_ = (1 - c) / 2;
      break;
    case Kind::HighPass:
      b0_ = (1 + c) / 2, b1_ = -(1 + c), b2_ = (1 + c) / 2;
      break;
    case Kind::BandPass:
      b0_ = alpha, b1_ = 0, b2_ = -alpha;
      break;
  }
  b0_ /= a0, b1_ /= a0, b2_ /= a0;
  a1_ = -2 * c / a0;
  a2_ = (1 - alpha) / a0;
}

double Biquad::Process(double x) {
  double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
  return y;
}

double Adsr::At(double t, double length) const {
  if (t < 0) return 0;
  auto held = [this](double u) {
    if (u < attack) return u / attack;
    if (u < attack + decay) return 1 - (1 - sustain) * (u - attack) / decay;
    return sustain;
  };
  if (t < length) return held(t);
  double after = t - length;
  return after >= release ? 0 : held(length) * (1 - after / release);
}

void SoftLimit(std::vector<float>& samples, double knee, double ceiling) {
  double room = ceiling - knee;
  for (float& s : samples) {
    double over = std::abs(s) - knee;
    if (over > 0) s = static_cast<float>(std::copysign(knee + room * std::tanh(over / room), s));
  }
}

void FadeEdges(std::vector<float>& samples, int channels, int fade_in, int fade_out) {
  int frames = static_cast<int>(samples.size()) / channels;
  for (int f = 0; f < frames; ++f) {
    double gain = 1;
    if (f < fade_in) gain = static_cast<double>(f) / fade_in;
    if (f >= frames - fade_out) gain = std::min(gain, static_cast<double>(frames - 1 - f) / fade_out);
    for (int c = 0; c < channels; ++c)
      samples[static_cast<size_t>(f) * channels + c] *= static_cast<float>(gain);
  }
}

}  // namespace jizdavo::assetgen

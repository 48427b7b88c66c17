#include "synth.h"

#include <algorithm>
#include <cmath>

namespace jizdavo::assetgen {

double Saw(double phase) { return 2.0 * (phase - std::floor(phase + 0.5)); }
double Square(double phase, double duty) { return phase - std::floor(phase) < duty ? 1.0 : -1.0; }
double Triangle(double phase) { return 1.0 - 4.0 * std::abs(phase - std::floor(phase + 0.5)); }
double Sine(double phase) { return std::sin(kTau * phase); }

double NoteHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

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

void Normalize(std::vector<float>& samples, double peak) {
  float loudest = 0;
  for (float s : samples) loudest = std::max(loudest, std::abs(s));
  if (loudest <= 0) return;
  double gain = peak / loudest;
  for (float& s : samples) s = static_cast<float>(s * gain);
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

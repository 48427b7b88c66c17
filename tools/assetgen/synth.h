#pragma once
// Building blocks for synthesised sound: band-limited oscillators, a resonant filter, envelopes,
// note pitches and the gentle mix bus every sound goes out through.

#include <vector>

namespace jizdavo::assetgen {

constexpr double kTau = 6.283185307179586;

double Sine(double phase);  // phase in cycles

// Frequency of a MIDI note number (69 is A at 440 Hz).
double NoteHz(double note);

enum class Wave { Saw, Square, Pulse25, Pulse35, Triangle };

// One cycle of `wave` built only from the harmonics that stay under the Nyquist limit at the
// highest pitch it plays (`top_hz`), so nothing folds back as an inharmonic tone. The harmonics are
// faded towards the top (Lanczos) so the edges ring little. Cycles are shared between oscillators.
class Oscillator {
 public:
  Oscillator(Wave wave, double top_hz, int rate);
  double At(double phase) const;  // phase in cycles; about -1..1

 private:
  const std::vector<float>* cycle_;
};

// A two-pole resonant filter (the usual biquad), retunable per sample.
class Biquad {
 public:
  enum class Kind { LowPass, BandPass, HighPass };
  Biquad(Kind kind, double hz, double q, double rate) : kind_(kind), rate_(rate) { Tune(hz, q); }
  void Tune(double hz, double q);
  double Process(double x);

 private:
  Kind kind_;
  double rate_;
  double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Attack, decay to a sustain level, hold until `length`, then release; all in seconds.
struct Adsr {
  double attack;
  double decay;
  double sustain;
  double release;
  double At(double t, double length) const;
  double Tail() const { return release; }
};

// The mix bus's limiter: samples pass unchanged up to `knee`, and above it bend smoothly towards
// `ceiling`, which they never reach. Peaks are rounded off instead of clipped.
void SoftLimit(std::vector<float>& samples, double knee, double ceiling);
// Ramps the first and last frames in and out, so a sound starts and stops without a click.
void FadeEdges(std::vector<float>& samples, int channels, int fade_in, int fade_out);

}  // namespace jizdavo::assetgen

#pragma once
// Building blocks for synthesised sound: oscillators, a resonant filter, envelopes, note pitches.

#include <vector>

namespace jizdavo::assetgen {

constexpr double kTau = 6.283185307179586;

// Oscillators over a phase counted in cycles; the result is -1..1.
double Saw(double phase);
double Square(double phase, double duty = 0.5);
double Triangle(double phase);
double Sine(double phase);

// Frequency of a MIDI note number (69 is A at 440 Hz).
double NoteHz(double note);

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

// Scales so that the loudest sample is `peak`.
void Normalize(std::vector<float>& samples, double peak);
// Ramps the first and last frames in and out, so a sound starts and stops without a click.
void FadeEdges(std::vector<float>& samples, int channels, int fade_in, int fade_out);

}  // namespace jizdavo::assetgen

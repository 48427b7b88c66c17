#include "effects.h"

#include <cmath>

#include "loudness.h"
#include "noise.h"
#include "synth.h"

namespace jizdavo::assetgen {

namespace {

// Every effect ends with the same polish: one level while it sounds, peaks rounded off under
// -1 dBFS, no clicks at either end.
std::vector<float> Finish(std::vector<float> samples, int channels, int rate, double level = kEffectLevel) {
  MasterEffect(samples, level);
  FadeEdges(samples, channels, rate / 2000 + 1, rate / 100);
  return samples;
}

// Two detuned tones, as the horn's two trumpets sound together; the brass is in the waves and the
// filter, not in clipping.
std::vector<float> Horn(int frames, int rate, double low_hz, double high_hz, double bright) {
  std::vector<float> out(frames);
  Biquad tone(Biquad::Kind::LowPass, 900 + 2400 * bright, 0.9, rate);
  Oscillator low(Wave::Saw, low_hz * 1.03, rate), high(Wave::Pulse35, high_hz * 1.03, rate);
  double length = static_cast<double>(frames) / rate - 0.05;
  Adsr env{0.02, 0.08, 0.85, 0.05};
  double p1 = 0, p2 = 0;
  for (int i = 0; i < frames; ++i) {
    double t = static_cast<double>(i) / rate;
    double droop = 1 + 0.03 * std::exp(-t * 30);  // the pitch settles as the air gets going
    p1 += low_hz * droop / rate;
    p2 += high_hz * droop / rate;
    out[i] = static_cast<float>(tone.Process(low.At(p1) + high.At(p2) * 0.8) * env.At(t, length));
  }
  return out;
}

}  // namespace

void MasterEffect(std::vector<float>& samples, double sounding_rms) {
  constexpr double kKnee = 0.63;     // -4 dBFS
  constexpr double kCeiling = 0.87;  // -1.2 dBFS
  // A few rounds: rounding off the peaks takes a little level, and the level decides what counts
  // as sounding.
  for (int round = 0; round < 3; ++round) {
    double gain = std::pow(10.0, (sounding_rms - SoundingRmsDb(samples)) / 20);
    for (float& s : samples) s = static_cast<float>(s * gain);
    SoftLimit(samples, kKnee, kCeiling);
  }
}

std::vector<float> Squelch(int frames, int rate) {
  std::vector<float> out(frames);
  Rng rng(101);
  Biquad wet(Biquad::Kind::BandPass, 1500, 6, rate);
  Biquad body(Biquad::Kind::LowPass, 400, 1.2, rate);
  for (int i = 0; i < frames; ++i) {
    double t = static_cast<double>(i) / rate;
    double gurgle = 1 + 0.5 * Sine(t * 23) + 0.25 * Sine(t * 61);  // bubbling formant
    wet.Tune((1800 * std::exp(-t * 9) + 250) * gurgle, 5);
    double noise = rng.Signed();
    double splat = wet.Process(noise) * 3.0 * std::exp(-t * 11);
    double plop = Sine(95 * t - 40 * t * t) * std::exp(-t * 18);
    double mud = body.Process(noise) * std::exp(-t * 25);
    out[i] = static_cast<float>(splat + plop * 0.8 + mud * 0.6);
  }
  // 3 dB over the other effects: it sounds only in a game, short and noisy, under the in-game tune.
  return Finish(out, 1, rate, kEffectLevel + 3);
}

std::vector<float> CarHorn(int frames, int rate) {
  return Finish(Horn(frames, rate, 415, 523, 1.0), 1, rate);
}

std::vector<float> TruckHorn(int frames, int rate) {
  return Finish(Horn(frames, rate, 155, 196, 0.25), 1, rate);
}

// A car striking a body. The thud alone lives under 200 Hz, which small speakers hardly play, so
// most of the sound is over it: the knock of the body, the grainy crunch of the bonnet and a sharp
// crack as they meet.
std::vector<float> Thud(int frames, int rate) {
  std::vector<float> out(frames);
  Rng rng(202);
  Biquad knock(Biquad::Kind::BandPass, 340, 2.5, rate);
  Biquad crunch(Biquad::Kind::BandPass, 1700, 1.4, rate);
  Biquad crack(Biquad::Kind::HighPass, 2800, 0.7, rate);
  const int grain_frames = rate / 170;  // the crunch's splinters, about 6 ms each
  double grain = 1, phase = 0;
  for (int i = 0; i < frames; ++i) {
    double t = static_cast<double>(i) / rate;
    phase += (55 + 110 * std::exp(-t * 22)) / rate;  // the pitch falls as the blow spends itself
    double boom = Sine(phase) * std::exp(-t * 12);
    double noise = rng.Signed();
    if (i % grain_frames == 0) grain = 0.25 + 0.75 * rng.Uniform();
    double body = knock.Process(noise) * std::exp(-t * 28) * 3.0;
    double splinters = crunch.Process(noise) * grain * std::exp(-t * 13) * 2.2;
    double snap = crack.Process(noise) * std::exp(-t * 90) * 1.6;
    out[i] = static_cast<float>(std::tanh(1.4 * (0.35 * boom + body + splinters + snap)));
  }
  return Finish(out, 1, rate);
}

// A wooden block's inharmonic modes, each dying away faster than the one below it; all well under
// the Nyquist limit even when the game plays the sample back faster.
std::vector<float> WoodKnock(int frames, int rate) {
  std::vector<float> out(frames);
  struct Mode {
    double hz, decay, level;
  };
  const Mode modes[] = {{640, 38, 1.0}, {1730, 70, 0.45}, {2620, 110, 0.2}};
  Rng rng(303);
  for (int i = 0; i < frames; ++i) {
    double t = static_cast<double>(i) / rate, v = 0;
    for (const Mode& m : modes) v += Sine(m.hz * t) * m.level * std::exp(-t * m.decay);
    v += rng.Signed() * 0.5 * std::exp(-t * 900);  // the strike
    out[i] = static_cast<float>(v);
  }
  return Finish(out, 1, rate);
}

std::vector<float> MenuBlip(int frames, int rate) {
  std::vector<float> out(static_cast<size_t>(frames) * 2);
  struct Note {
    double start, hz, pan;  // pan: 0 left .. 1 right
  };
  const Note notes[] = {{0.0, 1318.5, 0.35}, {0.06, 1975.5, 0.65}, {0.15, 1975.5, 0.3}};
  const double levels[] = {1.0, 0.9, 0.25};  // the last is a quiet echo
  for (int i = 0; i < frames; ++i) {
    double t = static_cast<double>(i) / rate, left = 0, right = 0;
    for (int n = 0; n < 3; ++n) {
      double u = t - notes[n].start;
      if (u < 0) continue;
      double v = (Sine(notes[n].hz * u) + 0.2 * Sine(2 * notes[n].hz * u)) * std::exp(-u * 28) *
                 std::min(1.0, u * 800) * levels[n];
      left += v * (1 - notes[n].pan);
      right += v * notes[n].pan;
    }
    out[2 * static_cast<size_t>(i)] = static_cast<float>(left);
    out[2 * static_cast<size_t>(i) + 1] = static_cast<float>(right);
  }
  return Finish(out, 2, rate);
}

}  // namespace jizdavo::assetgen

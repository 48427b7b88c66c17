#include "instruments.h"

#include <algorithm>
#include <cmath>

#include "noise.h"
#include "synth.h"

namespace jizdavo::assetgen {

namespace {

// A share of a voice's sound: a band-limited wave at `ratio` times the note's pitch.
struct Partial {
  Wave wave;
  double ratio;
  double level;
};

struct Voice {
  Adsr envelope;
  double cutoff;  // low-pass cutoff in Hz at full envelope
  double floor;   // cutoff share that stays when the envelope is low
  std::vector<Partial> partials;
};

Voice VoiceOf(Instrument instrument) {
  using enum Wave;
  switch (instrument) {
    // The bass's triangle sounds an octave under its saw, as a sub-oscillator.
    case Instrument::Bass: return {{0.005, 0.18, 0.55, 0.06}, 900, 0.35, {{Triangle, 1, 0.5}, {Saw, 2, 0.6}}};
    case Instrument::Pad:
      return {{0.35, 0.6, 0.75, 0.7}, 1500, 0.6, {{Saw, 1, 0.34}, {Saw, 1.007, 0.33}, {Saw, 0.993, 0.33}}};
    case Instrument::Pluck:
      return {{0.003, 0.25, 0.0, 0.08}, 3000, 0.3, {{Triangle, 1, 0.7}, {Pulse25, 1, 0.3}}};
    case Instrument::Lead: return {{0.012, 0.12, 0.7, 0.12}, 3200, 0.5, {{Square, 1, 0.7}, {Saw, 1, 0.3}}};
    case Instrument::Brass: return {{0.05, 0.2, 0.8, 0.12}, 2600, 0.25, {{Saw, 1, 1.0}}};
    default: return {{0.002, 0.9, 0.0, 0.3}, 5000, 1.0, {}};  // the bell is built of sines below
  }
}

// The bell: harmonic sine partials, the higher ones dying away first, each left out where it would
// pass the Nyquist limit.
double Bell(double phase, double t, double hz, int rate) {
  struct Overtone {
    double ratio, level, decay;
  };
  constexpr Overtone kOvertones[] = {{1, 1.0, 0}, {2, 0.45, 3}, {3, 0.3, 6}, {4, 0.22, 10}, {6, 0.12, 16}};
  double v = 0;
  for (const Overtone& o : kOvertones)
    if (o.ratio * hz < 0.45 * rate) v += Sine(phase * o.ratio) * o.level * std::exp(-t * o.decay);
  return v;
}

// Pitched voices: band-limited waves through an envelope-following low-pass filter.
void RenderTonal(std::vector<float>& mix, int rate, const NoteEvent& n) {
  Voice v = VoiceOf(n.instrument);
  double hz = NoteHz(n.note), phase = 0;
  std::vector<Oscillator> oscillators;
  for (const Partial& p : v.partials) oscillators.emplace_back(p.wave, hz * p.ratio * 1.01, rate);
  Biquad filter(Biquad::Kind::LowPass, v.cutoff, 0.9, rate);
  int64_t frames = static_cast<int64_t>((n.length + v.envelope.Tail()) * rate);
  double vibrato = 1;
  for (int64_t i = 0; i < frames; ++i) {
    int64_t at = n.start + i;
    if (at >= static_cast<int64_t>(mix.size())) break;
    double t = static_cast<double>(i) / rate, env = v.envelope.At(t, n.length);
    if (i % 16 == 0) {  // slow changes: retuned every 16 samples
      filter.Tune(v.cutoff * (v.floor + (1 - v.floor) * env), 0.9);
      if (n.instrument == Instrument::Lead) vibrato = 1 + 0.006 * Sine(5.5 * t) * std::min(1.0, t * 3);
    }
    phase += hz * vibrato / rate;
    double tone = n.instrument == Instrument::Bell ? Bell(phase, t, hz, rate) : 0;
    for (size_t k = 0; k < oscillators.size(); ++k)
      tone += oscillators[k].At(phase * v.partials[k].ratio) * v.partials[k].level;
    double s = filter.Process(tone) * env * n.level;
    if (at >= 0) mix[at] += static_cast<float>(s);
  }
}

struct Drum {
  double seconds;
  double decay;     // per second
  double noise;     // share of noise against tone
  double tone_hz;   // start pitch of the tone; it falls towards a third of it
  Biquad::Kind filter;
  double filter_hz;
};

Drum DrumOf(Instrument instrument, int rate) {
  switch (instrument) {
    case Instrument::Kick: return {0.3, 14, 0.08, 150, Biquad::Kind::LowPass, 2000};
    case Instrument::Snare: return {0.22, 22, 0.75, 200, Biquad::Kind::BandPass, 2200};
    default: return {0.06, 70, 1.0, 0, Biquad::Kind::HighPass, std::min(7500.0, 0.3 * rate)};
  }
}

void RenderDrum(std::vector<float>& mix, int rate, const NoteEvent& n) {
  Drum d = DrumOf(n.instrument, rate);
  Biquad filter(d.filter, d.filter_hz, 0.8, rate);
  Rng rng(n.seed);
  double phase = 0;
  int64_t frames = static_cast<int64_t>(d.seconds * rate);
  for (int64_t i = 0; i < frames; ++i) {
    int64_t at = n.start + i;
    if (at >= static_cast<int64_t>(mix.size())) break;
    double t = static_cast<double>(i) / rate;
    phase += d.tone_hz * (0.33 + 0.67 * std::exp(-t * 30)) / rate;
    double body = filter.Process(rng.Signed()) * d.noise + Sine(phase) * (1 - d.noise);
    double s = body * std::exp(-t * d.decay) * std::min(1.0, t * 2000) * n.level;
    if (at >= 0) mix[at] += static_cast<float>(s);
  }
}

}  // namespace

void RenderNote(std::vector<float>& mix, int rate, const NoteEvent& note) {
  switch (note.instrument) {
    case Instrument::Kick:
    case Instrument::Snare:
    case Instrument::Hat: RenderDrum(mix, rate, note); break;
    default: RenderTonal(mix, rate, note); break;
  }
}

}  // namespace jizdavo::assetgen

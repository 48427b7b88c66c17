#include "instruments.h"

#include <cmath>

#include "noise.h"
#include "synth.h"

namespace jizdavo::assetgen {

namespace {

struct Voice {
  Adsr envelope;
  double cutoff;  // low-pass cutoff in Hz at full envelope
  double floor;   // cutoff share that stays when the envelope is low
};

Voice VoiceOf(Instrument instrument) {
  switch (instrument) {
    case Instrument::Bass: return {{0.005, 0.18, 0.55, 0.06}, 900, 0.35};
    case Instrument::Pad: return {{0.35, 0.6, 0.75, 0.7}, 1500, 0.6};
    case Instrument::Pluck: return {{0.003, 0.25, 0.0, 0.08}, 3000, 0.3};
    case Instrument::Lead: return {{0.012, 0.12, 0.7, 0.12}, 3200, 0.5};
    case Instrument::Bell: return {{0.002, 0.9, 0.0, 0.3}, 5000, 1.0};
    case Instrument::Brass: return {{0.05, 0.2, 0.8, 0.12}, 2600, 0.25};
    default: return {{0.001, 0.1, 0.0, 0.01}, 8000, 1.0};
  }
}

double Tone(Instrument instrument, double phase, double t, double hz) {
  switch (instrument) {
    case Instrument::Bass: return 0.6 * Saw(phase) + 0.5 * Triangle(phase * 0.5);
    case Instrument::Pad: return (Saw(phase) + Saw(phase * 1.007) + Saw(phase * 0.993)) / 3;
    case Instrument::Pluck: return 0.7 * Triangle(phase) + 0.3 * Square(phase, 0.25);
    case Instrument::Lead: return Square(phase, 0.5) * 0.7 + Saw(phase) * 0.3;
    case Instrument::Bell: return Sine(phase + 0.9 * std::exp(-t * 4) * Sine(phase * 3.5));
    case Instrument::Brass: return Saw(phase);
    default: return Sine(hz * t);
  }
}

// Pitched voices: an oscillator through an envelope-following low-pass filter.
void RenderTonal(std::vector<float>& mix, int rate, const NoteEvent& n) {
  Voice v = VoiceOf(n.instrument);
  double hz = NoteHz(n.note), phase = 0;
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
    double s = filter.Process(Tone(n.instrument, phase, t, hz)) * env * n.level;
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

Drum DrumOf(Instrument instrument) {
  switch (instrument) {
    case Instrument::Kick: return {0.3, 14, 0.08, 150, Biquad::Kind::LowPass, 2000};
    case Instrument::Snare: return {0.22, 22, 0.75, 200, Biquad::Kind::BandPass, 2200};
    default: return {0.06, 70, 1.0, 0, Biquad::Kind::HighPass, 7500};
  }
}

void RenderDrum(std::vector<float>& mix, int rate, const NoteEvent& n) {
  Drum d = DrumOf(n.instrument);
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

#pragma once
// The voices of the music and the fanfare. Each note is rendered on its own and added into a mix.

#include <cstdint>
#include <vector>

namespace jizdavo::assetgen {

enum class Instrument { Bass, Pad, Pluck, Lead, Bell, Brass, Kick, Snare, Hat };

struct NoteEvent {
  int64_t start;   // first sample
  double length;   // seconds the note is held; the release rings on after it
  double note;     // MIDI note number; drums ignore it
  double level;
  Instrument instrument;
  uint32_t seed;   // drums: the noise of this hit, so repeats sound the same
  double pan = 0;  // tunes: -1 left .. 1 right
};

// Adds the note into `mix` (mono, `rate` Hz); what falls outside the mix is dropped.
void RenderNote(std::vector<float>& mix, int rate, const NoteEvent& note);

}  // namespace jizdavo::assetgen

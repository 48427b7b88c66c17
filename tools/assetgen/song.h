#pragma once
// Tunes written as chords, step patterns and melodies, rendered into a seamless loop.
//
// Steps are sixteenth notes, 16 to a bar. Patterns repeat bar by bar:
//   bass:   'R' root, 'O' root an octave up, 'F' fifth, '-' hold, '.' rest
//   chords: 'x' strike the chord, '-' hold, '.' rest
//   arp:    '0'..'5' a chord tone (counting up through the chord and on into the next octave), '.' rest
//   drums:  'x' hit, '.' rest
// A melody is a list of "pitch:steps" tokens ("E5:4", ".:2" a rest), repeated phrase by phrase.

#include <string_view>
#include <vector>

#include "instruments.h"

namespace jizdavo::assetgen {

struct Tune {
  double bpm;
  int bars;                             // the loop's length
  std::vector<std::string_view> chords; // one a bar, repeated
  std::string_view bass;
  std::string_view chord_rhythm;
  Instrument chord_voice;
  std::string_view arp;
  std::string_view melody;
  Instrument lead;
  int melody_from_bar;  // bars of accompaniment before the tune comes in
  std::string_view kick;
  std::string_view snare;
  std::string_view hat;
  int drums_from_bar;
};

// Mono samples -1..1 at `rate`: exactly one loop, whose end runs on into its start.
std::vector<float> RenderTune(const Tune& tune, int rate);

// The notes of a melody written as above, from `start` seconds on; for the fanfare.
std::vector<NoteEvent> MelodyNotes(std::string_view melody, double step_seconds, int rate, Instrument voice,
                                   double level);

}  // namespace jizdavo::assetgen

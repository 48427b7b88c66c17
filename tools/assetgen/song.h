#pragma once
// Tunes written as sections of chords, step patterns and melodies, rendered into a seamless loop.
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

// A part of a tune: its bars, harmony, patterns and melody; an empty pattern stays silent.
struct Section {
  int bars;
  std::vector<std::string_view> chords;  // one a bar, repeated
  std::string_view bass;
  std::string_view chord_rhythm;
  std::string_view arp;
  std::string_view melody;  // repeated phrase by phrase through the section
  std::string_view kick;
  std::string_view snare;
  std::string_view hat;
};

struct Tune {
  double bpm;
  Instrument chord_voice;
  Instrument lead;
  std::vector<Section> sections;  // 'A' is the first, 'B' the second ...
  std::string_view form;          // the order they play in, one letter a section: "AABA"
};

// Stereo samples at `rate`, interleaved, mastered for the game: exactly one loop, whose end runs on
// into its start. Bass, drums and the lead sit in the middle, the chords to the left, the arpeggio
// and the hats to the right, the lead's echo to the left.
std::vector<float> RenderTune(const Tune& tune, int rate);

// The notes of a melody written as above, from `start` seconds on; for the fanfare.
std::vector<NoteEvent> MelodyNotes(std::string_view melody, double step_seconds, int rate, Instrument voice,
                                   double level);

}  // namespace jizdavo::assetgen

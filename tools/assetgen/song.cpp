#include "song.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "synth.h"

namespace jizdavo::assetgen {

namespace {

constexpr int kStepsPerBar = 16;

// Semitones of "C", "D#", "Bb" ... above C.
int PitchClass(std::string_view name, size_t* used) {
  static constexpr int kNatural[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.empty() || name[0] < 'A' || name[0] > 'G') throw std::logic_error("bad note name");
  int pc = kNatural[name[0] - 'A'];
  *used = 1;
  if (name.size() > 1 && (name[1] == '#' || name[1] == 'b')) {
    pc += name[1] == '#' ? 1 : -1;
    *used = 2;
  }
  return pc;
}

struct Chord {
  int root;  // MIDI note in the octave above C3
  std::vector<int> intervals;
};

Chord ParseChord(std::string_view name) {
  size_t used = 0;
  int root = 48 + PitchClass(name, &used);
  std::string_view quality = name.substr(used);
  if (quality == "m") return {root, {0, 3, 7}};
  if (quality == "7") return {root, {0, 4, 7, 10}};
  if (quality == "m7") return {root, {0, 3, 7, 10}};
  if (quality == "maj7") return {root, {0, 4, 7, 11}};
  if (quality == "sus4") return {root, {0, 5, 7}};
  if (quality.empty()) return {root, {0, 4, 7}};
  throw std::logic_error("unknown chord " + std::string(name));
}

// "E5" -> 76; "Bb3" -> 58.
double ParsePitch(std::string_view token) {
  size_t used = 0;
  int pc = PitchClass(token, &used);
  return 12 * (std::stoi(std::string(token.substr(used))) + 1) + pc;
}

// How many steps a note struck at `step` is held: itself plus the '-' steps after it.
int HeldSteps(std::string_view pattern, int step) {
  int n = 1;
  while (n < kStepsPerBar && pattern[(step + n) % pattern.size()] == '-') ++n;
  return n;
}

class Sequencer {
 public:
  Sequencer(const Tune& tune, int rate)
      : tune_(tune),
        rate_(rate),
        step_(60.0 / tune.bpm / 4),
        loop_(std::lround(tune.bars * 16 * step_ * rate)) {}

  std::vector<NoteEvent> Notes() {
    for (int pass = 0; pass < 2; ++pass)
      for (int bar = 0; bar < tune_.bars; ++bar) Bar(pass, bar);
    AddMelody();
    return std::move(notes_);
  }
  int64_t LoopSamples() const { return loop_; }

 private:
  // Both passes put the same note at exactly one loop apart, so the second pass is the first's repeat.
  void Add(int pass, int bar, int step, double steps, double note, double level, Instrument voice,
           uint32_t seed = 0) {
    int64_t start = pass * loop_ + std::lround((bar * kStepsPerBar + step) * step_ * rate_);
    notes_.push_back({start, steps * step_, note, level, voice, seed});
  }

  void Bar(int pass, int bar) {
    Chord chord = ParseChord(tune_.chords[bar % tune_.chords.size()]);
    for (int s = 0; s < kStepsPerBar; ++s) {
      char b = tune_.bass[s % tune_.bass.size()];
      if (b == 'R' || b == 'O' || b == 'F') {
        int offset = b == 'O' ? 12 : b == 'F' ? 7 : 0;
        Add(pass, bar, s, HeldSteps(tune_.bass, s) - 0.3, chord.root - 12 + offset, 0.55, Instrument::Bass);
      }
      if (tune_.chord_rhythm[s % tune_.chord_rhythm.size()] == 'x')
        for (int interval : chord.intervals)
          Add(pass, bar, s, HeldSteps(tune_.chord_rhythm, s), chord.root + interval, 0.16, tune_.chord_voice);
      char a = tune_.arp.empty() ? '.' : tune_.arp[s % tune_.arp.size()];
      if (a >= '0' && a <= '9') {
        int index = a - '0', size = static_cast<int>(chord.intervals.size());
        Add(pass, bar, s, 1.5, chord.root + 12 + chord.intervals[index % size] + 12 * (index / size), 0.2,
            Instrument::Pluck);
      }
      if (bar >= tune_.drums_from_bar) Drums(pass, bar, s);
    }
  }

  void Drums(int pass, int bar, int s) {
    uint32_t seed = static_cast<uint32_t>(bar * kStepsPerBar + s + 1);
    auto hit = [&](std::string_view pattern) {
      return pattern[(bar * kStepsPerBar + s) % pattern.size()] == 'x';
    };
    if (hit(tune_.kick)) Add(pass, bar, s, 1, 0, 0.9, Instrument::Kick, seed);
    if (hit(tune_.snare)) Add(pass, bar, s, 1, 0, 0.5, Instrument::Snare, seed * 3);
    if (hit(tune_.hat)) Add(pass, bar, s, 1, 0, s % 4 == 2 ? 0.22 : 0.14, Instrument::Hat, seed * 7);
  }

  void AddMelody() {
    if (tune_.melody.empty()) return;
    std::vector<NoteEvent> phrase = MelodyNotes(tune_.melody, step_, rate_, tune_.lead, 0.33);
    int64_t bar_samples = loop_ / tune_.bars;
    int64_t phrase_samples = phrase.back().start;  // MelodyNotes ends with a silent marker at the end
    phrase.pop_back();
    for (int pass = 0; pass < 2; ++pass)
      for (int64_t at = tune_.melody_from_bar * bar_samples; at < loop_; at += phrase_samples)
        for (NoteEvent n : phrase) {
          if (at + n.start >= loop_) break;
          n.start += pass * loop_ + at;
          notes_.push_back(n);
          n.start += std::lround(3 * step_ * rate_);  // a quiet echo three steps later
          n.level *= 0.3;
          notes_.push_back(n);
        }
  }

  const Tune& tune_;
  int rate_;
  double step_;
  int64_t loop_;
  std::vector<NoteEvent> notes_;
};

}  // namespace

std::vector<NoteEvent> MelodyNotes(std::string_view melody, double step_seconds, int rate, Instrument voice,
                                   double level) {
  std::vector<NoteEvent> notes;
  int step = 0;
  size_t at = 0;
  while (at < melody.size()) {
    size_t end = melody.find(' ', at);
    std::string_view token =
        melody.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    at = end == std::string_view::npos ? melody.size() : end + 1;
    if (token.empty()) continue;
    size_t colon = token.find(':');
    int steps = std::stoi(std::string(token.substr(colon + 1)));
    if (token[0] != '.')
      notes.push_back({std::lround(step * step_seconds * rate), (steps - 0.4) * step_seconds,
                       ParsePitch(token.substr(0, colon)), level, voice, 0});
    step += steps;
  }
  if (step % kStepsPerBar) throw std::logic_error("melody does not fill whole bars");
  notes.push_back({std::lround(step * step_seconds * rate), 0, 0, 0, voice, 0});
  return notes;
}

std::vector<float> RenderTune(const Tune& tune, int rate) {
  Sequencer sequencer(tune, rate);
  int64_t loop = sequencer.LoopSamples();
  std::vector<float> mix(static_cast<size_t>(2 * loop));
  for (const NoteEvent& note : sequencer.Notes()) RenderNote(mix, rate, note);
  // The second pass carries the first pass's tails into its start, just as the loop will when it
  // wraps, so it is the seamless one.
  std::vector<float> out(mix.begin() + loop, mix.end());
  for (float& s : out) s = static_cast<float>(std::tanh(s * 1.1));
  Normalize(out, 0.85);
  return out;
}

}  // namespace jizdavo::assetgen

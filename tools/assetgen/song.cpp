#include "song.h"

#include <cmath>
#include <map>
#include <stdexcept>
#include <string>

#include "loudness.h"
#include "synth.h"

namespace jizdavo::assetgen {

namespace {

constexpr int kStepsPerBar = 16;
constexpr double kChordPan = -0.4;
constexpr double kArpPan = 0.4;
constexpr double kHatPan = 0.3;
constexpr double kEchoPan = -0.6;

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

// A pattern's step, repeating; an empty pattern rests throughout.
char StepOf(std::string_view pattern, int step) {
  return pattern.empty() ? '.' : pattern[step % pattern.size()];
}

class Sequencer {
 public:
  Sequencer(const Tune& tune, int rate) : tune_(tune), rate_(rate), step_(60.0 / tune.bpm / 4) {
    int bars = 0;
    for (char letter : tune.form) bars += SectionOf(letter).bars;
    loop_ = std::lround(bars * kStepsPerBar * step_ * rate);
  }

  std::vector<NoteEvent> Notes() {
    for (int pass = 0; pass < 2; ++pass) {
      int first_bar = 0;
      for (char letter : tune_.form) {
        const Section& section = SectionOf(letter);
        for (int bar = 0; bar < section.bars; ++bar) Bar(pass, first_bar, section, bar);
        Melody(pass, first_bar, section);
        first_bar += section.bars;
      }
    }
    return std::move(notes_);
  }
  int64_t LoopSamples() const { return loop_; }

 private:
  const Section& SectionOf(char letter) const {
    size_t index = static_cast<size_t>(letter - 'A');
    if (index >= tune_.sections.size()) throw std::logic_error("the form names a missing section");
    return tune_.sections[index];
  }

  int64_t StartOf(int pass, int bar, int step) const {
    return pass * loop_ + std::lround((bar * kStepsPerBar + step) * step_ * rate_);
  }

  // Both passes put the same note at exactly one loop apart, so the second pass is the first's repeat.
  void Add(int64_t start, double steps, double note, double level, Instrument voice, uint32_t seed = 0,
           double pan = 0) {
    notes_.push_back({start, steps * step_, note, level, voice, seed, pan});
  }

  void Bar(int pass, int first_bar, const Section& section, int bar) {
    Chord chord = ParseChord(section.chords[bar % section.chords.size()]);
    for (int s = 0; s < kStepsPerBar; ++s) {
      int64_t at = StartOf(pass, first_bar + bar, s);
      char b = StepOf(section.bass, s);
      if (b == 'R' || b == 'O' || b == 'F') {
        int offset = b == 'O' ? 12 : b == 'F' ? 7 : 0;
        Add(at, HeldSteps(section.bass, s) - 0.3, chord.root - 24 + offset, 0.55, Instrument::Bass);
      }
      if (StepOf(section.chord_rhythm, s) == 'x')
        for (int interval : chord.intervals)
          Add(at, HeldSteps(section.chord_rhythm, s), chord.root + interval, 0.16, tune_.chord_voice, 0, kChordPan);
      char a = StepOf(section.arp, s);
      if (a >= '0' && a <= '9') {
        int index = a - '0', size = static_cast<int>(chord.intervals.size());
        Add(at, 1.5, chord.root + 12 + chord.intervals[index % size] + 12 * (index / size), 0.2,
            Instrument::Pluck, 0, kArpPan);
      }
      Drums(at, section, bar * kStepsPerBar + s);
    }
  }

  void Drums(int64_t at, const Section& section, int step) {
    uint32_t seed = static_cast<uint32_t>(step + 1);
    if (StepOf(section.kick, step) == 'x') Add(at, 1, 0, 0.9, Instrument::Kick, seed);
    if (StepOf(section.snare, step) == 'x') Add(at, 1, 0, 0.5, Instrument::Snare, seed * 3);
    if (StepOf(section.hat, step) == 'x')
      Add(at, 1, 0, step % 4 == 2 ? 0.22 : 0.14, Instrument::Hat, seed * 7, kHatPan);
  }

  void Melody(int pass, int first_bar, const Section& section) {
    if (section.melody.empty()) return;
    std::vector<NoteEvent> phrase = MelodyNotes(section.melody, step_, rate_, tune_.lead, 0.33);
    int64_t from = StartOf(pass, first_bar, 0), end = StartOf(pass, first_bar + section.bars, 0);
    int64_t phrase_samples = phrase.back().start;  // MelodyNotes ends with a silent marker at the end
    phrase.pop_back();
    for (int64_t at = from; at < end; at += phrase_samples)
      for (NoteEvent n : phrase) {
        if (at + n.start >= end) break;
        n.start += at;
        notes_.push_back(n);
        n.start += std::lround(3 * step_ * rate_);  // a quiet echo three steps later
        n.level *= 0.3;
        n.pan = kEchoPan;
        notes_.push_back(n);
      }
  }

  const Tune& tune_;
  int rate_;
  double step_;
  int64_t loop_ = 0;
  std::vector<NoteEvent> notes_;
};

// Every tune is brought to one integrated loudness with its peaks rounded off well under full
// scale, so that an effect over it still has room.
constexpr double kTuneLoudness = -20;  // LUFS
constexpr double kTuneKnee = 0.35;     // -9 dBFS
constexpr double kTuneCeiling = 0.5;   // -6 dBFS

void MasterTune(std::vector<float>& samples, int rate) {
  // Twice: the limiter takes a little loudness off the first time.
  for (int round = 0; round < 2; ++round) {
    double gain = std::pow(10.0, (kTuneLoudness - IntegratedLoudness(samples, rate, 2)) / 20);
    for (float& s : samples) s = static_cast<float>(s * gain);
    SoftLimit(samples, kTuneKnee, kTuneCeiling);
  }
}

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
  // One mono mix per place in the field, each then spread over both sides at equal power.
  std::map<double, std::vector<float>> by_pan;
  for (const NoteEvent& note : sequencer.Notes()) {
    std::vector<float>& mix = by_pan[note.pan];
    if (mix.empty()) mix.resize(static_cast<size_t>(2 * loop));
    RenderNote(mix, rate, note);
  }
  // The second pass carries the first pass's tails into its start, just as the loop will when it
  // wraps, so it is the seamless one.
  std::vector<float> out(static_cast<size_t>(2 * loop));
  for (const auto& [pan, mix] : by_pan) {
    const double angle = (pan + 1) * kTau / 8;
    const float left = static_cast<float>(std::cos(angle)), right = static_cast<float>(std::sin(angle));
    for (int64_t i = 0; i < loop; ++i) {
      out[2 * i] += left * mix[loop + i];
      out[2 * i + 1] += right * mix[loop + i];
    }
  }
  MasterTune(out, rate);
  return out;
}

}  // namespace jizdavo::assetgen

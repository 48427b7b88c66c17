// The fanfare for completing every level of a mode: a brass call in two voices over timpani. Its
// last chord is held to the end of the recording and dies away over the last second, so the sound
// fills the stored length with no silence after it.
#include <cmath>

#include "effects.h"
#include "song.h"
#include "synth.h"

namespace jizdavo::assetgen {

std::vector<float> VictoryFanfare(int frames, int rate) {
  constexpr double kStep = 0.19;       // the last chord starts at 3.8 s and is held past the end
  constexpr double kDieAway = 5.0;     // seconds into the recording
  constexpr double kDecayPerSecond = 4;
  std::vector<float> mix(frames);
  const char* voices[] = {
      "G4:1 G4:1 G4:1 C5:5 E5:4 G5:4 E5:2 G5:2 C6:12",
      "E4:1 E4:1 E4:1 G4:5 C5:4 E5:4 C5:2 E5:2 G5:12",
      "C3:3 C3:5 G3:4 G3:4 C3:4 C3:12",
  };
  const double levels[] = {0.5, 0.35, 0.45};
  for (int v = 0; v < 3; ++v)
    for (NoteEvent n : MelodyNotes(voices[v], kStep, rate, Instrument::Brass, levels[v])) {
      if (n.level > 0) RenderNote(mix, rate, n);
    }
  for (int step : {3, 16, 18, 20}) {  // timpani under the long notes
    RenderNote(mix, rate, {std::lround(step * kStep * rate), 0.3, 0, 0.9, Instrument::Kick,
                           static_cast<uint32_t>(step)});
  }
  for (size_t i = static_cast<size_t>(kDieAway * rate); i < mix.size(); ++i)
    mix[i] *= static_cast<float>(std::exp(-(static_cast<double>(i) / rate - kDieAway) * kDecayPerSecond));
  MasterEffect(mix);
  FadeEdges(mix, 1, 20, rate / 10);
  return mix;
}

}  // namespace jizdavo::assetgen

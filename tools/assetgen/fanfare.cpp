// The fanfare for completing every level of a mode: a brass call in two voices over timpani.
#include <cmath>

#include "effects.h"
#include "song.h"
#include "synth.h"

namespace jizdavo::assetgen {

std::vector<float> VictoryFanfare(int frames, int rate) {
  constexpr double kStep = 0.125;
  std::vector<float> mix(frames);
  const char* voices[] = {
      "G4:1 G4:1 G4:1 C5:5 E5:4 G5:4 E5:2 G5:2 C6:12 .:16",
      "E4:1 E4:1 E4:1 G4:5 C5:4 E5:4 C5:2 E5:2 G5:12 .:16",
      "C3:3 C3:5 G3:4 G3:4 C3:4 C3:12 .:16",
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
  for (float& s : mix) s = static_cast<float>(std::tanh(s * 1.2));
  Normalize(mix, 0.9);
  FadeEdges(mix, 1, 20, rate / 2);
  return mix;
}

}  // namespace jizdavo::assetgen

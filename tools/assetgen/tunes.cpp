#include "tunes.h"

#include "song.h"

namespace jizdavo::assetgen {

namespace {

using I = Instrument;

// Calm: slow tempos, held pads, bells and plucks, soft or late drums.
const Tune kMenuTunes[] = {
    {84, 12, {"Am", "F", "C", "G"}, "R-------F-------", "x---------------", I::Pad, "0.2.1.2.0.2.1.2.",
     "E5:4 C5:2 A4:2 B4:4 C5:4 A4:6 G4:2 F4:4 A4:4 G4:4 E4:2 G4:2 C5:4 E5:4 D5:8 B4:4 .:4 "
     "E5:4 G5:2 E5:2 D5:4 C5:4 C5:6 A4:2 F4:4 A4:4 G4:4 C5:4 E5:4 G5:4 D5:12 .:4",
     I::Bell, 2, "x.......x.......", ".", "..x...x...x...x.", 4},
    {92, 12, {"D", "Bm", "G", "A"}, "R.....R.F.....F.", "x---------------", I::Pad, "0.1.2.3.2.1.0.1.",
     "F#5:6 E5:2 D5:4 A4:4 B4:6 C#5:2 D5:4 F#5:4 G5:4 F#5:4 E5:4 D5:4 E5:12 .:4", I::Lead, 4,
     "x.....x.........", "....x.......x...", "x.x.x.x.x.x.x.x.", 4},
    {76, 10, {"Em7", "Cmaj7", "Am7", "B7"}, "R-------R---F---", "x---------------", I::Pad,
     "0..1..2..3..2.1.", "B4:8 G4:4 A4:4 E5:8 D5:4 B4:4 C5:6 B4:2 A4:8 F#4:12 .:4", I::Bell, 2,
     "x.........x.....", "....x.......x...", "x.x.x.x.x.x.x.x.", 2},
    {100, 14, {"F", "Dm", "Bb", "C"}, "R...R...F...R.O.", "x.......x.......", I::Pad, ".",
     "A4:2 C5:2 F5:4 E5:2 D5:2 C5:4 D5:2 F5:2 A5:4 G5:2 F5:2 D5:4 Bb4:2 D5:2 F5:4 E5:2 D5:2 Bb4:4 "
     "C5:4 E5:4 G5:4 .:4",
     I::Pluck, 2, "x.....x...x.....", "....x.......x...", "..x...x...x...x.", 2},
};

// Driving: quick tempos, busy bass, four-to-the-floor kicks, brass and square leads.
const Tune kGameTunes[] = {
    {132, 18, {"Am", "Am", "F", "G"}, "R.RO.RR.R.RO.RF.", "x..x..x.x..x..x.", I::Pluck, ".",
     "A4:2 C5:2 E5:2 A5:4 G5:2 E5:2 C5:2 D5:2 E5:2 C5:2 A4:6 .:4 F5:2 E5:2 C5:2 A4:2 F5:4 E5:4 "
     "D5:4 G5:4 B4:4 D5:4",
     I::Lead, 2, "x...x...x...x...", "....x.......x...", "x.x.x.x.x.x.x.x.", 0},
    {140, 20, {"Em", "C", "D", "Bm"}, "R.R.R.R.O.R.R.F.", "x---------------", I::Pad, "0.1.2.3.4.3.2.1.",
     "E5:6 D5:2 B4:4 G4:4 C5:6 B4:2 G4:4 E4:4 D5:4 F#5:4 A5:4 F#5:4 B4:12 .:4", I::Brass, 4,
     "x.....x.x.......", "....x.......x...", "xxxxxxxxxxxxxxxx", 0},
    {124, 16, {"G", "D", "Em", "C"}, "R..R..R.R..R..F.", "..x...x...x...x.", I::Pluck, ".",
     "B4:2 D5:2 G5:4 F#5:2 E5:2 D5:4 A4:2 D5:2 F#5:4 E5:2 D5:2 A4:4 G4:2 B4:2 E5:4 D5:2 B4:2 G4:4 "
     "C5:4 E5:4 G5:6 .:2",
     I::Lead, 2, "x...x...x...x...", "....x.......x..x", "..x...x...x...x.", 0},
    {150, 20, {"Dm", "Bb", "C", "A"}, "R.RR.RR.R.RR.RO.", "x-------x-------", I::Pad, "0123012301230123",
     "D5:4 F5:4 A5:6 G5:2 F5:4 D5:4 Bb4:8 C5:4 E5:4 G5:4 E5:4 C#5:8 E5:4 A4:4", I::Brass, 4,
     "x..x..x.x..x..x.", "....x.......x...", "x.x.x.x.x.x.x.x.", 0},
};

}  // namespace

std::vector<TuneFile> RenderAllTunes() {
  std::vector<TuneFile> files;
  for (int i = 0; i < 4; ++i)
    files.push_back({"MenuTune" + std::to_string(i + 1), RenderTune(kMenuTunes[i], kMusicRate)});
  for (int i = 0; i < 4; ++i)
    files.push_back({"InGame" + std::to_string(i + 1), RenderTune(kGameTunes[i], kMusicRate)});
  return files;
}

}  // namespace jizdavo::assetgen

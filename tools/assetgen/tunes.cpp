#include "tunes.h"

#include "song.h"

namespace jizdavo::assetgen {

namespace {

using I = Instrument;

// Calm: slow tempos, held pads, bells and plucks, soft or sparse drums; a quieter middle section.
const Tune kMenuTunes[] = {
    {87, I::Pad, I::Bell,  // A minor, about 61 s: intro, tune, a lighter middle, tune
     {{2, {"Am", "F"}, "R-------F-------", "x---------------", "0.2.1.2.0.2.1.2.", "", "", "", ""},
      {8, {"Am", "F", "C", "G"}, "R-------F-------", "x---------------", "0.2.1.2.0.2.1.2.",
       "E5:4 C5:2 A4:2 B4:4 C5:4 A4:6 G4:2 F4:4 A4:4 G4:4 E4:2 G4:2 C5:4 E5:4 D5:8 B4:4 .:4 "
       "E5:4 G5:2 E5:2 D5:4 C5:4 C5:6 A4:2 F4:4 A4:4 G4:4 C5:4 E5:4 G5:4 D5:12 .:4",
       "x.......x.......", ".", "..x...x...x...x."},
      {4, {"Dm", "Am", "F", "E"}, "R---------------", "x-------x-------", "0...1...2...1...",
       "A4:8 C5:4 D5:4 E5:12 .:4 F5:6 E5:2 D5:4 C5:4 B4:12 .:4", "", "", "..x.......x....."}},
     "ABCB"},
    {95, I::Pad, I::Lead,  // D major, about 61 s: the tune and a quiet turn to the relative minor, twice
     {{8, {"D", "Bm", "G", "A"}, "R.....R.F.....F.", "x---------------", "0.1.2.3.2.1.0.1.",
       "F#5:6 E5:2 D5:4 A4:4 B4:6 C#5:2 D5:4 F#5:4 G5:4 F#5:4 E5:4 D5:4 E5:12 .:4", "x.....x.........",
       "....x.......x...", "x.x.x.x.x.x.x.x."},
      {4, {"G", "A", "F#m", "Bm"}, "R-------R-------", "x---------------", "0..1..2..1..0...",
       "B4:8 D5:4 E5:4 C#5:12 .:4 A4:6 B4:2 C#5:4 F#5:4 D5:12 .:4", "", "", "x...x...x...x..."}},
     "ABAB"},
    {79, I::Pad, I::Bell,  // E minor, about 61 s: a held opening, the tune, a warmer middle
     {{4, {"Em7", "Cmaj7"}, "R-------R---F---", "x---------------", "", "", "", "", ""},
      {4, {"Em7", "Cmaj7", "Am7", "B7"}, "R-------R---F---", "x---------------", "0..1..2..3..2.1.",
       "B4:8 G4:4 A4:4 E5:8 D5:4 B4:4 C5:6 B4:2 A4:8 F#4:12 .:4", "x.........x.....", "....x.......x...",
       "x.x.x.x.x.x.x.x."},
      {4, {"Cmaj7", "D", "Bm7", "Em7"}, "R-------F-------", "x-------x-------", "0...2...1...3...",
       "G4:8 A4:4 B4:4 D5:12 .:4 F#5:8 E5:4 D5:4 B4:12 .:4", "", "", "..x...x...x...x."}},
     "ABCBC"},
    {103, I::Pad, I::Pluck,  // F major, about 61 s: a short intro, a bouncing tune, a softer B
     {{2, {"F", "C"}, "R...R...F...R.O.", "x.......x.......", "", "", "x.....x...x.....", "", ""},
      {8, {"F", "Dm", "Bb", "C"}, "R...R...F...R.O.", "x.......x.......", "",
       "A4:2 C5:2 F5:4 E5:2 D5:2 C5:4 D5:2 F5:2 A5:4 G5:2 F5:2 D5:4 Bb4:2 D5:2 F5:4 E5:2 D5:2 Bb4:4 "
       "C5:4 E5:4 G5:4 .:4",
       "x.....x...x.....", "....x.......x...", "..x...x...x...x."},
      {4, {"Bb", "F", "Gm7", "C7"}, "R-------R-------", "x---------------", "0.1.2.1.0.1.2.1.",
       "D5:6 C5:2 Bb4:4 A4:4 G4:8 A4:4 C5:4 F5:6 E5:2 D5:4 C5:4 E5:12 .:4", "", "", "..x...x...x...x."}},
     "ABCBC"},
};

// Driving: quick tempos, busy bass, four-to-the-floor kicks, brass and square leads; a B section in
// other chords and a short break keep a few minutes of play from hearing the same half-minute.
const Tune kGameTunes[] = {
    {134, I::Pluck, I::Lead,  // A minor, about 61 s
     {{2, {"Am"}, "R.RO.RR.R.RO.RF.", "", "", "", "x...x...x...x...", "", "x.x.x.x.x.x.x.x."},
      {8, {"Am", "Am", "F", "G"}, "R.RO.RR.R.RO.RF.", "x..x..x.x..x..x.", "",
       "A4:2 C5:2 E5:2 A5:4 G5:2 E5:2 C5:2 D5:2 E5:2 C5:2 A4:6 .:4 F5:2 E5:2 C5:2 A4:2 F5:4 E5:4 "
       "D5:4 G5:4 B4:4 D5:4",
       "x...x...x...x...", "....x.......x...", "x.x.x.x.x.x.x.x."},
      {8, {"Dm", "G", "C", "E"}, "R..R..R.R..R..O.", "x---x---x---x---", "0.1.2.1.0.1.2.1.",
       "F5:4 E5:4 D5:4 C5:4 B4:6 C5:2 D5:8 E5:4 G5:4 C5:8 G#4:4 B4:4 E5:8",
       "x...x...x...x...", "....x.......x...", "..x...x...x...x."}},
     "ABCBC"},
    {142, I::Pad, I::Brass,  // E minor, about 61 s
     {{4, {"Em", "C"}, "R.R.R.R.O.R.R.F.", "", "", "", "x.....x.x.......", "", "xxxxxxxxxxxxxxxx"},
      {8, {"Em", "C", "D", "Bm"}, "R.R.R.R.O.R.R.F.", "x---------------", "0.1.2.3.4.3.2.1.",
       "E5:6 D5:2 B4:4 G4:4 C5:6 B4:2 G4:4 E4:4 D5:4 F#5:4 A5:4 F#5:4 B4:12 .:4", "x.....x.x.......",
       "....x.......x...", "xxxxxxxxxxxxxxxx"},
      {8, {"Am", "Em", "C", "B7"}, "R...R...R...R.O.", "x-------x-------", "0.2.1.2.0.2.1.2.",
       "A4:8 C5:4 E5:4 G5:8 B4:8 C5:4 E5:4 G5:4 E5:4 D#5:12 .:4", "x.......x.......", "....x.......x...",
       "x.x.x.x.x.x.x.x."}},
     "ABCBC"},
    {126, I::Pluck, I::Lead,  // G major, about 61 s
     {{8, {"G", "D", "Em", "C"}, "R..R..R.R..R..F.", "..x...x...x...x.", "",
       "B4:2 D5:2 G5:4 F#5:2 E5:2 D5:4 A4:2 D5:2 F#5:4 E5:2 D5:2 A4:4 G4:2 B4:2 E5:4 D5:2 B4:2 G4:4 "
       "C5:4 E5:4 G5:6 .:2",
       "x...x...x...x...", "....x.......x..x", "..x...x...x...x."},
      {8, {"C", "G", "Am", "D"}, "R.R.R.R.R.R.R.O.", "x---x---x---x---", "0.1.2.3.2.1.0.1.",
       "E5:4 G5:4 E5:4 C5:4 D5:8 B4:8 C5:4 E5:4 A5:8 F#5:4 E5:4 D5:8", "x.......x.......",
       "....x.......x...", "x.x.x.x.x.x.x.x."}},
     "ABAB"},
    {150, I::Pad, I::Brass,  // D minor, about 61 s
     {{2, {"Dm"}, "R.RR.RR.R.RR.RO.", "", "", "", "x..x..x.x..x..x.", "", "x.x.x.x.x.x.x.x."},
      {8, {"Dm", "Bb", "C", "A"}, "R.RR.RR.R.RR.RO.", "x-------x-------", "0123012301230123",
       "D5:4 F5:4 A5:6 G5:2 F5:4 D5:4 Bb4:8 C5:4 E5:4 G5:4 E5:4 C#5:8 E5:4 A4:4", "x..x..x.x..x..x.",
       "....x.......x...", "x.x.x.x.x.x.x.x."},
      {8, {"Gm", "Dm", "Bb", "A7"}, "R...R...R...R.F.", "x---------------", "0.1.2.3.2.1.0.1.",
       "G4:4 Bb4:4 D5:8 F5:4 E5:4 D5:8 Bb4:4 D5:4 F5:4 A5:4 G5:4 E5:4 C#5:8", "x.......x.......",
       "....x.......x...", "xxxxxxxxxxxxxxxx"},
      {4, {"Dm", "C"}, "R.......R.......", "x-------x-------", "", "", "", "....x.......x...", ""}},
     "ABCBCD"},
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

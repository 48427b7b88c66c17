#pragma once
// The eight tunes that play from files beside the program: four calm menu tunes, four driving
// in-game tunes.

#include <string>
#include <vector>

namespace jizdavo::assetgen {

// A minute of music at 16000 Hz keeps the eight tunes, and the mixer's copy of each, inside the
// program's memory budget; the tunes hold little above 7 kHz anyway.
constexpr int kMusicRate = 16000;

struct TuneFile {
  std::string name;  // "MenuTune1" .. "InGame4"
  std::vector<float> samples;  // mono, kMusicRate, one seamless loop
};

std::vector<TuneFile> RenderAllTunes();

}  // namespace jizdavo::assetgen

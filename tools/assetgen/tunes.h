#pragma once
// The eight tunes that play from files beside the program: four calm menu tunes, four driving
// in-game tunes.

#include <string>
#include <vector>

namespace jizdavo::assetgen {

// The effects' rate: the tunes' hats and plucks reach up to it. The program streams the tunes from
// their files, so their length costs no memory.
constexpr int kMusicRate = 44100;
constexpr int kMusicChannels = 2;

struct TuneFile {
  std::string name;  // "MenuTune1" .. "InGame4"
  std::vector<float> samples;  // stereo interleaved, kMusicRate, one seamless loop
};

std::vector<TuneFile> RenderAllTunes();

}  // namespace jizdavo::assetgen

#pragma once
// The eight tunes that play from files beside the program: four calm menu tunes, four driving
// in-game tunes.

#include <string>
#include <vector>

namespace jizdavo::assetgen {

constexpr int kMusicRate = 22050;

struct TuneFile {
  std::string name;  // "MenuTune1" .. "InGame4"
  std::vector<float> samples;  // mono, kMusicRate, one seamless loop
};

std::vector<TuneFile> RenderAllTunes();

}  // namespace jizdavo::assetgen

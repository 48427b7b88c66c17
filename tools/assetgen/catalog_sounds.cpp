// The 15 sound items in collection order, with their recorded formats and lengths.
#include "catalog.h"
#include "effects.h"
#include "wave_file.h"

namespace jizdavo::assetgen {

namespace {

struct Effect {
  const char* name;
  SampleFormat format;
  int data_bytes;
  std::vector<float> (*make)(int frames, int rate);
};

SoundAsset Make(const Effect& e) {
  int frames = e.data_bytes / (e.format.channels * e.format.bits / 8);
  return {e.name, false, EncodeWave(e.format, e.make(frames, e.format.rate))};
}

}  // namespace

std::vector<SoundAsset> MakeSounds() {
  const Effect effects[] = {
      {"Mlask", {1, 44100, 16}, 21036, Squelch}, {"Horn", {1, 22050, 16}, 16644, CarHorn},
      {"Impact", {1, 44100, 16}, 28450, Thud},   {"Horn2", {1, 22050, 16}, 17774, TruckHorn},
      {"Puk", {1, 11025, 16}, 3524, WoodKnock},  {"Menu", {2, 44100, 16}, 51156, MenuBlip},
  };
  std::vector<SoundAsset> items;
  for (const Effect& e : effects) items.push_back(Make(e));
  for (const char* name :
       {"MenuTune1", "MenuTune2", "MenuTune3", "MenuTune4", "InGame1", "InGame2", "InGame3", "InGame4"})
    items.push_back({name, true, {}});  // filled from the files beside the program at start-up
  items.push_back(Make({"Fanfare", {1, 11025, 8, true}, 64001, VictoryFanfare}));
  return items;
}

}  // namespace jizdavo::assetgen

#include "menu_field.h"

#include <fstream>

#include "files/data_folder.h"
#include "widgets/control_fixtures.h"

namespace jizdavo::testing {

namespace {

// The tunes come from files beside the program; the tests give each a short quiet loop instead.
void GiveTunesSound(TDXWaveList& waves) {
  WaveFormat format;
  format.format_tag = 1;  // PCM
  format.channels = 1;
  format.samples_per_sec = 11025;
  format.avg_bytes_per_sec = 22050;
  format.block_align = 2;
  format.bits_per_sample = 16;
  for (const char* name : {"MenuTune1", "MenuTune2", "MenuTune3", "MenuTune4", "InGame1", "InGame2", "InGame3",
                           "InGame4"}) {
    TWaveCollectionItem& tune = waves.Find(name);
    tune.Wave().Assign(format, std::vector<uint8_t>(2048, 0));
    tune.Finalize();
    tune.Initialize();
  }
}

GameSetup MenuSetup() {
  GameSetup setup;
  setup.seed = 7;
  setup.built_in_pictures = true;
  return setup;
}

}  // namespace

MenuField::MenuField(const std::function<void(const std::filesystem::path&)>& prepare)
    : HeadlessGame(MenuSetup()) {
  if (prepare) prepare(folder);
  TakePlayerMessages();  // left by an earlier test
  Create();
  GiveTunesSound(game->DXWaveList);
  game->DXDraw1.Initialize();
  game->FormCreate();
  game->ShowPanels();
}

void MenuField::Click(TControl& control) {
  ClickAt(game->Menus.Layer, control.ScreenLeft() + 3, control.ScreenTop() + 6);
}

void MenuField::ClickListItem(int number) {
  TListView& list = game->Menus.ListView1;
  const TRect item = list.ItemRect(number - 1);
  ClickAt(game->Menus.Layer, list.ScreenLeft() + item.Left + 2, list.ScreenTop() + item.Top + 2);
}

std::vector<std::string> MenuField::ListCaptions() {
  std::vector<std::string> captions;
  const TListItems& items = game->Menus.ListView1.Items;
  for (int i = 0; i < items.Count(); ++i) captions.push_back(items[i]->Caption);
  return captions;
}

std::vector<std::string> MenuField::ListTimes() {
  std::vector<std::string> times;
  const TListItems& items = game->Menus.ListView1.Items;
  for (int i = 0; i < items.Count(); ++i) times.push_back(items[i]->SubItems.at(1));
  return times;
}

void MenuField::SilenceAll() {
  for (const char* name : {"Menu", "MenuTune1", "MenuTune2", "MenuTune3", "MenuTune4", "InGame1", "InGame2",
                           "InGame3", "InGame4"}) {
    game->DXWaveList.Find(name).Stop();
  }
}

std::function<void(const std::filesystem::path&)> SettingsText(const std::string& text) {
  return [text](const std::filesystem::path& folder) { std::ofstream(folder / kSettingsFileName) << text; };
}

}  // namespace jizdavo::testing

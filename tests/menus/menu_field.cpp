#include "menu_field.h"

#include <unistd.h>

#include <stdexcept>

#include "control_fixtures.h"
#include "platform/asset_loader.h"

namespace jizdavo::testing {

namespace {

std::filesystem::path MakeTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "jizdavo_menus_XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
  return pattern;
}

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

}  // namespace

MenuField::MenuField(const std::function<void(const std::filesystem::path&)>& prepare)
    : random(7, clock), folder(MakeTempFolder()) {
  if (prepare) prepare(folder);
  TakePlayerMessages();  // left by an earlier test
  PlatformServices services{clock, random, video, input, window, timers, audio,
                            [this](uint32_t ms) { clock.Advance(ms); }, folder, folder,
                            StoredWidgetPictures()};
  game = std::make_unique<TJizdavo>(services);
  LoadStoredAssets(game->DXImageList, game->DXWaveList, StoredImages(), StoredSounds());
  GiveTunesSound(game->DXWaveList);
  game->DXDraw1.Initialize();
  game->FormCreate();
  game->ShowPanels();
}

MenuField::~MenuField() {
  game.reset();
  std::error_code ignored;
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(folder, ignored);
}

void MenuField::Click(TControl& control) {
  ClickAt(game->Menus.Layer, control.ScreenLeft() + 3, control.ScreenTop() + 6);
}

void MenuField::Key(int key_code, bool repeat) {
  WindowEvent event{WindowEvent::Kind::KeyDown};
  event.key_code = key_code;
  event.repeat = repeat;
  game->HandleWindowEvent(event);
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

}  // namespace jizdavo::testing

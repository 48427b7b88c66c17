#pragma once
// The main window on the test kit's doubles for the menus, with the options panel's own pictures and
// an audio device pulled by hand (so plays can be seen). Clicks go through the control layer as the
// window would send them.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/headless_game.h"

namespace jizdavo::testing {

class MenuField : public HeadlessGame {
 public:
  // The main window after start-up with the main menu showing. `prepare` may put files in the folder
  // before the window reads them.
  explicit MenuField(const std::function<void(const std::filesystem::path&)>& prepare = nullptr);

  TJizdavo& Window() { return *game; }
  TMenuScreens& Menus() { return game->Menus; }

  // A left click near the top-left corner of `control`, through the control layer.
  void Click(TControl& control);
  // The level item `number` of the list.
  void ClickListItem(int number);
  int Volume(const std::string& sound) { return game->DXWaveList.Find(sound).Volume(); }
  std::vector<std::string> ListCaptions();
  std::vector<std::string> ListTimes();
  // Stops the tunes and the menu click, so that later plays can be counted.
  void SilenceAll();
};

// A preparation that writes `text` as the folder's settings file.
std::function<void(const std::filesystem::path&)> SettingsText(const std::string& text);

}  // namespace jizdavo::testing

#pragma once
// The main window on test doubles for the menus: a hand-set clock, a seeded random source, a window
// that records message boxes and closing, an audio device pulled by hand (so plays can be seen) and a
// private folder for the files. Clicks go through the control layer as the window would send them.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "frame/jizdavo.h"
#include "platform/seeded_random.h"

namespace jizdavo::testing {

class MenuWindow final : public WindowServices {
 public:
  void SetPointerShape(int shape) override { pointer_shapes.push_back(shape); }
  bool LoadPointer(const std::string&) override { return true; }
  void CenterPointer() override {}
  void MessageBox(const std::string& title, const std::string& text) override { boxes.emplace_back(title, text); }
  void Close() override { ++closes; }

  std::vector<int> pointer_shapes;
  std::vector<std::pair<std::string, std::string>> boxes;
  int closes = 0;
};

class MenuField {
 public:
  // The main window after start-up with the main menu showing. `prepare` may put files in the folder
  // before the window reads them.
  explicit MenuField(const std::function<void(const std::filesystem::path&)>& prepare = nullptr);
  ~MenuField();

  TJizdavo& Window() { return *game; }
  TMenuScreens& Menus() { return game->Menus; }

  // A left click near the top-left corner of `control`, through the control layer.
  void Click(TControl& control);
  // A key pressed as the window sends it to the main window (a `repeat` of one held down).
  void Key(int key_code, bool repeat = false);
  // The level item `number` of the list.
  void ClickListItem(int number);
  // Voices of a sound item playing now.
  int Plays(const std::string& sound) { return game->DXWaveList.Find(sound).PlayingVoiceCount(); }
  int Volume(const std::string& sound) { return game->DXWaveList.Find(sound).Volume(); }
  std::vector<std::string> ListCaptions();
  std::vector<std::string> ListTimes();
  // Stops the tunes and the menu click, so that later plays can be counted.
  void SilenceAll();

  ManualClock clock{1000};
  SeededRandom random;
  NullVideoOutput video;
  ScriptedInput input;
  MenuWindow window;
  MessageTimers timers{clock};
  ManualAudioOutput audio;
  std::filesystem::path folder;
  std::unique_ptr<TJizdavo> game;
};

}  // namespace jizdavo::testing

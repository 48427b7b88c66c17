#pragma once
// The main window from its creation on test doubles: the files beside the program written by the
// test, a clock that moves only while the game waits, input that arrives at a set time, random
// numbers the test chooses and a window that counts what it is asked.

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frame/jizdavo.h"

namespace jizdavo::testing {

// Hands out the queued numbers (cut to the range asked for), then `fallback`.
class ScriptedRandom final : public RandomSource {
 public:
  int Random(int n) override;
  void Randomize() override { ++reseeds; }

  std::deque<int> queued;
  int fallback = 0;
  int reseeds = 0;
};

class CountingWindow final : public WindowServices {
 public:
  void SetPointerShape(int shape) override { pointer_shapes.push_back(shape); }
  bool LoadPointer(const std::string& path) override;
  void CenterPointer() override { ++centred; }
  void MessageBox(const std::string&, const std::string&) override {}
  void Close() override {}
  bool QuitRequested() override { return quit_requested && quit_requested(); }

  std::function<bool()> quit_requested;
  std::vector<int> pointer_shapes;
  std::vector<std::string> pointer_files;
  int centred = 0;
};

// PC scan codes and mouse buttons that skip the film.
inline constexpr int ScanEsc = 1;
inline constexpr int ScanEnter = 28;
inline constexpr int ScanSpace = 57;

class StartupRig {
 public:
  StartupRig();
  ~StartupRig();

  // A film of `frames` frames at 10 frames a second as "Graphics\logo.avi".
  void WriteFilm(int frames);
  // The eight tunes as short waves in "Music".
  void WriteMusic();
  void WriteSettings(const std::string& text);

  // Creates the window (FormCreate) and brings the display up, which runs the intro.
  void Start();
  // Creates the window and brings the display up without the intro.
  void StartWithoutIntro();

  // From `at` on (clock time) the scan code is down, or with `button` >= 0 that mouse button.
  void SkipAt(uint32_t at, int scan_code, int button = -1);

  int PlayingVoices(const std::string& item);

  static constexpr uint32_t kStart = 1000;
  ManualClock clock{kStart};
  ScriptedRandom random;
  NullVideoOutput video;
  ScriptedInput input;
  CountingWindow window;
  MessageTimers timers{clock};
  ManualAudioOutput audio;
  std::filesystem::path folder;
  std::unique_ptr<TJizdavo> game;

 private:
  void Create();
  void Wait(uint32_t ms);

  bool skip_pending_ = false;
  uint32_t skip_at_ = 0;
  int skip_scan_ = 0;
  int skip_button_ = -1;
};

}  // namespace jizdavo::testing

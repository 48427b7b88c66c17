#pragma once
// The main window from its creation on the test kit's doubles: the files beside the program written
// by the test, a clock that moves only while the game waits, input that arrives at a set time, random
// numbers the test chooses and pointers only from files that exist.

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/headless_game.h"

namespace jizdavo::testing {

// Hands out the queued numbers (cut to the range asked for), then `fallback`.
class ScriptedRandom final : public RandomSource {
 public:
  int Random(int n) override;
  void Randomize(uint32_t) override { ++reseeds; }
  uint64_t BaseSeed() const override { return 0; }
  void SetBaseSeed(uint64_t) override {}

  std::deque<int> queued;
  int fallback = 0;
  int reseeds = 0;
};

class StartupRig : public HeadlessGame {
 public:
  StartupRig();
  // The game goes first: it waits and draws through this rig's members.
  ~StartupRig() { game.reset(); }

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

  ScriptedRandom scripted;

 private:
  void Wait(uint32_t ms);

  bool skip_pending_ = false;
  uint32_t skip_at_ = 0;
  int skip_scan_ = 0;
  int skip_button_ = -1;
};

}  // namespace jizdavo::testing

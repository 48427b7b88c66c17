#pragma once
// The whole game without a screen, a sound card or real time, for the benchmarks that run it from
// start-up on: the program's own files from the build folder (pictures, film, tunes), the settings,
// best times and progress in a scratch folder, a clock that moves only when told to, a sound device
// that nothing pulls, and input the benchmark sets.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "frame/jizdavo.h"
#include "platform/seeded_random.h"

namespace jizdavo::bench {

class QuietWindow final : public WindowServices {
 public:
  void SetPointerShape(int) override {}
  bool LoadPointer(const std::string& path) override { return std::filesystem::exists(path); }
  void CenterPointer() override {}
  void MessageBox(const std::string&, const std::string&) override {}
  void Close() override {}
};

class HeadlessGame {
 public:
  HeadlessGame();
  ~HeadlessGame();
  HeadlessGame(const HeadlessGame&) = delete;
  HeadlessGame& operator=(const HeadlessGame&) = delete;

  // What the program does from its window's creation to the main menu, with the film skipped by an
  // Esc held from the start: TJizdavo, the built-in assets, FormCreate, the display and its
  // DXDraw1Initialize, and the first frame that shows the menu. Esc is let go afterwards.
  void StartToMainMenu();
  // One frame as the frame timer calls it, `ms` after the last.
  void Frame(uint32_t ms);
  // Starts a Standard game at `level` and `difficulty` and plays it past the countdown.
  void StartStandardGame(int level, int difficulty);
  // The PC scan code held down (true) or let go.
  void Hold(int scan_code, bool down) { input.state.scan_codes[scan_code] = down; }

  ManualClock clock{1000};
  SeededRandom random{16, clock};
  NullVideoOutput video;
  ScriptedInput input;
  QuietWindow window;
  MessageTimers timers{clock};
  ManualAudioOutput audio;
  std::filesystem::path data_folder;
  std::unique_ptr<TJizdavo> game;
};

// PC scan codes the benchmarks press (the arrows are extended keys, 128 + code).
inline constexpr int kScanEsc = 1;
inline constexpr int kScanDown = 208;
inline constexpr int kScanLeft = 203;
inline constexpr int kScanRight = 205;

}  // namespace jizdavo::bench

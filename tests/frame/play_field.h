#pragma once
// A whole game on test doubles: a hand-set clock, a seeded random source, scripted keys, a window
// that records what it is asked, silent audio and a private folder for the files beside the program.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "frame/jizdavo.h"
#include "platform/seeded_random.h"

namespace jizdavo::testing {

class RecordingWindow final : public WindowServices {
 public:
  void SetPointerShape(int shape) override { pointer_shapes.push_back(shape); }
  bool LoadPointer(const std::string&) override { return true; }
  void CenterPointer() override {}
  void MessageBox(const std::string& title, const std::string& text) override { boxes.emplace_back(title, text); }
  void Close() override {}

  std::vector<int> pointer_shapes;
  std::vector<std::pair<std::string, std::string>> boxes;
};

// PC scan codes of the keys the tests press.
inline constexpr int ScanEscape = 1;
inline constexpr int ScanEnter = 28;
inline constexpr int ScanDown = 128 + 80;
inline constexpr int ScanLeft = 128 + 75;
inline constexpr int ScanRight = 128 + 77;

class PlayField {
 public:
  explicit PlayField(uint64_t seed = 1);
  ~PlayField();

  // One frame `ms` milliseconds after the previous one: due countdown ticks first, then the frame
  // with the lag count the frame timer would give.
  void Frame(uint32_t ms = 16);
  void Frames(int count, uint32_t ms = 16);
  void Hold(int scan_code, bool down = true) { input.state.scan_codes[scan_code] = down; }
  void Start(bool chase, int level, int difficulty = 1);
  // Frames until the countdown is done.
  void RunCountdown();

  TSurface& Back() { return *game->DXDraw1.BackSurface(); }

  ManualClock clock{1000};
  SeededRandom random;
  NullVideoOutput video;
  ScriptedInput input;
  RecordingWindow window;
  MessageTimers timers{clock};
  std::filesystem::path folder;
  std::unique_ptr<NullAudioOutput> audio;
  std::unique_ptr<TJizdavo> game;
};

}  // namespace jizdavo::testing

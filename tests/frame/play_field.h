#pragma once
// A whole game on test doubles: a hand-set clock, a seeded random source, scripted keys, a display
// that refreshes at a chosen rate, a window that records what it is asked, silent audio and a private
// folder for the files beside the program.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "frame/jizdavo.h"
#include "platform/blanking_display.h"
#include "platform/frame_pacer.h"
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
  // Runs the program's idle loop for `ms` milliseconds: the frame timer paced by the game's own clock,
  // the frames shown on a display refreshing at `refresh_hz` (0: one that reports no rate).
  // `after_frame` hears each frame's lag count.
  void RunPaced(int refresh_hz, uint32_t ms, const std::function<void(int lag)>& after_frame = {});

  TSurface& Back() { return *game->DXDraw1.BackSurface(); }

  ManualClock clock{1000};
  SeededRandom random;
  BlankingDisplay video{clock};
  ScriptedInput input;
  RecordingWindow window;
  MessageTimers timers{clock};
  std::filesystem::path folder;
  std::unique_ptr<NullAudioOutput> audio;
  std::unique_ptr<TJizdavo> game;
  std::unique_ptr<FramePacer> pacer;
};

}  // namespace jizdavo::testing

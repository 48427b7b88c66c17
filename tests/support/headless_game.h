#pragma once
// The whole main window on test doubles, shared by the tests, the benchmarks and the soak: a clock
// that moves only when told to, a seeded random source (or one the user gives), scripted keys, a
// display on that clock, a window that records what it is asked, a sound device pulled by hand (or
// none) and a scratch folder for the files beside the program.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/time/frame_pacer.h"
#include "platform/time/game_clock.h"
#include "platform/input/scan_codes.h"
#include "platform/seeded_random.h"
#include "support/blanking_display.h"
#include "main_window/jizdavo.h"

namespace jizdavo::testing {

class RecordingWindow final : public WindowServices {
 public:
  void SetPointerShape(int shape) override { pointer_shapes.push_back(shape); }
  // Succeeds for any file unless `pointer_file_needed`, as the real window does with no file.
  bool LoadPointer(const std::string& path) override;
  void CenterPointer() override { ++centred; }
  void MessageBox(const std::string& title, const std::string& text) override {
    boxes.emplace_back(title, text);
    if (while_box_shows) while_box_shows();
  }
  void Close() override { ++closes; }
  bool QuitRequested() override { return quit_requested && quit_requested(); }

  bool pointer_file_needed = false;
  std::function<bool()> quit_requested;
  // What passes while a box is open (the player reading it), before it closes.
  std::function<void()> while_box_shows;
  std::vector<int> pointer_shapes;
  std::vector<std::string> pointer_files;
  std::vector<std::pair<std::string, std::string>> boxes;
  int centred = 0;
  int closes = 0;
};

// A machine less than perfect under a paced run.
struct PacedMachine {
  // The clock runs this long while each frame runs (ManualClock::Run).
  uint32_t drawing_ms = 0;
  // Lets a wait of `ms` pass: the clock advanced by at least that much, and whatever happens
  // meanwhile; empty: exactly `ms` pass.
  std::function<void(uint32_t ms)> wait;
};

// What differs between the users of the rig; the defaults: seed 1, a sound device pulled by hand, every
// file in the scratch folder.
struct GameSetup {
  uint64_t seed = 1;
  // Another random source instead of the seeded one.
  RandomSource* random = nullptr;
  // False: no sound device at all, so nothing is ever mixed.
  bool sound_device = true;
  // Empty: the scratch folder.
  std::filesystem::path program_folder;
  std::filesystem::path data_folder;
  // How the game's blocking waits pass; empty: the clock advances by the wait.
  std::function<void(uint32_t ms)> wait;
  // The options panel's own pictures, as the program gives them.
  bool built_in_pictures = false;
};

class HeadlessGame {
 public:
  explicit HeadlessGame(GameSetup setup = {});
  ~HeadlessGame();
  HeadlessGame(const HeadlessGame&) = delete;
  HeadlessGame& operator=(const HeadlessGame&) = delete;

  // TJizdavo on the doubles with the built-in pictures and sounds; the caller goes on from there
  // (FormCreate, the display) in the order it tests.
  void Create();
  // Create, then the display and FormCreate as the play field needs them, with the window focused so
  // the frame timer runs.
  void CreatePlayField();

  // One frame `ms` milliseconds after the previous one: due countdown ticks first, then the frame
  // with the lag count the frame timer would give.
  void Frame(uint32_t ms = 16);
  void Frames(int count, uint32_t ms = 16);
  void Hold(int scan_code, bool down = true) { input.SetKey(scan_code, down); }
  // A key pressed as the window sends it to the main window (a `repeat` of one held down).
  void Key(int key_code, bool repeat = false);
  void KeyUp(int key_code);
  void Send(const WindowEvent& event) { game->HandleWindowEvent(event); }
  // Starts a game from the menu's choices.
  void Start(bool chase, int level, int difficulty = 1);
  // Frames of `ms` until the countdown is done, for 4 s of game time at most.
  void RunCountdown(uint32_t ms = 10);
  // Runs the program's idle loop for `ms` milliseconds of game time: the frame timer paced by the
  // game's own clock, the frames shown on a display refreshing at `refresh_hz` (0: one that reports
  // no rate). `after_frame` hears each frame's lag count.
  void RunPaced(int refresh_hz, uint32_t ms, const std::function<void(int lag)>& after_frame = {},
                PacedMachine machine = {});

  TSurface& Back() { return *game->DXDraw1.BackSurface(); }
  // Voices of a sound item playing now.
  int Plays(const std::string& sound) { return game->DXWaveList.Find(sound).PlayingVoiceCount(); }

  static constexpr uint32_t kStart = 1000;
  // The machine's clock, and the game's on it.
  ManualClock clock{kStart};
  GameClock game_clock{clock};
  SeededRandom seeded;
  RandomSource& random;
  BlankingDisplay video{clock};
  ScriptedInput input;
  RecordingWindow window;
  MessageTimers timers{game_clock};
  ManualAudioOutput audio;
  NullAudioOutput no_sound;
  std::filesystem::path folder;
  std::unique_ptr<TJizdavo> game;
  std::unique_ptr<FramePacer> pacer;

 private:
  GameSetup setup_;
  bool own_folder_;
  PacedMachine machine_;
};

// The play field of the window's tests: a game on its seed (or on `random`), with no sound device,
// ready to start.
class PlayField : public HeadlessGame {
 public:
  explicit PlayField(uint64_t seed = 1, RandomSource* random = nullptr) : HeadlessGame(Setup(seed, random)) {
    CreatePlayField();
  }

 private:
  static GameSetup Setup(uint64_t seed, RandomSource* random) {
    GameSetup setup;
    setup.seed = seed;
    setup.random = random;
    setup.sound_device = false;
    setup.built_in_pictures = true;  // the options screen's scene shows its check boxes and arrows
    return setup;
  }
};

}  // namespace jizdavo::testing

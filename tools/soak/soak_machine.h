#pragma once
// The main window on the test kit's doubles, driven by hand: a sound device whose samples are pulled
// every frame (so the mixer runs), a clock that moves only when a frame is run, and a random source
// that can switch the traffic off.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "support/headless_game.h"

namespace jizdavo::soak {

// Something the game did that a player would call broken; ends the soak with a failure.
class SoakFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Traffic spawns from a Random(15) draw per lane and frame; only draws of 1 to 3 spawn. With the
// traffic off those draws read 0, every other draw passes through unchanged.
class TrafficSwitch final : public RandomSource {
 public:
  explicit TrafficSwitch(uint64_t seed) : inner_(seed) {}
  int Random(int n) override;
  void Randomize(uint32_t now) override { inner_.Randomize(now); }
  uint64_t BaseSeed() const override { return inner_.BaseSeed(); }
  void SetBaseSeed(uint64_t seed) override { inner_.SetBaseSeed(seed); }
  void SetTraffic(bool on) { traffic_ = on; }

 private:
  SeededRandom inner_;
  bool traffic_ = true;
};

class SoakMachine {
 public:
  // The window after start-up with the main menu showing; the program's files (tunes, pointer,
  // pictures) come from `program_folder`, the settings, scores and progress live in `data_folder`.
  SoakMachine(const std::filesystem::path& program_folder, const std::filesystem::path& data_folder,
              uint64_t seed);
  ~SoakMachine();
  SoakMachine(const SoakMachine&) = delete;
  SoakMachine& operator=(const SoakMachine&) = delete;

  TJizdavo& Window() { return *game_.game; }
  TMenuScreens& Menus() { return game_.game->Menus; }
  TrafficSwitch& Random() { return random_; }
  const testing::RecordingWindow& WindowServices() const { return game_.window; }
  int64_t Frames() const { return frames_; }
  uint32_t Now() const { return game_.clock.Now(); }

  // One 16 ms frame: the clock, due timers, the frame, then the device pulls that much sound.
  void Frame();
  void Frames(int count);

  // A left click in the middle of `control`, through the control layer. Fails when the control is
  // not the one in front there: the player could not have clicked it.
  void Click(TControl& control);
  // The level item `number` of the list, clicked the same way.
  void ClickListItem(int number);
  // A press at `x` pixels into `control` (horizontally, in its middle row), dragged to `drag_to`.
  void Drag(TControl& control, int x, int drag_to);
  void Type(const std::string& text);
  void PressKey(int key_code);

  void Hold(int scan_code, bool down) { game_.Hold(scan_code, down); }
  void ReleaseKeys() { game_.input.state.scan_codes.fill(false); }

  // Called after every frame (the run's clock and memory samples).
  std::function<void()> AfterFrame;

 private:
  void ClickAt(TControl& control, int x, int y);
  void Send(WindowEvent::Kind kind, int x, int y);

  // The game is made first: the traffic switch draws on its clock.
  testing::HeadlessGame game_;
  TrafficSwitch random_;
  int64_t frames_ = 0;
};

}  // namespace jizdavo::soak

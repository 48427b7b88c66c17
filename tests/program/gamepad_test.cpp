// A virtual game controller driven through the input seam: the game sees the keys the pad stands
// for, and the menus hear them as key events.

#include <gtest/gtest.h>

#include <vector>

#include "platform/input/dx_input.h"
#include "platform/input/scan_codes.h"
#include "platform/sdl/sdl_gamepads.h"
#include "platform/sdl/sdl_input_source.h"
#include "platform/sdl/sdl_main_loop.h"
#include "platform/sdl/sdl_clock.h"

namespace jizdavo {
namespace {


// The SDL input source with the window's focus taken as given: a test has no window to focus, and
// the focus rule has tests of its own.
class FocusedSdlInput final : public InputSource {
 public:
  explicit FocusedSdlInput(SdlGamepads& pads) : inner_(nullptr, &pads) {}
  InputSnapshot Read() override {
    InputSnapshot snapshot = inner_.Read();
    snapshot.foreground = true;
    return snapshot;
  }

 private:
  SdlInputSource inner_;
};

class GamepadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    pads_ = std::make_unique<SdlGamepads>();
    input_ = std::make_unique<FocusedSdlInput>(*pads_);
    dx_input_ = std::make_unique<TDXInput>(*input_);
  }
  void TearDown() override {
    if (pad_index_ >= 0) SDL_JoystickDetachVirtual(pad_index_);
    dx_input_.reset();
    input_.reset();
    pads_.reset();
    SDL_Quit();
  }

  void PlugIn() {
    pad_index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                           SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(pad_index_, 0) << SDL_GetError();
    joystick_ = SDL_JoystickOpen(pad_index_);
    ASSERT_NE(joystick_, nullptr);
  }
  void PullOut() {
    SDL_JoystickClose(joystick_);
    SDL_JoystickDetachVirtual(pad_index_);
    pad_index_ = -1;
  }
  void Stick(int x, int y) {
    SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x));
    SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(y));
  }
  void Button(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
  }
  // The pads' events as the main loop hands them over, arrivals and removals among them.
  void DeliverEvents() {
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PollEvent(&event)) pads_->KeyEventsOf(event);
  }
  // Directions as the game reads them after one update: up, down, left, right.
  std::string Walk() {
    DeliverEvents();
    dx_input_->Update();
    const TDXInputStates& s = dx_input_->States();
    return std::string(s[StateUp] ? "U" : "") + (s[StateDown] ? "D" : "") + (s[StateLeft] ? "L" : "") +
           (s[StateRight] ? "R" : "");
  }
  bool KeyDown(int code) {
    DeliverEvents();
    dx_input_->Update();
    return dx_input_->Keyboard.Keys(code);
  }

  std::unique_ptr<SdlGamepads> pads_;
  std::unique_ptr<FocusedSdlInput> input_;
  std::unique_ptr<TDXInput> dx_input_;
  int pad_index_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

TEST_F(GamepadTest, StickAndPadWalkInEightDirectionsPastTheDeadZone) {
  PlugIn();
  constexpr int kFar = 32767, kNear = kStickDeadZone - 1;
  const struct {
    int x, y;
    const char* walk;
  } stick[] = {{0, -kFar, "U"},     {kFar, -kFar, "UR"}, {kFar, 0, "R"},     {kFar, kFar, "DR"},
               {0, kFar, "D"},      {-kFar, kFar, "DL"}, {-kFar, 0, "L"},    {-kFar, -kFar, "UL"},
               {kNear, -kNear, ""}, {0, 0, ""},          {kStickDeadZone, 0, "R"}};
  for (const auto& s : stick) {
    Stick(s.x, s.y);
    EXPECT_EQ(Walk(), s.walk) << s.x << "," << s.y;
  }
  Stick(0, 0);
  Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
  Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  EXPECT_EQ(Walk(), "DL");
  Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  EXPECT_EQ(Walk(), "D");
}

TEST_F(GamepadTest, StartAndBPauseAndSkipAsEscAndAConfirmsAsEnter) {
  PlugIn();
  for (auto button : {SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_B}) {
    Button(button, true);
    EXPECT_TRUE(KeyDown(kKeyEscape));
    Button(button, false);
    EXPECT_FALSE(KeyDown(kKeyEscape));
  }
  Button(SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_TRUE(KeyDown(kKeyEnter));
  EXPECT_FALSE(dx_input_->Keyboard.Keys(kKeyEscape));
  Button(SDL_CONTROLLER_BUTTON_X, true);  // stands for nothing
  Button(SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_FALSE(KeyDown(kKeyEnter));
  EXPECT_EQ(Walk(), "");
  // Pressed and let go between two of the game's reads: seen at the next one only.
  Button(SDL_CONTROLLER_BUTTON_START, true);
  SDL_PumpEvents();
  Button(SDL_CONTROLLER_BUTTON_START, false);
  EXPECT_TRUE(KeyDown(kKeyEscape));
  EXPECT_FALSE(KeyDown(kKeyEscape));
}

TEST_F(GamepadTest, APadPluggedInOrPulledOutMidGameIsFollowed) {
  EXPECT_EQ(pads_->Count(), 0u);
  EXPECT_EQ(Walk(), "");
  PlugIn();
  Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
  EXPECT_EQ(Walk(), "U");
  EXPECT_EQ(pads_->Count(), 1u);
  PullOut();  // while the button is held
  EXPECT_EQ(Walk(), "");
  EXPECT_EQ(pads_->Count(), 0u);
  PlugIn();
  Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  EXPECT_EQ(Walk(), "R");
}

TEST_F(GamepadTest, MenusHearButtonsAndTheStickAsKeyEvents) {
  PlugIn();
  SdlClock machine_clock;
  GameClock clock(machine_clock);
  MessageTimers timers(clock);
  TDXTimer frame_timer(clock);
  SdlMainLoop loop(clock, frame_timer, timers);
  loop.device_keys = [this](const SDL_Event& event) { return pads_->KeyEventsOf(event); };
  std::vector<std::pair<WindowEvent::Kind, int>> heard;
  loop.AddListener([&](const WindowEvent& e) { heard.emplace_back(e.kind, e.key_code); });
  // SDL turns a pad's changes into events when it pumps them, one pump a change.
  const auto dispatch = [&loop] {
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PollEvent(&event)) loop.HandleEvent(event);
  };
  dispatch();
  heard.clear();

  Button(SDL_CONTROLLER_BUTTON_A, true);
  dispatch();
  Button(SDL_CONTROLLER_BUTTON_A, false);
  dispatch();
  Button(SDL_CONTROLLER_BUTTON_B, true);
  dispatch();
  for (auto [x, y] : {std::pair{0, 32767}, {0, 100}, {-32767, 0}, {32767, 0}}) {  // down, middle, left, across
    Stick(x, y);
    dispatch();
  }
  using K = WindowEvent::Kind;
  const std::vector<std::pair<K, int>> expected = {
      {K::KeyDown, kKeyEnter}, {K::KeyUp, kKeyEnter}, {K::KeyDown, kKeyEscape}, {K::KeyDown, kKeyDown}, {K::KeyUp, kKeyDown},
      {K::KeyDown, kKeyLeft}, {K::KeyUp, kKeyLeft}, {K::KeyDown, kKeyRight}};
  EXPECT_EQ(heard, expected);
}

}  // namespace
}  // namespace jizdavo

#include "platform/sdl/sdl_main_loop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
#include <vector>

#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_input_source.h"
#include "platform/sdl/sdl_window.h"

namespace jizdavo {
namespace {

// SDL's event queue, without a screen.
class SdlEvents : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
  void TearDown() override { SDL_Quit(); }

  SDL_Event Push(Uint32 type) {
    SDL_Event event{};
    event.type = type;
    return event;
  }

  SdlClock machine_clock;
  GameClock clock{machine_clock};
  MessageTimers timers{clock};
  TDXTimer frame_timer{clock};
  SdlMainLoop loop{clock, frame_timer, timers};
};

TEST_F(SdlEvents, FocusChangesReachTheFrameTimerOnce) {
  int activations = 0;
  int deactivations = 0;
  frame_timer.OnActivate = [&](TDXTimer*) { ++activations; };
  frame_timer.OnDeactivate = [&](TDXTimer*) { ++deactivations; };
  std::vector<WindowEvent::Kind> heard;
  loop.AddListener([&](const WindowEvent& e) { heard.push_back(e.kind); });
  SDL_Event event = Push(SDL_WINDOWEVENT);
  for (auto change :
       {SDL_WINDOWEVENT_FOCUS_GAINED, SDL_WINDOWEVENT_FOCUS_GAINED, SDL_WINDOWEVENT_FOCUS_LOST}) {
    event.window.event = static_cast<Uint8>(change);
    loop.HandleEvent(event);
  }
  EXPECT_EQ(activations, 1);
  EXPECT_EQ(deactivations, 1);
  EXPECT_FALSE(frame_timer.ApplicationActive());
  using Kind = WindowEvent::Kind;
  EXPECT_EQ(heard, (std::vector<Kind>{Kind::Activate, Kind::Deactivate}));
}

TEST_F(SdlEvents, ListenersHearKeysInGameCodesAndMouseInFramePixels) {
  std::vector<WindowEvent> heard;
  loop.AddListener([&](const WindowEvent& e) { heard.push_back(e); });
  loop.window_to_frame = [](int& x, int& y) { x /= 2, y /= 2; };
  SDL_Event key = Push(SDL_KEYDOWN);
  key.key.keysym.scancode = SDL_SCANCODE_APOSTROPHE;
  loop.HandleEvent(key);
  SDL_Event click = Push(SDL_MOUSEBUTTONUP);
  click.button.button = SDL_BUTTON_RIGHT;
  click.button.x = 101;
  click.button.y = 60;
  loop.HandleEvent(click);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[0].kind, WindowEvent::Kind::KeyDown);
  EXPECT_EQ(heard[0].key_code, 39);
  EXPECT_EQ(heard[1].kind, WindowEvent::Kind::MouseUp);
  EXPECT_EQ(heard[1].button, 1);
  EXPECT_EQ(heard[1].x, 50);
  EXPECT_EQ(heard[1].y, 30);
}

TEST_F(SdlEvents, EventsTheWindowUsesGoNoFurther) {
  int heard = 0;
  loop.AddListener([&](const WindowEvent&) { ++heard; });
  loop.window_handler = [](const SDL_Event& e) { return e.type == SDL_KEYDOWN; };
  loop.HandleEvent(Push(SDL_KEYDOWN));
  loop.HandleEvent(Push(SDL_KEYUP));
  EXPECT_EQ(heard, 1);
}

TEST_F(SdlEvents, QuitEndsTheLoopAndTimersFireMeanwhile) {
  int countdown = 0;
  TTimer timer(timers);
  timer.SetInterval(20);
  timer.SetOnTimer([&](TTimer*) {
    if (++countdown == 3) {
      SDL_Event quit = Push(SDL_QUIT);
      SDL_PushEvent(&quit);
    }
  });
  bool quit_heard = false;
  loop.AddListener([&](const WindowEvent& e) { quit_heard |= e.kind == WindowEvent::Kind::Quit; });
  loop.Run();
  EXPECT_EQ(countdown, 3);
  EXPECT_TRUE(quit_heard);
}

// A modal wait (the message box) handles events until it is done, and ends early on a quit, which
// then still ends the main loop.
TEST_F(SdlEvents, AModalWaitEndsWhenDoneOrOnQuitAndTheQuitStillCounts) {
  int keys = 0;
  int shown = 0;
  loop.AddListener([&](const WindowEvent& e) { keys += e.kind == WindowEvent::Kind::KeyDown; });
  SDL_Event key = Push(SDL_KEYDOWN);
  SDL_PushEvent(&key);
  SDL_PushEvent(&key);
  loop.RunModal([&] { return keys == 2; }, [&] { ++shown; });
  EXPECT_EQ(keys, 2);
  EXPECT_GE(shown, 1);
  EXPECT_FALSE(loop.QuitRequested());

  SDL_Event quit = Push(SDL_QUIT);
  SDL_PushEvent(&quit);
  loop.RunModal([] { return false; }, [] {});
  EXPECT_TRUE(loop.QuitRequested());
  loop.Run();  // returns at once
}

// The real loop with the game's window under the display, the frame timer at interval 0 and a frame
// presented each tick: the game's 60 frames a second whatever the display, never two ticks closer
// than half a frame (a late one is followed by the next on the game's clock), and the lag counts add up to the time that passed. Without a window manager the window
// may never get the focus, so the timer here ticks whatever the focus (the focus notices are tested
// above).
TEST(SdlMainLoopPacing, GameFramesAtSixtyHertzAndLagCountsAddUp) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no DISPLAY";
  SdlWindow window;
  SdlClock machine_clock;
  GameClock clock(machine_clock);
  MessageTimers timers(clock);
  TDXTimer frame_timer(clock);
  SdlMainLoop loop(clock, frame_timer, timers);
  loop.AttachWindow(window);
  SdlInputSource input(window.Window());
  TTimer give_up(timers);  // in case the loop never ticks
  give_up.SetInterval(5000);
  give_up.SetOnTimer([&](TTimer*) { loop.Quit(); });
  const std::vector<uint16_t> frame(640 * 480, 0x07E0);
  frame_timer.SetInterval(0);
  frame_timer.ActiveOnly = false;
  std::vector<uint32_t> ticks;
  std::vector<int> lags;
  uint32_t started = 0;
  frame_timer.OnTimer = [&](TDXTimer*, int lag) {
    input.Read();
    window.PresentFrame(frame.data(), 640, 480, 640);
    ticks.push_back(frame_timer.LastTickTime());  // the clock reading of this tick
    lags.push_back(lag);
    if (ticks.back() - started >= 1500) loop.Quit();
  };
  frame_timer.Loaded();
  started = frame_timer.LastTickTime();
  loop.Run();
  ASSERT_FALSE(ticks.empty());
  const uint32_t elapsed = ticks.back() - started;
  EXPECT_GE(elapsed, 1500u);
  for (size_t i = 1; i < ticks.size(); ++i) ASSERT_GE(ticks[i] - ticks[i - 1], 8u) << "tick " << i;
  EXPECT_GT(frame_timer.FrameRate(), 0);
  EXPECT_LE(frame_timer.FrameRate(), 60);
  EXPECT_EQ(std::accumulate(lags.begin(), lags.end(), 0L), static_cast<long>(elapsed));
}

}  // namespace
}  // namespace jizdavo

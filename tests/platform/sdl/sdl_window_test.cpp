// The SDL window under a virtual display: title, full-screen switch, scaled frames and film frames,
// window points mapped back to frame pixels.

#include "platform/sdl/sdl_window.h"

#include <gtest/gtest.h>

#include "platform/input/scan_codes.h"
#include "platform/sdl/sdl_input_source.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace jizdavo {
namespace {

struct FitCase {
  int output_width, output_height;
  TRect expected;
};

TEST(FitFrameTest, KeepsTheAspectAndPrefersWholeFactors) {
  const FitCase cases[] = {
      {640, 480, {0, 0, 640, 480}},        {800, 600, {80, 60, 720, 540}}, {1280, 1024, {0, 32, 1280, 992}},
      {1920, 1080, {320, 60, 1600, 1020}}, {320, 240, {0, 0, 320, 240}},   {400, 480, {0, 90, 400, 390}},
      {639, 100, {253, 0, 386, 100}},
  };
  for (const FitCase& c : cases) {
    EXPECT_EQ(FitFrame(c.output_width, c.output_height), c.expected)
        << c.output_width << "x" << c.output_height;
  }
}

// A window is brought down to the largest whole factor whose frame fits the room on the screen.
TEST(FitFrameTest, AWindowTakesTheLargestScaleThatFits) {
  const struct {
    int wanted, room_width, room_height, scale;
  } cases[] = {
      {2, 1366, 768, 1}, {2, 1920, 1080, 2}, {8, 640, 480, 1},   {8, 5120, 3840, 8}, {8, 5119, 3840, 7},
      {3, 1920, 1440, 3}, {3, 1920, 1439, 2}, {1, 100, 100, 1}, {0, 2000, 2000, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FittingScale(c.wanted, c.room_width, c.room_height), c.scale)
        << c.wanted << " in " << c.room_width << "x" << c.room_height;
  }
}

class SdlWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no DISPLAY";
    // OpenGL on a virtual screen reads back only what lies on the screen; SDL's software renderer
    // keeps the whole window in memory, so windows larger than the screen can be checked too.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    window_ = std::make_unique<SdlWindow>();
  }
  void TearDown() override {
    window_.reset();
    SDL_ResetHint(SDL_HINT_RENDER_DRIVER);
  }

  // Leaves full screen for a plain window of the given size and waits until X and the renderer have it
  // (the renderer learns the size from the window events).
  void UseWindowOfSize(int width, int height) {
    if (window_->Fullscreen()) window_->ToggleFullscreen();
    SDL_SetWindowSize(window_->Window(), width, height);
    int settled = 0;
    for (int i = 0; i < 200 && settled < 10; ++i) {
      SDL_Delay(10);
      SDL_PumpEvents();
      SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
      int w = 0, h = 0;
      SDL_GetRendererOutputSize(SDL_GetRenderer(window_->Window()), &w, &h);
      settled = w == width && h == height ? settled + 1 : 0;
    }
    ASSERT_EQ(settled, 10) << "window did not take its new size";
  }

  std::vector<uint32_t> Output(int& width, int& height) { return window_->ReadOutput(width, height); }

  std::unique_ptr<SdlWindow> window_;
};

TEST_F(SdlWindowTest, OpensFullScreenWithTheTitle) {
  EXPECT_STREQ(SDL_GetWindowTitle(window_->Window()), "Jizdavo v0.9");
  EXPECT_TRUE(window_->Fullscreen());
}

// Renderers widen 5 and 6 bits in their own ways; compare in the frame's own format.
uint16_t To565(uint32_t rgb) {
  return static_cast<uint16_t>((rgb >> 8 & 0xF800) | (rgb >> 5 & 0x07E0) | (rgb >> 3 & 0x001F));
}

SDL_Event KeyDown(SDL_Keycode key, uint16_t mod) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.keysym.sym = key;
  event.key.keysym.mod = mod;
  return event;
}

TEST_F(SdlWindowTest, AltEnterTogglesFullScreen) {
  EXPECT_FALSE(window_->HandleEvent(KeyDown(SDLK_RETURN, KMOD_NONE)));
  EXPECT_FALSE(window_->HandleEvent(KeyDown(SDLK_a, KMOD_LALT)));
  EXPECT_TRUE(window_->Fullscreen());
  EXPECT_TRUE(window_->HandleEvent(KeyDown(SDLK_RETURN, KMOD_LALT)));
  EXPECT_FALSE(window_->Fullscreen());
  EXPECT_TRUE(window_->HandleEvent(KeyDown(SDLK_KP_ENTER, KMOD_RALT)));
  EXPECT_TRUE(window_->Fullscreen());
}

// The Enter of the window's Alt+Enter never reaches the game, however the keys are let go, even all
// between two reads; an Enter already held when Alt goes down was the game's and stays so, as is one
// pressed after Alt is let go. A tap between two reads is seen at the next one.
TEST(GameKeyboardTest, TheWindowsAltEnterIsNotSeenByTheGameAndNoTapIsLost) {
  struct Key {
    bool down;
    SDL_Scancode code;
    bool alt = false;
    bool repeat = false;
  };
  struct Step {
    std::vector<Key> keys;  // the events since the last read
    bool enter_seen;
  };
  constexpr SDL_Scancode kEnter = SDL_SCANCODE_RETURN, kPadEnter = SDL_SCANCODE_KP_ENTER;
  constexpr SDL_Scancode kAlt = SDL_SCANCODE_LALT;
  const Step steps[] = {
      {{{true, kEnter}}, true},
      {{{false, kEnter}}, false},
      {{{true, kAlt}, {true, kEnter, true}}, false},
      {{{false, kAlt}}, false},  // Alt let go first
      {{{false, kEnter}}, false},
      {{{true, kEnter}, {true, kAlt}, {true, kEnter, true, true}}, true},
      {{}, true},  // its repeats with Alt held took nothing from it
      {{{false, kEnter}, {true, kPadEnter, true}}, false},
      {{{false, kAlt}, {false, kPadEnter}}, false},
      // Whole combinations between two reads, let go in either order.
      {{{true, kAlt}, {true, kEnter, true}, {false, kEnter}, {false, kAlt}}, false},
      {{{true, kAlt}, {true, kEnter, true}, {false, kAlt}, {false, kEnter}}, false},
      // A tap of Enter alone.
      {{{true, kEnter}, {false, kEnter}}, true},
      {{}, false},
      {{{true, kAlt}}, false},
      {{{false, kAlt}}, false},
      {{{true, kEnter}}, true},  // Alt let go before Enter went down: the game's Enter
      {{{false, kEnter}}, false},
  };
  GameKeyboard keyboard;
  std::array<Uint8, SDL_NUM_SCANCODES> held{};
  held[SDL_SCANCODE_DOWN] = 1;
  for (size_t i = 0; i < std::size(steps); ++i) {
    for (const Key& key : steps[i].keys) {
      SDL_KeyboardEvent event{};
      event.type = key.down ? SDL_KEYDOWN : SDL_KEYUP;
      event.repeat = key.repeat ? 1 : 0;
      event.keysym.scancode = key.code;
      event.keysym.sym = key.code == kEnter ? SDLK_RETURN : key.code == kPadEnter ? SDLK_KP_ENTER : SDLK_LALT;
      event.keysym.mod = static_cast<Uint16>(key.alt ? KMOD_LALT : KMOD_NONE);
      held[key.code] = key.down ? 1 : 0;
      keyboard.Heard(event);
    }
    InputSnapshot seen;
    keyboard.Read(held.data(), SDL_NUM_SCANCODES, seen);
    const auto enter_in = [](const std::array<bool, 256>& codes) {
      return codes[PcScanCodeOf(kEnter)] || codes[PcScanCodeOf(kPadEnter)];
    };
    EXPECT_EQ(enter_in(seen.scan_codes) || enter_in(seen.pressed), steps[i].enter_seen) << "step " << i;
    EXPECT_TRUE(seen.scan_codes[PcScanCodeOf(SDL_SCANCODE_DOWN)]) << "step " << i;
    EXPECT_FALSE(seen.scan_codes[0]);
  }
}

// The key names players write in the settings file are SDL's names of those keys.
TEST(KeyNames, AreTheNamesSdlGivesTheKeys) {
  for (const NamedScanCode& key : NamedScanCodes()) {
    const SDL_Scancode sdl = SDL_GetScancodeFromName(key.name);
    EXPECT_NE(sdl, SDL_SCANCODE_UNKNOWN) << key.name;
    EXPECT_EQ(PcScanCodeOf(sdl), key.scan) << key.name;
    EXPECT_EQ(KeyCodeOfKeyName(key.name), KeyCodeOfScanCode(key.scan)) << key.name;
  }
  EXPECT_EQ(KeyCodeOfKeyName("keypad 8"), 104);
  EXPECT_EQ(KeyCodeOfKeyName("Keypad"), 0);
  EXPECT_EQ(KeyCodeOfKeyName("-"), 0);  // a key the game has no code for
}

TEST_F(SdlWindowTest, FrameIsScaledByAWholeFactorWithBlackBorders) {
  UseWindowOfSize(1300, 1000);  // factor 2: 1280 x 960 at (10, 20)
  std::vector<uint16_t> frame(640 * 480, 0);
  frame[1 * 640 + 1] = 0xFFFF;      // one white pixel at (1, 1)
  frame[479 * 640 + 639] = 0xF800;  // red in the bottom-right corner
  window_->PresentFrame(frame.data(), 640, 480, 640);
  int width = 0, height = 0;
  const std::vector<uint32_t> out = Output(width, height);
  ASSERT_EQ(out.size(), static_cast<size_t>(width) * height);
  const auto at = [&](int x, int y) { return out[static_cast<size_t>(y) * width + x] & 0xFFFFFF; };
  for (auto [x, y] : {std::pair{12, 22}, std::pair{13, 22}, std::pair{12, 23}, std::pair{13, 23}}) {
    EXPECT_EQ(To565(at(x, y)), 0xFFFF) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{11, 22}, std::pair{14, 23}, std::pair{12, 24}, std::pair{5, 5}}) {
    EXPECT_EQ(at(x, y), 0u) << x << "," << y;
  }
  EXPECT_EQ(To565(at(1289, 979)), 0xF800);
  EXPECT_EQ(at(1290, 979), 0u);  // right border
  EXPECT_EQ(at(1289, 980), 0u);  // bottom border
}

TEST_F(SdlWindowTest, FilmFrameFillsItsPlaceInTheFrame) {
  UseWindowOfSize(1280, 960);
  const std::vector<uint32_t> film(4 * 3, 0x00FF00);
  window_->PresentFilmFrame(film.data(), 4, 3, {100, 50, 300, 200});  // frame pixels, doubled on screen
  int width = 0, height = 0;
  const std::vector<uint32_t> out = Output(width, height);
  ASSERT_EQ(out.size(), static_cast<size_t>(width) * height);
  const auto at = [&](int x, int y) { return out[static_cast<size_t>(y) * width + x] & 0xFFFFFF; };
  EXPECT_EQ(at(200, 100), 0x00FF00u);
  EXPECT_EQ(at(599, 399), 0x00FF00u);
  EXPECT_EQ(at(199, 100), 0u);
  EXPECT_EQ(at(600, 399), 0u);
}

TEST_F(SdlWindowTest, WindowPointsMapBackToFramePixels) {
  UseWindowOfSize(1300, 1000);
  EXPECT_EQ(window_->WindowToFrame(10, 20), (FramePoint{0, 0}));
  EXPECT_EQ(window_->WindowToFrame(11, 21), (FramePoint{0, 0}));
  EXPECT_EQ(window_->WindowToFrame(12, 20), (FramePoint{1, 0}));
  EXPECT_EQ(window_->WindowToFrame(1289, 979), (FramePoint{639, 479}));
  EXPECT_EQ(window_->WindowToFrame(9, 19), (FramePoint{-1, -1}));
  EXPECT_EQ(window_->WindowToFrame(1290, 980), (FramePoint{640, 480}));
}

}  // namespace
}  // namespace jizdavo

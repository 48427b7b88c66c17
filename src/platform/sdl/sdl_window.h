#pragma once
// The game's window: full screen by default, showing each finished 640 x 480 frame scaled with its
// aspect kept (by a whole factor when one fits), nearest-neighbour, with black borders.

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/rect.h"
#include "platform/video_output.h"

namespace jizdavo {

inline constexpr int kFrameWidth = 640;
inline constexpr int kFrameHeight = 480;

// Where a frame of frame_width x frame_height lands in an output of output_width x output_height.
TRect FitFrame(int output_width, int output_height, int frame_width = kFrameWidth,
               int frame_height = kFrameHeight);

// The largest whole factor up to `wanted` at which a window of the frame fits in `room_width` x
// `room_height` (the usable screen less the window's borders); 1 where not even that fits.
int FittingScale(int wanted, int room_width, int room_height);

// How the window opens: on the whole screen, or as a window of `scale` times the frame.
struct WindowMode {
  bool fullscreen = true;
  int scale = 1;
  bool operator==(const WindowMode&) const = default;
};

// Alt with Enter or the keypad's Enter (a repeat too): the window's switch between full screen and a
// window, which it takes for itself.
bool SwitchesFullScreen(const SDL_KeyboardEvent& key);

struct FramePoint {
  int x = 0;
  int y = 0;
  bool operator==(const FramePoint&) const = default;
};

class SdlWindow final : public VideoOutput {
 public:
  // Opens the window and its renderer; raises jizdavo::Error when SDL cannot.
  explicit SdlWindow(WindowMode mode = {});
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  void PresentFrame(const uint16_t* pixels, int width, int height, int pitch) override;
  void PresentFilmFrame(const uint32_t* pixels, int width, int height, const TRect& place) override;
  // Game frames go on the screen at once unless `may_show` says no (the pacer, where showing would
  // wait for a vertical blank after the next game frame is due); such a frame is held until
  // ShowHeldFrame, or replaced by the next one. `shown` hears of every picture put on the screen.
  void SetShowPacing(std::function<bool()> may_show, std::function<void()> shown);
  void ShowHeldFrame();

  // Alt+Enter switches between full screen and a window; true when the event was used. A click on
  // the window, or its being shown again, asks for the input focus when the window lacks it.
  bool HandleEvent(const SDL_Event& event);
  void ToggleFullscreen();
  bool Fullscreen() const;
  // The mode to open with next time: the current full-screen state and the window's scale, brought
  // down to what fits the screen.
  WindowMode Mode() const { return {Fullscreen(), scale_}; }
  // Whether presenting waits for the vertical blank (otherwise the caller paces itself).
  bool VsyncEnabled() const;
  // The refresh rate of the display the window is on, in Hz; 0 when SDL does not know it.
  int RefreshRate() const;

  // A point in window coordinates (mouse events) as a pixel of the 640 x 480 frame; points on the
  // borders fall outside 0..639 x 0..479.
  FramePoint WindowToFrame(int x, int y) const;

  SDL_Window* Window() const { return window_; }
  // Draws the last picture again and reads the output back as 0x00RRGGBB pixels.
  std::vector<uint32_t> ReadOutput(int& width, int& height);

 private:
  enum class Shown { kNothing, kFrame, kFilm };

  void TakeFocusIfLost(const SDL_Event& event);
  void EnterFullscreen();
  // A window of the largest scale up to scale_ that fits the usable screen, wholly on it.
  void EnterWindow();
  // Where no one made the window full screen, SDL still takes it to be the display's size: it is told
  // the size the window got, so that the picture fills that.
  void KeepToRealSize();
  SDL_Texture* StreamingTexture(SDL_Texture*& texture, uint32_t format, int width, int height);
  TRect FramePlace() const;
  void Draw();
  void Show();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* frame_texture_ = nullptr;
  SDL_Texture* film_texture_ = nullptr;
  Shown shown_ = Shown::kNothing;
  int frame_width_ = kFrameWidth;
  int frame_height_ = kFrameHeight;
  TRect film_place_;
  int scale_ = 1;
  bool held_ = false;
  std::function<bool()> may_show_;
  std::function<void()> on_shown_;
};

}  // namespace jizdavo

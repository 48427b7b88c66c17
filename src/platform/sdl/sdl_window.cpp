// The window, its renderer and the two streaming textures (game frames in RGB 5-6-5, film frames in
// 32-bit RGB).

#include "platform/sdl/sdl_window.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "platform/error.h"
#include "platform/sdl/x11_window_size.h"

namespace jizdavo {
namespace {

const char* const kTitle = "Jizdavo v0.9";
// The trial child's exit codes for "OpenGL is drawn by the processor" and "by the graphics card".
constexpr int kSoftwareAnswer = 42;
constexpr int kAcceleratedAnswer = 43;
// How long a trial may take before its driver is taken to hang.
constexpr int kProbeTimeoutMs = 5000;
// How long a window manager may take to make the window full screen.
constexpr int kFullscreenWaitMs = 500;

SDL_Rect ToSdl(const TRect& rect) { return {rect.Left, rect.Top, rect.Width(), rect.Height()}; }

// Division rounding toward minus infinity, so that points left of or above the frame stay negative.
int FloorDiv(int64_t a, int64_t b) { return static_cast<int>(a >= 0 ? a / b : -((-a + b - 1) / b)); }

// The part of the display that windows may take (without the desktop's panels).
SDL_Rect UsableBounds(int display) {
  SDL_Rect usable{0, 0, kFrameWidth, kFrameHeight};
  display = std::max(display, 0);
  if (SDL_GetDisplayUsableBounds(display, &usable) != 0) SDL_GetDisplayBounds(display, &usable);
  return usable;
}

// A full-screen window is made over the whole display, so that it covers it where no window manager
// makes it full screen; a window as large as fits, the borders being known only once it shows.
SDL_Window* CreateWindow(const WindowMode& mode) {
  SDL_Rect place{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kFrameWidth, kFrameHeight};
  if (mode.fullscreen) {
    SDL_GetDisplayBounds(0, &place);
  } else {
    const SDL_Rect usable = UsableBounds(0);
    const int scale = FittingScale(mode.scale, usable.w, usable.h);
    place.w = kFrameWidth * scale;
    place.h = kFrameHeight * scale;
  }
  const Uint32 fullscreen = mode.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
  return SDL_CreateWindow(kTitle, place.x, place.y, place.w, place.h, fullscreen | SDL_WINDOW_RESIZABLE);
}

// Whether the renderer is OpenGL drawn by the processor (llvmpipe and its kind, as on a virtual X
// server). Its context is current right after the renderer is made.
bool RasterisedBySoftware(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
  using GetString = const unsigned char* (*)(unsigned);
  constexpr unsigned kGlRenderer = 0x1F01;
  const auto get_string = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = get_string != nullptr ? get_string(kGlRenderer) : nullptr;
  if (name == nullptr) return false;
  const std::string renderer_name(reinterpret_cast<const char*>(name));
  for (const char* rasteriser : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
    if (renderer_name.find(rasteriser) != std::string::npos) return true;
  return false;
}

// SDL's own software renderer, blitting straight into the window's X image. For one picture a frame
// it costs the processor several times less than OpenGL rasterised in software.
SDL_Renderer* CreateSoftwareRenderer(SDL_Window* window) {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

// Asked of a hidden window, so that the game's own window is made once and never loses the focus to
// a trial.
bool ProbeAcceleratedRenderer() {
  SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN);
  if (probe == nullptr) return false;
  SDL_Renderer* renderer = SDL_CreateRenderer(probe, -1, SDL_RENDERER_ACCELERATED);
  const bool software = renderer != nullptr && RasterisedBySoftware(renderer);
  if (renderer != nullptr) SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(probe);
  return software;
}

// Video on a display someone can see. With no display answering, SDL falls back to drivers that
// show nothing (offscreen, dummy), and the game would run unseen; those count only when asked for by
// name in SDL_VIDEODRIVER. A busy X server now and then fails a connection that the next attempt
// gets, so a named display is tried a few times before it counts as dead.
bool StartVideo(std::string& problem) {
  const char* display = SDL_getenv("DISPLAY");
  const bool named = display != nullptr && *display != 0;
  constexpr int kAttempts = 4;
  for (int attempt = 1;; ++attempt) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      problem = SDL_GetError();
      return false;
    }
    const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    const bool windowless = driver == "offscreen" || driver == "dummy" || driver == "evdev";
    if (!windowless || (asked != nullptr && std::strstr(asked, driver.c_str()) != nullptr)) return true;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (!named || attempt == kAttempts) break;
    SDL_Delay(50);
  }
  problem = named ? std::string("cannot open display \"") + display + "\"" : "DISPLAY is not set";
  return false;
}

// The trial runs in a child process: a software rasteriser maps tens of megabytes of compiler
// libraries that would otherwise stay in the game's memory for the whole run. Called before video
// starts, while the program has no other threads. Only a child that answers "accelerated" keeps
// OpenGL: one that dies in the driver (an X error of indirect rendering, a crash), hangs there or
// says nothing leaves the game SDL's software renderer, which needs no driver.
enum class RendererAnswer { kSoftware, kAccelerated };

RendererAnswer AskInChild() {
  const pid_t child = fork();
  if (child < 0) return RendererAnswer::kSoftware;
  if (child == 0) {
    // A driver that fails here prints an X error the player need not see: the game goes on.
    const int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) dup2(quiet, STDERR_FILENO);
    std::string problem;
    if (!StartVideo(problem)) _exit(0);
    _exit(ProbeAcceleratedRenderer() ? kSoftwareAnswer : kAcceleratedAnswer);
  }
  int status = 0;
  for (int waited = 0;; waited += 10) {
    const pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) break;
    if (done < 0 && errno != EINTR) return RendererAnswer::kSoftware;
    if (waited >= kProbeTimeoutMs) {
      kill(child, SIGKILL);
      while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
      }
      return RendererAnswer::kSoftware;
    }
    SDL_Delay(10);
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == kAcceleratedAnswer) return RendererAnswer::kAccelerated;
  return RendererAnswer::kSoftware;
}

// The display's own renderer, waiting for the vertical blank where it can, unless it is drawn in
// software anyway.
SDL_Renderer* CreateRenderer(SDL_Window* window, bool accelerated_is_software) {
  SDL_Renderer* renderer =
      accelerated_is_software
          ? nullptr
          : SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  return renderer != nullptr ? renderer : CreateSoftwareRenderer(window);
}

}  // namespace

TRect FitFrame(int output_width, int output_height, int frame_width, int frame_height) {
  const int factor = std::min(output_width / frame_width, output_height / frame_height);
  int width, height;
  if (factor >= 1) {
    width = frame_width * factor;
    height = frame_height * factor;
  } else if (int64_t{output_width} * frame_height <= int64_t{output_height} * frame_width) {
    width = output_width;
    height = static_cast<int>(int64_t{output_width} * frame_height / frame_width);
  } else {
    height = output_height;
    width = static_cast<int>(int64_t{output_height} * frame_width / frame_height);
  }
  return Bounds((output_width - width) / 2, (output_height - height) / 2, width, height);
}

int FittingScale(int wanted, int room_width, int room_height) {
  int scale = std::max(wanted, 1);
  while (scale > 1 && (kFrameWidth * scale > room_width || kFrameHeight * scale > room_height)) --scale;
  return scale;
}

SdlWindow::SdlWindow(WindowMode mode) : scale_(std::max(mode.scale, 1)) {
  mode.scale = scale_;
  // A process that already holds a display connection (a test) asks in place, since a child would
  // share that connection.
  const bool ask_in_place = SDL_WasInit(SDL_INIT_VIDEO) != 0;
  const RendererAnswer answer = ask_in_place ? RendererAnswer::kSoftware : AskInChild();
  std::string problem;
  if (!StartVideo(problem)) throw Error("Video cannot start: " + problem);
  const bool accelerated_is_software =
      ask_in_place ? ProbeAcceleratedRenderer() : answer == RendererAnswer::kSoftware;
  window_ = CreateWindow(mode);
  if (window_ != nullptr) renderer_ = CreateRenderer(window_, accelerated_is_software);
  if (renderer_ == nullptr) {
    const std::string reason = SDL_GetError();
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    throw Error("Window cannot be made: " + reason);
  }
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  if (mode.fullscreen) {
    KeepToRealSize();
  } else {
    EnterWindow();
  }
}

SdlWindow::~SdlWindow() {
  if (film_texture_ != nullptr) SDL_DestroyTexture(film_texture_);
  if (frame_texture_ != nullptr) SDL_DestroyTexture(frame_texture_);
  SDL_DestroyRenderer(renderer_);
  SDL_DestroyWindow(window_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// Keeps one texture per use, made again only when the picture size changes.
SDL_Texture* SdlWindow::StreamingTexture(SDL_Texture*& texture, uint32_t format, int width, int height) {
  int current_width = 0, current_height = 0;
  if (texture != nullptr) SDL_QueryTexture(texture, nullptr, nullptr, &current_width, &current_height);
  if (texture == nullptr || current_width != width || current_height != height) {
    if (texture != nullptr) SDL_DestroyTexture(texture);
    texture = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (texture != nullptr) SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
  }
  return texture;
}

TRect SdlWindow::FramePlace() const {
  int width = 0, height = 0;
  SDL_GetRendererOutputSize(renderer_, &width, &height);
  return FitFrame(width, height, frame_width_, frame_height_);
}

void SdlWindow::Draw() {
  SDL_RenderClear(renderer_);
  const TRect frame = FramePlace();
  if (shown_ == Shown::kFrame) {
    const SDL_Rect dest = ToSdl(frame);
    SDL_RenderCopy(renderer_, frame_texture_, nullptr, &dest);
  } else if (shown_ == Shown::kFilm) {
    // The film's place is given in frame pixels; scale it with the frame.
    const auto x = [&](int fx) {
      return frame.Left + static_cast<int>(int64_t{fx} * frame.Width() / kFrameWidth);
    };
    const auto y = [&](int fy) {
      return frame.Top + static_cast<int>(int64_t{fy} * frame.Height() / kFrameHeight);
    };
    const SDL_Rect dest =
        ToSdl({x(film_place_.Left), y(film_place_.Top), x(film_place_.Right), y(film_place_.Bottom)});
    SDL_RenderCopy(renderer_, film_texture_, nullptr, &dest);
  }
}

void SdlWindow::PresentFrame(const uint16_t* pixels, int width, int height, int pitch) {
  if (pixels == nullptr || width <= 0 || height <= 0) return;
  SDL_Texture* texture = StreamingTexture(frame_texture_, SDL_PIXELFORMAT_RGB565, width, height);
  if (texture == nullptr) return;
  SDL_UpdateTexture(texture, nullptr, pixels, pitch * static_cast<int>(sizeof(uint16_t)));
  frame_width_ = width;
  frame_height_ = height;
  shown_ = Shown::kFrame;
  held_ = may_show_ && !may_show_();
  if (!held_) Show();
}

void SdlWindow::SetShowPacing(std::function<bool()> may_show, std::function<void()> shown) {
  may_show_ = std::move(may_show);
  on_shown_ = std::move(shown);
}

void SdlWindow::ShowHeldFrame() {
  if (held_) Show();
}

void SdlWindow::Show() {
  held_ = false;
  Draw();
  SDL_RenderPresent(renderer_);
  if (on_shown_) on_shown_();
}

void SdlWindow::PresentFilmFrame(const uint32_t* pixels, int width, int height, const TRect& place) {
  if (pixels == nullptr || width <= 0 || height <= 0 || place.IsEmpty()) return;
  SDL_Texture* texture = StreamingTexture(film_texture_, SDL_PIXELFORMAT_RGB888, width, height);
  if (texture == nullptr) return;
  SDL_UpdateTexture(texture, nullptr, pixels, width * static_cast<int>(sizeof(uint32_t)));
  film_place_ = place;
  frame_width_ = kFrameWidth;
  frame_height_ = kFrameHeight;
  shown_ = Shown::kFilm;
  Show();
}

// Without a window manager nobody gives the focus back once another window took it, and the game
// would read no keys for good: a click on the window, or its being shown again, asks for it.
void SdlWindow::TakeFocusIfLost(const SDL_Event& event) {
  const int change = event.type == SDL_WINDOWEVENT ? event.window.event : int{SDL_WINDOWEVENT_NONE};
  const bool shown = change == SDL_WINDOWEVENT_SHOWN || change == SDL_WINDOWEVENT_RESTORED;
  if (!shown && event.type != SDL_MOUSEBUTTONDOWN) return;
  if (SDL_GetKeyboardFocus() == window_) return;
  SDL_RaiseWindow(window_);
  SDL_SetWindowInputFocus(window_);
}

bool SwitchesFullScreen(const SDL_KeyboardEvent& key) {
  if (key.type != SDL_KEYDOWN || (key.keysym.mod & KMOD_ALT) == 0) return false;
  return key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER;
}

bool SdlWindow::HandleEvent(const SDL_Event& event) {
  TakeFocusIfLost(event);
  if (event.type != SDL_KEYDOWN || !SwitchesFullScreen(event.key)) return false;
  if (event.key.repeat == 0) ToggleFullscreen();
  return true;
}

void SdlWindow::ToggleFullscreen() {
  if (Fullscreen()) {
    EnterWindow();
  } else {
    EnterFullscreen();
  }
}

void SdlWindow::EnterWindow() {
  if (Fullscreen()) SDL_SetWindowFullscreen(window_, 0);
  // Without a window manager there are no borders, and SDL says 0.
  int top = 0, left = 0, bottom = 0, right = 0;
  SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right);
  const SDL_Rect usable = UsableBounds(SDL_GetWindowDisplayIndex(window_));
  const int room_width = usable.w - left - right;
  const int room_height = usable.h - top - bottom;
  scale_ = FittingScale(scale_, room_width, room_height);
  const int width = kFrameWidth * scale_;
  const int height = kFrameHeight * scale_;
  SDL_SetWindowSize(window_, width, height);
  // Centred in the usable area with its title bar; where even scale 1 is too large, from its top left.
  SDL_SetWindowPosition(window_, usable.x + left + std::max(0, (room_width - width) / 2),
                        usable.y + top + std::max(0, (room_height - height) / 2));
}

void SdlWindow::EnterFullscreen() {
  SDL_Rect display;
  if (SDL_GetDisplayBounds(std::max(SDL_GetWindowDisplayIndex(window_), 0), &display) == 0) {
    // Without a window manager the window covers the display only by its own place and size.
    SDL_SetWindowPosition(window_, display.x, display.y);
    SDL_SetWindowSize(window_, display.w, display.h);
  }
  SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
  KeepToRealSize();
}

void SdlWindow::KeepToRealSize() {
  if (!Fullscreen()) return;
  int width = 0, height = 0;
  SDL_GetWindowSize(window_, &width, &height);
  std::optional<WindowSize> real;
  for (int waited = 0; waited <= kFullscreenWaitMs; waited += 10) {
    real = XWindowSize(window_);
    if (!real || *real == WindowSize{width, height}) return;
    SDL_Delay(10);
    SDL_PumpEvents();
  }
  std::fprintf(stderr, "Full screen was refused: playing in a window of %d x %d\n", real->width, real->height);
  SDL_SetWindowFullscreen(window_, 0);
  SDL_SetWindowSize(window_, real->width, real->height);
}

bool SdlWindow::Fullscreen() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0; }

bool SdlWindow::VsyncEnabled() const {
  SDL_RendererInfo info{};
  return SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
}

int SdlWindow::RefreshRate() const {
  SDL_DisplayMode mode{};
  if (SDL_GetWindowDisplayMode(window_, &mode) == 0 && mode.refresh_rate > 0) return mode.refresh_rate;
  const int display = SDL_GetWindowDisplayIndex(window_);
  if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0) return std::max(mode.refresh_rate, 0);
  return 0;
}

// Mouse positions come in window points, which on high-density screens are not output pixels.
FramePoint SdlWindow::WindowToFrame(int x, int y) const {
  int window_width = 0, window_height = 0, output_width = 0, output_height = 0;
  SDL_GetWindowSize(window_, &window_width, &window_height);
  SDL_GetRendererOutputSize(renderer_, &output_width, &output_height);
  if (window_width <= 0 || window_height <= 0) return {x, y};
  const TRect frame = FramePlace();
  const int64_t output_x = int64_t{x} * output_width / window_width;
  const int64_t output_y = int64_t{y} * output_height / window_height;
  return {FloorDiv((output_x - frame.Left) * frame_width_, frame.Width()),
          FloorDiv((output_y - frame.Top) * frame_height_, frame.Height())};
}

std::vector<uint32_t> SdlWindow::ReadOutput(int& width, int& height) {
  SDL_GetRendererOutputSize(renderer_, &width, &height);
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  Draw();
  if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(),
                           width * static_cast<int>(sizeof(uint32_t))) != 0) {
    pixels.clear();
  }
  return pixels;
}

}  // namespace jizdavo

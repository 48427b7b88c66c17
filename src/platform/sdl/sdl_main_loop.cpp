#include "platform/sdl/sdl_main_loop.h"

#include "platform/input/scan_codes.h"
#include "platform/quit_signal.h"
#include "platform/sdl/sdl_input_source.h"

namespace jizdavo {

namespace {

// Blocks until the time is up or, when asked, an event arrives; true when events wait, which stay
// queued for the loop.
bool Wait(uint32_t milliseconds, FramePacer::Wake wake) {
  if (wake == FramePacer::Wake::kOnEvent) return SDL_WaitEventTimeout(nullptr, static_cast<int>(milliseconds)) == 1;
  SDL_Delay(milliseconds);
  SDL_PumpEvents();
  return SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE;
}

// A modal wait shows its picture again at least this often, for a window that was covered.
constexpr int kModalRedrawMs = 100;

}  // namespace

SdlMainLoop::SdlMainLoop(GameClock& clock, TDXTimer& frame_timer, MessageTimers& timers)
    : frame_timer_(frame_timer), pacer_(clock, frame_timer, timers, Wait) {}

SdlMainLoop::~SdlMainLoop() {
  if (window_ != nullptr) window_->SetShowPacing({}, {});
}

void SdlMainLoop::AddListener(WindowEventListener listener) { listeners_.push_back(std::move(listener)); }

void SdlMainLoop::AttachWindow(SdlWindow& window) {
  window_handler = [&window](const SDL_Event& event) { return window.HandleEvent(event); };
  window_to_frame = [&window](int& x, int& y) {
    const FramePoint point = window.WindowToFrame(x, y);
    x = point.x;
    y = point.y;
  };
  follow_display_ = [this, &window] {
    pacer_.SetDisplay(window.RefreshRate(), window.VsyncEnabled(), [&window] { window.ShowHeldFrame(); });
  };
  follow_display_();
  window.SetShowPacing([this] { return pacer_.MayShowNow(); }, [this] { pacer_.FrameShown(); });
  window_ = &window;
}

void SdlMainLoop::Run() {
  SDL_Event event;
  while (!quit_) {
    if (QuitSignalled()) {
      QuitAsAsked();
    } else if (SDL_PollEvent(&event)) {
      HandleEvent(event);
    } else {
      pacer_.Idle();
    }
  }
}

void SdlMainLoop::RunModal(const std::function<bool()>& done, const std::function<void()>& show) {
  SDL_Event event;
  while (!quit_ && !done()) {
    if (QuitSignalled()) {
      QuitAsAsked();
      break;
    }
    show();
    if (!SDL_WaitEventTimeout(&event, kModalRedrawMs)) continue;
    do {
      HandleEvent(event);
    } while (!quit_ && !done() && SDL_PollEvent(&event));
  }
}

void SdlMainLoop::HandleEvent(const SDL_Event& event) {
  if (window_handler && window_handler(event)) return;
  switch (event.type) {
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      WindowEvent key{event.type == SDL_KEYDOWN ? WindowEvent::Kind::KeyDown : WindowEvent::Kind::KeyUp};
      key.scan_code = PcScanCodeOf(event.key.keysym.scancode);
      key.key_code = KeyCodeOfScanCode(key.scan_code);
      key.repeat = event.key.repeat != 0;
      Notify(key);
      break;
    }
    case SDL_TEXTINPUT: {
      WindowEvent text{WindowEvent::Kind::TextInput};
      text.text = event.text.text;
      Notify(text);
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      HandleMouseButton(event.button);
      break;
    case SDL_MOUSEMOTION:
      Notify(MouseEvent(WindowEvent::Kind::MouseMove, event.motion.x, event.motion.y));
      break;
    case SDL_QUIT:
      QuitAsAsked();
      break;
    default:
      if (device_keys)
        for (const WindowEvent& key : device_keys(event)) Notify(key);
      break;
  }
}

void SdlMainLoop::QuitAsAsked() {
  Notify(WindowEvent{WindowEvent::Kind::Quit});
  quit_ = true;
}

void SdlMainLoop::HandleWindowEvent(const SDL_WindowEvent& event) {
  // Another display, or full screen switched: the refresh rate may have changed.
  const bool moved =
      event.event == SDL_WINDOWEVENT_DISPLAY_CHANGED || event.event == SDL_WINDOWEVENT_SIZE_CHANGED;
  if (follow_display_ && moved) follow_display_();
  // SDL may repeat a focus notice; the game hears of changes only.
  if (event.event == SDL_WINDOWEVENT_FOCUS_GAINED && !frame_timer_.ApplicationActive()) {
    frame_timer_.ApplicationActivated();
    Notify(WindowEvent{WindowEvent::Kind::Activate});
  } else if (event.event == SDL_WINDOWEVENT_FOCUS_LOST && frame_timer_.ApplicationActive()) {
    frame_timer_.ApplicationDeactivated();
    Notify(WindowEvent{WindowEvent::Kind::Deactivate});
  }
}

void SdlMainLoop::HandleMouseButton(const SDL_MouseButtonEvent& event) {
  using Kind = WindowEvent::Kind;
  const Kind kind = event.type == SDL_MOUSEBUTTONDOWN ? Kind::MouseDown : Kind::MouseUp;
  WindowEvent mouse = MouseEvent(kind, event.x, event.y);
  mouse.button = GameButtonOf(event.button);
  Notify(mouse);
}

WindowEvent SdlMainLoop::MouseEvent(WindowEvent::Kind kind, int x, int y) const {
  if (window_to_frame) window_to_frame(x, y);
  WindowEvent mouse{kind};
  mouse.x = x;
  mouse.y = y;
  return mouse;
}

void SdlMainLoop::Notify(const WindowEvent& event) {
  // A listener may add listeners; those hear from the next event on.
  const size_t n = listeners_.size();
  for (size_t i = 0; i < n; ++i) listeners_[i](event);
}

}  // namespace jizdavo

#pragma once
// The program's message loop on SDL: handles window events, tells the frame timer when the window
// gains or loses the focus, and between events lets the pacer fire the timers and poll for a frame.

#include <SDL.h>

#include <functional>
#include <vector>

#include "platform/clock.h"
#include "platform/time/dx_timer.h"
#include "platform/time/frame_pacer.h"
#include "platform/time/game_clock.h"
#include "platform/sdl/sdl_window.h"
#include "platform/time/timer.h"
#include "platform/input/window_events.h"

namespace jizdavo {

class SdlMainLoop {
 public:
  SdlMainLoop(GameClock& clock, TDXTimer& frame_timer, MessageTimers& timers);
  // The attached window shows its frames at once again.
  ~SdlMainLoop();
  SdlMainLoop(const SdlMainLoop&) = delete;
  SdlMainLoop& operator=(const SdlMainLoop&) = delete;

  // The window's own handling (the full-screen switch, ...), tried first; true when it used the event.
  std::function<bool(const SDL_Event&)> window_handler;
  // Window pixels to frame pixels, for mouse events; unset means they are the same.
  std::function<void(int& x, int& y)> window_to_frame;
  // Other devices' events (the pads') as the key events they stand for.
  std::function<std::vector<WindowEvent>(const SDL_Event&)> device_keys;
  void AddListener(WindowEventListener listener);
  // Whether a game is being played: between its frames events wait for the next one (FramePacer).
  void SetPlaying(std::function<bool()> playing) { pacer_.SetPlaying(std::move(playing)); }
  // The game's window: it handles its own events first, mouse positions map to its frame, and it
  // shows the game's frames at its display's refresh without making them late.
  void AttachWindow(SdlWindow& window);

  // Handles events and idles until Quit(), the window closes or a quit signal comes (NoteQuitSignals).
  void Run();
  // A modal wait: handles events until `done` holds or the program is asked to end, calling `show`
  // between them. No timer fires and no frame runs meanwhile.
  void RunModal(const std::function<bool()>& done, const std::function<void()>& show);
  // Once asked, the program ends: a quit that comes during a modal wait or before Run still counts.
  void Quit() { quit_ = true; }
  bool QuitRequested() const { return quit_; }
  void HandleEvent(const SDL_Event& event);

 private:
  // The window closed, or SIGTERM or SIGINT came: the game hears of it, and the loop ends.
  void QuitAsAsked();
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void HandleMouseButton(const SDL_MouseButtonEvent& event);
  void Notify(const WindowEvent& event);
  WindowEvent MouseEvent(WindowEvent::Kind kind, int x, int y) const;

  TDXTimer& frame_timer_;
  FramePacer pacer_;
  // Tells the pacer the refresh rate and vertical-blank waiting of the window's display.
  std::function<void()> follow_display_;
  SdlWindow* window_ = nullptr;
  std::vector<WindowEventListener> listeners_;
  bool quit_ = false;
};

}  // namespace jizdavo

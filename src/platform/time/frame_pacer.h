#pragma once
// The idle side of the main loop: fires the message timers and ticks the frame timer, and waits
// instead of spinning when neither has anything to do.
//
// The game's frames keep a clock of their own, whatever the display: with an interval of 0 ("as fast
// as the machine allows") the frame timer ticks 60 times a second, 16, 17 and 17 ms apart, and each
// tick is the time it was due, not the moment the loop woke for it: its lag count is the difference
// of the due times, and while it runs the game clock reads its due time (GameClock::Hold), with the
// message timers that came due by then fired first. A wake-up that comes after one or more due ticks
// runs each of them in turn, and the display shows only the last one's picture. A wake-up more than
// a quarter second behind (the machine stalled, the window was dragged) runs one tick, and the time
// missed is left out of the game clock: the game stands still for it, never running a burst of
// frames. An interval above 0 (the menus' 100 ms) ticks when the interval has passed, as the timer
// would.
//
// Between the frames of a game being played the loop sleeps through window events: the frame reads
// the keys itself (the input keeps every press since the last read), and a held key repeats some 30
// times a second, each wake-up costing more than it gives. The events wait for the loop, which
// handles them before the frame. The menus (before, between and after games, whatever the interval)
// wake for every event.
//
// The display shows the latest finished frame at its own refresh. Where showing waits for the
// vertical blank, the display may hold a finished frame back rather than make the next game frame
// late (a display slower than the game's clock shows every other frame or so).

#include <cstdint>
#include <functional>

#include "platform/clock.h"
#include "platform/time/dx_timer.h"
#include "platform/time/game_clock.h"
#include "platform/time/timer.h"

namespace jizdavo {

class FramePacer {
 public:
  // What may end a wait early.
  enum class Wake { kOnEvent, kOnTimeOnly };
  // `wait` blocks for up to the given milliseconds and returns true when window events wait: with
  // Wake::kOnEvent it returns as soon as one arrives, with Wake::kOnTimeOnly it sleeps the whole time
  // and then tells whether any came.
  using WaitFunction = std::function<bool(uint32_t milliseconds, Wake wake)>;

  FramePacer(GameClock& clock, TDXTimer& frame_timer, MessageTimers& timers, WaitFunction wait);

  // One turn of the idle loop, for when no window event waits.
  void Idle();
  // Whether a game is being played, whose frames read the keys themselves; unset: never.
  void SetPlaying(std::function<bool()> playing) { playing_ = std::move(playing); }
  // How long the loop may wait for events before the next tick or timer expiry is due.
  uint32_t TimeToNextWork() const;

  // The display: its refresh rate in Hz (0 or less when unknown), whether showing a frame waits for
  // its vertical blank, and how to show a frame it held back (doing nothing when it holds none).
  void SetDisplay(int refresh_hz, bool waits_for_blank, std::function<void()> show_held_frame = {});
  // Whether a frame shown now would be on the screen before the next game frame is due; the display
  // holds the frame back when not.
  bool MayShowNow() const;
  // The display has just shown a frame: where it waits for the blank, this was one.
  void FrameShown();

  // The game's frames per second with the frame timer's interval at 0.
  static constexpr uint32_t kGameFrameRate = 60;
  // The longest wait while nothing is due, so that a missed wake-up costs little.
  static constexpr uint32_t kLongestWait = 100;
  // A wake-up further behind than this leaves the time it missed out of the game clock.
  static constexpr uint32_t kLongestCatchUp = 250;

 private:
  // The clock reading at which the frame timer ticks next.
  uint32_t NextTickTime() const;
  uint32_t TimeToNextFrame() const;
  // Milliseconds from now to the display's next vertical blank, as far as the last ones tell.
  uint32_t TimeToNextBlank(uint32_t now) const;
  // The offset from the blanks' origin of the first blank at or after `since_origin` ms.
  uint32_t BlankAtOrAfter(uint32_t since_origin) const;
  // Whether the game's frames run on their own clock (interval 0, polling).
  bool GameClockRunning() const;
  // The frame timer's tick is due: the ticks due by now run, or the one after a stall.
  void RunDueTicks();
  // One tick at `time`, the game clock held there, the message timers due by then fired first.
  void FireFrameTimerAt(uint32_t time);
  // Takes the game clock's start from a tick that the pacer did not make (the timer started or was
  // renewed), and keeps the start within the last second.
  void FollowFrameTimer();

  GameClock& clock_;
  TDXTimer& frame_timer_;
  MessageTimers& timers_;
  WaitFunction wait_;
  std::function<bool()> playing_;
  // The game clock's frames fall at clock_start_ + n * 1000 / 60 ms (rounded down).
  uint32_t clock_start_ = 0;
  uint32_t known_tick_ = 0;
  bool clock_started_ = false;
  bool ticking_ = false;  // inside the frame timer's tick
  // The clock reading of the wake-up whose due ticks run now; all but the last of them are not shown.
  uint32_t catch_up_until_ = 0;
  int refresh_hz_ = 0;
  bool waits_for_blank_ = false;
  std::function<void()> show_held_frame_;
  // The display's blanks fall at blank_origin_ + k * 1000 / hz ms (rounded up); last_blank_ showed
  // the last frame.
  uint32_t blank_origin_ = 0;
  uint32_t last_blank_ = 0;
  bool blank_seen_ = false;
};

}  // namespace jizdavo

#include "platform/time/frame_pacer.h"

#include <algorithm>

namespace jizdavo {

namespace {

// Half a frame: a tick the pacer did not make (the timer started or renewed) is not followed by
// another at once.
constexpr uint64_t kShortestGap = 8;

// The offset from the game clock's start of the next frame after a tick at `since` ms, at least half
// a frame later: frame n falls at n * 1000 / 60 ms rounded down, so the frames are 16, 17 and 17 ms
// apart.
uint32_t FrameAfter(uint32_t since) {
  constexpr uint64_t rate = FramePacer::kGameFrameRate;
  const uint64_t frame = ((uint64_t{since} + kShortestGap) * rate + 999) / 1000;
  return static_cast<uint32_t>(frame * 1000 / rate);
}

}  // namespace

FramePacer::FramePacer(GameClock& clock, TDXTimer& frame_timer, MessageTimers& timers, WaitFunction wait)
    : clock_(clock), frame_timer_(frame_timer), timers_(timers), wait_(std::move(wait)) {}

void FramePacer::SetDisplay(int refresh_hz, bool waits_for_blank, std::function<void()> show_held_frame) {
  refresh_hz_ = std::max(refresh_hz, 0);
  waits_for_blank_ = waits_for_blank;
  show_held_frame_ = std::move(show_held_frame);
}

void FramePacer::FrameShown() {
  frame_timer_.PictureShown();
  const uint32_t now = clock_.Live();
  // A show that ends off the expected blanks (a display's rate is not exactly its whole hertz) starts
  // the blanks' count again from this one.
  if (!blank_seen_ || refresh_hz_ <= 0 || BlankAtOrAfter(now - blank_origin_) != now - blank_origin_)
    blank_origin_ = now;
  // hz blanks make a whole second exactly, so the origin can move up by whole seconds.
  const uint32_t since = now - blank_origin_;
  blank_origin_ += since - since % 1000;
  last_blank_ = now;
  blank_seen_ = true;
}

void FramePacer::FollowFrameTimer() {
  const uint32_t last = frame_timer_.LastTickTime();
  if (!clock_started_ || last != known_tick_) {
    clock_start_ = last;
    known_tick_ = last;
    clock_started_ = true;
  }
  // 60 frames make a whole second exactly, so the start can move up by whole seconds.
  const uint32_t since = last - clock_start_;
  clock_start_ += since - since % 1000;
}

uint32_t FramePacer::NextTickTime() const {
  const uint32_t last = frame_timer_.LastTickTime();
  const int interval = frame_timer_.Interval();
  if (interval > 0) return last + static_cast<uint32_t>(interval);
  // A tick the pacer did not make is the start of a new game clock.
  const bool own_tick = ticking_ || last == known_tick_;
  const uint32_t start = clock_started_ && own_tick ? clock_start_ : last;
  return start + FrameAfter(last - start);
}

uint32_t FramePacer::TimeToNextFrame() const {
  const auto until = static_cast<int32_t>(NextTickTime() - clock_.Live());
  return until > 0 ? static_cast<uint32_t>(until) : 0;
}

uint32_t FramePacer::BlankAtOrAfter(uint32_t since_origin) const {
  const uint64_t hz = static_cast<uint64_t>(refresh_hz_);
  const uint64_t blank = (uint64_t{since_origin} * hz + 999) / 1000;
  return static_cast<uint32_t>((blank * 1000 + hz - 1) / hz);
}

uint32_t FramePacer::TimeToNextBlank(uint32_t now) const {
  // Before the first blank is seen, a frame is taken to show at once.
  if (refresh_hz_ <= 0 || !blank_seen_) return 0;
  // Blank k falls at k * 1000 / hz ms from the origin, rounded up; the one that showed the last
  // frame cannot show another.
  uint32_t blank = BlankAtOrAfter(now - blank_origin_);
  if (blank_origin_ + blank == last_blank_) blank = BlankAtOrAfter(blank + 1);
  return blank_origin_ + blank - now;
}

bool FramePacer::MayShowNow() const {
  if (!frame_timer_.Polling()) return true;
  // Of the ticks due at one wake-up, only the last one's picture is shown.
  if (ticking_ && static_cast<int32_t>(NextTickTime() - catch_up_until_) <= 0) return false;
  if (!waits_for_blank_) return true;
  const uint32_t now = clock_.Live();
  const auto until_tick = static_cast<int32_t>(NextTickTime() - now);
  // A frame that is late already (a message box holding the frame handler) has nothing to keep to.
  if (until_tick <= 0) return true;
  // One millisecond to spare: a display reports its blank a little late.
  return TimeToNextBlank(now) + 1 <= static_cast<uint32_t>(until_tick);
}

bool FramePacer::GameClockRunning() const { return frame_timer_.Polling() && frame_timer_.Interval() <= 0; }

uint32_t FramePacer::TimeToNextWork() const {
  uint32_t wait = timers_.TimeToNextExpiry().value_or(kLongestWait);
  if (frame_timer_.Polling()) wait = std::min(wait, TimeToNextFrame());
  return std::min(wait, kLongestWait);
}

void FramePacer::Idle() {
  FollowFrameTimer();
  const auto tick_due = [this] { return frame_timer_.Polling() && TimeToNextFrame() == 0; };
  if (!tick_due()) {
    timers_.Dispatch();
    // A frame held back shows when the display can take it without making the next frame late.
    if (show_held_frame_ && MayShowNow()) show_held_frame_();
    const uint32_t wait = TimeToNextWork();
    // Events go to the loop first; a wait that ran out without any goes straight on to the work it
    // waited for, without another trip round the loop (each asks the window for its events).
    const bool playing = GameClockRunning() && playing_ && playing_();
    if (wait > 0 && wait_(wait, playing ? Wake::kOnTimeOnly : Wake::kOnEvent)) return;
    if (!tick_due()) {
      timers_.Dispatch();
      return;
    }
  }
  RunDueTicks();
}

void FramePacer::RunDueTicks() {
  if (!GameClockRunning()) {
    FireFrameTimerAt(clock_.Live());
    return;
  }
  // Only the ticks due at this wake-up run: a machine too slow for the clock still handles its events.
  catch_up_until_ = clock_.Live();
  const auto behind = [this](uint32_t now) { return static_cast<int32_t>(now - NextTickTime()); };
  const int32_t late = behind(catch_up_until_);
  if (late > static_cast<int32_t>(kLongestCatchUp)) {
    clock_.LeaveOut(static_cast<uint32_t>(late));
    catch_up_until_ -= static_cast<uint32_t>(late);
  }
  while (GameClockRunning() && behind(catch_up_until_) >= 0) {
    FireFrameTimerAt(NextTickTime());
    FollowFrameTimer();
  }
  // Ticks that were catching up and fell further behind cannot keep to the clock (frames that take
  // longer than a frame time): what they fell behind is left out, so such a machine plays the game
  // more slowly, showing every frame, instead of falling ever further behind.
  if (!GameClockRunning()) return;
  const int32_t still_late = behind(clock_.Live());
  if (late > 0 && still_late >= late) clock_.LeaveOut(static_cast<uint32_t>(still_late));
}

void FramePacer::FireFrameTimerAt(uint32_t time) {
  clock_.Hold(time);
  timers_.Dispatch();
  ticking_ = true;
  if (GameClockRunning()) {
    frame_timer_.Tick(time);
  } else {
    frame_timer_.Poll();
  }
  ticking_ = false;
  clock_.Release();
  known_tick_ = frame_timer_.LastTickTime();
}

}  // namespace jizdavo

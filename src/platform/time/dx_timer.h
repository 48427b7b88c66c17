#pragma once
// The frame timer: polled from the idle loop, it ticks at most every `Interval` ms and tells the game
// how many intervals passed (the lag count), so that movement scales with real time.

#include <cstdint>
#include <functional>

#include "platform/clock.h"

namespace jizdavo {

class TDXTimer {
 public:
  using TimerEvent = std::function<void(TDXTimer* Sender, int LagCount)>;
  using NotifyEvent = std::function<void(TDXTimer* Sender)>;

  explicit TDXTimer(const Clock& clock);
  ~TDXTimer();
  TDXTimer(const TDXTimer&) = delete;
  TDXTimer& operator=(const TDXTimer&) = delete;

  int Interval() const { return interval_; }
  // A running timer keeps its last tick: the next one is measured from it.
  void SetInterval(int value);
  bool Enabled() const { return enabled_; }
  // Until Loaded() this only stores the value.
  void SetEnabled(bool value);
  // The owner has finished setting the timer up; an enabled timer starts now.
  void Loaded();

  // Ticks only while the application is active.
  bool ActiveOnly = true;
  TimerEvent OnTimer;
  NotifyEvent OnActivate;
  NotifyEvent OnDeactivate;

  // Ticks per second, updated about once a second; 0 until the first update.
  int FrameRate() const { return frame_rate_; }
  // Pictures the display showed per second, updated with FrameRate: ticks that catch up with the
  // clock run without being shown. The display tells each picture it shows.
  int PictureRate() const { return picture_rate_; }
  void PictureShown() { ++picture_counter_; }

  // The idle handler: one poll of the clock, ticking when the interval has passed. Does nothing while
  // the timer is not hooked into the idle loop.
  void Poll();
  // A tick that was due at `time` on the clock (the game's frames keep a clock of their own): its lag
  // count is measured from the last tick's time, whenever the tick actually runs. Does nothing while
  // the timer is not hooked into the idle loop.
  void Tick(uint32_t time);
  bool Polling() const { return polling_; }
  uint32_t LastTickTime() const { return last_tick_; }
  // Measures from now, as a timer that has just started: time the program spent blocked (the
  // one-second music fades) comes back as no lag count and no dip in the frame rate.
  void Renew();

  // The application gained or lost activation (both handlers run even when the timer is disabled).
  void ApplicationActivated();
  void ApplicationDeactivated();
  bool ApplicationActive() const { return application_active_; }

 private:
  void Start();
  void Stop();
  void BeginPolling();

  const Clock& clock_;
  int interval_ = 1000;
  uint32_t divisor_ = 1000;
  bool enabled_ = true;
  bool loading_ = true;
  bool started_ = false;
  bool polling_ = false;
  bool application_active_ = false;
  uint32_t last_tick_ = 0;
  uint32_t rate_start_ = 0;
  int frame_counter_ = 0;
  int frame_rate_ = 0;
  int picture_counter_ = 0;
  int picture_rate_ = 0;
};

}  // namespace jizdavo

#include "platform/frame_pacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/blanking_display.h"

namespace jizdavo {
namespace {

// The idle loop on a hand-driven clock: waiting advances the clock by what was asked, each tick
// presents a frame on the display and takes `frame_costs` ms of work (the last cost repeats).
struct PacerRig {
  explicit PacerRig(int interval, std::vector<uint32_t> frame_costs = {0}) {
    frame_timer.SetInterval(interval);
    frame_timer.OnTimer = [this, frame_costs](TDXTimer*, int lag) {
      tick_times.push_back(clock.Now());
      lags.push_back(lag);
      clock.Advance(frame_costs[std::min(lags.size(), frame_costs.size()) - 1]);
      display.PresentFrame(nullptr, 640, 480, 640);
    };
    frame_timer.ApplicationActivated();
    frame_timer.Loaded();
    pacer.SetPlaying([this] { return playing; });
  }
  // Each turn waits or ticks, and a tick is followed by a wait: a pacer that neither waits nor moves
  // on fails here at once instead of running away.
  void RunUntil(uint32_t end) {
    const uint32_t most_turns = 4 * (end - clock.Now()) + 100;
    for (uint32_t turns = 0; clock.Now() < end; ++turns) {
      ASSERT_LT(turns, most_turns) << "the pacer stands still at " << clock.Now() << " ms";
      pacer.Idle();
    }
  }
  bool playing = true;
  ManualClock clock{0};
  TDXTimer frame_timer{clock};
  MessageTimers timers{clock};
  std::vector<uint32_t> waits;
  std::vector<FramePacer::Wake> wakes;
  FramePacer pacer{clock, frame_timer, timers, [this](uint32_t ms, FramePacer::Wake wake) {
                     waits.push_back(ms);
                     wakes.push_back(wake);
                     clock.Advance(ms);
                     return false;
                   }};
  BlankingDisplay display{clock};
  std::vector<uint32_t> tick_times;
  std::vector<int> lags;
};

// Interval 0: 60 frames a second, 16, 17 and 17 ms apart, on every display, however long showing a
// frame waits for the display's blank; a display slower than that shows what it can.
TEST(FramePacer, GameFramesKeepTheirOwnClockOnEveryDisplay) {
  for (int hz : {0, 30, 50, 60, 75, 120, 144, 240}) {
    PacerRig rig(0);
    rig.display.SwitchOn(hz, rig.pacer);
    rig.RunUntil(2000);
    ASSERT_EQ(rig.tick_times.size(), 120u) << hz;
    for (uint32_t n = 1; n <= 120; ++n) ASSERT_EQ(rig.tick_times[n - 1], n * 1000 / 60) << hz << " Hz, frame " << n;
    for (size_t i = 0; i < rig.lags.size(); ++i) EXPECT_EQ(rig.lags[i], i % 3 == 0 ? 16 : 17) << hz;
    EXPECT_EQ(rig.frame_timer.FrameRate(), 60) << hz;
    const int shows = hz > 0 ? std::min(hz, 60) * 2 : 120;
    EXPECT_GE(rig.display.shown(), shows * 9 / 10) << hz;
    EXPECT_LE(rig.display.shown(), shows) << hz;
    // The frame reads the keys itself: between frames no event (a held key's repeats) wakes the loop.
    for (FramePacer::Wake wake : rig.wakes) EXPECT_EQ(wake, FramePacer::Wake::kOnTimeOnly) << hz;
  }
}

// A slow frame: the next one runs at once with the larger lag count, then the clock goes on; no
// burst of frames to catch up. Frames slower than the clock run on the next frame time they can meet.
TEST(FramePacer, ALateFrameRunsOnceWithItsLargerLag) {
  PacerRig slow_once(0, {0, 0, 50, 0});
  slow_once.RunUntil(150);
  EXPECT_EQ(slow_once.tick_times, (std::vector<uint32_t>{16, 33, 50, 100, 116, 133, 150}));
  EXPECT_EQ(slow_once.lags, (std::vector<int>{16, 17, 17, 50, 16, 17, 17}));
  // A late frame 3 ms before the next is due: that one is left out, not run 3 ms later.
  PacerRig late_near_the_next(0, {0, 30, 0});
  late_near_the_next.RunUntil(100);
  EXPECT_EQ(late_near_the_next.tick_times, (std::vector<uint32_t>{16, 33, 63, 83, 100}));
  EXPECT_EQ(late_near_the_next.lags, (std::vector<int>{16, 17, 30, 20, 17}));

  PacerRig always_slow(0, {20});
  always_slow.RunUntil(1000);
  EXPECT_EQ(always_slow.lags.front(), 16);
  for (size_t i = 1; i < always_slow.lags.size(); ++i) {
    EXPECT_GE(always_slow.lags[i], 20);
    EXPECT_LT(always_slow.lags[i], 20 + 8) << "never waits a whole frame more";
  }
}

// After a renewal (the game blocked for a one-second fade) the clock starts again from it.
TEST(FramePacer, ARenewedFrameTimerStartsTheClockAgain) {
  PacerRig rig(0);
  rig.RunUntil(100);
  rig.clock.Advance(1003);
  rig.frame_timer.Renew();
  const uint32_t renewed = rig.clock.Now();
  rig.RunUntil(renewed + 50);
  const std::vector<uint32_t> after(rig.tick_times.end() - 3, rig.tick_times.end());
  EXPECT_EQ(after, (std::vector<uint32_t>{renewed + 16, renewed + 33, renewed + 50}));
  EXPECT_EQ(rig.lags[rig.lags.size() - 3], 16);
}

// The menus answer the pointer and the keys as they come, at the first menus' 100 ms interval and at
// the game's 60 frames a second after a game alike.
TEST(FramePacer, TheMenusWakeForEveryEventAtEitherInterval) {
  PacerRig rig(100);
  rig.playing = false;
  rig.RunUntil(300);
  EXPECT_EQ(rig.tick_times, (std::vector<uint32_t>{100, 200, 300}));
  EXPECT_EQ(rig.waits.size(), 3u);
  EXPECT_EQ(rig.wakes, std::vector<FramePacer::Wake>(3, FramePacer::Wake::kOnEvent));

  PacerRig after_a_game(0);
  after_a_game.playing = false;
  after_a_game.RunUntil(100);
  EXPECT_EQ(after_a_game.tick_times, (std::vector<uint32_t>{16, 33, 50, 66, 83, 100}));
  ASSERT_FALSE(after_a_game.wakes.empty());
  for (FramePacer::Wake wake : after_a_game.wakes) EXPECT_EQ(wake, FramePacer::Wake::kOnEvent);
}

TEST(FramePacer, WaitsForTheMessageTimersWhileTheFrameTimerIsInactive) {
  PacerRig rig(0);
  rig.frame_timer.ApplicationDeactivated();
  int fired = 0;
  rig.timers.SetTimer(250, [&] { ++fired; });
  EXPECT_EQ(rig.pacer.TimeToNextWork(), FramePacer::kLongestWait);
  rig.RunUntil(1000);
  EXPECT_EQ(fired, 4);  // at 250, 500, 750 and 1000, each as its wait runs out
  EXPECT_TRUE(rig.tick_times.empty());
  for (uint32_t wait : rig.waits) EXPECT_LE(wait, FramePacer::kLongestWait);
}

}  // namespace
}  // namespace jizdavo

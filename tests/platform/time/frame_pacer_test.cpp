#include "platform/time/frame_pacer.h"

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
      machine.Advance(frame_costs[std::min(lags.size(), frame_costs.size()) - 1]);
      display.PresentFrame(nullptr, 640, 480, 640);
    };
    frame_timer.ApplicationActivated();
    frame_timer.Loaded();
    pacer.SetPlaying([this] { return playing; });
  }
  // Each turn waits or ticks, and a tick is followed by a wait: a pacer that neither waits nor moves
  // on fails here at once instead of running away.
  void RunUntil(uint32_t end) {
    const uint32_t most_turns = 4 * (end - machine.Now()) + 100;
    for (uint32_t turns = 0; machine.Now() < end; ++turns) {
      ASSERT_LT(turns, most_turns) << "the pacer stands still at " << machine.Now() << " ms";
      pacer.Idle();
    }
  }
  bool playing = true;
  ManualClock machine{0};
  GameClock clock{machine};
  TDXTimer frame_timer{clock};
  MessageTimers timers{clock};
  uint32_t oversleep = 0;
  std::vector<uint32_t> waits;
  std::vector<FramePacer::Wake> wakes;
  FramePacer pacer{clock, frame_timer, timers, [this](uint32_t ms, FramePacer::Wake wake) {
                     waits.push_back(ms);
                     wakes.push_back(wake);
                     // Every third wait oversleeps, as a busy machine's do.
                     machine.Advance(ms + (waits.size() % 3 == 0 ? oversleep : 0));
                     return false;
                   }};
  BlankingDisplay display{machine};
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
    // The FPS shown counts the pictures the display showed, not the ticks.
    EXPECT_NEAR(rig.frame_timer.PictureRate(), hz > 0 ? std::min(hz, 60) : 60, 6) << hz;
    const int shows = hz > 0 ? std::min(hz, 60) * 2 : 120;
    EXPECT_GE(rig.display.shown(), shows * 9 / 10) << hz;
    EXPECT_LE(rig.display.shown(), shows) << hz;
    // The frame reads the keys itself: between frames no event (a held key's repeats) wakes the loop.
    for (FramePacer::Wake wake : rig.wakes) EXPECT_EQ(wake, FramePacer::Wake::kOnTimeOnly) << hz;
  }
}

// Ticks are their due times: a wake-up after several due ticks runs each with its own time and lag
// count, and only the last one's picture is shown; one more than a quarter second behind runs one
// tick and leaves the missed time out of the game clock.
TEST(FramePacer, LateWakeUpsCatchUpAndAStallIsLeftOut) {
  const auto frame_times = [](uint32_t first, uint32_t last) {
    std::vector<uint32_t> times;
    for (uint32_t n = first; n <= last; ++n) times.push_back(n * 1000 / 60);
    return times;
  };
  struct Case {
    uint32_t third_frame_cost;
    uint32_t run_until;
    std::vector<uint32_t> tick_times;
    int held_frames;
  };
  const Case cases[] = {
      // 50 ms: the three frames due meanwhile run at once, two of them unseen.
      {50, 150, frame_times(1, 9), 2},
      // 266 ms: 250 behind the next frame, still caught up.
      {266, 317, frame_times(1, 20), 15},
      // 267 ms: a stall; the game goes on from where it stood.
      {267, 367, frame_times(1, 7), 0},
  };
  for (const Case& c : cases) {
    PacerRig rig(0, {0, 0, c.third_frame_cost, 0});
    rig.display.SwitchOn(0, rig.pacer);
    rig.RunUntil(c.run_until);
    EXPECT_EQ(rig.tick_times, c.tick_times) << c.third_frame_cost;
    for (size_t i = 0; i < rig.lags.size(); ++i) EXPECT_EQ(rig.lags[i], i % 3 == 0 ? 16 : 17) << c.third_frame_cost;
    EXPECT_EQ(rig.display.frames() - rig.display.shown(), c.held_frames) << c.third_frame_cost;
  }

  // Waits that oversleep by 2 ms change nothing the game sees.
  PacerRig oversleeping(0);
  oversleeping.oversleep = 2;
  oversleeping.RunUntil(1000);
  EXPECT_EQ(oversleeping.tick_times, frame_times(1, 60));
  for (size_t i = 0; i < oversleeping.lags.size(); ++i) EXPECT_EQ(oversleeping.lags[i], i % 3 == 0 ? 16 : 17);

  // A machine too slow for the clock: the game runs slower, each tick 16 or 17 ms of game time, and
  // every frame is shown; it never falls into a spiral of catching up.
  PacerRig always_slow(0, {20});
  always_slow.display.SwitchOn(0, always_slow.pacer);
  always_slow.RunUntil(2000);
  EXPECT_EQ(always_slow.lags.size(), 100u);
  for (int lag : always_slow.lags) EXPECT_TRUE(lag == 16 || lag == 17) << lag;
  EXPECT_EQ(always_slow.display.shown(), always_slow.display.frames());
}

// After a renewal (the game blocked for a one-second fade) the clock starts again from it.
TEST(FramePacer, ARenewedFrameTimerStartsTheClockAgain) {
  PacerRig rig(0);
  rig.RunUntil(100);
  rig.machine.Advance(1003);
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

#include "platform/frame_pacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace jizdavo {
namespace {

// The idle loop on a hand-driven clock: waiting advances the clock by what was asked, and each tick
// takes `frame_cost` ms of work.
struct PacerRig {
  explicit PacerRig(int interval, uint32_t frame_cost = 0) {
    frame_timer.SetInterval(interval);
    frame_timer.OnTimer = [this, frame_cost](TDXTimer*, int lag) {
      tick_times.push_back(clock.Now());
      lags.push_back(lag);
      clock.Advance(frame_cost);
    };
    frame_timer.ApplicationActivated();
    frame_timer.Loaded();
  }
  void RunUntil(uint32_t end) {
    while (clock.Now() < end) pacer.Idle();
  }
  ManualClock clock{0};
  TDXTimer frame_timer{clock};
  MessageTimers timers{clock};
  std::vector<uint32_t> waits;
  FramePacer pacer{clock, frame_timer, timers, [this](uint32_t ms) {
                     waits.push_back(ms);
                     clock.Advance(ms);
                   }};
  std::vector<uint32_t> tick_times;
  std::vector<int> lags;
};

// Interval 0 gives one tick per refresh of the display (unknown: 60 Hz), never two in one millisecond,
// and the lag counts add up to the time since the timer started.
TEST(FramePacer, IntervalZeroTicksAtMostOncePerRefresh) {
  struct Case {
    int hz;
    uint32_t period;
  };
  for (const Case& c :
       {Case{60, 17}, Case{0, 17}, Case{-5, 17}, Case{144, 7}, Case{1000, 1}, Case{5000, 1}}) {
    PacerRig rig(0);
    rig.pacer.SetRefreshRate(c.hz);
    EXPECT_EQ(rig.pacer.FramePeriod(), c.period) << c.hz;
    rig.RunUntil(1000);
    EXPECT_EQ(rig.tick_times.size(), 999u / c.period) << c.hz;
    EXPECT_LE(rig.tick_times.size(), static_cast<size_t>(c.hz > 0 ? std::min(c.hz, 1000) : 60)) << c.hz;
    for (size_t i = 1; i < rig.tick_times.size(); ++i)
      EXPECT_GE(rig.tick_times[i] - rig.tick_times[i - 1], c.period) << c.hz;
    EXPECT_EQ(std::accumulate(rig.lags.begin(), rig.lags.end(), 0u), rig.tick_times.back()) << c.hz;
  }
}

TEST(FramePacer, SlowFramesTickAtOnceWithTheirRealLag) {
  PacerRig rig(0, 20);
  rig.RunUntil(200);
  EXPECT_TRUE(rig.waits.size() == 1 && rig.waits[0] == 17) << "only the first tick waits";
  EXPECT_EQ(rig.lags.front(), 17);
  for (size_t i = 1; i < rig.lags.size(); ++i) EXPECT_EQ(rig.lags[i], 20);
}

TEST(FramePacer, IntervalOfOneHundredWaitsForTheNextTick) {
  PacerRig rig(100);
  rig.RunUntil(350);
  EXPECT_EQ(rig.tick_times, (std::vector<uint32_t>{100, 200, 300}));
  EXPECT_LE(rig.waits.size(), 4u);
}

TEST(FramePacer, WaitsForTheMessageTimersWhileTheFrameTimerIsInactive) {
  PacerRig rig(0);
  rig.frame_timer.ApplicationDeactivated();
  int fired = 0;
  rig.timers.SetTimer(250, [&] { ++fired; });
  EXPECT_EQ(rig.pacer.TimeToNextWork(), FramePacer::kLongestWait);
  rig.RunUntil(1000);
  EXPECT_EQ(fired, 3);  // at 250, 500 and 750; 1000 is dispatched by the next turn
  EXPECT_TRUE(rig.tick_times.empty());
  for (uint32_t wait : rig.waits) EXPECT_LE(wait, FramePacer::kLongestWait);
}

}  // namespace
}  // namespace jizdavo

#include "platform/time/dx_timer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace jizdavo {
namespace {

// A loaded, active frame timer that records its ticks' lag counts.
struct TimerRig {
  explicit TimerRig(int interval, uint32_t start = 0) : clock(start), timer(clock) {
    timer.SetInterval(interval);
    timer.OnTimer = [this](TDXTimer* sender, int lag) {
      EXPECT_EQ(sender, &timer);
      lags.push_back(lag);
    };
    timer.ApplicationActivated();
    timer.Loaded();
  }
  ManualClock clock;
  TDXTimer timer;
  std::vector<int> lags;
};

struct LagCase {
  int interval;
  uint32_t start;
  std::vector<uint32_t> advances;  // clock steps, each followed by a poll
  std::vector<int> expected_lags;
};

class DXTimerLag : public ::testing::TestWithParam<LagCase> {};

TEST_P(DXTimerLag, TicksWithTheExpectedLagCounts) {
  const LagCase& c = GetParam();
  TimerRig rig(c.interval, c.start);
  for (uint32_t step : c.advances) {
    rig.clock.Advance(step);
    rig.timer.Poll();
  }
  EXPECT_EQ(rig.lags, c.expected_lags);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DXTimerLag,
    ::testing::Values(
        // Interval 0: 1 ms apart gives 1; the same millisecond still ticks with 1.
        LagCase{0, 0, {1, 0}, {1, 1}},
        LagCase{0, 0, {7}, {7}},
        // Interval 100: 250 ms gives 2 and the remainder is dropped, so 50 more ms give no tick.
        LagCase{100, 0, {250, 50, 50}, {2, 1}},
        LagCase{100, 0, {99}, {}},
        // The clock wrapping from 4294967295 to 0 is 1 ms.
        LagCase{0, 4294967295u - 3, {3, 1}, {3, 1}}));

TEST(DXTimer, FrameRateUpdatesOnceTheSpanReachesOneSecond) {
  TimerRig rig(0);
  for (int i = 0; i < 28; ++i) {
    rig.clock.Advance(33);
    rig.timer.Poll();
  }
  rig.clock.Set(999);
  rig.timer.Poll();
  EXPECT_EQ(rig.timer.FrameRate(), 0);  // 29 ticks, but only 999 ms
  rig.clock.Set(1000);
  rig.timer.Poll();
  EXPECT_EQ(rig.timer.FrameRate(), 30);
}

TEST(DXTimer, FrameRateRoundsHalvesToEven) {
  // {ticks in the next 2000 ms, rate}: 0.5 -> 0, 2.5 -> 2, 3.5 -> 4.
  for (auto [ticks, rate] : {std::pair{1, 0}, std::pair{5, 2}, std::pair{7, 4}}) {
    TimerRig rig(0);
    for (int i = 1; i < ticks; ++i) {
      rig.clock.Set(i);
      rig.timer.Poll();
    }
    rig.clock.Set(2000);
    rig.timer.Poll();
    EXPECT_EQ(rig.timer.FrameRate(), rate) << ticks << " ticks";
  }
}

TEST(DXTimer, NoTicksWhileInactiveAndAShortLagAfterReactivation) {
  TimerRig rig(0);
  int activations = 0;
  int deactivations = 0;
  rig.timer.OnActivate = [&](TDXTimer*) { ++activations; };
  rig.timer.OnDeactivate = [&](TDXTimer*) { ++deactivations; };
  rig.clock.Advance(5);
  rig.timer.Poll();
  rig.timer.ApplicationDeactivated();
  EXPECT_FALSE(rig.timer.Polling());
  rig.clock.Advance(5000);
  rig.timer.Poll();
  rig.timer.ApplicationActivated();
  rig.clock.Advance(3);
  rig.timer.Poll();
  EXPECT_EQ(rig.lags, (std::vector<int>{5, 3}));
  EXPECT_EQ(activations, 1);
  EXPECT_EQ(deactivations, 1);
}

TEST(DXTimer, WithoutActiveOnlyItKeepsTickingInTheBackground) {
  TimerRig rig(0);
  rig.timer.ActiveOnly = false;
  rig.timer.SetEnabled(false);
  rig.timer.SetEnabled(true);
  rig.timer.ApplicationDeactivated();
  rig.clock.Advance(4);
  rig.timer.Poll();
  EXPECT_EQ(rig.lags, (std::vector<int>{4}));
}

TEST(DXTimer, StartsOnLoadOrFirstActivationAndStopsWhenDisabled) {
  ManualClock clock(100);
  TDXTimer timer(clock);
  int ticks = 0;
  int activations = 0;
  timer.OnTimer = [&](TDXTimer*, int) { ++ticks; };
  timer.OnActivate = [&](TDXTimer*) { ++activations; };
  timer.SetInterval(0);
  timer.SetEnabled(false);
  timer.SetEnabled(true);  // still loading: only stored
  EXPECT_FALSE(timer.Polling());
  timer.Loaded();          // started, but the application is not active yet
  EXPECT_FALSE(timer.Polling());
  clock.Advance(50);
  timer.ApplicationActivated();
  EXPECT_TRUE(timer.Polling());
  EXPECT_EQ(timer.LastTickTime(), 150u);
  timer.SetEnabled(false);
  clock.Advance(1);
  timer.Poll();
  EXPECT_EQ(ticks, 0);
  timer.ApplicationActivated();  // the handler runs while disabled, the timer stays stopped
  EXPECT_EQ(activations, 2);
  EXPECT_FALSE(timer.Polling());
}

TEST(DXTimer, IntervalChangeKeepsTheLastTick) {
  TimerRig rig(100);
  rig.clock.Advance(60);
  rig.timer.SetInterval(-5);  // negative intervals count as 0
  EXPECT_EQ(rig.timer.Interval(), 0);
  rig.timer.Poll();
  EXPECT_EQ(rig.lags, (std::vector<int>{60}));
}

}  // namespace
}  // namespace jizdavo

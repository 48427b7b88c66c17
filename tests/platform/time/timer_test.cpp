#include "platform/time/timer.h"

#include <gtest/gtest.h>

#include "platform/error.h"

namespace jizdavo {
namespace {

struct TimerRig {
  TimerRig() {
    timer.SetOnTimer([this](TTimer* sender) {
      EXPECT_EQ(sender, &timer);
      ++fired;
    });
  }
  void AdvanceAndDispatch(uint32_t ms) {
    clock.Advance(ms);
    timers.Dispatch();
  }
  ManualClock clock{1000};
  MessageTimers timers{clock};
  TTimer timer{timers};
  int fired = 0;
};

TEST(TTimer, FiresOncePerIntervalWhileEnabled) {
  TimerRig rig;
  rig.AdvanceAndDispatch(999);
  EXPECT_EQ(rig.fired, 0);
  rig.AdvanceAndDispatch(1);
  EXPECT_EQ(rig.fired, 1);
  rig.AdvanceAndDispatch(1000);
  EXPECT_EQ(rig.fired, 2);
  rig.timer.SetEnabled(false);
  rig.AdvanceAndDispatch(5000);
  EXPECT_EQ(rig.fired, 2);
  EXPECT_EQ(rig.timers.ArmedCount(), 0);
}

TEST(TTimer, ExpiriesMissedByABusyLoopComeAsOneCall) {
  TimerRig rig;
  rig.AdvanceAndDispatch(3500);
  EXPECT_EQ(rig.fired, 1);
  EXPECT_EQ(rig.timers.TimeToNextExpiry(), 1000u);
}

TEST(TTimer, ReEnablingMeasuresTheIntervalFromThen) {
  TimerRig rig;
  rig.clock.Advance(700);
  rig.timer.SetEnabled(false);
  rig.timer.SetEnabled(true);
  rig.AdvanceAndDispatch(700);
  EXPECT_EQ(rig.fired, 0);
  rig.AdvanceAndDispatch(300);
  EXPECT_EQ(rig.fired, 1);
}

TEST(TTimer, NoSystemTimerWithoutHandlerOrWithIntervalZero) {
  ManualClock clock;
  MessageTimers timers(clock);
  TTimer timer(timers);
  EXPECT_EQ(timers.ArmedCount(), 0);  // enabled, but no handler
  timer.SetOnTimer([](TTimer*) {});
  EXPECT_EQ(timers.ArmedCount(), 1);
  timer.SetInterval(0);
  EXPECT_EQ(timers.ArmedCount(), 0);
}

TEST(TTimer, HandlerMayDisableItsOwnTimer) {
  TimerRig rig;
  rig.timer.SetOnTimer([&](TTimer* sender) {
    ++rig.fired;
    sender->SetEnabled(false);
  });
  rig.AdvanceAndDispatch(2000);
  rig.AdvanceAndDispatch(2000);
  EXPECT_EQ(rig.fired, 1);
  EXPECT_FALSE(rig.timer.Enabled());
}

TEST(TTimer, RefusedTimerRaisesAndStaysDisabled) {
  ManualClock clock;
  MessageTimers timers(clock, 1);
  TTimer first(timers);
  first.SetOnTimer([](TTimer*) {});
  TTimer second(timers);
  try {
    second.SetOnTimer([](TTimer*) {});
    FAIL() << "a second timer was armed with room for one";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Not enough timers available");
  }
  EXPECT_FALSE(second.Enabled());
  first.SetEnabled(false);  // frees the one system timer
  second.SetEnabled(true);
  EXPECT_EQ(timers.ArmedCount(), 1);
}

}  // namespace
}  // namespace jizdavo

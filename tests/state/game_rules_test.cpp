#include "state/game_rules.h"

#include <gtest/gtest.h>

#include "state/date_time.h"

namespace jizdavo {
namespace {

TEST(GameRules, StandardClockStopsAtTheLastTimeTheFilesHold) {
  EXPECT_EQ(AdvanceStandardClock(MakeTime(0, 59, 59, 999), 2), MakeTime(0, 59, 59, 999));
  EXPECT_EQ(AdvanceStandardClock(MakeTime(0, 59, 59, 998), 1), MakeTime(0, 59, 59, 999));
  EXPECT_EQ(FormatTime(AdvanceStandardClock(MakeTime(0, 59, 0, 0), 4000000000u)), "59:59:999");
  EXPECT_EQ(FormatTime(AdvanceStandardClock(MakeTime(0, 0, 59, 500), 1500)), "01:01:000");
  EXPECT_EQ(FormatTime(AdvanceStandardClock(0, 0)), "00:00:000");
}

TEST(GameRules, ChaseClockBelowZeroIsExactlyOneHour) {
  EXPECT_EQ(AdvanceChaseClock(MakeTime(0, 0, 0, 5), 6), MakeTime(1, 0, 0, 0));
  EXPECT_EQ(FormatTime(AdvanceChaseClock(MakeTime(0, 0, 0, 5), 5)), "00:00:000");
  EXPECT_EQ(SplitTime(AdvanceChaseClock(MakeTime(0, 0, 0, 5), 5)).Hour, 0);
  EXPECT_EQ(FormatTime(AdvanceChaseClock(MakeTime(0, 1, 0, 0), 1)), "00:59:999");
  EXPECT_EQ(AdvanceChaseClock(MakeTime(0, 1, 45, 0), 4000000000u), MakeTime(1, 0, 0, 0));
}

TEST(GameRules, SpawnCandidatesByDifficulty) {
  for (int difficulty = -1; difficulty <= 5; ++difficulty) {
    int candidates = 0;
    for (int draw = 0; draw < 15; ++draw) candidates += IsSpawnCandidate(difficulty, draw);
    int expected = difficulty >= 1 && difficulty <= 3 ? difficulty : 0;
    EXPECT_EQ(candidates, expected) << difficulty;
  }
  EXPECT_FALSE(IsSpawnCandidate(3, 0));
}

TEST(GameRules, LaneSpeedsOfATwoLaneRoad) {
  EXPECT_EQ(LaneSpeed(0, 0, 2), 0.5);
  EXPECT_EQ(LaneSpeed(0, 1, 2), 1.0);
  EXPECT_EQ(LaneSpeed(1, 0, 2), 1.0);
  EXPECT_EQ(LaneSpeed(1, 1, 2), 0.5);
  EXPECT_TRUE(RoadGoesLeft(0));
  EXPECT_FALSE(RoadGoesLeft(1));
}

TEST(GameRules, Geometry) {
  EXPECT_EQ(RoadTopFor(2, 2, 480, false), 161);
  EXPECT_EQ(RoadTopFor(2, 2, 480, true), 180);
  EXPECT_EQ(BarrierLineY(161, 2, 1), 220);
  EXPECT_EQ(BarrierLineY(RoadTopFor(4, 4, 480, false), 4, 4), 437);
  EXPECT_EQ(CarTop(161, 1, 1, 2, 14), 161 + 63 + 20 + 13);
  EXPECT_EQ(CarTop(161, 0, 0, 2, 15), 173.5);
}

TEST(GameRules, OverAndLiveTests) {
  TGameState g;
  g.CountdownDone = false;
  EXPECT_FALSE(GameIsLive(g));
  g.CountdownDone = true;
  EXPECT_TRUE(GameIsLive(g));
  g.Crashed = true;
  EXPECT_TRUE(GameIsLost(g));
  EXPECT_FALSE(GameIsLive(g));

  TGameState c;
  c.ChaseMode = true;
  c.CarsToKill = 20;
  c.CarsKilled = 3;
  EXPECT_TRUE(GameIsLive(c));  // countdown not part of it
  c.GameTime = MakeTime(1, 0, 0, 0);
  EXPECT_TRUE(GameIsLost(c));
  c.CarsKilled = 20;
  EXPECT_TRUE(GameIsWon(c));
  EXPECT_TRUE(GameIsOver(c));
  c.GameTime = 0;
  c.CarsKilled = -1;
  EXPECT_TRUE(GameIsLost(c));
  EXPECT_FALSE(GameIsWon(c));
}

TEST(GameRules, TuneNumbers) {
  int expected[20] = {1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 4, 4, 4, 4, 4};
  for (int draw = 0; draw < 20; ++draw) EXPECT_EQ(TuneNumber(draw), expected[draw]) << draw;
}

}  // namespace
}  // namespace jizdavo

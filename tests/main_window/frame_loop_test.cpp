// Whole frames of the play field: countdown, pausing, skipping, traffic and the game clock.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "sprites/car.h"
#include "sprites/krev.h"
#include "state/date_time.h"
#include "support/headless_game.h"

namespace jizdavo::testing {
namespace {

std::vector<TCar*> Cars(TJizdavo& game) {
  std::vector<TCar*> cars;
  TSprite* root = &game.DXSpriteEngine.Root;
  for (int i = 0; i < root->ChildCount(); ++i) {
    if (auto* car = dynamic_cast<TCar*>(root->Child(i))) cars.push_back(car);
  }
  return cars;
}

TEST(FrameLoop, CountdownGoesThreeTwoOneGoInThreeTicks) {
  PlayField field;
  field.Start(false, 1, 0);
  EXPECT_TRUE(Game.InGame);
  EXPECT_EQ(Game.Countdown, 3);
  std::vector<int> seen;
  for (int ms = 0; ms < 3500 && !Game.CountdownDone; ms += 10) {
    field.Frame(10);
    if (seen.empty() || seen.back() != Game.Countdown) seen.push_back(Game.Countdown);
  }
  EXPECT_EQ(seen, (std::vector<int>{3, 2, 1, 0}));
  EXPECT_TRUE(Game.CountdownDone);
  EXPECT_FALSE(field.game->Timer1.Enabled());
}

TEST(FrameLoop, EscDuringTheCountdownDoesNotPauseInEitherMode) {
  for (bool chase : {false, true}) {
    PlayField field;
    field.Start(chase, 1, 0);
    field.Hold(kScanEscape);
    field.Frames(50, 10);
    EXPECT_TRUE(Game.InGame) << chase;
    EXPECT_NE(Game.Title, "PAUSED") << chase;
    field.Hold(kScanEscape, false);
    field.RunCountdown();
    field.Hold(kScanEscape);
    field.Frame();
    EXPECT_FALSE(Game.InGame) << chase;
    EXPECT_EQ(Game.Title, "PAUSED") << chase;
    EXPECT_TRUE(field.game->Menus.Label21.Visible);
    EXPECT_EQ(field.window.pointer_shapes.back(), 1);
  }
}

// Standard plays at the chosen difficulty; a Car chase area, which offers none, at Easy whatever was
// chosen for Standard.
TEST(FrameLoop, TrafficFollowsTheStandardDifficultyAndCarChaseIsEasy) {
  const auto most_cars = [](bool chase, int level, int difficulty) {
    PlayField field;
    field.Start(chase, level, difficulty);
    field.RunCountdown();
    size_t most = 0;
    for (int i = 0; i < 100; ++i) {
      field.Frame(10);
      most = std::max(most, Cars(*field.game).size());
    }
    return most;
  };
  std::map<int, size_t> cars;
  for (int difficulty : {-1, 0, 1, 3, 4}) cars[difficulty] = most_cars(false, 16, difficulty);
  EXPECT_EQ(cars[-1], 0u);
  EXPECT_EQ(cars[0], 0u);
  EXPECT_EQ(cars[4], 0u);
  EXPECT_GT(cars[1], 0u);
  EXPECT_GT(cars[3], cars[1]);
  const size_t easy_chase = most_cars(true, 6, 1);
  EXPECT_GT(easy_chase, 0u);
  for (int difficulty : {0, 3}) EXPECT_EQ(most_cars(true, 6, difficulty), easy_chase) << difficulty;
}

TEST(FrameLoop, LaneSpeedsOfATwoLaneRoadOnRoadsZeroAndOne) {
  PlayField field;
  field.Start(false, 2, 3);  // 2 lanes, 2 roads
  std::map<std::pair<int, int>, std::set<double>> speeds;  // (road, lane) -> speeds seen
  for (int i = 0; i < 300; ++i) {
    field.Frame(10);
    for (TCar* car : Cars(*field.game)) {
      int row = static_cast<int>(car->Y + (car->Height - 14) / 2.0) - Game.RoadTop - 13;
      speeds[{row / 63, row % 63 / 20}].insert(car->Speed);
    }
  }
  using Speeds = std::set<double>;
  Speeds slow{0.5}, fast{1.0};
  EXPECT_EQ(speeds[std::make_pair(0, 0)], slow);
  EXPECT_EQ(speeds[std::make_pair(0, 1)], fast);
  EXPECT_EQ(speeds[std::make_pair(1, 0)], fast);
  EXPECT_EQ(speeds[std::make_pair(1, 1)], slow);
  for (TCar* car : Cars(*field.game)) EXPECT_EQ(car->GoesLeft, car->Y < Game.RoadTop + 63);
}

TEST(FrameLoop, ClockStandsStillDuringTheCountdownOnGoFramesAndInSequences) {
  PlayField field;
  field.Start(false, 1, 0);
  while (Game.Countdown > 0) {
    field.Frame(10);
    ASSERT_EQ(Game.GameTime, 0);
  }
  // "GO" shows while its text shrinks: the clock waits for it.
  while (Game.CountdownSize > 5.0) {
    field.Frame(10);
    ASSERT_EQ(Game.GameTime, 0);
  }
  field.Frame(25);
  EXPECT_EQ(FormatTime(Game.GameTime), "00:00:025");
  Game.Crashed = true;
  field.Frame(10);
  TDateTime at_crash = Game.GameTime;
  field.Frames(20, 10);
  EXPECT_GT(Game.EndProgress, 5.0);
  EXPECT_EQ(Game.GameTime, at_crash);
}

TEST(FrameLoop, CarChaseClockRunsOutToExactlyOneHour) {
  PlayField field;
  field.Start(true, 2, 0);  // 15 seconds
  EXPECT_EQ(FormatTime(Game.GameTime), "00:15:000");
  field.RunCountdown();
  for (int i = 0; i < 2000 && SplitTime(Game.GameTime).Hour == 0; ++i) field.Frame(10);
  EXPECT_EQ(Game.GameTime, MakeTime(1, 0, 0, 0));
  EXPECT_EQ(FormatTime(Game.GameTime), "00:00:000");
  field.Frames(3, 10);
  EXPECT_GT(Game.EndProgress, 5.0);  // the game-over sequence has begun
  EXPECT_EQ(Game.GameTime, MakeTime(1, 0, 0, 0));
}

// At the game's own frame clock: the first play frame after the Start action's one-second fade has an
// ordinary lag count, so the cars it spawns enter at the screen's edges; and once the figure is run
// over its stain grows to full size within 1.2 s, while the end words reset the shared clock.
TEST(FrameLoop, TheFirstPlayFrameAndTheStainKeepTheGameClock) {
  PlayField field(11);
  field.Start(false, 16, 3);
  std::vector<int> lags;
  field.RunPaced(60, 17, [&](int lag) { lags.push_back(lag); });
  ASSERT_FALSE(lags.empty());
  EXPECT_LE(lags.front(), 17);
  EXPECT_EQ(lags.size(), 1u);
  ASSERT_FALSE(Cars(*field.game).empty());
  for (TCar* car : Cars(*field.game))
    EXPECT_TRUE(car->GoesLeft ? car->X + car->Width > 640 : car->X < 0) << car->X << " wide " << car->Width;

  uint32_t crashed_at = 0;
  uint32_t full_at = 0;
  field.RunPaced(60, 8000, [&](int) {
    const uint32_t now = field.game->DXTimer1.LastTickTime();
    field.Hold(kScanDown, Game.CountdownDone && !Game.Crashed);
    if (Game.Crashed && crashed_at == 0) crashed_at = now;
    for (const TKrev* stain : TKrev::Existing())
      if (stain->Size > 20.1 && full_at == 0) full_at = now;
  });
  ASSERT_NE(crashed_at, 0u) << "not run over";
  ASSERT_NE(full_at, 0u) << "the stain never reached its full size";
  EXPECT_LE(full_at - crashed_at, 1200u);
}

TEST(FrameLoop, StartRefusesScreensThatAreNotANewGame) {
  PlayField field;
  Game.Title = "MAIN MENU";
  field.game->Label11Click();
  EXPECT_FALSE(Game.InGame);
  EXPECT_EQ(Game.Title, "MAIN MENU");
}

TEST(FrameLoop, StartPreparesTheGame) {
  PlayField field;
  field.Start(false, 2, 1);
  EXPECT_EQ(Game.Title, "STANDARD GAME SCORES");
  EXPECT_EQ(Game.TitlePos, 1000);
  EXPECT_EQ(Game.RoadTop, 161);
  EXPECT_EQ(Game.LevelTable.size(), 64u);
  EXPECT_EQ(field.game->DXTimer1.Interval(), 0);
  EXPECT_EQ(field.window.pointer_shapes.back(), -1);
  EXPECT_GE(Game.InGameTrack, 1);
  EXPECT_LE(Game.InGameTrack, 4);
  EXPECT_EQ(Game.LastTick, field.clock.Now());

  PlayField chase;
  chase.Start(true, 1, 1);
  EXPECT_EQ(Game.Title, "CAR CHASE SCORES");
  EXPECT_EQ(Game.RoadTop, 240 - 80);
  EXPECT_EQ(Game.CarsKilled, 10);
  EXPECT_EQ(Game.CarsToKill, 20);
  EXPECT_EQ(Game.LevelTable.size(), 24u);
}

}  // namespace
}  // namespace jizdavo::testing

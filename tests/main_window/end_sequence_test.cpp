// The end of a game: the growing words, the curtain, the hand-overs and the completion notice.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "files/best_times.h"
#include "files/progress.h"
#include "state/date_time.h"
#include "support/headless_game.h"

namespace jizdavo::testing {
namespace {

void StartLive(PlayField& field, bool chase, int level) {
  field.Start(chase, level, 0);
  field.RunCountdown();
  field.Frames(40, 10);  // past the "GO"
}

TEST(EndSequence, EscOrEnterRightAfterTheCrashHandsOverInTheSameFrame) {
  for (int key : {kScanEscape, kScanEnter}) {
    PlayField field;
    StartLive(field, false, 1);
    Game.Crashed = true;
    field.Hold(key);
    int presented = field.video.frames();
    field.Frame();
    EXPECT_FALSE(Game.InGame) << key;
    EXPECT_EQ(Game.Title, "GAME OVER") << key;
    EXPECT_FALSE(field.game->Menus.Label21.Visible);
    EXPECT_EQ(Game.EndProgress, 5.0);  // reset for the next game
    EXPECT_EQ(field.video.frames(), presented);  // the hand-over does not present
    EXPECT_EQ(field.game->DXSpriteEngine.Root.ChildCount(), 1);  // the new player figure
    EXPECT_EQ(field.Back().GetPixel(320, 240), 0u);
  }
}

// After a loss one Enter restarts the level at once, before any outline shows: neither the game tune
// nor the menu tune is waited for. The Enter that skipped the sequence, whose press may reach the menus
// only after they came up, works nothing.
TEST(EndSequence, OneEnterRestartsALostLevelAtOnce) {
  for (int key : {kScanEscape, kScanEnter}) {
    PlayField field;
    StartLive(field, false, 2);
    Game.Crashed = true;
    field.Hold(key);
    const uint32_t skipped = field.clock.Now();
    field.Frame();
    ASSERT_EQ(Game.Title, "GAME OVER");
    field.Hold(key, false);
    if (key == kScanEnter) {
      field.Key(kKeyEnter);
      field.KeyUp(kKeyEnter);
    }
    EXPECT_EQ(Game.Title, "GAME OVER") << key;
    EXPECT_EQ(field.game->Menus.Keys.Highlighted(), nullptr) << key;  // nothing shows for the mouse
    field.Key(kKeyEnter);
    EXPECT_TRUE(Game.InGame) << key;
    EXPECT_EQ(Game.Level, 2) << key;
    EXPECT_LT(field.clock.Now() - skipped, 100u) << key;
  }
}

// The landings' "Puk" climbs with the effects switched off too.
TEST(EndSequence, EnterDuringTheCurtainFinishesIt) {
  for (bool effects : {true, false}) {
    PlayField field;
    StartLive(field, false, 1);
    field.game->PlaySE.Checked = effects;
    Game.Finished = true;
    while (Game.EndProgress < 73) field.Frame(17);
    EXPECT_TRUE(Game.InGame);
    EXPECT_EQ(field.game->DXWaveList.Find("Puk").Frequency(), 8200) << effects;
    field.Hold(kScanEnter);
    field.Frame();
    EXPECT_FALSE(Game.InGame);
    EXPECT_EQ(Game.Title, "STANDARD GAME TOP TEN TIME");  // an empty list always takes the time
    EXPECT_TRUE(field.game->Menus.ScoresEnter.InFront());
  }
}

// One step per 17 ms of game time, on 17 ms frames as on the 16/17/17 ms frames of the 60 Hz game
// clock: about 3.3 s either way.
TEST(EndSequence, GrowthTakes192StepsOfSeventeenMillisecondsAndDarkensTheWords) {
  for (const std::vector<uint32_t>& cadence : {std::vector<uint32_t>{17}, std::vector<uint32_t>{16, 17, 17}}) {
    PlayField field;
    StartLive(field, false, 1);
    Game.Crashed = true;
    int steps = 0;
    uint32_t elapsed = 0;
    double last = Game.EndProgress;
    for (size_t frame = 0; Game.EndProgress < 70; ++frame) {
      const uint32_t ms = cadence[frame % cadence.size()];
      field.Frame(ms);
      elapsed += ms;
      if (Game.EndProgress != last) ++steps;
      last = Game.EndProgress;
    }
    EXPECT_EQ(steps, 192);
    EXPECT_LE(elapsed, 192u * 17u + 17u) << cadence.size() << " frame lengths";
    EXPECT_EQ(Game.EndProgress, 71.0);  // 70.28 froze the field in the same frame
    TSurface* overlay = field.game->DXImageList.Find("end").PatternSurface(0);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->Canvas().Font.Color, RGB(62, 63, 63));
    overlay->ReleaseCanvas();
  }
}

TEST(EndSequence, AtMostOneGrowthStepPerFrameAndSeventeenMillisecondsApart) {
  PlayField field;
  StartLive(field, false, 1);
  Game.Crashed = true;
  field.Frame(17);
  double after_first = Game.EndProgress;
  field.Frames(3, 5);  // 15 ms
  EXPECT_EQ(Game.EndProgress, after_first);
  field.Frame(100);
  EXPECT_NEAR(Game.EndProgress, after_first + 0.34, 1e-9);
}

TEST(EndSequence, TimeUpWithTheLastWantedCarRunsTheGameOverOnly) {
  PlayField field;
  StartLive(field, true, 1);
  Game.GameTime = MakeTime(1, 0, 0, 0);
  Game.CarsKilled = Game.CarsToKill;
  field.Frames(3, 17);
  field.Hold(kScanEnter);
  field.Frame();
  EXPECT_EQ(Game.Title, "GAME OVER");
  EXPECT_FALSE(field.game->Menus.Label21.Visible);
  EXPECT_TRUE(field.window.boxes.empty());
}

// The next level is saved as unlocked while the win is still on the screen (there is none after the
// last), and the last level of each mode is announced once.
TEST(EndSequence, AWinUnlocksTheNextLevelAtOnceAndTheLastOneIsAnnounced) {
  struct Case {
    bool chase;
    int level;
    const char* text;
    const char* unlocked;
  } cases[] = {
      {false, 16, "Congratulation, you have completed all levels of standard game!", "1"},
      {true, 6, "Congratulation, you have completed all levels of car chase game!", "1"},
      {false, 15, nullptr, "16"},
      {true, 5, nullptr, "6"},
  };
  for (const Case& c : cases) {
    PlayField field;
    StartLive(field, c.chase, c.level);
    if (c.chase) {
      Game.CarsKilled = Game.CarsToKill;
    } else {
      Game.Finished = true;
    }
    field.Frame();
    EXPECT_TRUE(Game.InGame);
    EXPECT_EQ(LoadProgress(field.folder, c.chase ? GameMode::CarChase : GameMode::Standard), c.unlocked);
    field.Hold(kScanEnter);
    field.Frame();
    field.Hold(kScanEnter, false);
    field.Frames(20);
    if (c.text) {
      ASSERT_EQ(field.window.boxes.size(), 1u) << c.level;
      EXPECT_EQ(field.window.boxes[0].first, "You win!");
      EXPECT_EQ(field.window.boxes[0].second, c.text);
    } else {
      EXPECT_TRUE(field.window.boxes.empty()) << c.level;
    }
  }
}

// A progress file that cannot be written is told once, at the win, not again when the scores are
// left; and the frames after the box count from its closing, not from before it opened.
TEST(EndSequence, AProgressFileThatCannotBeWrittenIsToldOnceAndItsBoxAddsNoLag) {
  PlayField field;
  const std::filesystem::path levels = field.folder / "Levels.dat";
  std::filesystem::remove(levels);
  std::filesystem::create_directory(levels);
  field.window.while_box_shows = [&field] { field.clock.Advance(5000); };
  field.Start(false, 1, 1);
  field.RunPaced(60, 4500);  // the countdown and "GO"
  Game.Finished = true;
  std::vector<int> lags;
  const auto lag_seen = [&lags](int lag) { lags.push_back(lag); };
  field.RunPaced(60, 100, lag_seen);  // the first frame of the victory shows the box
  field.RunPaced(60, 500, lag_seen);
  field.Hold(kScanEnter);
  field.RunPaced(60, 100);
  ASSERT_TRUE(field.game->Menus.ScoresEnter.InFront());
  field.game->Label15Click();  // "OK" on the name entry
  field.game->Label17Click();  // "Main menu"
  EXPECT_EQ(Game.Title, "MAIN MENU");
  EXPECT_EQ(Game.StandardProgress, "2");
  const std::pair<std::string, std::string> write_failed("Jizdavo", "Unable to write to " + levels.string());
  const auto told = std::count(field.window.boxes.begin(), field.window.boxes.end(), write_failed);
  EXPECT_EQ(told, 1);
  ASSERT_GT(lags.size(), 10u);
  for (int lag : lags) EXPECT_LE(lag, 17);
}

TEST(EndSequence, VictoryHandOverKeepsTheTimeAndOffersTheNameEntry) {
  PlayField field;
  StartLive(field, false, 3);
  Game.GameTime = MakeTime(0, 1, 2, 345);
  Game.Finished = true;
  field.Hold(kScanEscape);
  field.Frame();
  EXPECT_EQ(field.game->Menus.TimeLabel.Caption, "01:02:345");
  EXPECT_EQ(Game.Level, 3);
  EXPECT_EQ(Game.GameDifficulty, 0);  // still the one just played, for "Next level"
  EXPECT_EQ(Game.Title, "STANDARD GAME TOP TEN TIME");
  EXPECT_EQ(field.window.pointer_shapes.back(), 1);
  EXPECT_EQ(Game.TitlePos, 0);
}

TEST(EndSequence, ATimeOutsideAFullTopTenGoesToTheScoresList) {
  PlayField field;
  for (int i = 0; i < 10; ++i) AppendBestTime(field.folder, GameMode::Standard, 4, "Ann", MakeTime(0, 0, 10, i));
  StartLive(field, false, 4);
  EXPECT_EQ(FormatTime(Game.BestTime), "00:10:000");  // the best of the level, shown while playing
  Game.GameTime = MakeTime(0, 0, 10, 9);  // equal to the tenth: not enough
  Game.Finished = true;
  field.Hold(kScanEnter);
  field.Frame();
  EXPECT_FALSE(field.game->Menus.ScoresEnter.InFront());
  EXPECT_EQ(Game.Title, "STANDARD GAME SCORES");
  EXPECT_EQ(Game.ScoresListMode, 10);
  EXPECT_EQ(field.game->Menus.ListView1.Items.Count(), 10);
  // One Enter, once the one that skipped is up, plays the next level.
  field.Hold(kScanEnter, false);
  field.KeyUp(kKeyEnter);
  field.Key(kKeyEnter);
  EXPECT_TRUE(Game.InGame);
  EXPECT_EQ(Game.Level, 5);
}

TEST(HeadsUpDisplay, ItemsStandAtTheirPlacesOnOneLine) {
  for (bool chase : {false, true}) {
    PlayField field;
    field.Start(chase, 2, 0);
    field.game->FPS.Checked = true;
    Game.GameTime = MakeTime(0, 3, 4, 5);
    Game.BestTime = MakeTime(0, 0, 59, 999);
    TSurface& back = field.Back();
    back.Fill(0xFFFF);
    field.game->DrawHeadsUpDisplay();

    TSurface expected(640, 480);
    expected.Fill(0xFFFF);
    TCanvas& canvas = expected.Canvas();
    canvas.Font.Name = "Tahoma";
    canvas.Font.Size = 8;
    canvas.Brush.Style = TBrushStyle::bsClear;
    int y = 480 - (canvas.TextHeight("Time: ") + 18) / 2;
    canvas.TextOut(5, y, "Time: 03:04:005");
    canvas.TextOut(100, y, "Level: 2");
    canvas.TextOut(160, y, "FPS: " + std::to_string(field.game->DXTimer1.FrameRate()));
    if (chase) canvas.TextOut(220, y, "Cars killed: " + std::to_string(Game.CarsKilled) + "/25");
    std::string best = "Best time: 00:59:999";
    canvas.TextOut(640 - canvas.TextWidth(best) - 5, y, best);
    expected.ReleaseCanvas();
    int differences = 0;
    for (int py = 0; py < 480; ++py) {
      for (int px = 0; px < 640; ++px) differences += back.GetPixel(px, py) != expected.GetPixel(px, py);
    }
    EXPECT_EQ(differences, 0) << chase;
    EXPECT_EQ(y, 465);
  }
}

}  // namespace
}  // namespace jizdavo::testing

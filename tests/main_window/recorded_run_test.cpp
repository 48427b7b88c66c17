// Standard level 1 played through by the test's keys: once to the victory and once under a car,
// each from the Start action to the hand-over, checked by state and by pixels on the way.

#include <gtest/gtest.h>

#include "sprites/player.h"
#include "support/headless_game.h"

namespace jizdavo::testing {
namespace {

// Pixels of the middle band drawn in the current colour of the end words.
int PixelsInTheWordsColour(PlayField& field) {
  TSurface* overlay = field.game->DXImageList.Find("end").PatternSurface(0);
  RawPixel colour = rgb565::FromColor(overlay->Canvas().Font.Color);
  overlay->ReleaseCanvas();
  int count = 0;
  for (int y = 160; y < 320; ++y) {
    for (int x = 0; x < 640; ++x) count += field.Back().GetPixel(x, y) == colour;
  }
  return count;
}

bool AllBlack(PlayField& field) {
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (field.Back().GetPixel(x, y) != 0) return false;
    }
  }
  return true;
}

// Runs the end sequence to its hand-over, checking the words half-way and the closed curtain.
void RunEndSequence(PlayField& field) {
  while (Game.EndProgress < 50) field.Frame(17);
  EXPECT_GT(PixelsInTheWordsColour(field), 50);
  while (Game.InGame && Game.EndProgress < 120) field.Frame(16);
  EXPECT_TRUE(Game.InGame);
  EXPECT_TRUE(AllBlack(field));
  for (int i = 0; i < 10 && Game.InGame; ++i) field.Frame(16);
  EXPECT_FALSE(Game.InGame);
}

TEST(RecordedRun, StandardLevelOneToTheVictory) {
  PlayField field(3);
  field.Start(false, 1, 0);
  field.RunCountdown();
  field.Hold(kScanDown);
  for (int i = 0; i < 1000 && !Game.Finished; ++i) field.Frame(10);
  ASSERT_TRUE(Game.Finished);
  field.Hold(kScanDown, false);
  RunEndSequence(field);
  EXPECT_EQ(Game.Title, "STANDARD GAME TOP TEN TIME");
  EXPECT_TRUE(field.game->Menus.ScoresEnter.InFront());
  EXPECT_NE(field.game->Menus.TimeLabel.Caption, "00:00:000");
}

TEST(RecordedRun, StandardLevelOneUnderACar) {
  PlayField field(5);
  field.Start(false, 1, 3);
  field.RunCountdown();
  field.Hold(kScanDown);
  // Into the upper lane of the road (its cars run from y 204 to 218), then wait there.
  for (int i = 0; i < 1000 && !Game.Crashed && Game.Player->Y < 200; ++i) field.Frame(10);
  field.Hold(kScanDown, false);
  for (int i = 0; i < 3000 && !Game.Crashed; ++i) field.Frame(10);
  ASSERT_TRUE(Game.Crashed);
  RunEndSequence(field);
  EXPECT_EQ(Game.Title, "GAME OVER");
  EXPECT_FALSE(field.game->Menus.Label21.Visible);
  EXPECT_TRUE(field.game->Menus.Pause.InFront());
  EXPECT_EQ(Game.EndProgress, 5.0);
}

}  // namespace
}  // namespace jizdavo::testing

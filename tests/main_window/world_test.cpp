// The level picture and the static sprites a level starts with.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sprites/barrier.h"
#include "sprites/cil.h"
#include "platform/error.h"
#include "state/date_time.h"
#include "state/level_tables.h"
#include "support/headless_game.h"

namespace jizdavo::testing {
namespace {

struct Bar {
  int x, y, width;
  bool operator==(const Bar&) const = default;
};

template <typename T>
std::vector<T*> SpritesOf(TJizdavo& game) {
  std::vector<T*> found;
  TSprite* root = &game.DXSpriteEngine.Root;
  for (int i = 0; i < root->ChildCount(); ++i) {
    if (auto* s = dynamic_cast<T*>(root->Child(i))) found.push_back(s);
  }
  return found;
}

std::vector<Bar> Barriers(TJizdavo& game) {
  std::vector<Bar> bars;
  for (TBarrier* b : SpritesOf<TBarrier>(game)) {
    bars.push_back({static_cast<int>(b->X), static_cast<int>(b->Y), b->Width});
  }
  return bars;
}

// True when rows [top, top + height) of "Pozadi" hold `tile` repeated across the screen.
bool RowsHoldTile(TJizdavo& game, const char* tile_name, int top, int height) {
  TDIB& picture = game.DXImageList.Find("Pozadi").Picture();
  TDIB& tile = game.DXImageList.Find(tile_name).Picture();
  for (int y = top; y < top + height; ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      if (picture.Row(y)[x] != tile.Row(y - top)[x % tile.Width()]) return false;
    }
  }
  return true;
}

TEST(World, LevelTwoWorkedExample) {
  PlayField field;
  field.Start(false, 2);
  TJizdavo& game = *field.game;
  EXPECT_EQ(Game.RoadTop, 161);
  EXPECT_TRUE(RowsHoldTile(game, "Krajnice2", 169, 12));
  EXPECT_TRUE(RowsHoldTile(game, "Road", 181, 20));
  EXPECT_TRUE(RowsHoldTile(game, "Krajnice1", 201, 12));
  EXPECT_TRUE(RowsHoldTile(game, "Krajnice2", 232, 12));
  EXPECT_TRUE(RowsHoldTile(game, "Road", 244, 20));
  EXPECT_TRUE(RowsHoldTile(game, "Krajnice1", 264, 12));
  EXPECT_FALSE(RowsHoldTile(game, "Krajnice2", 168, 1));
  EXPECT_THAT(Barriers(game), ::testing::UnorderedElementsAre(Bar{0, 220, 150}, Bar{350, 220, 290}));
  ASSERT_EQ(SpritesOf<TCil>(game).size(), 1u);
  EXPECT_EQ(SpritesOf<TCil>(game)[0]->X, 313);
  EXPECT_EQ(SpritesOf<TCil>(game)[0]->Y, 443);
}

TEST(World, WallsOfWidthZeroAtTheScreenEdges) {
  PlayField field;
  field.Start(false, 14);  // "0;25,0#1;25,615#2;50,0#"
  int top = Game.RoadTop;
  EXPECT_THAT(Barriers(*field.game),
              ::testing::UnorderedElementsAre(Bar{0, top - 4, 0}, Bar{25, top - 4, 615}, Bar{0, top + 143, 615},
                                              Bar{640, top + 143, 0}, Bar{0, top + 290, 0}, Bar{50, top + 290, 590}));
}

TEST(World, LevelSixteenPutsBarrierLineFourJustAboveTheFinish) {
  PlayField field;
  field.Start(false, 16);
  std::vector<Bar> bars = Barriers(*field.game);
  EXPECT_EQ(bars.size(), 10u);
  EXPECT_THAT(bars, ::testing::Contains(Bar{0, 437, 25}));
  EXPECT_THAT(bars, ::testing::Contains(Bar{75, 437, 565}));
  EXPECT_EQ(SpritesOf<TCil>(*field.game)[0]->Y, 443);
}

TEST(World, LevelsOneAndSixHaveNoBarriers) {
  for (int level : {1, 6}) {
    PlayField field;
    field.Start(false, level);
    EXPECT_TRUE(Barriers(*field.game).empty()) << level;
    EXPECT_EQ(SpritesOf<TCil>(*field.game).size(), 1u) << level;
  }
}

TEST(World, CarChaseAreasHaveNeitherBarriersNorFinish) {
  struct Area {
    const char* limit;
    int to_kill;
    int start;
  } areas[] = {{"01:00:000", 20, 10}, {"00:15:000", 25, 0}, {"01:45:000", 25, 5},
               {"00:30:000", 60, 0},  {"01:30:000", 20, 5}, {"01:45:000", 20, 0}};
  for (int area = 1; area <= 6; ++area) {
    PlayField field;
    field.Start(true, area);
    EXPECT_TRUE(Barriers(*field.game).empty()) << area;
    EXPECT_TRUE(SpritesOf<TCil>(*field.game).empty()) << area;
    EXPECT_EQ(FormatTime(Game.GameTime), areas[area - 1].limit) << area;
    EXPECT_EQ(Game.CarsToKill, areas[area - 1].to_kill) << area;
    EXPECT_EQ(Game.CarsKilled, areas[area - 1].start) << area;
    TDIB& alpha = field.game->DXImageList.Find("Alpha").Picture();
    EXPECT_EQ(alpha.Width(), 50);
    EXPECT_EQ(alpha.Row(29)[49], clYellow);
  }
}

TEST(World, FortyFivePixelTilesCoverTheScreenInFifteenColumns) {
  PlayField field;
  field.Start(false, 1);  // ground "Povrch1", 45 x 48
  EXPECT_TRUE(RowsHoldTile(*field.game, "Povrch1", 0, 48));
  TDIB& picture = field.game->DXImageList.Find("Pozadi").Picture();
  TDIB& tile = field.game->DXImageList.Find("Povrch1").Picture();
  EXPECT_EQ(picture.Row(479)[639], tile.Row(479 % 48)[639 % 45]);
}

TEST(World, FinishIsAThreeByThreeChequer) {
  PlayField field;
  field.Start(false, 1);
  TDIB& cil = field.game->DXImageList.Find("Cil").Picture();
  ASSERT_EQ(cil.Width(), 15);
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(cil.Row(5 * j + 2)[5 * i + 2], (i + j) % 2 == 0 ? clBlack : clWhite) << i << "," << j;
    }
  }
}

TEST(World, TheStripUnderTheHeadsUpDisplayIsBlendedIntoTheBackdrop) {
  PlayField field;
  field.Start(false, 1);
  TPictureCollectionItem& pozadi = field.game->DXImageList.Find("Pozadi");
  TSurface* surface = pozadi.PatternSurface(0);
  ASSERT_NE(surface, nullptr);
  auto plain = [&](int x, int y) { return rgb565::FromColor(pozadi.Picture().Row(y)[x]); };
  EXPECT_EQ(surface->GetPixel(300, 459), plain(300, 459));
  EXPECT_NE(surface->GetPixel(300, 465), plain(300, 465));
  EXPECT_NE(surface->GetPixel(300, 461), surface->GetPixel(300, 465));  // the dark upper edge
}

TEST(World, AMalformedRecordIsAnErrorNamingTheLevelAndLine) {
  PlayField field;
  field.game->Levels[4 * 2 + 3] = "1;200,15O#";
  Game.Title = "NEW GAME STANDARD";
  Game.Level = 3;
  try {
    field.game->Label11Click();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr("Level 3, line 12"));
  }
}

}  // namespace
}  // namespace jizdavo::testing

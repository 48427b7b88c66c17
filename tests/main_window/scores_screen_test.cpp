// The best times and the unlocked levels through the screens: loading, the end of a won level, the
// name entry and the progress update, with the files in a private folder.

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "files/best_times.h"
#include "files/progress.h"
#include "files/replay_file.h"
#include "menu_field.h"
#include "state/date_time.h"
#include "widgets/control_fixtures.h"

namespace jizdavo::testing {
namespace {


TEST(ScoresScreen, FreshFolderHasEmptyListsAndTheFirstFinishGoesToTheNameEntry) {
  MenuField field;
  TMenuScreens& m = field.Menus();
  field.Click(m.Label31);
  field.ClickListItem(1);
  EXPECT_TRUE(field.ListCaptions().empty());
  field.Click(m.Label17);
  field.Click(m.Label17);
  field.Click(m.Label2);
  field.Click(m.Label11);
  EXPECT_EQ(Game.BestTime, 0);
  Game.InGame = false;
  Game.GameTime = MakeTime(0, 5, 0, 0);
  field.Window().EndOfLevel();
  EXPECT_TRUE(m.ScoresEnter.InFront());
  EXPECT_EQ(Game.Title, "STANDARD GAME TOP TEN TIME");
  for (const char* name : {"Score.dat", "Levels.dat", "Levelsh.dat"}) {
    EXPECT_TRUE(std::filesystem::exists(field.folder / name)) << name;
  }
}

// Typed as a keyboard sends it: each letter's key down, its character, its key up.
void TypeKeys(MenuField& field, const std::string& text) {
  for (char c : text) {
    const int code = std::toupper(static_cast<unsigned char>(c));
    field.Key(code);
    WindowEvent typed{WindowEvent::Kind::TextInput};
    typed.text = std::string(1, c);
    field.Send(typed);
    field.KeyUp(code);
  }
}

// The player's own skip key ends the won game's sequence: its press, its repeats and its character
// never reach the name, whether its events came before the frame that read it or after; a keyboard
// player finds the outline on the name. Only the name typed afterwards is stored.
TEST(ScoresScreen, TheKeyThatSkippedTheEndNeverEntersTheName) {
  struct Case {
    const char* skip;
    int scan_code;
    bool events_before_the_frame;
  } cases[] = {{"Space", kScanSpace, false}, {"Space", kScanSpace, true}, {"T", 20, false}, {"T", 20, true}};
  for (const Case& c : cases) {
    MenuField field(SettingsText(std::string("[Keys]\nSkip=") + c.skip + "\n"));
    TMenuScreens& m = field.Menus();
    // A loss, and "Restart level" worked with the keyboard.
    field.Start(false, 1);
    Game.Crashed = true;
    field.Hold(kScanEscape);
    field.Frame();
    field.Hold(kScanEscape, false);
    field.KeyUp(kKeyEscape);
    ASSERT_EQ(Game.Title, "GAME OVER");
    field.Key(kKeyEnter);
    field.KeyUp(kKeyEnter);
    ASSERT_TRUE(Game.InGame) << c.skip;
    field.RunCountdown();
    Game.GameTime = MakeTime(0, 0, 9, 0);
    Game.Finished = true;
    const int code = c.skip[1] == 0 ? c.skip[0] : kKeySpace;
    const char character = code == kKeySpace ? ' ' : 't';
    if (c.events_before_the_frame) TypeKeys(field, std::string(1, character));
    field.Hold(c.scan_code);
    field.Frame();
    field.Hold(c.scan_code, false);
    ASSERT_TRUE(m.ScoresEnter.InFront()) << c.skip;
    EXPECT_EQ(m.Keys.Highlighted(), &m.Edit1) << c.skip;
    if (!c.events_before_the_frame) {
      // On its way, and held on into the entry: its repeats are not typed either.
      WindowEvent typed{WindowEvent::Kind::TextInput};
      typed.text = std::string(1, character);
      field.Key(code);
      field.Send(typed);
      field.Key(code, true);
      field.Send(typed);
      field.KeyUp(code);
    }
    TypeKeys(field, "Tester");
    field.Key(kKeyEnter);
    const std::vector<BestTimeRow> top = LoadTopTen(field.folder, GameMode::Standard, 1);
    ASSERT_EQ(top.size(), 1u) << c.skip;
    EXPECT_EQ(top[0].Name, "Tester") << c.skip << c.events_before_the_frame;
  }
}

// Ten times of level 1 from 00:31:000 to 00:40:000.
void TenTimes(const std::filesystem::path& folder) {
  for (int s = 31; s <= 40; ++s) AppendBestTime(folder, GameMode::Standard, 1, "P" + std::to_string(s),
                                                MakeTime(0, 0, s, 0));
}

TEST(ScoresScreen, TheWorstOfAFullTopTenMustBeBeatenToEnterIt) {
  struct Case {
    int ms;  // the run's time after 39 s
    bool enters;
  } cases[] = {{1000, false}, {999, true}};
  for (const Case& c : cases) {
    MenuField field(TenTimes);
    TMenuScreens& m = field.Menus();
    Game.Level = 1;
    Game.GameTime = MakeTime(0, 0, 39, c.ms);
    field.Window().EndOfLevel();
    EXPECT_EQ(m.ScoresEnter.InFront(), c.enters) << c.ms;
    if (!c.enters) {
      EXPECT_TRUE(m.Scores.InFront());
      EXPECT_EQ(Game.Title, "STANDARD GAME SCORES");
      EXPECT_EQ(Game.ScoresListMode, 10);
      EXPECT_EQ(m.Label16.Caption, "Level: 1");
      EXPECT_EQ(field.ListTimes().back(), "00:40:000");
      continue;
    }
    // The record pushed out loses its replay; the new one keeps the game just won.
    const jizdavo::Replay won{GameMode::Standard, 1, 1, 0, 0, 5, 1000, 39999, {ReplayTick{16, 16, 0, 0, {}}}};
    SaveReplay(field.folder, GameMode::Standard, 1, "P40", MakeTime(0, 0, 40, 0), won);
    SaveReplay(field.folder, GameMode::Standard, 1, "P39", MakeTime(0, 0, 39, 0), won);
    field.Window().LastGame = won;
    Type(m.Layer, "Zed");
    field.Click(m.Label15);
    EXPECT_EQ(Game.Title, "STANDARD GAME TOP TEN TIME");
    EXPECT_EQ(Game.ScoresListMode, 10);
    ASSERT_EQ(field.ListCaptions().size(), 10u);
    EXPECT_EQ(field.ListCaptions().back(), "10");
    EXPECT_EQ(field.ListTimes().back(), "00:39:999");
    EXPECT_EQ(m.ListView1.Items[9]->SubItems[0], "Zed");
    EXPECT_EQ(field.ListTimes()[8], "00:39:000");
    const auto replay_of = [&](const char* name, TDateTime time) {
      return field.folder / ReplayFileName(GameMode::Standard, 1, name, time);
    };
    EXPECT_EQ(LoadReplay(field.folder, GameMode::Standard, 1, "Zed", MakeTime(0, 0, 39, 999)), won);
    EXPECT_FALSE(std::filesystem::exists(replay_of("P40", MakeTime(0, 0, 40, 0))));
    EXPECT_TRUE(std::filesystem::exists(replay_of("P39", MakeTime(0, 0, 39, 0))));

    // A line without a replay stays as it is; the new record's line plays its game, which here does
    // not end won at its time: said so when its ticks run out, and the same list comes back.
    field.ClickListItem(1);
    EXPECT_FALSE(field.game->Watching());
    // P39's file holds a game of another time: not watched at all.
    field.ClickListItem(9);
    EXPECT_FALSE(field.game->Watching());
    ASSERT_FALSE(field.window.boxes.empty());
    EXPECT_NE(field.window.boxes.back().second.find("not the game of its record"), std::string::npos);
    field.ClickListItem(10);
    EXPECT_TRUE(field.game->Watching());
    EXPECT_TRUE(Game.InGame);
    field.Frames(3);
    EXPECT_FALSE(field.game->Watching());
    EXPECT_FALSE(Game.InGame);
    EXPECT_TRUE(m.Scores.InFront());
    EXPECT_EQ(Game.Title, "STANDARD GAME TOP TEN TIME");
    EXPECT_EQ(field.ListTimes().back(), "00:39:999");
    ASSERT_FALSE(field.window.boxes.empty());
    EXPECT_NE(field.window.boxes.back().second.find("does not end at its record's time"), std::string::npos);
  }
}

TEST(ScoresScreen, CarChaseListsPutTheMostTimeLeftFirst) {
  MenuField field([](const std::filesystem::path& folder) {
    for (int s : {20, 50, 35}) AppendBestTime(folder, GameMode::CarChase, 2, "C", MakeTime(0, 0, s, 0));
  });
  field.Click(field.Menus().Label28);
  field.ClickListItem(2);
  EXPECT_EQ(field.ListTimes(), (std::vector<std::string>{"00:50:000", "00:35:000", "00:20:000"}));
  // The ordering the list sorts with follows the mode of the screen.
  TListView& list = field.Menus().ListView1;
  EXPECT_EQ(field.Window().ListView1Compare(*list.Items[0], *list.Items[1]), -1);
  Game.Title = "STANDARD GAME SCORES";
  EXPECT_EQ(field.Window().ListView1Compare(*list.Items[0], *list.Items[1]), 1);
  EXPECT_EQ(field.Window().ListView1Compare(*list.Items[1], *list.Items[1]), 0);
}

TEST(ScoresScreen, MainMenuRaisesTheUnlockedLevelLikeNextLevel) {
  for (bool next : {false, true}) {
    MenuField field(TenTimes);
    TMenuScreens& m = field.Menus();
    Game.Level = 1;
    Game.GameTime = MakeTime(0, 0, 50, 0);  // not in the top ten: straight to the scores
    field.Window().EndOfLevel();
    ASSERT_TRUE(m.Scores.InFront());
    field.Click(next ? m.Label18 : m.Label17);
    EXPECT_EQ(Game.StandardProgress, "2");
    EXPECT_EQ(LoadProgress(field.folder, GameMode::Standard), "2");
    if (next) {
      EXPECT_TRUE(Game.InGame);
      EXPECT_EQ(Game.Level, 2);
    } else {
      EXPECT_EQ(Game.Title, "MAIN MENU");
      EXPECT_TRUE(m.Panel1.InFront());
    }
  }
}

TEST(ScoresScreen, AFolderThatCannotBeWrittenIsReportedAndTheMenusStayUsable) {
  // Directories where the files should be: every write fails, for any user.
  MenuField field([](const std::filesystem::path& folder) {
    std::filesystem::create_directory(folder / "Score.dat");
    std::filesystem::create_directory(folder / "Levels.dat");
  });
  TMenuScreens& m = field.Menus();
  Game.Level = 1;
  Game.GameTime = MakeTime(0, 0, 30, 0);
  field.Window().EndOfLevel();
  field.Click(m.Label15);
  EXPECT_TRUE(m.Scores.InFront());
  field.Click(m.Label17);
  // Each folder in place of a file is told once as it is read, and each failed write as it fails.
  const std::string score = (field.folder / "Score.dat").string();
  const std::string levels = (field.folder / "Levels.dat").string();
  std::vector<std::string> texts;
  for (const auto& box : field.window.boxes) texts.push_back(box.second);
  EXPECT_EQ(texts, (std::vector<std::string>{"Unable to read " + levels, "Unable to read " + score,
                                             "Unable to write to " + score, "Unable to write to " + levels}));
  EXPECT_EQ(Game.StandardProgress, "2");  // playable this session
  EXPECT_TRUE(m.Panel1.InFront());
  field.Click(m.Label2);
  EXPECT_EQ(Game.Title, "NEW GAME STANDARD");
}

}  // namespace
}  // namespace jizdavo::testing

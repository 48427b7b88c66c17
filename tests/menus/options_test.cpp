// The Options screen, "Settings.ini" and the music, through the screens.

#include <gtest/gtest.h>

#include <fstream>

#include "control_fixtures.h"
#include "menu_field.h"
#include "menus/data_folder.h"
#include "menus/settings.h"

namespace jizdavo::testing {
namespace {

std::function<void(const std::filesystem::path&)> SettingsText(const std::string& text) {
  return [text](const std::filesystem::path& folder) { std::ofstream(folder / kSettingsFileName) << text; };
}

TEST(Options, NoFileGivesTheDefaultsAndBackWritesTheFiveKeys) {
  MenuField field;
  TJizdavo& w = field.Window();
  EXPECT_TRUE(w.PlayMusic.Checked);
  EXPECT_TRUE(w.PlaySE.Checked);
  EXPECT_FALSE(w.FPS.Checked);
  EXPECT_EQ(w.Menus.SuperGauge1.Position(), 80);
  EXPECT_EQ(w.Menus.SuperGauge2.Position(), 80);
  field.Click(w.Menus.Label22);
  field.Click(w.FPS);
  field.Click(w.Menus.Label23);
  EXPECT_EQ(Game.Title, "MAIN MENU");
  const std::string text = ReadFile(field.folder / kSettingsFileName).value_or("");
  for (const char* key : {"PlayMusic=1", "PlaySE=1", "ShowFPS=1", "MVolume=80", "SEVolume=80"}) {
    EXPECT_NE(text.find(key), std::string::npos) << key;
  }
}

TEST(Options, BackChangesOnlyTheOptionValuesInTheFile) {
  MenuField field(SettingsText("; my options\r\n[Options]\r\nPlayMusic = 1\r\nShowFPS=0   \r\nMVolume =80\r\n\r\n"
                               "[Other]\r\nKey = value ; note\r\nKey=again\r\n"));
  TJizdavo& w = field.Window();
  field.Click(w.Menus.Label22);
  field.Click(w.FPS);
  field.Click(w.Menus.Label23);
  EXPECT_EQ(ReadFile(field.folder / kSettingsFileName).value_or(""),
            "; my options\r\n[Options]\r\nPlayMusic = 1\r\nShowFPS=1   \r\nMVolume =80\r\nPlaySE=1\r\n"
            "SEVolume=80\r\n\r\n[Other]\r\nKey = value ; note\r\nKey=again\r\n");
}

TEST(Options, SavedMusicVolumeIsShownOnTheGauge) {
  struct Case {
    const char* value;
    int position;
  } cases[] = {{"200", 80}, {"0x20", 32}, {"loud", 80}, {"8", 8}};
  for (const Case& c : cases) {
    MenuField field(SettingsText(std::string("[Options]\nMVolume=") + c.value + "\nPlaySE=0\n"));
    EXPECT_EQ(field.Menus().SuperGauge2.Position(), c.position) << c.value;
    EXPECT_FALSE(field.Window().PlaySE.Checked);
    EXPECT_EQ(field.Volume("MenuTune1"), 0);  // nothing applied before the gauge is pressed
  }
}

TEST(Options, GaugesGoFromSilentishAtTheLeftToFullBeyondTheRightEnd) {
  MenuField field;
  TMenuScreens& m = field.Menus();
  field.Click(m.Label22);
  struct Case {
    TShape* outline;
    TSuperGauge* gauge;
    const char* first_item;
    const char* last_item;
  } cases[] = {{&m.Shape3, &m.SuperGauge2, "MenuTune1", "InGame4"}, {&m.Shape2, &m.SuperGauge1, "Mlask", "Menu"}};
  for (const Case& c : cases) {
    const int x = c.outline->ScreenLeft();
    const int y = c.outline->ScreenTop() + 3;
    field.SilenceAll();
    Press(m.Layer, x, y);
    EXPECT_EQ(c.gauge->Position(), 0);
    EXPECT_EQ(field.Volume(c.first_item), -3500);
    EXPECT_EQ(field.Volume(c.last_item), -3500);
    Move(m.Layer, x + 40, y + 30);  // the outline keeps the mouse while the button is held
    EXPECT_EQ(c.gauge->Position(), 40);
    EXPECT_EQ(field.Volume(c.last_item), -1800);
    Move(m.Layer, x + 200, y);
    Release(m.Layer, x + 200, y);
    EXPECT_EQ(c.gauge->Position(), 80);
    EXPECT_EQ(field.Volume(c.first_item), 0);
    Move(m.Layer, x + 10, y);  // no button held: nothing
    EXPECT_EQ(c.gauge->Position(), 80);
  }
  // The effects gauge lets the player hear the level, even with effects off.
  field.Window().PlaySE.Checked = false;
  field.SilenceAll();
  field.Click(m.Shape2);
  EXPECT_GT(field.Plays("Menu"), 0);
}

TEST(Options, FadesTakeASecondEvenWithTheMusicOff) {
  MenuField field;
  TMenuScreens& m = field.Menus();
  field.Click(m.Label22);
  field.Click(field.Window().PlayMusic);
  EXPECT_FALSE(field.Window().PlayMusic.Checked);
  field.Click(m.Label23);
  field.Click(m.Label2);
  uint32_t before = field.clock.Now();
  field.Click(m.Label11);
  EXPECT_GE(field.clock.Now() - before, 1000u);
  EXPECT_LT(field.clock.Now() - before, 1100u);
  EXPECT_TRUE(Game.InGame);
}

TEST(Options, TrackArrowsStopAtOneAndFour) {
  MenuField field;
  TMenuScreens& m = field.Menus();
  field.Click(m.Label22);
  struct Case {
    const char* from;
    TImage* arrow;
    const char* to;
  } cases[] = {{"1", &m.Image2, "1"}, {"4", &m.Image1, "4"}, {"2", &m.Image1, "3"}, {"3", &m.Image2, "2"}};
  for (const Case& c : cases) {
    m.Track.Caption = c.from;
    field.SilenceAll();
    field.Click(*c.arrow);
    EXPECT_EQ(m.Track.Caption, c.to) << c.from;
    if (std::string(c.from) != c.to) {
      EXPECT_GT(field.Plays(std::string("MenuTune") + c.to), 0) << c.from;
    }
  }
}

TEST(Options, MusicSwitchStopsAndRestartsTheMenuTune) {
  MenuField field;
  TMenuScreens& m = field.Menus();
  field.Click(m.Label22);
  const std::string tune = "MenuTune" + m.Track.Caption;
  field.Click(field.Window().PlayMusic);
  EXPECT_EQ(field.Plays(tune), 0);
  field.Click(field.Window().PlayMusic);
  EXPECT_GT(field.Plays(tune), 0);
}

TEST(Options, AfterAGameTheNewTunePlaysAtItsOwnLevelUntilTheGaugeIsPressed) {
  MenuField field;
  TMenuScreens& m = field.Menus();
  field.Click(m.Label22);
  ClickAt(m.Layer, m.Shape3.ScreenLeft() + 40, m.Shape3.ScreenTop() + 3);
  field.Window().StartMenuMusic();
  const std::string tune = "MenuTune" + m.Track.Caption;
  EXPECT_EQ(field.Volume(tune), 0);
  EXPECT_EQ(field.Volume("InGame1"), -1800);
  ClickAt(m.Layer, m.Shape3.ScreenLeft() + 40, m.Shape3.ScreenTop() + 3);
  EXPECT_EQ(field.Volume(tune), -1800);
}

TEST(Options, ASettingsFileThatCannotBeWrittenIsReportedAndTheValuesKept) {
  MenuField field([](const std::filesystem::path& folder) {
    std::filesystem::create_directory(folder / kSettingsFileName);
  });
  TMenuScreens& m = field.Menus();
  field.Click(m.Label22);
  field.Click(field.Window().FPS);
  field.Click(m.Label23);
  const std::string file = (field.folder / kSettingsFileName).string();
  ASSERT_EQ(field.window.boxes.size(), 2u);
  EXPECT_EQ(field.window.boxes[0].second, "Unable to read " + file);  // at start-up
  EXPECT_EQ(field.window.boxes[1].second, "Unable to write to " + file);
  EXPECT_TRUE(field.Window().FPS.Checked);
  EXPECT_EQ(Game.Title, "MAIN MENU");
}

}  // namespace
}  // namespace jizdavo::testing

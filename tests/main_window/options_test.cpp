// The Options screen, "Settings.ini" and the music, through the screens.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <utility>

#include "files/data_folder.h"
#include "files/settings.h"
#include "menu_field.h"
#include "sprites/player.h"
#include "platform/assets/asset_catalog.h"
#include "platform/pixels/dib.h"
#include "platform/pictures/dib_format.h"
#include "widgets/control_fixtures.h"

namespace jizdavo::testing {
namespace {


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
  for (const char* key : {"PlayMusic=1", "PlaySE=1", "ShowFPS=1", "MVolume=80", "SEVolume=80", "Ghost=1"}) {
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
            "SEVolume=80\r\nGhost=1\r\n\r\n[Other]\r\nKey = value ; note\r\nKey=again\r\n");
}

// The saved levels are heard from the start, before any gauge is pressed.
TEST(Options, SavedVolumesAreShownOnTheGaugesAndHeardFromTheStart) {
  struct Case {
    const char* value;
    int position;
    int volume;
  } cases[] = {{"200", 80, 0}, {"0x20", 32, -2100}, {"loud", 80, 0}, {"8", 8, -3200}, {"0", 0, -3500}};
  for (const Case& c : cases) {
    MenuField field(SettingsText(std::string("[Options]\nMVolume=") + c.value + "\nSEVolume=" + c.value +
                                 "\nPlaySE=0\n"));
    EXPECT_EQ(field.Menus().SuperGauge2.Position(), c.position) << c.value;
    EXPECT_EQ(field.Menus().SuperGauge1.Position(), c.position) << c.value;
    EXPECT_FALSE(field.Window().PlaySE.Checked);
    for (const char* sound : {"MenuTune1", "InGame4", "Impact", "Menu", "Fanfare"}) {
      EXPECT_EQ(field.Volume(sound), c.volume) << c.value << " " << sound;
    }
  }
}

// A gauge stored as far below its range as a number goes steps with the keys from there: quieter is
// the left end, not round to full.
TEST(Options, AGaugeStoredFarBelowItsRangeStepsToItsLeftEnd) {
  MenuField field(SettingsText("[Options]\nMVolume=-2147483648\n"));
  TMenuScreens& m = field.Menus();
  for (int key : {kKeyEnter, kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyEnter, kKeyDown, kKeyDown}) field.Key(key);
  ASSERT_EQ(m.Keys.Highlighted(), &m.Shape3);
  field.Key(kKeyLeft);
  EXPECT_EQ(m.SuperGauge2.Position(), 0);
  EXPECT_EQ(field.Volume("MenuTune1"), -3500);
  field.Key(kKeyRight);
  EXPECT_EQ(m.SuperGauge2.Position(), 8);
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
  const int shown_before = field.video.frames();
  field.Click(m.Label11);
  EXPECT_GE(field.clock.Now() - before, 1000u);
  EXPECT_LT(field.clock.Now() - before, 1100u);
  // A pass with its frame at each frame time of the game's 60 a second: 0, 16, 33, ... 983 ms.
  EXPECT_EQ(field.video.frames() - shown_before, 60);
  EXPECT_TRUE(Game.InGame);
}

// Both arrows step alike, with the music on or off; only with it on does the new tune play.
TEST(Options, TrackArrowsStopAtOneAndFour) {
  MenuField field;
  TMenuScreens& m = field.Menus();
  field.Click(m.Label22);
  struct Case {
    const char* from;
    TImage* arrow;
    const char* to;
    bool music;
  } cases[] = {{"1", &m.Image2, "1", true}, {"4", &m.Image1, "4", true}, {"2", &m.Image1, "3", true},
               {"3", &m.Image2, "2", true}, {"2", &m.Image1, "3", false}, {"3", &m.Image2, "2", false},
               {"4", &m.Image1, "4", false}, {"3", &m.Image1, "4", true}, {"2", &m.Image2, "1", false},
               {"2", &m.Image2, "1", true}, {"3", &m.Image1, "4", false}};
  for (const Case& c : cases) {
    field.Window().PlayMusic.Checked = c.music;
    m.Track.Caption = c.from;
    field.SilenceAll();
    field.Click(*c.arrow);
    EXPECT_EQ(m.Track.Caption, c.to) << c.from << " music " << c.music;
    if (std::string(c.from) != c.to) {
      EXPECT_EQ(field.Plays(std::string("MenuTune") + c.to) > 0, c.music) << c.from;
    }
  }
}

TEST(Options, PicturesMissingOrDamagedAreShownFromTheProgramsOwnCopies) {
  ::testing::internal::CaptureStderr();
  MenuField field([](const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "Graphics");
    std::ofstream(folder / "Graphics" / "ArrowNext.bmp") << "BM and then nothing of a picture";
  });
  const std::string told = ::testing::internal::GetCapturedStderr();
  TJizdavo& w = field.Window();
  const struct {
    const char* path;
    const TDIB& shown;
  } cases[] = {{"Graphics/ArrowNext.bmp", w.Menus.Image1.Picture()},
               {"Graphics/ArrowPrevious.bmp", w.Menus.Image2.Picture()},
               {"Graphics/CheckBoxChecked.bmp", w.FPS.ChBit()},
               {"Graphics/CheckBoxUnchecked.bmp", w.PlaySE.ChnonBit()}};
  for (const auto& c : cases) {
    TDIB copy;
    for (const StoredFile& file : StoredWidgetPictures()) {
      if (std::string(file.path) == c.path) AssignPicture(copy, DecodeBitmapFile(file.bytes));
    }
    ASSERT_GT(copy.Width(), 0) << c.path;
    ASSERT_EQ(c.shown.Width(), copy.Width()) << c.path;
    ASSERT_EQ(c.shown.Height(), copy.Height()) << c.path;
    for (int y = 0; y < copy.Height(); ++y)
      EXPECT_TRUE(std::equal(copy.Row(y), copy.Row(y) + copy.Width(), c.shown.Row(y))) << c.path << " row " << y;
    EXPECT_NE(told.find(std::string(c.path) + ": "), std::string::npos) << told;
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

// Every tune starts at the level the music gauge shows, and the fades go down from there.
TEST(Options, TunesStartAtTheGaugesLevelAndFadeFromIt) {
  MenuField field;
  TMenuScreens& m = field.Menus();
  field.Click(m.Label22);
  ClickAt(m.Layer, m.Shape3.ScreenLeft() + 40, m.Shape3.ScreenTop() + 3);
  field.Click(m.Label23);
  field.Click(m.Label2);
  const std::string menu_tune = "MenuTune" + m.Track.Caption;
  field.Click(m.Label11);
  ASSERT_TRUE(Game.InGame);
  EXPECT_LE(field.Volume(menu_tune), -1800 - 1900);  // 20 dB quieter over the second
  const std::string game_tune = "InGame" + std::to_string(Game.InGameTrack);
  EXPECT_EQ(field.Volume(game_tune), -1800);
  EXPECT_GT(field.Plays(game_tune), 0);
  field.Window().StartMenuMusic();  // as after a game
  EXPECT_EQ(field.Volume("MenuTune" + m.Track.Caption), -1800);
}

// The player's own keys: a named key walks or pauses instead of the game's own, and a list without a
// known name keeps the game's own keys, each unknown name and each key past the third told on stderr.
TEST(Options, KeysChosenInTheSettingsFileWalkAndPause) {
  ::testing::internal::CaptureStderr();
  std::string many_skips = "Skip=Escape";
  for (int i = 0; i < 5000; ++i) many_skips += i % 2 ? ",A" : ",Nope";
  MenuField field(SettingsText("[Keys]\nLeft=a, keypad 4,, h, j\nDown=Nonsense\nPause=P\n" + many_skips + "\n"));
  std::string told;  // the lines about the keys
  std::istringstream err(::testing::internal::GetCapturedStderr());
  for (std::string line; std::getline(err, line);)
    if (line.find("[Keys]") != std::string::npos) told += line + "\n";
  // One line for each kind of problem of a list, however many names it has.
  const std::vector<std::string> lines = {
      "Settings.ini [Keys] Down: no key is named \"Nonsense\"\n",
      "Settings.ini [Keys] Left: only three keys count, \"j\" is left out\n",
      "Settings.ini [Keys] Skip: no key is named \"Nope\" (and 2499 more)\n",
      "Settings.ini [Keys] Skip: only three keys count, \"A\" is left out (and 2497 more)\n"};
  EXPECT_EQ(told, lines[0] + lines[1] + lines[2] + lines[3]);
  // Each line in the game's own box at start, once.
  const auto boxed_once = [&field, &lines] {
    return std::all_of(lines.begin(), lines.end(), [&field](const std::string& line) {
      return std::count_if(field.window.boxes.begin(), field.window.boxes.end(),
                           [&line](const auto& box) { return box.second + "\n" == line; }) == 1;
    });
  };
  EXPECT_TRUE(boxed_once());
  field.Start(false, 1);
  field.RunCountdown();
  // How far a key held for ten frames moves the pedestrian across and down.
  const auto walk = [&field](int scan_code) {
    const double x = Game.Player->X, y = Game.Player->Y;
    field.Hold(scan_code);
    field.Frames(10);
    field.Hold(scan_code, false);
    field.Frame();
    return std::make_pair(Game.Player->X - x, Game.Player->Y - y);
  };
  constexpr int kScanA = 30, kScanKeypad4 = 75, kScanH = 35, kScanP = 25;
  EXPECT_LT(walk(kScanA).first, -5);
  EXPECT_LT(walk(kScanKeypad4).first, -5);
  EXPECT_LT(walk(kScanH).first, -5);
  EXPECT_EQ(walk(kScanLeft).first, 0);  // no longer one of Left's keys
  EXPECT_GT(walk(kScanDown).second, 5);
  field.Hold(kScanEscape);
  field.Frame();
  field.Hold(kScanEscape, false);
  EXPECT_TRUE(Game.InGame);
  EXPECT_TRUE(boxed_once());
  field.Hold(kScanP);
  field.Frame();
  EXPECT_FALSE(Game.InGame);
  EXPECT_EQ(Game.Title, "PAUSED");
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

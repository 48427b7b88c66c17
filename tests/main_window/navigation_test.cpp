// Moving between the menu screens with clicks through the control layer.

#include <gtest/gtest.h>

#include "files/progress.h"
#include "menu_field.h"
#include "platform/input/scan_codes.h"
#include "platform/pixels/surface.h"
#include "state/date_time.h"
#include "widgets/control_fixtures.h"

namespace jizdavo::testing {
namespace {

std::vector<std::string> Numbers(int count) {
  std::vector<std::string> numbers;
  for (int i = 1; i <= count; ++i) numbers.push_back(std::to_string(i));
  return numbers;
}

TEST(Navigation, FreshInstallationOffersLevelOneToPlayAndEveryLevelToBrowse) {
  MenuField field;
  TMenuScreens& m = field.Menus();
  struct Case {
    TLabel* open_from_main;
    TLabel* then;  // the level item of a new-game screen, or nothing
    const char* title;
    int count;
  } cases[] = {
      {&m.Label2, &m.Label13, "STANDARD GAME LEVEL", 1},
      {&m.Label3, &m.Label32, "CAR CHASE LEVEL", 1},
      {&m.Label31, nullptr, "STANDARD GAME SCORES", 16},
      {&m.Label28, nullptr, "CAR CHASE SCORES", 6},
  };
  for (const Case& c : cases) {
    field.Click(*c.open_from_main);
    if (c.then) field.Click(*c.then);
    EXPECT_EQ(Game.Title, c.title);
    EXPECT_TRUE(m.Scores.InFront()) << c.title;
    EXPECT_TRUE(m.ListView1.Showing()) << c.title;
    EXPECT_EQ(field.ListCaptions(), Numbers(c.count)) << c.title;
    // Back to the new-game screen (then to the main menu), or straight to the main menu.
    field.Click(m.Label17);
    if (c.then) field.Click(c.then == &m.Label13 ? m.Label12 : m.Label30);
    EXPECT_EQ(Game.Title, "MAIN MENU");
    EXPECT_TRUE(m.Panel1.InFront());
    EXPECT_FALSE(m.ListView1.Visible);
  }
}

// The columns of the cell's picture that hold anything but black.
int InkColumns(TImage& cell) {
  const TDIB& picture = cell.Picture();
  int columns = 0;
  for (int x = 0; x < picture.Width(); ++x) {
    bool ink = false;
    for (int y = 0; y < picture.Height(); ++y) ink = ink || picture.Row(y)[x] != clBlack;
    columns += ink;
  }
  return columns;
}

bool HasInk(TImage& cell) { return InkColumns(cell) > 0; }

TEST(Navigation, CarChaseShowsTwoDifferentCarsAndAllCarsForAreasTwoAndFour) {
  MenuField field([](const std::filesystem::path& folder) {
    std::string progress = "1";
    RaiseProgress(folder, GameMode::CarChase, progress, 6);
  });
  TMenuScreens& m = field.Menus();
  for (int round = 0; round < 5; ++round) {
    field.Click(m.Label3);
    EXPECT_NE(Game.TargetCar1, Game.TargetCar2);
    EXPECT_GE(std::min(Game.TargetCar1, Game.TargetCar2), 1);
    EXPECT_LE(std::max(Game.TargetCar1, Game.TargetCar2), 28);
    // Each wanted car twice its size (or as wide as its cell), with the rule under them.
    for (auto [cell, type] : {std::pair{&m.Car1, Game.TargetCar1}, std::pair{&m.Car2, Game.TargetCar2}}) {
      const int width = field.Window().DXImageList.Find("Auto" + std::to_string(type) + "0").Width();
      EXPECT_EQ(InkColumns(*cell), std::min(2 * width, cell->Width)) << type;
    }
    EXPECT_EQ(m.CarChaseRule.Caption, kWantedCarsRule);
    field.Click(m.Label30);
  }
  field.Click(m.Label3);
  for (int area : {1, 2, 3, 4, 5, 6}) {
    field.Click(m.Label32);
    ASSERT_EQ(field.ListCaptions(), Numbers(6));
    field.ClickListItem(area);
    EXPECT_EQ(Game.Title, "NEW GAME CAR CHASE");
    EXPECT_TRUE(m.NewGCH.InFront());
    EXPECT_EQ(Game.Level, area);
    EXPECT_EQ(m.Label32.Caption, "Level: " + std::to_string(area));
    const bool all_cars = area == 2 || area == 4;
    EXPECT_EQ(Game.TargetCar1 == 0 && Game.TargetCar2 == 0, all_cars) << area;
    EXPECT_TRUE(HasInk(m.Car1) && HasInk(m.Car2)) << area;
    EXPECT_EQ(m.CarChaseRule.Caption, all_cars ? kEveryCarRule : kWantedCarsRule) << area;
  }
}

TEST(Navigation, DifficultyItemsMoveTheMarkerSilentlyAndEveryScreenChangeClicks) {
  MenuField field;
  TMenuScreens& m = field.Menus();
  field.Click(m.Label2);
  struct Case {
    TLabel* item;
    int top;
    int value;
  } cases[] = {{&m.Label10, 82, 3}, {&m.Label9, 62, 2}, {&m.Label8, 42, 1}};
  for (const Case& c : cases) {
    field.SilenceAll();
    field.Click(*c.item);
    EXPECT_EQ(m.Difficulty.Top, c.top);
    EXPECT_EQ(Game.GameDifficulty, c.value);
    EXPECT_EQ(field.Plays("Menu"), 0) << c.value;
  }
  for (bool effects : {true, false}) {
    field.Window().PlaySE.Checked = effects;
    for (TLabel* screen_change : {&m.Label12, &m.Label22, &m.Label23, &m.Label33, &m.Label42}) {
      field.SilenceAll();
      field.Click(*screen_change);
      EXPECT_EQ(field.Plays("Menu") > 0, effects) << screen_change->Caption;
    }
    // The sprites' effects go through the same switch.
    field.Window().PlayEffect("Horn");
    EXPECT_EQ(field.Plays("Horn") > 0, effects);
    field.Window().DXWaveList.Find("Horn").Stop();
  }
}

TEST(Navigation, BackLeadsFromALevelsTopTenToTheLevelListAndOnToTheMainMenu) {
  MenuField field;
  TMenuScreens& m = field.Menus();
  field.Click(m.Label31);
  field.ClickListItem(3);
  EXPECT_EQ(Game.ScoresListMode, 1);
  EXPECT_EQ(Game.Level, 3);
  EXPECT_EQ(m.Label16.Caption, "Level: 3");
  EXPECT_EQ(m.ListView1.ViewStyle, TViewStyle::vsReport);
  field.Click(m.Label17);
  EXPECT_EQ(Game.Title, "STANDARD GAME SCORES");
  EXPECT_EQ(Game.ScoresListMode, 0);
  EXPECT_EQ(m.Label16.Caption, "Select level");
  EXPECT_EQ(field.ListCaptions(), Numbers(16));
  EXPECT_TRUE(m.Scores.InFront());
  field.Click(m.Label17);
  EXPECT_EQ(Game.Title, "MAIN MENU");
  EXPECT_TRUE(m.Panel1.InFront());
}

TEST(Navigation, NextLevelIsNotOfferedAfterTheLastLevelOfAMode) {
  struct Case {
    bool chase;
    int level;
    bool next;
  } cases[] = {{false, 15, true}, {false, 16, false}, {true, 5, true}, {true, 6, false}};
  for (const Case& c : cases) {
    MenuField field;
    Game.ChaseMode = c.chase;
    Game.Level = c.level;
    Game.GameTime = MakeTime(0, 0, 30, 0);
    field.Window().EndOfLevel();
    field.Click(field.Menus().Label15);
    EXPECT_TRUE(field.Menus().Scores.InFront()) << c.level;
    EXPECT_EQ(field.Menus().Label17.Caption, "Main menu");
    EXPECT_EQ(field.Menus().Label18.Visible, c.next) << c.chase << c.level;
  }
}

void StartStandardGame(MenuField& field) {
  field.Click(field.Menus().Label2);
  field.Click(field.Menus().Label11);
  ASSERT_TRUE(Game.InGame);
}

TEST(Navigation, AbortFromThePauseFadesTheGameTuneAndFromGameOverOnlyReturns) {
  for (bool paused : {true, false}) {
    MenuField field;
    StartStandardGame(field);
    const std::string game_tune = "InGame" + std::to_string(Game.InGameTrack);
    if (!paused) field.SilenceAll();
    Game.InGame = false;
    field.Window().ShowPauseMenu(paused);
    EXPECT_TRUE(field.Menus().Pause.InFront());
    EXPECT_EQ(field.window.pointer_shapes.back(), 1);
    const uint32_t before = field.clock.Now();
    field.Click(field.Menus().Label20);
    EXPECT_EQ(field.clock.Now() - before >= 1000, paused);
    EXPECT_EQ(field.Plays(game_tune), 0);
    const std::string menu_tune = "MenuTune" + field.Menus().Track.Caption;
    EXPECT_EQ(field.Plays(menu_tune) > 0, paused) << paused;
    EXPECT_EQ(Game.Title, "MAIN MENU");
    EXPECT_TRUE(field.Menus().Panel1.InFront());
  }
}

TEST(Navigation, ResumeHidesThePauseAndRestartStartsTheSameLevelAgain) {
  MenuField field;
  field.Click(field.Menus().Label2);
  field.Click(field.Menus().Label10);  // "Hard"
  field.Click(field.Menus().Label11);
  ASSERT_TRUE(Game.InGame);
  Game.InGame = false;
  field.Window().ShowPauseMenu(true);
  field.Click(field.Menus().Label21);
  EXPECT_FALSE(Game.InGame) << "the game goes on at the next tick";
  field.Frame();
  EXPECT_TRUE(Game.InGame);
  EXPECT_FALSE(field.Menus().Pause.Visible);
  EXPECT_EQ(Game.TitlePos, 1000);
  EXPECT_EQ(field.window.pointer_shapes.back(), -1);

  // The click follows the effects switch, whatever the music one says.
  for (bool effects : {false, true}) {
    Game.Level = 5;
    Game.InGame = false;
    field.Window().ShowPauseMenu(false);
    field.Window().PlaySE.Checked = effects;
    field.Window().PlayMusic.Checked = !effects;
    field.SilenceAll();
    field.Click(field.Menus().Label19);
    EXPECT_TRUE(Game.InGame);
    EXPECT_EQ(Game.Level, 5);
    EXPECT_EQ(Game.GameDifficulty, 3);  // the difficulty just played, and the marker still shows it
    EXPECT_EQ(field.Menus().Difficulty.Top, 82);
    EXPECT_EQ(field.Plays("Menu"), effects ? 2 : 0);  // its own, and the new game's title
    EXPECT_FALSE(field.Menus().Panel1.Visible);
  }
}

// "Your time is:" leads to the new game of the mode just played.
TEST(Navigation, EnterInTheNameFieldActsAsOkAndYourTimeLeavesWithoutSaving) {
  struct Case {
    bool leave;
    bool chase;
  } cases[] = {{false, false}, {true, false}, {true, true}};
  for (const Case& c : cases) {
    MenuField field;
    Game.ChaseMode = c.chase;
    Game.Level = 2;
    Game.GameTime = MakeTime(0, 0, 45, 120);
    field.Window().EndOfLevel();
    TMenuScreens& m = field.Menus();
    ASSERT_TRUE(m.ScoresEnter.InFront());
    EXPECT_TRUE(m.Edit1.Focused());
    Type(m.Layer, "Eve");
    if (c.leave) {
      field.Click(m.Label14);
      EXPECT_EQ(Game.Title, c.chase ? "NEW GAME CAR CHASE" : "NEW GAME STANDARD");
      EXPECT_TRUE((c.chase ? m.NewGCH : m.NewG).InFront());
      EXPECT_TRUE(LoadTopTen(field.folder, c.chase ? GameMode::CarChase : GameMode::Standard, 2).empty());
    } else {
      KeyDown(m.Layer, 13);
      EXPECT_EQ(m.Edit1.Text(), "Eve");  // Enter is not typed into the name
      EXPECT_TRUE(m.Scores.InFront());
      EXPECT_EQ(field.ListTimes(), std::vector<std::string>{"00:45:120"});
      EXPECT_EQ(m.ListView1.Items[0]->SubItems[0], "Eve");
      EXPECT_FALSE(m.Edit1.Focused());  // the keys go back to the game
    }
  }
}

// The box of the ink `control` paints when nothing but its own edges cut it, in its parent's pixels;
// empty when it paints none.
TRect InkOf(TControl& control) {
  constexpr int kRoom = 200;
  TSurface canvas(control.Parent()->Width + 2 * kRoom, control.Parent()->Height + 2 * kRoom);
  canvas.Fill(0);
  const TRect everywhere = Bounds(0, 0, canvas.Width(), canvas.Height());
  control.PaintTree(canvas, kRoom + control.Left, kRoom + control.Top, everywhere);
  TRect ink{canvas.Width(), canvas.Height(), 0, 0};
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      if (canvas.GetPixel(x, y) == 0) continue;
      ink = {std::min(ink.Left, x - kRoom), std::min(ink.Top, y - kRoom), std::max(ink.Right, x - kRoom + 1),
             std::max(ink.Bottom, y - kRoom + 1)};
    }
  }
  return ink;
}

bool Fits(const TRect& ink, const TRect& room) {
  const bool no_ink = ink.Right <= ink.Left;
  return no_ink ||
         (ink.Left >= room.Left && ink.Top >= room.Top && ink.Right <= room.Right && ink.Bottom <= room.Bottom);
}

// Every caption of every screen, and the longest texts the screens are given while playing, is seen
// whole: labels within their panel, check boxes, fields and the version text within their own bounds
// (they cut their text there), measured with the width the text would take.
TEST(MenuScreens, EveryCaptionFitsWhereItIsShown) {
  MenuField field;
  TMenuScreens& m = field.Menus();
  TJizdavo& w = field.Window();
  auto measure_all = [&](const char* when) {
    const auto panels = PanelSet(m);
    std::vector<TControl*> pending(panels.begin(), panels.end());
    pending.insert(pending.end(), {&w.FPS, &w.PlayMusic, &w.PlaySE});
    for (TControl* panel : panels) {
      for (TControl* item : panel->Controls()) {
        if (dynamic_cast<TLabel*>(item)) pending.push_back(item);
        if (dynamic_cast<TEdit*>(item)) pending.push_back(item);
      }
    }
    for (TControl* control : pending) {
      if (dynamic_cast<TPanel*>(control)) continue;
      const bool own_edges = !dynamic_cast<TLabel*>(control) || dynamic_cast<TStaticText*>(control);
      const TRect room = own_edges ? control->BoundsRect() : Bounds(0, 0, control->Parent()->Width,
                                                                      control->Parent()->Height);
      const int width = control->Width;
      if (own_edges) control->Width = 1000;
      const TRect ink = InkOf(*control);
      control->Width = width;
      const auto* label = dynamic_cast<TLabel*>(control);
      const auto* box = dynamic_cast<TKsicht*>(control);
      const auto* edit = dynamic_cast<TEdit*>(control);
      const std::string text = label ? label->Caption : box ? box->Caption : edit ? edit->Text() : "";
      if (!text.empty()) {
        EXPECT_LT(ink.Left, ink.Right) << when << ": \"" << text << "\" shows nothing";
      }
      EXPECT_TRUE(Fits(ink, room)) << when << ": \"" << text << "\" ends at " << ink.Right << ", room to "
                                     << room.Right;
    }
  };
  m.Label18.Show();  // "Next level", shown after a game
  measure_all("as built");
  m.Label13.Caption = m.Label16.Caption = "Level: 16";
  m.Label32.Caption = "Level: 6";
  m.Label17.Caption = "Main menu";
  m.TimeLabel.Caption = "59:59:999";
  m.Track.Caption = "4";
  measure_all("in play");
  // The wanted-car cells read "ALL" "CARS" in an area where every car counts.
  EXPECT_LE(TextExtentOf(m.Label2.Font, "CARS").width, m.Car2.Width);
  EXPECT_LE(TextExtentOf(m.Label2.Font, "ALL").width, m.Car1.Width);
}

TEST(Navigation, KeysAloneMoveAHighlightWorkItemsStepGaugesAndGoBack) {
  MenuField field;
  TMenuScreens& m = field.Menus();
  KeyNavigation& keys = m.Keys;
  const auto press = [&field](std::initializer_list<int> codes) {
    for (int code : codes) field.Key(code);
  };
  EXPECT_EQ(keys.Highlighted(), nullptr);  // nothing shows for the mouse player
  field.Key(kKeyEscape);                        // the main menu has no "Back"
  field.Key(kKeyEnter);                      // the first key only shows the highlight
  EXPECT_EQ(keys.Highlighted(), &m.Label2);
  EXPECT_EQ(Game.Title, "MAIN MENU");
  press({kKeyUp, kKeyEnter});  // Up stops at the top
  EXPECT_EQ(Game.Title, "NEW GAME STANDARD");
  EXPECT_EQ(keys.Highlighted(), &m.Label8);  // a new screen starts at its top
  press({kKeyDown, kKeyDown, kKeyEnter});
  EXPECT_EQ(Game.GameDifficulty, 3);
  press({kKeyDown, kKeyEnter, kKeyRight, kKeyEnter});  // "Level: 1", its list, the first level picked
  EXPECT_EQ(Game.Title, "NEW GAME STANDARD");
  EXPECT_EQ(m.Label13.Caption, "Level: 1");
  field.Key(kKeyEscape);
  EXPECT_EQ(Game.Title, "MAIN MENU");

  press({kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyEnter});  // Options
  ASSERT_EQ(Game.Title, "OPTIONS");
  press({kKeyDown, kKeyDown});
  EXPECT_EQ(keys.Highlighted(), &m.Shape3);
  press({kKeyLeft, kKeyLeft, kKeyEnter});  // Enter does not set the gauge by position
  EXPECT_EQ(m.SuperGauge2.Position(), 64);
  EXPECT_EQ(field.Volume("MenuTune1"), -700);
  press({kKeyDown, kKeyDown, kKeyRight, kKeyDown, kKeyDown, kKeyLeft, kKeyRight});
  EXPECT_EQ(Game.Title, "OPTIONS");  // the arrows' Right stepped nothing
  EXPECT_EQ(keys.Highlighted(), &m.Shape2);
  EXPECT_EQ(m.SuperGauge1.Position(), 80);
  press({kKeyUp, kKeyEnter, kKeyEnter, kKeyEnter, kKeyUp, kKeyUp, kKeyUp, kKeyUp, kKeyUp, kKeyEnter});
  EXPECT_FALSE(field.Window().PlaySE.Checked);
  EXPECT_TRUE(field.Window().FPS.Checked);
  field.Key(kKeyEscape, true);  // held, not pressed: no "Back"
  EXPECT_EQ(Game.Title, "OPTIONS");
  field.Key(kKeyEscape);
  EXPECT_EQ(Game.Title, "MAIN MENU");
  const SavedOptions saved = SettingsFile(field.folder / kSettingsFileName).Read();
  EXPECT_EQ(saved.MVolume, 64);
  EXPECT_TRUE(saved.ShowFPS);
  EXPECT_FALSE(saved.PlaySE);

  // The outline in the menu text colour round the highlighted item, gone once the mouse moves.
  TSurface frame(640, 480);
  keys.Paint(frame);
  const uint32_t ink = rgb565::FromColor(kMenuTextColor);
  EXPECT_EQ(frame.GetPixel(m.Label2.ScreenLeft() - 2, m.Label2.ScreenTop() - 2), ink);
  EXPECT_EQ(frame.GetPixel(m.Label2.ScreenLeft(), m.Label2.ScreenTop() + m.Label2.Height + 1), ink);
  field.Window().HandleWindowEvent(MouseEvent(WindowEvent::Kind::MouseMove, 5, 5));
  EXPECT_EQ(keys.Highlighted(), nullptr);
}

TEST(Navigation, ExitFadesTheMenuTuneAndClosesTheWindow) {
  MenuField field;
  const uint32_t before = field.clock.Now();
  field.Click(field.Menus().Label6);
  EXPECT_GE(field.clock.Now() - before, 1000u);
  EXPECT_EQ(field.window.closes, 1);
  EXPECT_EQ(Game.TitlePos, 1000);
}

}  // namespace
}  // namespace jizdavo::testing

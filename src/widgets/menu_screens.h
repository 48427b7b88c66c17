#pragma once
// The menu screens: every panel and every item on it, as the main window holds them. The layout is
// built here; the handlers are the main window's (navigation.cpp, scores_screen.cpp, options.cpp).

#include <array>
#include <filesystem>
#include <span>

#include "platform/assets/asset_catalog.h"
#include "widgets/controls/control_layer.h"
#include "widgets/controls/edit.h"
#include "widgets/controls/image.h"
#include "widgets/controls/key_navigation.h"
#include "widgets/controls/list_view.h"
#include "widgets/controls/message_box.h"
#include "widgets/controls/simple_controls.h"
#include "widgets/ksicht.h"
#include "widgets/super_gauge.h"

namespace jizdavo {

// The cells of the wanted car types: half the car chase panel each, room for a car at twice its size.
inline constexpr int kWantedCellWidth = 88;
inline constexpr int kWantedCellHeight = 40;
// The rule under them, and the rule where every car is wanted.
inline constexpr const char* kWantedCarsRule = "Hit these +1, others -1";
inline constexpr const char* kEveryCarRule = "Every car +1";

struct TMenuScreens {
  ControlLayer Layer;  // the root: covers the frame and routes the window's events
  KeyNavigation Keys{Layer};  // the menus worked with the keys alone

  // Main menu.
  TPanel Panel1;
  TLabel Label1, Label2, Label3, Label5, Label31, Label28, Label22, Label33, Label6;

  // New standard game.
  TPanel NewG;
  TLabel Label7, Difficulty, Label8, Label9, Label10, Label13, Label11, Label12;

  // New car chase.
  TPanel NewGCH;
  TLabel Label27, Label32, Label29, Label30;
  TImage Car1, Car2;
  TLabel CarChaseRule;  // what a touched car counts

  // Level choice and best times.
  TPanel Scores;
  TLabel Label16, Label17, Label18;
  TListView ListView1;

  // Name entry.
  TPanel ScoresEnter;
  TLabel Label4, Label14, TimeLabel, Label15;
  TShape Shape1;
  TEdit Edit1;

  // Pause and game over.
  TPanel Pause;
  TLabel Label21, Label20, Label19;

  // Options (the three check boxes are the main window's own: the game reads them everywhere).
  TPanel Options;
  TLabel Label24, Label26, Track, Label25, Label23;
  TSuperGauge SuperGauge1, SuperGauge2;
  TShape Shape2, Shape3;
  TImage Image1, Image2;

  // Credits.
  TPanel Credits;
  TLabel Label34, Label35, Label36, Label37, Label38, Label39, Label40, Label42;
  TEdit Contact1, Contact2, Contact3;

  TStaticText Version;

  // Every message the player must see (a file that cannot be written, the completion notice), modal
  // over the menus and the play field.
  TMessageBox Message;
};

// Places every item on its panel with its caption and style, the check boxes on Options, and the
// panels centred on the `width`-pixel frame at top 220, all hidden with Panel1 in front. Arrow and
// check-box pictures come from "Graphics" below `program_folder`; one that is missing or does not read
// is told on stderr and taken from `built_in_pictures` instead.
void BuildMenuScreens(TMenuScreens& menus, TKsicht& fps, TKsicht& music, TKsicht& effects, TKsicht& ghost, int width,
                      const std::filesystem::path& program_folder, std::span<const StoredFile> built_in_pictures);

// The panels and the version text, which ShowPanels and HidePanels show and hide together.
std::array<TControl*, 9> PanelSet(TMenuScreens& menus);

}  // namespace jizdavo

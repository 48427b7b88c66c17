#pragma once
// The main window: it owns every component of the game for the whole run and holds all the event
// handlers. The handlers are defined in the source file of the subsystem they belong to.

#include <cstdint>
#include <string>
#include <vector>

#include "frame/game_state.h"
#include "frame/platform_services.h"
#include "menus/best_times.h"
#include "menus/ksicht.h"
#include "objects/sprite_dx_engine.h"
#include "platform/dx_input.h"
#include "platform/dx_sound.h"
#include "platform/canvas.h"
#include "platform/dx_timer.h"
#include "platform/dxdraw.h"
#include "platform/image_list.h"
#include "platform/timer.h"
#include "platform/wave_list.h"

namespace jizdavo {

struct LevelRecord;

class TJizdavo {
 public:
  // Sets `Jizdavo` to this window, resets `Game` and builds the components.
  explicit TJizdavo(const PlatformServices& services);
  ~TJizdavo();
  TJizdavo(const TJizdavo&) = delete;
  TJizdavo& operator=(const TJizdavo&) = delete;

  // --- Components (jizdavo.cpp) ---
  TDXImageList DXImageList;
  TDXDraw DXDraw1;
  TDXSpriteEngine DXSpriteEngine;
  TDXTimer DXTimer1;
  TTimer Timer1;
  TDXInput DXInput;
  TDXSound DXSound1;
  TDXWaveList DXWaveList;
  TKsicht PlayMusic;
  TKsicht PlaySE;
  TKsicht FPS;
  std::vector<std::string> Levels;  // the Standard records, 64 lines
  std::vector<std::string> Areas;   // the Car chase records, 24 lines

  // --- Machine access for game code ---
  uint32_t Now() const;
  int Random(int n);
  void Randomize();
  const PlatformServices& Services() const { return services_; }

  // --- Window events (jizdavo.cpp, start_game.cpp) ---
  // Start-up once the components hold their pictures and sounds: an empty level table, the game
  // state reset, no menu panel.
  void FormCreate();
  void DXTimer1Activate();
  void DXTimer1Deactivate();
  void Timer1Timer();

  // --- Frame loop (frame_loop.cpp) ---
  void DXTimer1Timer(int LagCount);

  // --- Game start and reset (start_game.cpp) ---
  void Label11Click();
  void ResetGame();

  // --- World (world.cpp) ---
  void BuildWorld();
  void DrawRoad(int s);

  // --- End of game and heads-up display (end_sequences.cpp, hud.cpp) ---
  void FadeOutGameMusic(bool run_frames);
  void DrawHeadsUpDisplay();

  // --- Menu side (menu_side.cpp): what the game needs of the menus ---
  void ShowTitle();
  void HidePanels();
  // The pause panel, offering "Resume game" only when `with_resume`.
  void ShowPauseMenu(bool with_resume);
  void FadeOutMenuMusic();
  void StartMenuMusic();
  void ListView1Click();
  void EndOfLevel();
  // The intro film holds the frames while it plays; there is no film player yet.
  bool FilmIsPlaying() const;

  // Menu state until the menu screens exist as controls.
  bool MenuPanelsShown = false;
  bool PauseResumable = false;      // "Resume game" offered on the pause panel
  int MenuTrack = 1;                // the menu tune number, 1..4
  std::vector<BestTimeRow> BestTimes;  // the scores list of the current level
  bool EntersTopTen = false;        // the won game goes to the name entry
  std::string FinishTime;           // the time of the won game, "nn:ss:zzz"

 private:
  TSurface& BackSurface();
  LevelRecord CurrentRecord() const;

  // Frame loop.
  bool PlayFrame(int LagCount);
  void PauseGame();
  void DrawWorld(int LagCount, uint32_t now);
  void SpawnCar(int road, int lane, int lanes);
  void DrawCountdown(uint32_t now);
  void AdvanceGameClock(uint32_t now);

  // Game start.
  void StartGame(bool chase);
  void LoadProgressFiles();
  void FadeOut(const std::string& tune_name, int start_volume, bool run_frames);

  // World.
  void PaintGround(int ground);
  void PlaceBarriers(const LevelRecord& record);
  void PrepareEndImage();
  void BuildFinish();
  void BuildAlpha();

  // End of game.
  bool RunEndSequence(int LagCount, bool victory);
  void GrowEndText(bool victory);
  void FreezeField();
  void HandOverGameOver();
  void HandOverVictory();
  void StopGame();
  void RemoveAllSprites();
  void ShowCompletionNotice();

  PlatformServices services_;
};

}  // namespace jizdavo

#pragma once
// The main window: it owns every component of the game for the whole run and holds all the event
// handlers. The handlers are defined in the source file of the subsystem they belong to.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "files/best_times.h"
#include "files/player_keys.h"
#include "files/settings.h"
#include "sprites/sprite_dx_engine.h"
#include "sprites/sprite_window.h"
#include "platform/pixels/canvas.h"
#include "platform/input/dx_input.h"
#include "platform/sound/dx_sound.h"
#include "platform/time/dx_timer.h"
#include "platform/display/dx_draw.h"
#include "platform/display/image_list.h"
#include "platform/film/media_player.h"
#include "platform/input/scan_codes.h"
#include "platform/time/timer.h"
#include "platform/sound/wave_list.h"
#include "platform/input/window_events.h"
#include "state/game_state.h"
#include "widgets/ksicht.h"
#include "widgets/menu_screens.h"
#include "main_window/platform_services.h"
#include "main_window/replay_tape.h"

namespace jizdavo {

struct LevelRecord;
class TPlayer;

class TJizdavo final : public SpriteWindow {
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
  TMediaPlayer MediaPlayer1;  // the intro film, shown on DXDraw1
  TKsicht PlayMusic;
  TKsicht PlaySE;
  TKsicht FPS;
  TKsicht ShowGhost;
  std::vector<std::string> Levels;  // the Standard records, 64 lines
  std::vector<std::string> Areas;   // the Car chase records, 24 lines

  // --- Machine access for game code, and what the sprites use of the window (jizdavo.cpp) ---
  // Within a game tick, the tick's time; otherwise the clock's.
  uint32_t Now() const override;
  int Random(int n) override;
  void Randomize() override;
  TPictureCollectionItem& FindImage(const std::string& name) override;
  HeldDirections ReadDirections() const override;
  void PlayEffect(const std::string& name) override;
  void RaiseEffectPitch(const std::string& name, int hertz) override;
  const PlatformServices& Services() const { return services_; }

  // --- Start-up and shutdown (startup.cpp) ---
  // Start-up once the components hold their pictures and sounds: the pointer, the film's file, an
  // empty level table, the music, the settings, the game state reset, no menu panel.
  void FormCreate();
  // The display is ready: the intro film, then the main menu.
  void DXDraw1Initialize();
  void FormClose();
  void DXTimer1Activate();
  void DXTimer1Deactivate();
  void Timer1Timer();

  // --- Frame loop (frame_loop.cpp) ---
  void DXTimer1Timer(int LagCount);

  // --- Replays (replays.cpp) ---
  // Every game is recorded from Start; the last one to end waits here, for the name entry to keep it
  // after a win.
  ReplayRecorder Recorder;
  std::optional<Replay> LastGame;
  // Plays `replay` in the play field as it was played, with "REPLAY" and `name` in the heads-up line;
  // its end, Esc or a click brings the scores list back.
  void WatchReplay(const Replay& replay, const std::string& name);
  bool Watching() const { return watching_.has_value(); }
  // The replay of the `occurrence`-th record of `level` with `name` and `time` (its row among those
  // with that name and time), when the watcher accepts it: it reads, is the game of its record and,
  // played through unseen, ends won at the record's time. The play is checked once per replay and
  // remembered for the run. Nothing for a record without one. Asked while no game runs.
  std::optional<Replay> AcceptedReplay(GameMode mode, int level, const std::string& name, TDateTime time,
                                       int occurrence);

  // --- Game start and reset (start_game.cpp) ---
  void Label11Click();  // "Start" (both new-game screens), and "Restart level", "Next level"
  void ResetGame();

  // --- World (world.cpp) ---
  void BuildWorld();
  void DrawRoad(int s);

  // --- End of game and heads-up display (end_sequences.cpp, hud.cpp) ---
  void FadeOutGameMusic();
  void DrawHeadsUpDisplay();

  // --- Menu backdrop (menu_backdrop.cpp): the frame while no game runs, and the screen title ---
  void MenuFrame();
  void ShowTitle();
  // The intro film holds the frames while it plays.
  bool FilmIsPlaying();

  // --- Menu screens (src/widgets/menu_screens.h): every panel and item, and the settings file ---
  TMenuScreens Menus;
  SettingsFile Settings;

  // Navigation (navigation.cpp). Handlers get the clicked control, or nullptr when the
  // game calls them.
  void ShowPanels();
  void HidePanels();
  void HoldBackGameKeys();
  // The pause panel in front, offering "Resume game" only when `with_resume`.
  void ShowPauseMenu(bool with_resume);
  void Label2Click(TControl* Sender = nullptr);  // "Standard" under "New Game"
  void Label3Click(TControl* Sender = nullptr);  // "Car chase" under "New Game"
  void Label14Click(TControl* Sender = nullptr);  // "Your time is:" and the time beside it
  void Label31Click(TControl* Sender = nullptr);  // "Standard" under "Best times"
  void Label28Click(TControl* Sender = nullptr);  // "Car chase" under "Best times"
  void Label22Click(TControl* Sender = nullptr);  // "Options"
  void Label33Click(TControl* Sender = nullptr);  // "Credits"
  void Label6Click(TControl* Sender = nullptr);  // "Exit"
  void Label8Click(TControl* Sender);  // "Easy", "Medium", "Hard"
  void Label13Click(TControl* Sender = nullptr);  // "Level: n" (Standard)
  void Label32Click(TControl* Sender = nullptr);  // "Level: n" (Car chase)
  void Label12Click(TControl* Sender = nullptr);  // "Back" (new-game screens and options)
  void Label17Click(TControl* Sender = nullptr);  // "Back" (best times), "Main menu" after a win
  void Label18Click(TControl* Sender = nullptr);  // "Next level"
  void Label21Click(TControl* Sender = nullptr);  // "Resume game"
  void Label20Click(TControl* Sender = nullptr);  // "Abort game"
  void Label19Click(TControl* Sender = nullptr);  // "Restart level"
  void Label42Click(TControl* Sender = nullptr);  // "Back" (credits)
  void ListView1Enter(TControl* Sender = nullptr);
  void Edit1KeyPress(TControl* Sender, char& Key);
  void DrawCarType(TImage& cell, int type);

  // Best times and progress (scores_screen.cpp).
  void ListView1Click(TControl* Sender = nullptr);
  int ListView1Compare(const TListItem& Item1, const TListItem& Item2) const;
  void EndOfLevel();
  void Label15Click(TControl* Sender = nullptr);  // "OK" (name entry)

  // Options and music (options.cpp).
  void ReadSettings();
  // The player's own keys from the settings file, where given.
  void ReadPlayerKeys();
  void PlayMusicClick(TControl* Sender = nullptr);
  void Image1Click(TControl* Sender = nullptr);  // the arrow to the next tune
  void Image2Click(TControl* Sender = nullptr);  // the arrow to the previous tune
  void Shape2MouseDown(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Shape2MouseMove(TControl* Sender, TShiftState Shift, int X, int Y);
  void Shape3MouseDown(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Shape3MouseMove(TControl* Sender, TShiftState Shift, int X, int Y);
  void StartMenuMusic();
  void FadeOutMenuMusic();
  // The fades of the end of a game and of a retry: the tune fades over its second while the frames
  // go on, each frame setting its volume, so the menus and the next game do not wait for it.
  void FadeOutGameMusicBehind();
  void FadeOutMenuMusicBehind();
  void AdvanceFadeBehind();
  // Stops the tune still fading behind at once.
  void EndFadeBehind();
  // The menu tune number 1..4 the Track label shows.
  int MenuTrack() const;

  // Window events for the menus' controls; the game's keyboard is read by DXInput.
  void HandleWindowEvent(const WindowEvent& event);

 private:
  TSurface& BackSurface();
  LevelRecord CurrentRecord() const;

  // Frame loop.
  bool PlayFrame(int LagCount);
  bool StepFrame(int LagCount);
  // What the next game tick sees: recorded as it is played, or taken from the replay watched.
  struct GameTick {
    uint32_t time;
    int lag;
    uint8_t keys;
  };
  GameTick NextTick(int LagCount);
  // The walking keys, the pause keys (Esc) and the skip keys (Enter) as ReplayKey bits.
  uint8_t HeldKeys() const;
  bool AnyKeyHeld(const KeyCodes& keys) const;
  void PauseGame();
  void DrawWorld(int LagCount, uint32_t now);
  void SpawnCar(int road, int lane, int lanes);
  void DrawCountdown(uint32_t now);
  void AdvanceGameClock(uint32_t now);

  // Start-up.
  void LoadMusic();
  void PlayIntroFilm();
  bool SkipRequested();
  // Polls until `done` or a skip input; true when skipped.
  bool WaitForFilm(const std::function<bool()>& done);

  // Menu backdrop.
  int DrawEmblem(const std::string& name, int centre);
  void SweepTitle(TSurface& back);

  // Game start: the game of the new-game screen `Title` names. `wait_for_menu_tune`: the menu tune
  // fades out first, frames running; else it fades behind the countdown, so that a player retrying
  // or playing on after a game waits for nothing but the countdown.
  void StartTitledGame(bool wait_for_menu_tune);
  void StartGame(bool chase, bool wait_for_menu_tune);
  // The level's world for a game about to run, the pointer hidden.
  void SetUpPlayField(bool chase);
  // In a Standard level with the option on, the replay of the best run made at this difficulty that the
  // watcher accepts; its run's figure walks beside the player (AddGhost).
  std::optional<Replay> GhostReplay();
  void AddGhost(const Replay& replay);
  // The figure a game starts with, at its start.
  void AddPlayerFigure();
  void PrepareGrowingWords();
  void LoadProgressFiles();
  void FadeOut(const std::string& tune_name, int start_volume);
  void FadeOutBehind(const std::string& tune_name, int start_volume);

  // World.
  void PaintGround(int ground);
  void PlaceBarriers(const LevelRecord& record);
  void PrepareEndImage();
  void BuildFinish();
  void BuildAlpha();

  // Menus.
  void WireMenuHandlers();
  void WireNavigation();
  void WireOptions();
  void WireKeyboard();
  void EnterScreen(const char* title, TControl& panel);
  void OpenLevelList(const char* title, int count);
  void FillLevelList(int count);
  void ChooseTargetCars();
  void ChooseAreaTargets();
  // Unlocks `level` of the current mode, when higher than the unlocked one, and saves it.
  void RaiseLevelProgress(int level);
  void LoadBestTimes(TControl* Sender);
  // The mode whose best times the title names: Standard for its two list titles, else Car chase.
  GameMode ListedMode() const;
  // A figure at its start: the top centre, standing, facing down.
  void PlaceAtStart(TPlayer& figure);
  void ShowAfterGameScores();
  // A file that could not be written: the player is told and the menus go on.
  void ShowSaveProblem(const std::string& message);
  // A message box, which holds the thread while it shows (inside a frame, too): the next frame counts
  // from its closing, not from the frame before it.
  void ShowMessage(const std::string& title, const std::string& text);
  void ShowFileMessages();
  TDateTime ListBestTime() const;
  // The volume of `gauge`'s position given to each of `items`.
  void ApplyGaugeVolume(const TSuperGauge& gauge, const std::vector<std::string>& items);
  // The volume the music gauge shows, in hundredths of a decibel.
  int MusicVolume() const;
  // The tune arrows: the Track number `step` up or down within 1..4.
  void StepTrack(int step);

  // End of game.
  bool RunEndSequence(int LagCount, bool victory);
  void GrowEndText(bool victory);
  void FreezeField();
  void HandOverGameOver();
  void HandOverVictory();
  void StopGame();
  void RemoveAllSprites();
  void ShowCompletionNotice();
  // Whether the won game enters the top ten the list shows.
  bool ListTakesTime() const;

  // Replays.
  // The won game's replay kept for the record just entered as `name`, the `occurrence`-th with its
  // name and time; the level keeps only its top ten's replays.
  void KeepWonReplay(GameMode mode, const std::string& name, int occurrence);
  // The record's replay when it reads and is the game of its record; else `problem` (when given) says
  // why, for a replay there is.
  std::optional<Replay> RecordReplay(GameMode mode, int level, const std::string& name, TDateTime time,
                                     int occurrence, std::string* problem);
  void SetUpReplayedGame(const Replay& replay);
  bool PlaysToItsTime(const Replay& replay);
  void WatchRecord(const TListItem& row);
  bool WatcherLeaves();
  // Back to the scores list; `to_the_end` checks the game ended at the replay's time.
  void EndWatching(bool to_the_end);

  // What the scores list showed when a replay started, given back after it.
  struct Watch {
    ReplayPlayer player;
    std::string name;
    uint64_t own_seed;
    TGameState menus;
    bool released = false;
  };
  std::optional<Watch> watching_;
  // Whether each replay checked (by its bytes) ends at its record's time.
  std::map<std::string, bool> replay_verdicts_;
  // False while a replay is checked unseen: ticks change the game but draw and sound nothing.
  bool drawing_ = true;
  bool in_tick_ = false;
  uint32_t tick_time_ = 0;
  // The time of the game's last tick, on the game's own clock (NextTick).
  uint32_t game_clock_ = 0;
  // "Resume game" was clicked: the game goes on at the next tick.
  bool resuming_ = false;
  uint8_t tick_keys_ = 0;

  PlatformServices services_;
  // Pausing and skipping the end of a game; the walking keys are DXInput's assigns.
  KeyCodes pause_keys_{kKeyEscape, 0, 0};
  KeyCodes skip_keys_{kKeyEnter, 0, 0};
  // The keys that went down as events before the frame's input was read.
  std::array<bool, 256> pressed_before_read_{};
  struct FadeBehind {
    std::string tune;  // empty: none
    int start_volume = 0;
    uint32_t t0 = 0;
  };
  FadeBehind fade_behind_;
};

}  // namespace jizdavo

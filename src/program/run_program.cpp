// Joins the game to the SDL back end. The window is created (FormCreate), the display comes up and
// plays the intro (DXDraw1Initialize), then the message loop runs the frames until the window closes.

#include "program/run_program.h"

#include <SDL.h>

#include <cstdio>
#include <filesystem>

#include "files/data_folder.h"
#include "platform/assets/asset_loader.h"
#include "platform/error.h"
#include "platform/quit_signal.h"
#include "platform/sdl/sdl_audio_output.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_gamepads.h"
#include "platform/sdl/sdl_input_source.h"
#include "platform/sdl/sdl_main_loop.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/sdl_window_services.h"
#include "platform/sound/stream_filler.h"
#include "platform/text/font_resolver.h"
#include "program/game_window_services.h"
#include "program/window_settings.h"
#include "main_window/jizdavo.h"

namespace jizdavo {
namespace {

// Sound only while the window has the focus.
void FollowFocus(SdlMainLoop& loop, TJizdavo& game) {
  loop.AddListener([&game](const WindowEvent& event) {
    if (event.kind == WindowEvent::Kind::Activate) game.DXSound1.SetFocused(true);
    if (event.kind == WindowEvent::Kind::Deactivate) game.DXSound1.SetFocused(false);
  });
}

// The click, key or pad button that skipped the film is used up there, not handed on to the menu.
void DropIntroInput() {
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_KEYUP);
  SDL_FlushEvents(SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP);
  SDL_FlushEvents(SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERBUTTONUP);
}

// The folder for the five stored files: the one asked for, created when missing, or the usual choice.
std::filesystem::path DataFolder(const CommandLine& command) {
  if (!command.data_dir) return PickDataFolder();
  std::error_code error;
  std::filesystem::create_directories(*command.data_dir, error);
  return TidyDataFolder(std::filesystem::absolute(*command.data_dir, error));
}

// Returns the exit code; errors before the game's window can show them are raised.
int Run(const RandomFactory& make_random, const CommandLine& command) {
  SDL_SetHint(SDL_HINT_APP_NAME, "Jizdavo");
  // SIGTERM and SIGINT are the program's own (quit_signal.h).
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  const std::filesystem::path program_folder = AssetFolder(ProgramFolder());
  UseFontFolder(program_folder / "fonts");
  const std::filesystem::path data_folder = DataFolder(command);
  SdlWindow window(ChosenWindowMode(StoredWindowMode(SettingsFile(data_folder / kSettingsFileName)), command));
  SdlClock machine_clock;
  GameClock clock(machine_clock);
  std::unique_ptr<RandomSource> random = make_random();
  SdlGamepads pads;
  SdlInputSource input(window.Window(), &pads);
  SdlWindowServices sdl_window_services(window.Window());
  GameWindowServices window_services(sdl_window_services);
  MessageTimers timers(clock);
  SdlAudioOutput audio;
  PlatformServices services{clock,  *random, window, input, window_services, timers, audio,
                            [](uint32_t ms) { SDL_Delay(ms); }, program_folder, data_folder,
                            StoredWidgetPictures()};

  TJizdavo game(services);
  StreamFillerThread tune_reader(game.DXSound1.GetMixer().Filler());
  LoadStoredAssets(game.DXImageList, game.DXWaveList, StoredImages(), StoredSounds());
  game.DXDraw1.OnInitialize = [&game] { game.DXDraw1Initialize(); };
  game.FormCreate();
  Game.Level = 1;

  SdlMainLoop loop(clock, game.DXTimer1, timers);
  loop.AttachWindow(window);
  loop.device_keys = [&pads](const SDL_Event& event) { return pads.KeyEventsOf(event); };
  loop.AddListener([&game](const WindowEvent& event) { game.HandleWindowEvent(event); });
  loop.SetPlaying([] { return Game.InGame; });
  FollowFocus(loop, game);
  game.DXDraw1.Initialize();
  DropIntroInput();
  window_services.Attach(game, loop);
  NoteQuitSignals();  // the start is over: from now on the game ends as the loop ends
  try {
    loop.Run();
  } catch (const Error& error) {
    // The player sees in the window why the game ends (stderr has it too).
    window_services.MessageBox("Jizdavo", error.what());
    return 1;
  }
  RememberWindowMode(game.Settings, window.Mode());
  game.FormClose();
  return 0;
}

}  // namespace

int RunProgram(const RandomFactory& make_random, const CommandLine& command) {
  try {
    return Run(make_random, command);
  } catch (const Error& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}

}  // namespace jizdavo

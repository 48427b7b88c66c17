// Joins the game to the SDL back end. The window is created (FormCreate), the display comes up and
// plays the intro (DXDraw1Initialize), then the message loop runs the frames until the window closes.

#include "program/run_program.h"

#include <SDL.h>

#include <cstdio>

#include "frame/jizdavo.h"
#include "menus/data_folder.h"
#include "platform/asset_loader.h"
#include "platform/error.h"
#include "platform/sdl/sdl_audio_output.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_input_source.h"
#include "platform/sdl/sdl_main_loop.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/sdl_window_services.h"

namespace jizdavo {
namespace {

// Sound only while the window has the focus.
void FollowFocus(SdlMainLoop& loop, TJizdavo& game) {
  loop.AddListener([&game](const WindowEvent& event) {
    if (event.kind == WindowEvent::Kind::Activate) game.DXSound1.SetFocused(true);
    if (event.kind == WindowEvent::Kind::Deactivate) game.DXSound1.SetFocused(false);
  });
}

// The click or key that skipped the film is used up there, not handed on to the menu.
void DropIntroInput() {
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_KEYUP);
  SDL_FlushEvents(SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP);
}

void Run(const RandomFactory& make_random) {
  SDL_SetHint(SDL_HINT_APP_NAME, "Jizdavo");
  SdlWindow window;
  SdlClock clock;
  std::unique_ptr<RandomSource> random = make_random(clock);
  SdlInputSource input(window.Window());
  SdlWindowServices window_services(window.Window());
  MessageTimers timers(clock);
  SdlAudioOutput audio;
  PlatformServices services{clock,  *random, window, input, window_services, timers, audio,
                            [](uint32_t ms) { SDL_Delay(ms); }, ProgramFolder(), PickDataFolder(),
                            StoredWidgetPictures()};

  TJizdavo game(services);
  LoadStoredAssets(game.DXImageList, game.DXWaveList, StoredImages(), StoredSounds());
  game.DXDraw1.OnInitialize = [&game] { game.DXDraw1Initialize(); };
  game.FormCreate();
  Game.Level = 1;

  SdlMainLoop loop(clock, game.DXTimer1, timers);
  loop.AttachWindow(window);
  loop.AddListener([&game](const WindowEvent& event) { game.HandleWindowEvent(event); });
  FollowFocus(loop, game);
  game.DXDraw1.Initialize();
  DropIntroInput();
  loop.Run();
  game.FormClose();
}

}  // namespace

int RunProgram(const RandomFactory& make_random) {
  try {
    Run(make_random);
  } catch (const Error& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}

}  // namespace jizdavo

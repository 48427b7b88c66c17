// Program entry: joins the game to the SDL back end. Until the intro and the menus are in, it starts
// a Standard game of level 1 at once.

#include <SDL.h>

#include <cstdio>
#include <random>

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
#include "platform/seeded_random.h"

namespace jizdavo {
namespace {

void Run() {
  SdlWindow window;
  SdlClock clock;
  SeededRandom random(std::random_device{}(), clock);
  SdlInputSource input(window.Window());
  SdlWindowServices window_services(window.Window());
  MessageTimers timers(clock);
  SdlAudioOutput audio;
  PlatformServices services{clock,  random, window, input, window_services, timers, audio,
                            [](uint32_t ms) { SDL_Delay(ms); }, ProgramFolder(), PickDataFolder()};

  TJizdavo game(services);
  LoadStoredAssets(game.DXImageList, game.DXWaveList, StoredImages(), StoredSounds());
  game.DXDraw1.Initialize();
  game.FormCreate();
  Game.Level = 1;
  Game.Title = "NEW GAME STANDARD";
  game.Label11Click();

  SdlMainLoop loop(clock, game.DXTimer1, timers);
  loop.AttachWindow(window);
  loop.AddListener([&game](const WindowEvent& event) { game.HandleWindowEvent(event); });
  loop.Run();
}

}  // namespace
}  // namespace jizdavo

int main(int, char**) {
  try {
    jizdavo::Run();
  } catch (const jizdavo::Error& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}

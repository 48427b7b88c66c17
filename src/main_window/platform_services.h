#pragma once
// The machine as the main window receives it: every seam the game reaches the platform through,
// and the folder that holds the program's files. Tests fill it with doubles.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>

#include "platform/assets/asset_catalog.h"
#include "platform/audio_output.h"
#include "platform/time/game_clock.h"
#include "platform/input_source.h"
#include "platform/random_source.h"
#include "platform/time/timer.h"
#include "platform/video_output.h"
#include "platform/window_services.h"

namespace jizdavo {

struct PlatformServices {
  // The game's time: a frame's own time while it runs (GameClock).
  const GameClock& clock;
  RandomSource& random;
  VideoOutput& video;
  InputSource& input;
  WindowServices& window;
  SystemTimers& timers;
  AudioOutput& audio;
  // Lets `milliseconds` pass while the game blocks (the fades): sleeps on a real clock, advances a
  // test clock.
  std::function<void(uint32_t milliseconds)> wait;
  std::filesystem::path program_folder;
  // Where the settings, best times and progress live (the program's folder when it can be written).
  std::filesystem::path data_folder;
  // The program's own copies of the options panel's pictures, for files missing or damaged.
  std::span<const StoredFile> built_in_pictures = {};
};

}  // namespace jizdavo

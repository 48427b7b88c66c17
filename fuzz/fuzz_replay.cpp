// Feeds arbitrary bytes to the replay reader: it must either refuse them with the game's error or give
// a replay that writes back to bytes reading as the same replay and that plays, headless as the
// watcher plays it, to its end within its ticks and at a cost its ticks bound: no file may make a tick
// cost more than a game's own.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string_view>

#include "files/replay_file.h"
#include "platform/error.h"
#include "support/headless_game.h"

namespace {

// Processor time a watched tick may take, drawing and the sanitizers included (a game's takes about
// a millisecond so), and once for building the level's world.
constexpr double kSecondsPerTick = 0.005;
constexpr double kSecondsToSetUp = 2.0;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace jizdavo;
  Replay replay;
  try {
    replay = DecodeReplay(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const Error&) {
    return 0;
  }
  if (DecodeReplay(EncodeReplay(replay)) != replay) __builtin_trap();

  static testing::PlayField field;  // one window for every input, as the game has
  const std::clock_t start = std::clock();
  field.game->WatchReplay(replay, "Fuzz");
  for (size_t i = 0; i <= replay.ticks.size() && field.game->Watching(); ++i) field.Frame(16);
  if (field.game->Watching()) __builtin_trap();  // a watch outlived its ticks
  field.window.boxes.clear();
  const double spent = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  if (spent > kSecondsToSetUp + kSecondsPerTick * static_cast<double>(replay.ticks.size())) __builtin_trap();
  return 0;
}

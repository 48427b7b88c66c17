#include "bench_startup_rig.h"

#include <unistd.h>

#include <stdexcept>

#include "platform/asset_loader.h"

namespace jizdavo::bench {

namespace {

std::filesystem::path ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "jizdavo_bench_XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("no scratch folder");
  return pattern;
}

}  // namespace

HeadlessGame::HeadlessGame() : data_folder(ScratchFolder()) {}

HeadlessGame::~HeadlessGame() {
  game.reset();
  std::error_code ignored;
  std::filesystem::remove_all(data_folder, ignored);
}

void HeadlessGame::StartToMainMenu() {
  PlatformServices services{clock,  random, video, input, window, timers, audio,
                            [this](uint32_t ms) { clock.Advance(ms); }, JIZDAVO_BUILD_DIR, data_folder};
  Hold(kScanEsc, true);
  game = std::make_unique<TJizdavo>(services);
  LoadStoredAssets(game->DXImageList, game->DXWaveList, StoredImages(), StoredSounds());
  game->DXDraw1.OnInitialize = [this] { game->DXDraw1Initialize(); };
  game->FormCreate();
  Game.Level = 1;
  game->DXDraw1.Initialize();
  Hold(kScanEsc, false);
  Frame(1);
}

void HeadlessGame::Frame(uint32_t ms) {
  clock.Advance(ms);
  timers.Dispatch();
  game->DXTimer1Timer(static_cast<int>(ms));
}

void HeadlessGame::StartStandardGame(int level, int difficulty) {
  Game.Title = "NEW GAME STANDARD";
  Game.Level = level;
  Game.GameDifficulty = difficulty;
  game->Label11Click();
  while (!Game.CountdownDone) Frame(16);
}

}  // namespace jizdavo::bench

#include "bench_startup_rig.h"

namespace jizdavo::bench {

namespace {

testing::GameSetup FromFolder(const std::filesystem::path& program_folder) {
  testing::GameSetup setup;
  setup.seed = 16;
  setup.program_folder = program_folder;
  return setup;
}

}  // namespace

BuiltGame::BuiltGame(const std::filesystem::path& program_folder) : HeadlessGame(FromFolder(program_folder)) { window.pointer_file_needed = true; }

void BuiltGame::StartToMainMenu() {
  Hold(kScanEscape, true);
  Create();
  game->DXDraw1.OnInitialize = [this] { game->DXDraw1Initialize(); };
  game->FormCreate();
  Game.Level = 1;
  game->DXDraw1.Initialize();
  Hold(kScanEscape, false);
  Frame(1);
}

void BuiltGame::StartStandardGame(int level, int difficulty) {
  Start(false, level, difficulty);
  RunCountdown(16);
}

}  // namespace jizdavo::bench

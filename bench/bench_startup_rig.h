#pragma once
// The whole game on the test kit's doubles for the benchmarks that run it from start-up on: the
// program's own files from the build folder (pictures, film, tunes), the settings, best times and
// progress in a scratch folder, and a sound device that nothing pulls.

#include <cstdint>
#include <filesystem>

#include "support/headless_game.h"

namespace jizdavo::bench {

class BuiltGame : public testing::HeadlessGame {
 public:
  // The program's folder: the build's own, or another holding its Graphics/ and Music/.
  explicit BuiltGame(const std::filesystem::path& program_folder = JIZDAVO_BUILD_DIR);

  // What the program does from its window's creation to the main menu, with the film skipped by an
  // Esc held from the start: TJizdavo, the built-in assets, FormCreate, the display and its
  // DXDraw1Initialize, and the first frame that shows the menu. Esc is let go afterwards.
  void StartToMainMenu();
  // Starts a Standard game at `level` and `difficulty` and plays it past the countdown.
  void StartStandardGame(int level, int difficulty);
};

}  // namespace jizdavo::bench

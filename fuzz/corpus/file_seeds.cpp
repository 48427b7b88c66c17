// Seeds for the game's own small files, each written by the game's writer into the seed folder.
#include <string>

#include "files/best_times.h"
#include "files/progress.h"
#include "files/settings.h"
#include "seed_folder.h"
#include "seeds.h"
#include "state/date_time.h"

namespace jizdavo::fuzzcorpus {

void WriteSettingsSeeds(const std::filesystem::path& corpus) {
  const SeedFolder folder(corpus, "fuzz_settings");
  const SavedOptions fresh;
  const SavedOptions changed{false, true, true, 35, 0};
  SettingsFile(folder.Path() / "Settings.ini").Write(fresh);
  // A file someone edited: another section and comments, which writing must keep.
  folder.Write("Edited.ini", "; edited\n[Window]\nLeft=10\n\n[Options]\nMVolume = 0x20\nPlaySE=\n");
  SettingsFile(folder.Path() / "Edited.ini").Write(changed);
  Require(ParseOptions(ReadWhole(folder.Path() / "Settings.ini")) == fresh, "Settings.ini");
  Require(ParseOptions(ReadWhole(folder.Path() / "Edited.ini")) == changed, "Edited.ini");
}

void WriteBestTimesSeeds(const std::filesystem::path& corpus) {
  const SeedFolder folder(corpus, "fuzz_best_times");
  AppendBestTime(folder.Path(), GameMode::Standard, 1, "Ann", MakeTime(0, 1, 2, 345));
  AppendBestTime(folder.Path(), GameMode::Standard, 1, "Bob", MakeTime(0, 0, 59, 999));
  AppendBestTime(folder.Path(), GameMode::Standard, 16, "A name too long to fit", MakeTime(0, 12, 0, 5));
  AppendBestTime(folder.Path(), GameMode::CarChase, 6, "", MakeTime(0, 0, 3, 0));
  Require(ParseBestTimes(ReadWhole(folder.Path() / BestTimesFileName(GameMode::Standard))).size() == 3,
          "Score.dat");
  Require(ParseBestTimes(ReadWhole(folder.Path() / BestTimesFileName(GameMode::CarChase))).size() == 1,
          "Scoreh.dat");
}

void WriteProgressSeeds(const std::filesystem::path& corpus) {
  const SeedFolder folder(corpus, "fuzz_progress");
  for (const auto& [mode, level] : {std::pair{GameMode::Standard, 12}, std::pair{GameMode::CarChase, 6}}) {
    std::string progress = "1";
    RaiseProgress(folder.Path(), mode, progress, level);
    Require(ParseProgress(ReadWhole(folder.Path() / ProgressFileName(mode)), mode) == std::to_string(level),
            ProgressFileName(mode));
  }
}

}  // namespace jizdavo::fuzzcorpus

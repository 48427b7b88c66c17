// Seeds for the game's own small files, each written by the game's writer into the seed folder.
#include <string>

#include "files/best_times.h"
#include "files/progress.h"
#include "files/replay_file.h"
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

// Two games by the game's writer: a short Standard one with every kind of event, and a Car chase one.
void WriteReplaySeeds(const std::filesystem::path& corpus) {
  const SeedFolder folder(corpus, "fuzz_replay");
  Replay standard{GameMode::Standard, 3, 2, 0, 0, 20261207, 1000, 4321, {}};
  for (uint32_t i = 0; i < 300; ++i) standard.ticks.push_back({i % 3 != 0 ? 17u : 16u, 17, 0, 0, std::nullopt});
  standard.ticks[10].countdown_steps = 1;
  standard.ticks[100].keys = kReplayDown;
  standard.ticks[150].keys = kReplayDown | kReplayLeft;
  // A resume as the first files wrote it: the pause in the tick's time, the tick counting 17 ms from
  // the click.
  standard.ticks[200] = {900, 17, kReplayEscape, 0, 4216};
  Replay chase{GameMode::CarChase, 6, 3, 4, 9, 7, 123456, 30000, {}};
  for (uint32_t i = 0; i < 60; ++i) chase.ticks.push_back({17, 17, static_cast<uint8_t>(i / 20), 0, std::nullopt});
  for (const auto& [name, replay] : {std::pair{"standard.rpl", standard}, std::pair{"chase.rpl", chase}}) {
    const std::string bytes = EncodeReplay(replay);
    Require(DecodeReplay(bytes) == replay, name);
    folder.Write(name, bytes);
  }
}

}  // namespace jizdavo::fuzzcorpus

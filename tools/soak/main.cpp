// The soak: plays the game for a given wall time on a machine without screen or sound card, samples the
// heap in use and the resident memory every minute, then checks the files beside the program and prints a summary.
//   jizdavo_soak [--seconds N] [--seed N] [--folder DIR]
// Exits 1 when the game misbehaved, a file does not read back or the memory kept growing.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "files/data_folder.h"
#include "soak_checks.h"
#include "soak_player.h"

namespace jizdavo::soak {
namespace {

using WallClock = std::chrono::steady_clock;

struct Options {
  long seconds = 60;
  uint64_t seed = 1;
  std::filesystem::path folder;
  bool own_folder = false;  // made for this run, removed after a pass
};

Options ReadArguments(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--seconds") {
      options.seconds = std::strtol(argv[i + 1], nullptr, 10);
    } else if (name == "--seed") {
      options.seed = std::strtoull(argv[i + 1], nullptr, 10);
    } else if (name == "--folder") {
      options.folder = argv[i + 1];
    } else {
      throw SoakFailure("unknown argument " + name);
    }
  }
  if (options.folder.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "jizdavo_soak_XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw SoakFailure("no temporary folder");
    options.folder = pattern;
    options.own_folder = true;
  }
  std::filesystem::create_directories(options.folder);
  return options;
}

void PrintTally(const SoakTally& t, const SoakMachine& machine, double seconds) {
  std::printf("games: started %d, won %d, lost %d, aborted %d (walker gave up on %d), paused %d, resumed %d\n",
              t.started, t.won, t.lost, t.aborted, t.gave_up, t.paused, t.resumed);
  std::printf("menus: options %d, scores %d, credits %d, names entered %zu, completion notices %zu\n",
              t.option_visits, t.score_visits, t.credit_visits, t.entered.size(),
              machine.WindowServices().boxes.size());
  std::printf("frames: %lld (%.0f a second)\n", static_cast<long long>(machine.Frames()),
              static_cast<double>(machine.Frames()) / seconds);
  std::printf("progress: Standard %d, Car chase %d\n", t.standard_progress, t.chase_progress);
}

SavedOptions ShownOptions(TJizdavo& window) {
  return {window.PlayMusic.Checked, window.PlaySE.Checked, window.FPS.Checked,
          window.Menus.SuperGauge2.Position(), window.Menus.SuperGauge1.Position()};
}

// Plays until the time is up; returns the problems found.
std::vector<std::string> Soak(const Options& options) {
  SoakMachine machine(ProgramFolder(), options.folder, options.seed);
  SoakPlayer player(machine, options.seed);
  const WallClock::time_point start = WallClock::now();
  const WallClock::time_point end = start + std::chrono::seconds(options.seconds);
  std::vector<long> samples;
  machine.AfterFrame = [&] {
    const WallClock::time_point now = WallClock::now();
    if (now >= start + std::chrono::minutes(samples.size() + 1)) {
      samples.push_back(HeapInUseKilobytes());
      std::printf("minute %zu: heap in use %ld MiB, resident %ld MiB, %lld frames\n", samples.size(),
                  samples.back() / 1024, ResidentKilobytes() / 1024, static_cast<long long>(machine.Frames()));
      std::fflush(stdout);
    }
    if (now >= end) player.FinishSoon();
  };
  while (WallClock::now() < end) player.PlayEpisode();
  const double seconds = std::chrono::duration<double>(WallClock::now() - start).count();
  PrintTally(player.Tally(), machine, seconds);
  std::printf("at the end: heap in use %ld MiB, resident %ld MiB\n", HeapInUseKilobytes() / 1024,
              ResidentKilobytes() / 1024);
  std::vector<std::string> problems = CheckDataFiles(options.folder, player.Tally(), ShownOptions(machine.Window()));
  if (problems.empty()) std::printf("files: all five read back as the run left them\n");
  const std::string growth = CheckMemoryGrowth(samples);
  if (samples.size() < kMinutesToJudgeMemory) {
    std::printf("memory: run too short to judge growth\n");
  } else if (growth.empty()) {
    std::printf("memory: no growth after minute 5\n");
  } else {
    problems.push_back(growth);
  }
  return problems;
}

}  // namespace
}  // namespace jizdavo::soak

int main(int argc, char** argv) {
  using namespace jizdavo::soak;
  // Whole lines, so that a report at exit never swallows the summary before it.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  try {
    const Options options = ReadArguments(argc, argv);
    std::printf("soak: %ld s, seed %llu, files in %s\n", options.seconds,
                static_cast<unsigned long long>(options.seed), options.folder.c_str());
    const std::vector<std::string> problems = Soak(options);
    for (const std::string& problem : problems) std::printf("problem: %s\n", problem.c_str());
    if (!problems.empty()) {
      std::printf("soak FAILED\n");
      return 1;
    }
    std::printf("soak passed\n");
    if (options.own_folder) std::filesystem::remove_all(options.folder);
    return 0;
  } catch (const std::exception& error) {
    std::printf("soak FAILED: %s\n", error.what());
    return 1;
  }
}

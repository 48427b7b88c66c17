#include "soak_checks.h"

#include <malloc.h>

#include <fstream>
#include <string>

#include "files/best_times.h"
#include "files/progress.h"

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer's runtime; its header does not come with every compiler's packages.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace jizdavo::soak {

namespace {

constexpr size_t kSettledMinute = 5;
constexpr long kGrowthSlackKb = 16 * 1024;

void CheckSettings(const std::filesystem::path& folder, const SoakTally& tally, const SavedOptions& options,
                   std::vector<std::string>& problems) {
  const std::filesystem::path file = folder / kSettingsFileName;
  if (!std::filesystem::exists(file)) {
    if (tally.option_visits > 0) problems.push_back("Settings.ini was never written");
    return;
  }
  if (SettingsFile(file).Read() != options) problems.push_back("Settings.ini does not hold the options shown");
}

void CheckProgress(const std::filesystem::path& folder, GameMode mode, int32_t expected,
                   std::vector<std::string>& problems) {
  const std::string name = ProgressFileName(mode);
  const std::string stored = ReadFile(folder / name).value_or("");
  // Nothing won yet leaves the file empty, which reads as level 1.
  const bool untouched = expected == 1 && stored.empty();
  if (!untouched && stored != EncodeProgress(expected)) {
    problems.push_back(name + " holds \"" + ComplementBytes(stored) + "\" instead of level " +
                       std::to_string(expected));
  }
  if (LoadProgress(folder, mode) != std::to_string(expected)) problems.push_back(name + " does not read back");
}

void CheckBestTimes(const std::filesystem::path& folder, GameMode mode, const std::vector<EnteredTime>& entered,
                    std::vector<std::string>& problems) {
  const std::string name = BestTimesFileName(mode);
  const std::vector<BestTimeRecord> records = ParseBestTimes(ReadFile(folder / name).value_or(""));
  std::vector<EnteredTime> expected;
  for (const EnteredTime& time : entered) {
    if (time.mode == mode) expected.push_back(time);
  }
  if (records.size() != expected.size()) {
    problems.push_back(name + " holds " + std::to_string(records.size()) + " records, " +
                       std::to_string(expected.size()) + " were entered");
    return;
  }
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i].Level != expected[i].level || records[i].Name != expected[i].name) {
      problems.push_back(name + " record " + std::to_string(i + 1) + " is not the one entered");
    }
  }
}

}  // namespace

std::vector<std::string> CheckDataFiles(const std::filesystem::path& folder, const SoakTally& tally,
                                        const SavedOptions& options) {
  std::vector<std::string> problems;
  CheckSettings(folder, tally, options, problems);
  CheckProgress(folder, GameMode::Standard, tally.standard_progress, problems);
  CheckProgress(folder, GameMode::CarChase, tally.chase_progress, problems);
  CheckBestTimes(folder, GameMode::Standard, tally.entered, problems);
  CheckBestTimes(folder, GameMode::CarChase, tally.entered, problems);
  return problems;
}

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kb = 0;
      status >> kb;
      return kb;
    }
  }
  return 0;
}

long HeapInUseKilobytes() {
#if defined(__SANITIZE_ADDRESS__)
  return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
  return static_cast<long>(mallinfo2().uordblks / 1024);
#endif
}

std::string CheckMemoryGrowth(const std::vector<long>& minute_samples_kb) {
  if (minute_samples_kb.size() < kMinutesToJudgeMemory) return "";
  const long settled = minute_samples_kb[kSettledMinute - 1];
  const long limit = settled + settled / 10 + kGrowthSlackKb;
  const long last = minute_samples_kb.back();
  if (last <= limit) return "";
  return "the heap in use grew from " + std::to_string(settled / 1024) + " MiB at minute " +
         std::to_string(kSettledMinute) + " to " + std::to_string(last / 1024) + " MiB";
}

}  // namespace jizdavo::soak

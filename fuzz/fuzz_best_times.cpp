// Feeds arbitrary bytes to the best-times reader as a stored "Score.dat": every list it makes must be
// a ranked, ordered top ten of records that read back the same after being written again; appending a
// record must keep every record that read before, and the new one must read last.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include <algorithm>
#include <optional>
#include <string>

#include "files/best_times.h"
#include "state/date_time.h"

namespace {

using namespace jizdavo;

void CheckList(const std::vector<BestTimeRecord>& records, int32_t level, GameMode mode) {
  const std::vector<BestTimeRow> rows = TopTen(records, level, mode);
  if (rows.size() > kTopTenSize) __builtin_trap();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].Rank != std::to_string(i + 1)) __builtin_trap();
    if (i > 0 && CompareTimes(rows[i - 1].Value, rows[i].Value, mode) > 0) __builtin_trap();
  }
  QualifiesForTopTen(rows, BestTimeOf(rows), mode);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<BestTimeRecord> records =
      ParseBestTimes(std::string_view(reinterpret_cast<const char*>(data), size));
  for (GameMode mode : {GameMode::Standard, GameMode::CarChase}) {
    for (int32_t level = 0; level <= LevelCount(mode) + 1; ++level) CheckList(records, level, mode);
  }
  const std::string_view stored(reinterpret_cast<const char*>(data), size);
  const BestTimeRecord added{3, "Fuzz", "00:42:000", MakeTime(0, 0, 42, 0)};
  if (const std::optional<AppendPlan> plan =
          PlanBestTimeAppend(stored, ComplementBytes(FormatBestTimeRecord(added.Level, added.Name, added.Value)))) {
    if (plan->keep > size) __builtin_trap();
    const std::vector<BestTimeRecord> after = ParseBestTimes(std::string(stored.substr(0, plan->keep)) + plan->bytes);
    // A line ended by the new record's start may complete one more record before it.
    if (after.size() < records.size() + 1 || after.back() != added) __builtin_trap();
    if (!std::equal(records.begin(), records.end(), after.begin())) __builtin_trap();
  } else if (size == 0 || !records.empty()) {
    __builtin_trap();  // only a file that holds no best time at all is refused
  }
  for (const BestTimeRecord& record : records) {
    const std::string stored = ComplementBytes(FormatBestTimeRecord(record.Level, record.Name, record.Value));
    const std::vector<BestTimeRecord> again = ParseBestTimes(stored);
    if (again.size() != 1 || again[0].Level != record.Level) __builtin_trap();
    if (again[0].Name != record.Name.substr(0, kMaxNameLength)) __builtin_trap();
  }
  return 0;
}

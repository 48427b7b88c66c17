#include "menus/best_times.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "frame/date_time.h"

namespace jizdavo {

namespace {

constexpr char kFieldEnd = 13;
constexpr double kMillisecondsPerDay = 24.0 * 60 * 60 * 1000;

int64_t WholeMilliseconds(TDateTime value) { return std::llround(value * kMillisecondsPerDay); }

std::optional<BestTimeRecord> MakeRecord(std::string level, std::string name, std::string time) {
  const std::optional<int32_t> levelNumber = ParseInteger(level);
  const std::optional<TDateTime> value = ParseTime(time);
  if (!levelNumber || !value) return std::nullopt;
  return BestTimeRecord{*levelNumber, std::move(name), std::move(time), *value};
}

// The length of the whole records at the start of `stored`; the reader ignores whatever follows them.
size_t WholeRecordsLength(std::string_view stored) {
  const char storedFieldEnd = static_cast<char>(~kFieldEnd);
  size_t fields = 0;
  size_t length = 0;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == storedFieldEnd && ++fields % 3 == 0) length = i + 1;
  }
  return length;
}

}  // namespace

const char* BestTimesFileName(GameMode mode) {
  return mode == GameMode::Standard ? "Score.dat" : "Scoreh.dat";
}

std::vector<std::string> SplitRecordLines(std::string_view plain) {
  std::vector<std::string> lines(1);
  for (char byte : plain) {
    if (byte == kFieldEnd) {
      lines.emplace_back();
    } else {
      lines.back() += byte;
    }
  }
  lines.pop_back();
  return lines;
}

std::vector<BestTimeRecord> ParseBestTimes(std::string_view stored) {
  std::vector<std::string> lines = SplitRecordLines(ComplementBytes(stored));
  std::vector<BestTimeRecord> records;
  for (size_t i = 0; i + 3 <= lines.size(); i += 3) {
    if (auto record = MakeRecord(std::move(lines[i]), std::move(lines[i + 1]), std::move(lines[i + 2]))) {
      records.push_back(std::move(*record));
    }
  }
  return records;
}

int CompareTimes(TDateTime t1, TDateTime t2, GameMode mode) {
  const int ascending = t1 < t2 ? -1 : (t1 > t2 ? 1 : 0);
  return mode == GameMode::CarChase ? -ascending : ascending;
}

std::vector<BestTimeRow> TopTen(const std::vector<BestTimeRecord>& records, int32_t level, GameMode mode) {
  std::vector<BestTimeRow> rows;
  for (const BestTimeRecord& record : records) {
    if (record.Level == level) rows.push_back({"", record.Name, record.Time, record.Value});
  }
  std::stable_sort(rows.begin(), rows.end(), [mode](const BestTimeRow& a, const BestTimeRow& b) {
    return CompareTimes(a.Value, b.Value, mode) < 0;
  });
  if (rows.size() > kTopTenSize) rows.resize(kTopTenSize);
  for (size_t i = 0; i < rows.size(); ++i) rows[i].Rank = std::to_string(i + 1);
  return rows;
}

TDateTime BestTimeOf(const std::vector<BestTimeRow>& topTen) {
  return topTen.empty() ? 0 : topTen.front().Value;
}

bool QualifiesForTopTen(const std::vector<BestTimeRow>& topTen, TDateTime gameTime, GameMode mode) {
  if (topTen.size() < kTopTenSize) return true;
  const int64_t worst = WholeMilliseconds(topTen.back().Value);
  const int64_t run = WholeMilliseconds(gameTime);
  return mode == GameMode::Standard ? worst > run : worst < run;
}

std::string FormatBestTimeRecord(int32_t level, std::string_view name, TDateTime time) {
  std::string storedName(name.substr(0, kMaxNameLength));
  std::replace(storedName.begin(), storedName.end(), kFieldEnd, ' ');
  std::string record = std::to_string(level);
  record += kFieldEnd;
  record += storedName;
  record += kFieldEnd;
  record += FormatTime(time);
  record += kFieldEnd;
  return record;
}

std::vector<BestTimeRow> LoadTopTen(const std::filesystem::path& folder, GameMode mode, int32_t level) {
  return TopTen(ParseBestTimes(ReadOrCreateFile(folder / BestTimesFileName(mode))), level, mode);
}

void AppendBestTime(const std::filesystem::path& folder, GameMode mode, int32_t level, std::string_view name,
                    TDateTime time) {
  const std::filesystem::path file = folder / BestTimesFileName(mode);
  // A record cut short (power lost in the middle of an append) would put every later record out of
  // step; its bytes, which the reader ignores, go before the new record is added.
  if (std::optional<std::string> stored = ReadFile(file)) {
    const size_t whole = WholeRecordsLength(*stored);
    std::error_code ignored;  // a file that cannot be cut cannot be appended to either
    if (whole < stored->size()) std::filesystem::resize_file(file, whole, ignored);
  }
  AppendToFile(file, ComplementBytes(FormatBestTimeRecord(level, name, time)));
}

}  // namespace jizdavo

#include "files/best_times.h"

#include <algorithm>
#include <optional>

#include "state/date_time.h"

namespace jizdavo {

namespace {

constexpr char kFieldEnd = 13;
constexpr char kStoredFieldEnd = static_cast<char>(~kFieldEnd);
constexpr size_t kTimeLength = 9;  // "nn:ss:zzz"
std::optional<BestTimeRecord> MakeRecord(std::string_view level, std::string_view name, std::string_view time) {
  const std::optional<int32_t> levelNumber = ParseInteger(level);
  const std::optional<TDateTime> value = levelNumber ? ParseTime(time) : std::nullopt;
  if (!value) return std::nullopt;
  return BestTimeRecord{*levelNumber, std::string(name.substr(0, kMaxNameLength)),
                        std::string(time.substr(0, kTimeLength)), *value};
}

// Calls `visit(record, end)` for every record that reads in the plain text, `end` being the offset
// just past its last byte 13. Three lines are tried as a record; where they do not read, the first is
// dropped and the next line joins them.
template <typename Visit>
void ForEachRecord(std::string_view plain, Visit&& visit) {
  std::string_view lines[3];
  size_t count = 0;
  size_t begin = 0;
  for (size_t end = plain.find(kFieldEnd); end != std::string_view::npos; end = plain.find(kFieldEnd, begin)) {
    lines[count++] = plain.substr(begin, end - begin);
    begin = end + 1;
    if (count < 3) continue;
    if (std::optional<BestTimeRecord> record = MakeRecord(lines[0], lines[1], lines[2])) {
      visit(std::move(*record), begin);
      count = 0;
    } else {
      lines[0] = lines[1];
      lines[1] = lines[2];
      count = 2;
    }
  }
}

// The best ten rows of one level, kept as records are offered one by one, so that a file of any
// length needs no more than ten rows. An equal time goes after those entered before it.
class TopTenList {
 public:
  TopTenList(int32_t level, GameMode mode) : level_(level), mode_(mode) {}

  void Offer(const BestTimeRecord& record) {
    if (record.Level != level_) return;
    const auto place = std::upper_bound(rows_.begin(), rows_.end(), record.Value, [this](TDateTime t, const BestTimeRow& row) {
      return CompareTimes(t, row.Value, mode_) < 0;
    });
    if (place == rows_.end() && rows_.size() == kTopTenSize) return;
    rows_.insert(place, BestTimeRow{"", record.Name, record.Time, record.Value});
    if (rows_.size() > kTopTenSize) rows_.pop_back();
  }

  std::vector<BestTimeRow> Ranked() && {
    for (size_t i = 0; i < rows_.size(); ++i) rows_[i].Rank = std::to_string(i + 1);
    return std::move(rows_);
  }

 private:
  int32_t level_;
  GameMode mode_;
  std::vector<BestTimeRow> rows_;
};

// Whether `tail` (plain) is the start of a record cut short: a level of one or two digits, then maybe
// a name of at most 15 bytes, then maybe part of a time, with fewer than three bytes 13.
bool IsUnfinishedRecord(std::string_view tail) {
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  const size_t levelEnd = std::min(tail.find(kFieldEnd), tail.size());
  const std::string_view level = tail.substr(0, levelEnd);
  if (level.empty() || level.size() > 2 || !std::all_of(level.begin(), level.end(), isDigit)) return false;
  if (levelEnd == tail.size()) return true;
  const std::string_view rest = tail.substr(levelEnd + 1);
  const size_t nameEnd = rest.find(kFieldEnd);
  if (nameEnd == std::string_view::npos) return rest.size() <= kMaxNameLength;
  const std::string_view time = rest.substr(nameEnd + 1);
  return nameEnd <= kMaxNameLength && time.size() <= kTimeLength && time.find(kFieldEnd) == std::string_view::npos;
}

// Where the unfinished start of a record that ends `tail` begins (the tail's start, or just after one
// of its last three bytes 13), the earliest that fits; nothing when the tail does not end with one.
std::optional<size_t> UnfinishedRecordStart(std::string_view tail) {
  size_t starts[4] = {};
  size_t count = 0;
  for (size_t end = tail.size(); count < 3 && end > 0;) {
    const size_t separator = tail.rfind(kFieldEnd, end - 1);
    if (separator == std::string_view::npos) break;
    starts[count++] = separator + 1;
    end = separator;
  }
  starts[count++] = 0;
  for (size_t i = count; i-- > 0;) {
    if (IsUnfinishedRecord(tail.substr(starts[i]))) return starts[i];
  }
  return std::nullopt;
}

}  // namespace

const char* BestTimesFileName(GameMode mode) {
  return mode == GameMode::Standard ? "Score.dat" : "Scoreh.dat";
}

std::vector<BestTimeRecord> ParseBestTimes(std::string_view stored) {
  std::vector<BestTimeRecord> records;
  ForEachRecord(ComplementBytes(stored), [&records](BestTimeRecord&& record, size_t) {
    records.push_back(std::move(record));
  });
  return records;
}

std::optional<AppendPlan> PlanBestTimeAppend(std::string_view stored, std::string_view storedRecord) {
  size_t lastRecordEnd = 0;
  const std::string plain = ComplementBytes(stored);
  ForEachRecord(plain, [&lastRecordEnd](BestTimeRecord&&, size_t end) { lastRecordEnd = end; });
  const std::string_view tail = std::string_view(plain).substr(lastRecordEnd);
  if (tail.empty()) return AppendPlan{stored.size(), std::string(storedRecord)};
  const std::optional<size_t> unfinished = UnfinishedRecordStart(tail);
  // A file with no record is best times only when it holds nothing but the start of one.
  if (lastRecordEnd == 0 && unfinished != 0u) return std::nullopt;
  if (unfinished) return AppendPlan{lastRecordEnd + *unfinished, std::string(storedRecord)};
  // Damaged bytes stay as they are; the reader skips their lines.
  const bool endsLine = tail.back() == kFieldEnd;
  return AppendPlan{stored.size(), (endsLine ? "" : std::string(1, kStoredFieldEnd)) + std::string(storedRecord)};
}

int CompareTimes(TDateTime t1, TDateTime t2, GameMode mode) {
  const int ascending = t1 < t2 ? -1 : (t1 > t2 ? 1 : 0);
  return mode == GameMode::CarChase ? -ascending : ascending;
}

std::vector<BestTimeRow> TopTen(const std::vector<BestTimeRecord>& records, int32_t level, GameMode mode) {
  TopTenList list(level, mode);
  for (const BestTimeRecord& record : records) list.Offer(record);
  return std::move(list).Ranked();
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

std::string StoredName(std::string_view name) {
  std::string stored(name.substr(0, kMaxNameLength));
  std::replace(stored.begin(), stored.end(), kFieldEnd, ' ');
  return stored;
}

std::string FormatBestTimeRecord(int32_t level, std::string_view name, TDateTime time) {
  std::string record = std::to_string(level);
  record += kFieldEnd;
  record += StoredName(name);
  record += kFieldEnd;
  record += FormatTime(time);
  record += kFieldEnd;
  return record;
}

std::vector<BestTimeRow> LoadTopTen(const std::filesystem::path& folder, GameMode mode, int32_t level) {
  const std::string plain = ComplementBytes(ReadOrCreateFile(folder / BestTimesFileName(mode), kBestTimesReadLimit));
  TopTenList list(level, mode);
  ForEachRecord(plain, [&list](BestTimeRecord&& record, size_t) { list.Offer(record); });
  return std::move(list).Ranked();
}

int AppendBestTime(const std::filesystem::path& folder, GameMode mode, int32_t level, std::string_view name,
                   TDateTime time) {
  const std::string record = ComplementBytes(FormatBestTimeRecord(level, name, time));
  const BestTimeRecord added{level, StoredName(name), FormatTime(time), 0};
  int occurrence = 1;
  AppendToFile(folder / BestTimesFileName(mode), kBestTimesReadLimit, [&](std::string_view stored) {
    const std::vector<BestTimeRecord> records = ParseBestTimes(stored);
    occurrence = 1 + static_cast<int>(std::count_if(records.begin(), records.end(), [&added](const BestTimeRecord& r) {
                   return r.Level == added.Level && r.Name == added.Name && r.Time == added.Time;
                 }));
    return PlanBestTimeAppend(stored, record);
  });
  return occurrence;
}

}  // namespace jizdavo

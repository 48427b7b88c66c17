#pragma once
// Best times, "Score.dat" (Standard) and "Scoreh.dat" (Car chase): every time ever entered, as records
// of three fields, each followed by byte 13: the level in decimal, the name (0-15 8-bit characters) and
// the time as "nn:ss:zzz"; every byte complemented; new records appended, none ever removed. Level 3,
// "Ann", 01:02:345 is stored as CC F2 BE 91 91 F2 CF CE C5 CF CD C5 CC CB CA F2.
//
// For Standard the time is the time taken (smaller is better); for Car chase it is the time left on the
// clock (larger is better).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/data_folder.h"
#include "state/game_state.h"

namespace jizdavo {

// The longest name the name field takes.
inline constexpr size_t kMaxNameLength = 15;
// Ranks shown on the scores list.
inline constexpr size_t kTopTenSize = 10;

// "Score.dat" or "Scoreh.dat".
const char* BestTimesFileName(GameMode mode);

// One stored record.
struct BestTimeRecord {
  int32_t Level = 0;
  std::string Name;
  std::string Time;  // "nn:ss:zzz" as stored
  TDateTime Value = 0;

  bool operator==(const BestTimeRecord&) const = default;
};

// One row of the scores list: rank caption "1".."10", name and time text.
struct BestTimeRow {
  std::string Rank;
  std::string Name;
  std::string Time;
  TDateTime Value = 0;

  bool operator==(const BestTimeRow&) const = default;
};

// The records of the stored (complemented) bytes, in file order. The text is lines, each ended by byte
// 13 (whatever follows the last 13 is no line). A record is three lines whose first (the level) and
// third (the time) read as numbers; where they do not, reading goes on from the next line, so a
// damaged byte costs at most the records it touches. Names are cut to 15 bytes and times to their 9.
std::vector<BestTimeRecord> ParseBestTimes(std::string_view stored);

// How the stored record `storedRecord` is appended to the stored best times `stored`: of the bytes
// after the last record that reads, only the unfinished start of one record at their end (an append
// cut short) is cut; other bytes there are kept, and the new record starts on a line of its own (which
// may complete a record whose last byte 13 was lost). Nothing when the file is not best times at all:
// bytes, but no record and not just the start of one (e.g. an unrelated file linked in its place).
std::optional<AppendPlan> PlanBestTimeAppend(std::string_view stored, std::string_view storedRecord);

// The order of the scores list: -1, 0 or 1 as t1 is better than, as good as or worse than t2 (shorter
// first in Standard, more time left first in Car chase).
int CompareTimes(TDateTime t1, TDateTime t2, GameMode mode);

// The best ten records of `level`, ranked 1..10. Equal times keep the order they were entered in, so
// the earlier entry ranks higher and the newer one is the first to drop out.
std::vector<BestTimeRow> TopTen(const std::vector<BestTimeRecord>& records, int32_t level, GameMode mode);

// The time of rank 1, or 0 when the list is empty (the "Best time" of the heads-up display).
TDateTime BestTimeOf(const std::vector<BestTimeRow>& topTen);

// Whether a finished run of `gameTime` enters the top ten shown: a list of fewer than ten always takes
// it; otherwise it must beat the tenth, strictly (an equal time does not qualify). Times are compared
// to the millisecond, the precision they are stored with.
bool QualifiesForTopTen(const std::vector<BestTimeRow>& topTen, TDateTime gameTime, GameMode mode);

// The name as a record stores it: cut to 15 bytes, a byte 13 (which would split the record) a blank.
std::string StoredName(std::string_view name);

// The plain text of a new record: level, name, time as "nn:ss:zzz" with hours dropped, each followed by
// 13. A name is cut to 15 bytes, and a byte 13 in it (which would split the record) becomes a blank.
std::string FormatBestTimeRecord(int32_t level, std::string_view name, TDateTime time);

// The top ten of `level` from the mode's file in `folder`, read up to kBestTimesReadLimit; a missing
// file is created empty.
std::vector<BestTimeRow> LoadTopTen(const std::filesystem::path& folder, GameMode mode, int32_t level);

// Appends a record to the mode's file in `folder`, creating it (PlanBestTimeAppend), and tells which
// of the level's records with its name and time it is, from 1 (as read under the append's lock).
// Throws Error "Unable to write to <file>", leaving the records already stored intact.
int AppendBestTime(const std::filesystem::path& folder, GameMode mode, int32_t level, std::string_view name,
                    TDateTime time);

}  // namespace jizdavo

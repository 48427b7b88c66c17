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
#include <string>
#include <string_view>
#include <vector>

#include "frame/game_state.h"
#include "menus/data_folder.h"

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

// The lines of a best-times text (complemented back): start with one empty line, byte 13 starts a new
// one, every other byte goes onto the last; the last line, after the final 13, is dropped.
std::vector<std::string> SplitRecordLines(std::string_view plain);

// The records of the stored (complemented) bytes, in file order: consecutive triples of lines, a
// leftover one or two lines ignored. A record whose level or time is not a number is skipped, so a
// damaged record never hides the others.
std::vector<BestTimeRecord> ParseBestTimes(std::string_view stored);

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

// The plain text of a new record: level, name, time as "nn:ss:zzz" with hours dropped, each followed by
// 13. A name is cut to 15 bytes, and a byte 13 in it (which would split the record) becomes a blank.
std::string FormatBestTimeRecord(int32_t level, std::string_view name, TDateTime time);

// The top ten of `level` from the mode's file in `folder`; a missing file is created empty.
std::vector<BestTimeRow> LoadTopTen(const std::filesystem::path& folder, GameMode mode, int32_t level);

// Appends a record to the mode's file in `folder`, creating it; a record cut short at the end of the
// file is dropped first, so the new one stays in step. Throws Error "Unable to write to <file>",
// leaving the records already stored intact.
void AppendBestTime(const std::filesystem::path& folder, GameMode mode, int32_t level, std::string_view name,
                    TDateTime time);

}  // namespace jizdavo

#include "state/level_record.h"

#include <charconv>
#include <string_view>

#include "platform/error.h"
#include "state/date_time.h"

namespace jizdavo {

namespace {

constexpr int LinesPerRecord = 4;
constexpr int LaneGapEntries = static_cast<int>(std::tuple_size_v<decltype(TGameState::LaneGap)>);

// Names the place of a problem: "Level 3, line 12".
struct RecordPlace {
  const char* kind;
  int record;
  int line;  // 1-based line of the table

  [[noreturn]] void Fail(const std::string& what) const {
    throw Error(std::string(kind) + " " + std::to_string(record) + ", line " + std::to_string(line) + ": " +
                what);
  }
};

int ReadNumber(std::string_view text, const RecordPlace& place, std::string_view whole) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0) {
    place.Fail("'" + std::string(text) + "' in '" + std::string(whole) + "' is not a number");
  }
  return value;
}

RecordPlace RulesPlace(const char* kind, int record) {
  return {kind, record, (record - 1) * LinesPerRecord + LinesPerRecord};
}

}  // namespace

LevelRecord ReadLevelRecord(const std::vector<std::string>& table, int level, bool chase) {
  const char* kind = chase ? "Area" : "Level";
  int first = (level - 1) * LinesPerRecord;
  if (level < 1 || first + LinesPerRecord > static_cast<int>(table.size())) {
    throw Error(std::string(kind) + " " + std::to_string(level) + " has no record in a table of " +
                std::to_string(table.size()) + " lines");
  }
  auto field = [&](int k) {
    RecordPlace place{kind, level, first + k + 1};
    return ReadNumber(table[first + k], place, table[first + k]);
  };
  LevelRecord record;
  record.Lanes = field(0);
  record.Roads = field(1);
  record.Ground = field(2);
  record.Rules = table[first + 3];
  if (record.Lanes < 2) RecordPlace{kind, level, first + 1}.Fail("a road needs at least 2 lanes");
  if (record.Roads < 1) RecordPlace{kind, level, first + 2}.Fail("a level needs at least 1 road");
  if (record.Lanes * record.Roads > LaneGapEntries) {
    RecordPlace{kind, level, first + 2}.Fail("more than " + std::to_string(LaneGapEntries) + " lanes in all");
  }
  return record;
}

std::vector<BarrierGap> ReadBarrierGaps(const LevelRecord& record, int level) {
  RecordPlace place = RulesPlace("Level", level);
  std::string_view rest = record.Rules;
  std::vector<BarrierGap> gaps;
  for (int b = 0; b <= record.Roads; ++b) {
    if (rest.empty() || rest == "no") break;
    size_t semicolon = rest.find(';');
    size_t comma = rest.find(',');
    size_t hash = rest.find('#');
    if (semicolon == std::string_view::npos || comma == std::string_view::npos ||
        hash == std::string_view::npos || !(semicolon < comma && comma < hash)) {
      place.Fail("'" + std::string(rest) + "' is not a list of items line;gap,left#");
    }
    if (ReadNumber(rest.substr(0, semicolon), place, record.Rules) != b) continue;
    BarrierGap gap;
    gap.Line = b;
    gap.Width = ReadNumber(rest.substr(semicolon + 1, comma - semicolon - 1), place, record.Rules);
    gap.Left = ReadNumber(rest.substr(comma + 1, hash - comma - 1), place, record.Rules);
    gaps.push_back(gap);
    rest.remove_prefix(hash + 1);
  }
  return gaps;
}

AreaRules ReadAreaRules(const LevelRecord& record, int area) {
  RecordPlace place = RulesPlace("Area", area);
  std::string_view rules = record.Rules;
  if (rules.size() < 9 || rules[2] != ':' || rules[5] != ':' || rules[8] != ';') {
    place.Fail("'" + record.Rules + "' does not start with a time limit hh:mm:ss;");
  }
  AreaRules result;
  result.TimeLimit = MakeTime(ReadNumber(rules.substr(0, 2), place, rules), ReadNumber(rules.substr(3, 2), place, rules),
                              ReadNumber(rules.substr(6, 2), place, rules), 0);
  rules.remove_prefix(9);
  size_t first = rules.find(';');
  size_t second = first == std::string_view::npos ? first : rules.find(';', first + 1);
  if (second == std::string_view::npos) place.Fail("'" + record.Rules + "' lacks the two counts");
  result.CarsToKill = ReadNumber(rules.substr(0, first), place, record.Rules);
  result.CarsKilled = ReadNumber(rules.substr(first + 1, second - first - 1), place, record.Rules);
  result.EveryCarCounts = rules.substr(second + 1) == "1";
  return result;
}

}  // namespace jizdavo

#include "state/level_record.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "state/date_time.h"
#include "state/level_tables.h"
#include "platform/error.h"

namespace jizdavo {
namespace {

using ::testing::HasSubstr;

TEST(LevelTables, HoldFourLinesPerRecord) {
  EXPECT_EQ(StandardLevelLines().size(), 64u);
  EXPECT_EQ(ChaseAreaLines().size(), 24u);
}

TEST(LevelTables, EveryRecordReads) {
  for (int level = 1; level <= 16; ++level) {
    LevelRecord r = ReadLevelRecord(StandardLevelLines(), level, false);
    EXPECT_NO_THROW(ReadBarrierGaps(r, level));
    EXPECT_THAT(r.Ground, ::testing::AllOf(::testing::Ge(1), ::testing::Le(4)));
  }
  for (int area = 1; area <= 6; ++area) {
    EXPECT_NO_THROW(ReadAreaRules(ReadLevelRecord(ChaseAreaLines(), area, true), area));
  }
}

TEST(LevelRecord, ReadsLevelSixteen) {
  LevelRecord r = ReadLevelRecord(StandardLevelLines(), 16, false);
  EXPECT_EQ(r.Lanes, 4);
  EXPECT_EQ(r.Roads, 4);
  EXPECT_EQ(r.Ground, 3);
  std::vector<BarrierGap> gaps = ReadBarrierGaps(r, 16);
  ASSERT_EQ(gaps.size(), 5u);
  EXPECT_EQ(gaps[4].Line, 4);
  EXPECT_EQ(gaps[4].Width, 50);
  EXPECT_EQ(gaps[4].Left, 25);
}

TEST(LevelRecord, BarrierItemsAreTakenOnlyWhenTheirLineComes) {
  struct Case {
    const char* rules;
    std::vector<int> lines;
  } cases[] = {
      {"no", {}},
      {"", {}},
      {"1;200,150#", {1}},
      {"0;25,0#1;25,615#2;50,0#", {0, 1, 2}},
      {"2;10,10#1;10,10#", {2}},  // out of order: line 1 is never reached
      {"1;10,10#1;20,20#", {1}},  // one item per line
      {"3;10,10#", {}},           // beyond the last barrier line of two roads
  };
  for (const Case& c : cases) {
    LevelRecord r{2, 1, 1, c.rules};
    r.Roads = 2;
    std::vector<int> lines;
    for (const BarrierGap& g : ReadBarrierGaps(r, 5)) lines.push_back(g.Line);
    EXPECT_EQ(lines, c.lines) << c.rules;
  }
}

TEST(LevelRecord, ReadsAreaRules) {
  AreaRules a1 = ReadAreaRules(ReadLevelRecord(ChaseAreaLines(), 1, true), 1);
  EXPECT_DOUBLE_EQ(a1.TimeLimit, MakeTime(0, 1, 0, 0));
  EXPECT_EQ(a1.CarsToKill, 20);
  EXPECT_EQ(a1.CarsKilled, 10);
  EXPECT_FALSE(a1.EveryCarCounts);
  for (int area = 1; area <= 6; ++area) {
    bool flag = ReadAreaRules(ReadLevelRecord(ChaseAreaLines(), area, true), area).EveryCarCounts;
    EXPECT_EQ(flag, area == 2 || area == 4) << area;
  }
}

TEST(LevelRecord, MalformedRecordsNameTheRecordAndTheLine) {
  struct Case {
    std::vector<std::string> table;
    int record;
    bool chase;
    bool area_rules;
    const char* message;
  } cases[] = {
      {{"2", "1", "1"}, 1, false, false, "Level 1 has no record"},
      {{"2", "1", "1", "no"}, 2, false, false, "Level 2 has no record"},
      {{"2", "1", "1", "no"}, 0, false, false, "Level 0 has no record"},
      {{"two", "1", "1", "no"}, 1, false, false, "Level 1, line 1: 'two'"},
      {{"2", "1", "1", "no", "2", "", "1", "no"}, 2, false, false, "Level 2, line 6: ''"},
      {{"1", "1", "1", "no"}, 1, false, false, "Level 1, line 1: a road needs at least 2 lanes"},
      {{"2", "0", "1", "no"}, 1, false, false, "Level 1, line 2"},
      {{"6", "4", "1", "no"}, 1, false, false, "more than 21 lanes"},
      {{"2", "1", "1", "1;200150#"}, 1, false, false, "Level 1, line 4: '1;200150#'"},
      {{"2", "1", "1", "1;2x0,150#"}, 1, false, false, "Level 1, line 4: '2x0'"},
      {{"2", "1", "1", "0;20,10#1;30,5"}, 1, false, false, "Level 1, line 4: '1;30,5'"},
      {{"2", "1", "1", "00:01;20;10;"}, 1, true, true, "Area 1, line 4"},
      {{"2", "1", "1", "00:01:00;20"}, 1, true, true, "Area 1, line 4"},
      {{"2", "1", "1", "00:0x:00;20;1;"}, 1, true, true, "Area 1, line 4: '0x'"},
  };
  for (const Case& c : cases) {
    try {
      LevelRecord r = ReadLevelRecord(c.table, c.record, c.chase);
      if (c.area_rules) {
        ReadAreaRules(r, c.record);
      } else {
        ReadBarrierGaps(r, c.record);
      }
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const Error& e) {
      EXPECT_THAT(e.what(), HasSubstr(c.message));
    }
  }
}

}  // namespace
}  // namespace jizdavo

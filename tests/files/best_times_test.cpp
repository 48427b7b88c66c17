#include "files/best_times.h"

#include <optional>

#include <gtest/gtest.h>

#include "files/file_fixtures.h"
#include "platform/error.h"
#include "state/date_time.h"

namespace jizdavo {
namespace {

using testing::FileSizeLimit;
using testing::TempFolderTest;

std::string Record(const std::string& level, const std::string& name, const std::string& time) {
  return level + "\r" + name + "\r" + time + "\r";
}

std::vector<std::string> Names(const std::vector<BestTimeRow>& rows) {
  std::vector<std::string> names;
  for (const BestTimeRow& row : rows) names.push_back(row.Name);
  return names;
}

TEST(BestTimesFormatTest, StoresTheExampleRecordByteForByte) {
  const std::string stored = ComplementBytes(FormatBestTimeRecord(3, "Ann", MakeTime(0, 1, 2, 345)));
  EXPECT_EQ(stored, "\xCC\xF2\xBE\x91\x91\xF2\xCF\xCE\xC5\xCF\xCD\xC5\xCC\xCB\xCA\xF2");
  EXPECT_EQ(ParseBestTimes(stored),
            (std::vector<BestTimeRecord>{{3, "Ann", "01:02:345", MakeTime(0, 1, 2, 345)}}));
  EXPECT_STREQ(BestTimesFileName(GameMode::Standard), "Score.dat");
  EXPECT_STREQ(BestTimesFileName(GameMode::CarChase), "Scoreh.dat");
}

TEST(BestTimesFormatTest, WritesRecordsTheWayTheyAreReadBack) {
  const struct {
    int32_t level;
    std::string name;
    TDateTime time;
    std::string plain;
  } cases[] = {
      {16, "", MakeTime(0, 0, 7, 5), "16\r\r00:07:005\r"},
      {2, "Bo", MakeTime(1, 3, 4, 5), "2\rBo\r03:04:005\r"},  // hours dropped
      {1, "A name far too long", MakeTime(0, 0, 1, 0), "1\rA name far too \r00:01:000\r"},
      {1, "line\rbreak", MakeTime(0, 0, 1, 0), "1\rline break\r00:01:000\r"},
      {4, "\xE9\xF8", MakeTime(0, 59, 59, 999), "4\r\xE9\xF8\r59:59:999\r"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatBestTimeRecord(c.level, c.name, c.time), c.plain) << c.name;
}

TEST(BestTimesFormatTest, SkipsDamagedRecordsAndKeepsTheRest) {
  const struct {
    const char* what;
    std::string plain;
    std::vector<std::string> names;
  } cases[] = {
      {"last field cut short", Record("1", "A", "00:10:000") + "1\rB\r00:05:000", {"A"}},
      {"two leftover lines", Record("1", "A", "00:10:000") + "1\rB\r", {"A"}},
      {"level not a number", Record("x", "A", "00:10:000") + Record("1", "B", "00:11:000"), {"B"}},
      {"time not a number", Record("1", "A", "0a:10:000") + Record("1", "B", "00:11:000"), {"B"}},
      {"time too short", Record("1", "A", "00:10") + Record("1", "B", "00:11:000"), {"B"}},
      {"empty name kept", Record("1", "", "00:10:000"), {""}},
      {"noise only", "\x01\x02\x03", {}},
      {"lines only", "a\r\rc\rtail", {}},
      {"a damaged byte 13 costs its record only",
       Record("1", "A", "00:10:000") + "1\rB\xFF" + "00:11:000\r" + Record("1", "C", "00:12:000") +
           Record("1", "D", "00:13:000"),
       {"A", "C", "D"}},
      {"stray lines before a record", "junk\r\r7\r" + Record("1", "A", "00:10:000"), {"A"}},
      {"a long name cut to 15 bytes", Record("1", std::string(40, 'n'), "00:10:000"), {std::string(15, 'n')}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> names;
    for (const BestTimeRecord& record : ParseBestTimes(ComplementBytes(c.plain))) {
      names.push_back(record.Name);
    }
    EXPECT_EQ(names, c.names) << c.what;
  }
}

TEST(BestTimesListTest, RanksTheLevelsRecordsBestFirst) {
  const std::vector<BestTimeRecord> records = ParseBestTimes(ComplementBytes(
      Record("1", "Slow", "00:30:000") + Record("2", "Other level", "00:01:000") +
      Record("1", "Fast", "00:10:000") + Record("1", "Mid", "00:20:000")));
  EXPECT_EQ(Names(TopTen(records, 1, GameMode::Standard)), (std::vector<std::string>{"Fast", "Mid", "Slow"}));
  EXPECT_EQ(Names(TopTen(records, 1, GameMode::CarChase)), (std::vector<std::string>{"Slow", "Mid", "Fast"}));
  const std::vector<BestTimeRow> rows = TopTen(records, 1, GameMode::Standard);
  EXPECT_EQ(rows[0], (BestTimeRow{"1", "Fast", "00:10:000", MakeTime(0, 0, 10, 0)}));
  EXPECT_EQ(rows[2].Rank, "3");
  EXPECT_EQ(BestTimeOf(rows), MakeTime(0, 0, 10, 0));
  EXPECT_EQ(BestTimeOf(TopTen(records, 3, GameMode::Standard)), 0);
}

TEST(BestTimesListTest, EqualTimesKeepTheOrderTheyWereEnteredIn) {
  std::string plain;
  for (const char* name : {"First", "Second", "Third"}) plain += Record("1", name, "00:15:000");
  const std::vector<BestTimeRecord> records = ParseBestTimes(ComplementBytes(plain));
  const std::vector<std::string> entered{"First", "Second", "Third"};
  EXPECT_EQ(Names(TopTen(records, 1, GameMode::Standard)), entered);
  EXPECT_EQ(Names(TopTen(records, 1, GameMode::CarChase)), entered);
}

TEST(BestTimesListTest, CompareOrdersByModeAndTellsEqualTimes) {
  const TDateTime a = MakeTime(0, 0, 1, 0);
  const TDateTime b = MakeTime(0, 0, 2, 0);
  EXPECT_EQ(CompareTimes(a, b, GameMode::Standard), -1);
  EXPECT_EQ(CompareTimes(b, a, GameMode::Standard), 1);
  EXPECT_EQ(CompareTimes(a, b, GameMode::CarChase), 1);
  EXPECT_EQ(CompareTimes(b, a, GameMode::CarChase), -1);
  EXPECT_EQ(CompareTimes(a, a, GameMode::Standard), 0);
  EXPECT_EQ(CompareTimes(a, a, GameMode::CarChase), 0);
}

// Ten records of level 1 from 00:31:000 to 00:40:000, and one of level 2.
std::string TenTimes() {
  std::string plain = Record("2", "Elsewhere", "00:50:000");
  for (int s = 40; s > 30; --s) {
    plain += Record("1", "P" + std::to_string(s), "00:" + std::to_string(s) + ":000");
  }
  return plain;
}

TEST(BestTimesListTest, QualifyingMeansBeatingTheTenthStrictly) {
  const std::vector<BestTimeRow> standard = TopTen(ParseBestTimes(ComplementBytes(TenTimes())), 1,
                                                   GameMode::Standard);
  ASSERT_EQ(standard.size(), 10u);
  EXPECT_EQ(standard.back().Time, "00:40:000");
  const std::vector<BestTimeRow> chase = TopTen(ParseBestTimes(ComplementBytes(TenTimes())), 1,
                                                GameMode::CarChase);
  EXPECT_EQ(chase.back().Time, "00:31:000");
  const struct {
    const std::vector<BestTimeRow>& rows;
    GameMode mode;
    TDateTime run;
    bool qualifies;
  } cases[] = {
      {standard, GameMode::Standard, MakeTime(0, 0, 40, 0), false},
      {standard, GameMode::Standard, MakeTime(0, 0, 39, 999), true},
      {standard, GameMode::Standard, MakeTime(0, 0, 40, 1), false},
      // a clock summed up frame by frame lands a hair off; the stored millisecond decides
      {standard, GameMode::Standard, MakeTime(0, 0, 40, 0) + 1e-15, false},
      {standard, GameMode::Standard, MakeTime(0, 0, 40, 0) - 1e-15, false},
      {chase, GameMode::CarChase, MakeTime(0, 0, 31, 0), false},
      {chase, GameMode::CarChase, MakeTime(0, 0, 31, 1), true},
      {chase, GameMode::CarChase, MakeTime(0, 0, 30, 999), false},
      {{}, GameMode::Standard, MakeTime(0, 59, 0, 0), true},
      {{}, GameMode::CarChase, 0, true},
  };
  for (const auto& c : cases) EXPECT_EQ(QualifiesForTopTen(c.rows, c.run, c.mode), c.qualifies) << c.run;
}

using BestTimesFileTest = TempFolderTest;

TEST_F(BestTimesFileTest, AFreshFolderHasEmptyListsAndTheFirstRunQualifies) {
  for (GameMode mode : {GameMode::Standard, GameMode::CarChase}) {
    const std::vector<BestTimeRow> rows = LoadTopTen(folder_, mode, 1);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(BestTimeOf(rows), 0);
    EXPECT_TRUE(QualifiesForTopTen(rows, MakeTime(0, 5, 0, 0), mode));
  }
  EXPECT_TRUE(std::filesystem::exists(File("Score.dat")));
  EXPECT_TRUE(std::filesystem::exists(File("Scoreh.dat")));
}

TEST_F(BestTimesFileTest, ANewTimeTakesItsPlaceAndPushesTheTenthOut) {
  WriteBytes("Score.dat", ComplementBytes(TenTimes()));
  const TDateTime run = MakeTime(0, 0, 39, 999);
  ASSERT_TRUE(QualifiesForTopTen(LoadTopTen(folder_, GameMode::Standard, 1), run, GameMode::Standard));
  AppendBestTime(folder_, GameMode::Standard, 1, "New", run);
  const std::vector<BestTimeRow> rows = LoadTopTen(folder_, GameMode::Standard, 1);
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[9], (BestTimeRow{"10", "New", "00:39:999", run}));
  EXPECT_EQ(rows[8].Name, "P39");
  // The file keeps every record; only the list drops the former tenth.
  EXPECT_EQ(ReadBytes("Score.dat"), ComplementBytes(TenTimes() + Record("1", "New", "00:39:999")));
}

TEST_F(BestTimesFileTest, AnHourLongRunIsStoredWithoutItsHours) {
  AppendBestTime(folder_, GameMode::CarChase, 6, "", MakeTime(1, 2, 3, 4));
  EXPECT_EQ(ReadBytes("Scoreh.dat"), ComplementBytes("6\r\r02:03:004\r"));
  EXPECT_EQ(LoadTopTen(folder_, GameMode::CarChase, 6),
            (std::vector<BestTimeRow>{{"1", "", "02:03:004", MakeTime(0, 2, 3, 4)}}));
}

TEST_F(BestTimesFileTest, ADamagedFileStillShowsItsValidRecords) {
  const std::string garbageLevel("\x00\xFF\x41\xF2", 4);  // stored bytes, ending in a stored 13
  WriteBytes("Score.dat", ComplementBytes(Record("1", "Good", "00:12:000")) + garbageLevel +
                              ComplementBytes("Bad\r00:01:000\r" + Record("1", "Late", "00:13:000")));
  EXPECT_EQ(Names(LoadTopTen(folder_, GameMode::Standard, 1)), (std::vector<std::string>{"Good", "Late"}));
}

TEST_F(BestTimesFileTest, ADamagedSeparatorHidesOneRecordAndTheNextAppendKeepsEveryOther) {
  std::string stored;
  for (const char* name : {"A", "B", "C", "D", "E", "F", "G", "H"}) stored += ComplementBytes(Record("1", name, "00:20:000"));
  const size_t separatorAfterB = stored.find(ComplementBytes("B\r")) + 1;
  stored[separatorAfterB] = '\0';
  WriteBytes("Score.dat", stored);
  EXPECT_EQ(Names(LoadTopTen(folder_, GameMode::Standard, 1)),
            (std::vector<std::string>{"A", "C", "D", "E", "F", "G", "H"}));
  AppendBestTime(folder_, GameMode::Standard, 1, "New", MakeTime(0, 0, 10, 0));
  EXPECT_EQ(ReadBytes("Score.dat"), stored + ComplementBytes(Record("1", "New", "00:10:000")));
  EXPECT_EQ(Names(LoadTopTen(folder_, GameMode::Standard, 1)),
            (std::vector<std::string>{"New", "A", "C", "D", "E", "F", "G", "H"}));
}

TEST_F(BestTimesFileTest, AnAppendCutsOnlyAnUnfinishedRecordAndNeverWritesIntoAnotherFile) {
  const std::string kept = Record("1", "Kept", "00:20:000");
  const std::string added = Record("1", "New", "00:10:000");
  const struct {
    const char* what;
    std::string before;
    std::optional<std::string> after;  // nothing: refused, the file untouched
  } cases[] = {
      {"empty", "", added},
      {"whole records", kept, kept + added},
      {"cut in the time", kept + "1\rAnn\r00:1", kept + added},
      {"cut before the time", kept + "12\rAnn\r", kept + added},
      {"cut in the level", kept + "1", kept + added},
      {"only an unfinished record", "3\rAnn", added},
      {"a damaged record kept", kept + "x\rB\r00:10:000\r", kept + "x\rB\r00:10:000\r" + added},
      {"damaged bytes kept, the record on a line of its own", kept + "1\r" + std::string(30, 'z'),
       kept + "1\r" + std::string(30, 'z') + "\r" + added},
      {"an unfinished record after damaged bytes", kept + "zz\r4\rAn", kept + "zz\r" + added},
      {"not best times at all", "root:x:0:0:root:/root:/bin/bash\n", std::nullopt},
  };
  for (const auto& c : cases) {
    WriteBytes("Score.dat", ComplementBytes(c.before));
    if (c.after) {
      AppendBestTime(folder_, GameMode::Standard, 1, "New", MakeTime(0, 0, 10, 0));
      EXPECT_EQ(ComplementBytes(ReadBytes("Score.dat")), *c.after) << c.what;
    } else {
      EXPECT_THROW(AppendBestTime(folder_, GameMode::Standard, 1, "New", MakeTime(0, 0, 10, 0)), Error) << c.what;
      EXPECT_EQ(ComplementBytes(ReadBytes("Score.dat")), c.before) << c.what;
    }
  }
  // Linked to an unrelated file: nothing is cut from it or added to it.
  const std::string passwd = "root:x:0:0:root:/root:/bin/bash\nann:x:1000:1000::/home/ann:/bin/sh\n";
  WriteBytes("passwd", passwd);
  std::filesystem::remove(File("Score.dat"));
  std::filesystem::create_symlink(File("passwd"), File("Score.dat"));
  EXPECT_TRUE(LoadTopTen(folder_, GameMode::Standard, 1).empty());
  EXPECT_THROW(AppendBestTime(folder_, GameMode::Standard, 1, "New", MakeTime(0, 0, 10, 0)), Error);
  EXPECT_EQ(ReadBytes("passwd"), passwd);
}

TEST_F(BestTimesFileTest, AHugeNameIsShownCutAndAHugeFileIsReadUpToItsBound) {
  WriteBytes("Score.dat", ComplementBytes(Record("1", std::string(10 << 20, 'n'), "00:10:000")));
  EXPECT_EQ(Names(LoadTopTen(folder_, GameMode::Standard, 1)), (std::vector<std::string>{std::string(15, 'n')}));
  EXPECT_TRUE(TakePlayerMessages().empty());
  std::filesystem::resize_file(File("Score.dat"), kBestTimesReadLimit + 1);
  EXPECT_EQ(LoadTopTen(folder_, GameMode::Standard, 1).size(), 1u);
  EXPECT_EQ(TakePlayerMessages(), (std::vector<std::string>{"Only the first 16384 KB of " + File("Score.dat").string() +
                                                            " are read: the file is larger"}));
  EXPECT_THROW(AppendBestTime(folder_, GameMode::Standard, 1, "New", MakeTime(0, 0, 10, 0)), Error);
  EXPECT_EQ(std::filesystem::file_size(File("Score.dat")), kBestTimesReadLimit + 1);
}

TEST_F(BestTimesFileTest, AFailedAppendKeepsTheStoredRecords) {
  const std::string before = ComplementBytes(Record("1", "Kept", "00:20:000"));
  WriteBytes("Score.dat", before);
  {
    FileSizeLimit limit(before.size() + 4);
    EXPECT_THROW(AppendBestTime(folder_, GameMode::Standard, 1, "Lost", MakeTime(0, 0, 10, 0)), Error);
  }
  EXPECT_EQ(ReadBytes("Score.dat"), before);
  AppendBestTime(folder_, GameMode::Standard, 1, "Next", MakeTime(0, 0, 30, 0));
  EXPECT_EQ(Names(LoadTopTen(folder_, GameMode::Standard, 1)), (std::vector<std::string>{"Kept", "Next"}));
}

TEST_F(BestTimesFileTest, AFolderThatCannotBeWrittenShowsEmptyListsAndReportsTheAppend) {
  WriteBytes("blocked", "");
  const std::filesystem::path folder = File("blocked");
  EXPECT_TRUE(LoadTopTen(folder, GameMode::Standard, 1).empty());
  try {
    AppendBestTime(folder, GameMode::Standard, 1, "Ann", MakeTime(0, 0, 1, 0));
    ADD_FAILURE() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + (folder / "Score.dat").string());
  }
}

}  // namespace
}  // namespace jizdavo

#include "state/date_time.h"

#include <gtest/gtest.h>

namespace jizdavo {
namespace {

TEST(DateTime, OneHourIsOneTwentyFourthOfADay) {
  EXPECT_DOUBLE_EQ(MakeTime(1, 0, 0, 0), 1.0 / 24);
  EXPECT_DOUBLE_EQ(MakeTime(0, 1, 30, 500), (1 + 30.5 / 60) / 60 / 24);
}

TEST(DateTime, SplitGivesBackThePartsOfEveryMillisecondOfAnHour) {
  for (int ms = 0; ms < 3600000; ms += 7) {
    TimeParts p = SplitTime(MakeTime(0, ms / 60000, ms / 1000 % 60, ms % 1000));
    ASSERT_EQ(p.Hour, 0);
    ASSERT_EQ(p.Minute * 60000 + p.Second * 1000 + p.Millisecond, ms);
  }
  EXPECT_EQ(SplitTime(MakeTime(1, 0, 0, 0)).Hour, 1);
  EXPECT_EQ(SplitTime(MakeTime(1, 0, 0, 0)).Minute, 0);
}

TEST(DateTime, FormatDropsTheHours) {
  struct Case {
    TDateTime value;
    const char* text;
  } cases[] = {
      {0, "00:00:000"},
      {MakeTime(0, 1, 2, 3), "01:02:003"},
      {MakeTime(0, 59, 59, 999), "59:59:999"},
      {MakeTime(1, 0, 0, 0), "00:00:000"},
      {MakeTime(2, 12, 5, 40), "12:05:040"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatTime(c.value), c.text);
}

TEST(DateTime, ParseReadsCharactersOneToTwoFourToFiveAndSevenToNine) {
  EXPECT_DOUBLE_EQ(*ParseTime("01:02:003"), MakeTime(0, 1, 2, 3));
  EXPECT_DOUBLE_EQ(*ParseTime("12-34.567 and more"), MakeTime(0, 12, 34, 567));
  EXPECT_EQ(FormatTime(*ParseTime("59:59:999")), "59:59:999");
}

TEST(DateTime, ParseRefusesWhatIsNotATime) {
  for (const char* text : {"", "01:02:00", "0a:02:003", "01:02:0x3", "-1:02:003"}) {
    EXPECT_FALSE(ParseTime(text).has_value()) << text;
  }
}

}  // namespace
}  // namespace jizdavo

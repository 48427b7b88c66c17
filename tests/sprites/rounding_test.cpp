#include "sprites/rounding.h"

#include <gtest/gtest.h>

#include <cfenv>

namespace jizdavo {
namespace {

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
  struct Case {
    double value;
    int want;
  };
  const Case cases[] = {
      {0.5, 0},   {1.5, 2},   {2.5, 2},   {-0.5, 0},  {-1.5, -2}, {-2.5, -2},
      {2.49, 2},  {2.51, 3},  {-2.51, -3}, {312.5, 312}, {313.5, 314}, {0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.want) << c.value;
}

TEST(RoundHalfEvenTest, DoesNotDependOnTheRoundingMode) {
  const int mode = std::fegetround();
  std::fesetround(FE_UPWARD);
  const int half = RoundHalfEven(2.5);
  const int below = RoundHalfEven(2.4);
  std::fesetround(mode);
  EXPECT_EQ(half, 2);
  EXPECT_EQ(below, 2);
}

}  // namespace
}  // namespace jizdavo

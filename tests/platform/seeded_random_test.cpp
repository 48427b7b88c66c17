#include "platform/seeded_random.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace jizdavo {
namespace {

std::vector<int> Draw(SeededRandom& random, int count, int n) {
  std::vector<int> out;
  for (int i = 0; i < count; ++i) out.push_back(random.Random(n));
  return out;
}

TEST(SeededRandom, StaysInRangeAndCoversIt) {
  ManualClock clock;
  SeededRandom random(7, clock);
  std::array<int, 15> seen{};
  for (int i = 0; i < 15000; ++i) {
    int x = random.Random(15);
    ASSERT_GE(x, 0);
    ASSERT_LT(x, 15);
    ++seen[x];
  }
  for (int count : seen) EXPECT_GT(count, 800);
  EXPECT_EQ(random.Random(0), 0);
  EXPECT_EQ(random.Random(-3), 0);
}

TEST(SeededRandom, RandomizeDependsOnTheClockAndTheSeed) {
  ManualClock clock(1000);
  SeededRandom a(1, clock), b(1, clock), c(2, clock);
  a.Randomize();
  b.Randomize();
  c.Randomize();
  std::vector<int> from_a = Draw(a, 20, 1000);
  EXPECT_EQ(from_a, Draw(b, 20, 1000));
  EXPECT_NE(from_a, Draw(c, 20, 1000));
  clock.Advance(1);
  a.Randomize();
  EXPECT_NE(from_a, Draw(a, 20, 1000));
}

}  // namespace
}  // namespace jizdavo

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
  SeededRandom random(7);
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

TEST(SeededRandom, RandomizeDependsOnTheTimeAndTheSeed) {
  SeededRandom a(1), b(1), c(2);
  a.Randomize(1000);
  b.Randomize(1000);
  c.Randomize(1000);
  std::vector<int> from_a = Draw(a, 20, 1000);
  EXPECT_EQ(from_a, Draw(b, 20, 1000));
  EXPECT_NE(from_a, Draw(c, 20, 1000));
  a.Randomize(1001);
  EXPECT_NE(from_a, Draw(a, 20, 1000));
  // A replay puts another game's seed back: from there it draws as that game did.
  c.SetBaseSeed(1);
  c.Randomize(1000);
  EXPECT_EQ(from_a, Draw(c, 20, 1000));
  EXPECT_EQ(c.BaseSeed(), 1u);
}

}  // namespace
}  // namespace jizdavo

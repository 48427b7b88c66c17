#include "main_window/volume_mapping.h"

#include <gtest/gtest.h>

namespace jizdavo {
namespace {

TEST(VolumeMappingTest, APressPutsTheGaugeWithinItsEnds) {
  const struct {
    int32_t x;
    int32_t position;
  } cases[] = {{-20, 0}, {0, 0}, {1, 1}, {40, 40}, {80, 80}, {81, 80}, {500, 80}};
  for (const auto& c : cases) EXPECT_EQ(GaugePositionAt(c.x), c.position) << c.x;
}

TEST(VolumeMappingTest, PositionsMapToWholeDecibelsWithHalvesToEven) {
  const struct {
    int32_t position;
    int32_t volume;
  } cases[] = {{0, -3500}, {8, -3200}, {24, -2400}, {40, -1800}, {56, -1000}, {72, -400},
               {80, 0},    {1, -3500}, {2, -3400},  {79, 0},     {16, -2800},
               // below 0, as stored settings may hold: down to silence and no further
               {-147, -9900}, {-150, -10000}, {-60000000, -10000}, {INT32_MIN, -10000}};
  for (const auto& c : cases) EXPECT_EQ(GaugeVolume(c.position), c.volume) << c.position;
}

TEST(VolumeMappingTest, FarLeftIsQuietestAndBeyondTheRightEndIsFull) {
  EXPECT_EQ(GaugeVolume(GaugePositionAt(-1)), -3500);
  EXPECT_EQ(GaugeVolume(GaugePositionAt(200)), 0);
}

}  // namespace
}  // namespace jizdavo

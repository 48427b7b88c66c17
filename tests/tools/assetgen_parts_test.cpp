// The generator's building blocks: keying, pixel grids, tiling noise, wave bytes and tune loops.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "catalog.h"
#include "noise.h"
#include "pixel_grid.h"
#include "platform/wave.h"
#include "song.h"
#include "wave_file.h"

namespace jizdavo::assetgen {
namespace {

TEST(ApplyKey, SeeThroughBecomesTheKeyAndLookalikesMoveAway) {
  const TColor lookalike = RGB(3, 253, 5);  // packs to the same 5-6-5 value as lime
  Raster picture(3, 1);
  picture.Set(1, 0, lookalike);
  picture.Set(2, 0, RGB(10, 20, 30));
  ApplyKey(picture, clLime, true);
  EXPECT_EQ(picture.At(0, 0), clLime);
  EXPECT_NE(rgb565::FromColor(picture.At(1, 0)), rgb565::FromColor(clLime));
  EXPECT_LE(std::abs(static_cast<int>(GetGValue(picture.At(1, 0))) - 253), 4);  // barely changed
  EXPECT_EQ(picture.At(2, 0), RGB(10, 20, 30));
}

TEST(ApplyKey, AnOpaquePictureMustNotHaveHoles) {
  Raster picture(2, 1);
  picture.Set(0, 0, clBlack);
  EXPECT_THROW(ApplyKey(picture, clBlack, false), std::logic_error);
}

TEST(PixelGrid, ReadsRowsThroughTheLegend) {
  GridLegend legend{{'r', clRed}, {'w', clWhite}};
  Raster r = FromGrid({"r.w", "wwr"}, legend);
  ASSERT_EQ(r.width, 3);
  ASSERT_EQ(r.height, 2);
  EXPECT_EQ(r.At(0, 0), clRed);
  EXPECT_EQ(r.At(1, 0), kClear);
  EXPECT_EQ(r.At(2, 1), clRed);
  EXPECT_THROW(FromGrid({"rr", "r"}, legend), std::logic_error);
  EXPECT_THROW(FromGrid({"rx"}, legend), std::logic_error);
}

TEST(TilingNoise, WrapsAroundItsLattice) {
  for (double u : {0.0, 0.37, 2.5, 4.99})
    for (double v : {0.0, 1.25, 3.7}) {
      EXPECT_DOUBLE_EQ(TilingNoise(u, v, 5, 4, 9), TilingNoise(u + 5, v, 5, 4, 9));
      EXPECT_DOUBLE_EQ(TilingNoise(u, v, 5, 4, 9), TilingNoise(u, v + 4, 5, 4, 9));
    }
}

TEST(EncodeWave, QuantisesClipsAndKeepsTheLongFormatRecord) {
  TWave wave8;
  wave8.LoadFromMemory(EncodeWave({1, 11025, 8, true}, {0.0f, 1.0f, -1.0f, 3.0f, 0.5f}));
  EXPECT_EQ(wave8.Format().extra, (std::vector<uint8_t>{0, 0}));
  EXPECT_EQ(std::vector<uint8_t>(wave8.Data().begin(), wave8.Data().end()),
            (std::vector<uint8_t>{128, 255, 1, 255, 192}));
  TWave wave16;
  wave16.LoadFromMemory(EncodeWave({2, 44100, 16}, {-2.0f, 0.25f}));
  EXPECT_TRUE(wave16.Format().extra.empty());
  EXPECT_EQ(wave16.Format().block_align, 4);
  std::span<const uint8_t> d = wave16.Data();
  EXPECT_EQ(static_cast<int16_t>(d[0] | d[1] << 8), -32767);
  EXPECT_EQ(static_cast<int16_t>(d[2] | d[3] << 8), 8192);
}

// One bar of a held pad chord: its release rings past the end of the loop, so the loop's start must
// already carry it, continuing exactly where the end leaves off.
Tune HeldChordTune(std::string_view melody) {
  return {120, 1,   {"C"}, ".", "x---------------", Instrument::Pad, ".", melody, Instrument::Lead, 0,
          ".", ".", ".",   0};
}

TEST(RenderTune, TheLoopStartCarriesTheTailOfItsEnd) {
  std::vector<float> loop = RenderTune(HeldChordTune(""), 8000);
  ASSERT_EQ(loop.size(), 16000u);  // one bar of 2 s
  EXPECT_GT(std::abs(loop[0]) + std::abs(loop[1]) + std::abs(loop[2]), 0.01);
  float largest_step = 0;
  for (size_t i = 1; i < loop.size(); ++i)
    largest_step = std::max(largest_step, std::abs(loop[i] - loop[i - 1]));
  EXPECT_LE(std::abs(loop.front() - loop.back()), largest_step);
}

TEST(RenderTune, AMelodyMustFillWholeBars) {
  EXPECT_NO_THROW(RenderTune(HeldChordTune("C5:8 .:4 E5:4"), 8000));
  EXPECT_THROW(RenderTune(HeldChordTune("C5:8 E5:4"), 8000), std::logic_error);
}

}  // namespace
}  // namespace jizdavo::assetgen

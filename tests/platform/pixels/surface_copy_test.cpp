// A whole copy of a surface that was copied before only copies what changed since, on either side.
// Whatever was drawn in between, and however, the copy must come out exact.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/pixels/canvas.h"
#include "platform/pixels/draw_rotated.h"
#include "platform/pixels/draw_scaled.h"
#include "platform/pixels/surface.h"
#include "platform/pixels/surface_fixtures.h"

namespace jizdavo {
namespace {

constexpr int kWidth = 96;
constexpr int kHeight = 64;

// One drawing operation of a random kind at a random place, through every way a surface is written.
void DrawSomething(TSurface& target, const TSurface& sprite, std::mt19937& rng) {
  std::uniform_int_distribution<int> x(-20, kWidth), y(-20, kHeight), colour(0, 0xFFFF);
  const auto place = [&] { return Bounds(x(rng), y(rng), 1 + rng() % 30, 1 + rng() % 20); };
  switch (rng() % 10) {
    case 0: target.FillRect(place(), colour(rng)); break;
    case 1: target.DrawSurface(x(rng), y(rng), sprite.ClientRect(), &sprite, rng() % 2 == 0); break;
    case 2: DrawScaled(target, place(), sprite, sprite.ClientRect(), 1 + rng() % 255, rng() % 2 == 0); break;
    case 3:
      DrawRotatedCopy(target, x(rng), y(rng), 20, 12, sprite, sprite.ClientRect(), 0.5, 0.5, rng() % 256, true);
      break;
    case 4: {
      TCanvas& canvas = target.Canvas();
      canvas.Font.Size = 8 + rng() % 10;
      canvas.Font.Color = static_cast<TColor>(rng() & 0xFFFFFF);
      canvas.Brush.Style = rng() % 2 == 0 ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
      canvas.TextOut(x(rng), y(rng), "Time: " + std::to_string(rng() % 1000));
      target.ReleaseCanvas();
      break;
    }
    case 5: {
      TCanvas& canvas = target.Canvas();
      canvas.Pen.Width = 1 + rng() % 4;
      canvas.MoveTo(x(rng), y(rng));
      canvas.LineTo(x(rng), y(rng));
      target.ReleaseCanvas();
      break;
    }
    case 6: target.Row(rng() % kHeight)[rng() % kWidth] = static_cast<RawPixel>(colour(rng)); break;
    case 7: target.DrawSurface(x(rng), y(rng), Bounds(0, 0, 40, 30), &target, false); break;
    case 8: {
      TCanvas& canvas = target.Canvas();
      canvas.CopyFrom(x(rng), y(rng), 20, 10, canvas, x(rng), y(rng));
      target.ReleaseCanvas();
      break;
    }
    default: break;  // nothing this time
  }
}

TEST(SurfaceCopy, ComesOutExactWhateverWasDrawnOnEitherSide) {
  std::mt19937 rng(7);
  auto source = testing::NoiseSurface(kWidth, kHeight, rng);
  auto other = testing::NoiseSurface(kWidth, kHeight, rng);
  auto sprite = testing::RandomSurface(24, 16, rng, {0, 0x1234, 0xF800, 0x07E0});
  TSurface copy(kWidth, kHeight);
  for (int round = 0; round < 400; ++round) {
    // Now and then many small changes at once, past what the record keeps place by place.
    const int draws = round % 50 == 49 ? 1500 : static_cast<int>(rng() % 6);
    for (int i = 0; i < draws; ++i) DrawSomething(rng() % 3 == 0 ? *source : copy, *sprite, rng);
    // Now and then the copy is taken of another surface of the same size in between.
    const TSurface& from = round % 17 == 16 ? *other : *source;
    copy.DrawSurface(0, 0, from.ClientRect(), &from, false);
    ASSERT_EQ(testing::PixelsOf(copy), testing::PixelsOf(from)) << "round " << round;
  }
}

TEST(SurfaceCopy, AKeyedOrPartWholeCopyIsAnOrdinaryDraw) {
  std::mt19937 rng(3);
  auto source = testing::RandomSurface(kWidth, kHeight, rng, {0, 0x1234});
  TSurface copy(kWidth, kHeight);
  copy.Fill(0x5555);
  copy.DrawSurface(0, 0, source->ClientRect(), source.get(), true);
  EXPECT_EQ(testing::CountPixels(copy, 0x5555), testing::CountPixels(*source, 0));
  copy.DrawSurface(0, 0, source->ClientRect(), source.get(), false);
  source->FillRect({0, 0, kWidth, 1}, 0x4321);
  copy.DrawSurface(0, 1, source->ClientRect(), source.get(), false);
  EXPECT_EQ(testing::CountPixels(copy, 0x4321), kWidth);
}

}  // namespace
}  // namespace jizdavo

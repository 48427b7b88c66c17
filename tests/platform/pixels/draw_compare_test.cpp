// The fast drawing loops against the plain reference, over random and edge-case inputs: every pixel
// must come out the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "platform/pixels/draw_rotated.h"
#include "platform/pixels/draw_rows.h"
#include "platform/pixels/draw_scaled.h"
#include "platform/pixels/reference_draw.h"
#include "platform/pixels/surface_fixtures.h"

namespace jizdavo {
namespace {

using testing::Clone;
using testing::PixelsOf;

constexpr RawPixel kKey = 0xF81F;
const std::vector<RawPixel> kPalette = {kKey, 0x0000, 0xFFFF, 0x07E0, 0x1234, 0xABCD, 0x8410, 0xF800};

class DrawCompare : public ::testing::Test {
 protected:
  std::mt19937 rng{20261207};
  int Random(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
  TRect RandomRect(int low, int high, int max_size) {
    const int left = Random(low, high), top = Random(low, high);
    return {left, top, left + Random(-2, max_size), top + Random(-2, max_size)};
  }
  std::unique_ptr<TSurface> Source(int w, int h) {
    auto source = testing::RandomSurface(w, h, rng, kPalette);
    source->SetColorKey(kKey);
    return source;
  }
};

// Runs `fast` and `slow` on two copies of `dest` and compares the results pixel for pixel.
template <typename Fast, typename Slow>
void ExpectSame(const TSurface& dest, Fast fast, Slow slow, const std::string& what) {
  auto a = Clone(dest), b = Clone(dest);
  fast(*a);
  slow(*b);
  const auto fast_pixels = PixelsOf(*a), slow_pixels = PixelsOf(*b);
  const auto [at, _] = std::mismatch(fast_pixels.begin(), fast_pixels.end(), slow_pixels.begin());
  const auto index = at - fast_pixels.begin();
  ASSERT_TRUE(at == fast_pixels.end())
      << what << ": first difference at (" << index % dest.Width() << ", " << index / dest.Width() << ")";
}

// Every pair of channel values (red and blue ride along on the green pairs) at every mixing alpha.
TEST_F(DrawCompare, BlendRowMatchesTheMixForEveryChannelPairAndAlpha) {
  std::vector<RawPixel> source, dest;
  for (int i = 0; i < 64 * 64; ++i) {
    const int gs = i & 63, gd = i >> 6;
    source.push_back(static_cast<RawPixel>((gs >> 1) << 11 | gs << 5 | gd >> 1));
    dest.push_back(static_cast<RawPixel>((gd >> 1) << 11 | gd << 5 | gs >> 1));
  }
  for (int alpha = 1; alpha <= 254; ++alpha) {
    std::vector<RawPixel> plain = dest, keyed = dest, one_colour = dest;
    rows::Blend(plain.data(), source.data(), static_cast<int>(plain.size()), alpha);
    rows::BlendKeyed(keyed.data(), source.data(), static_cast<int>(keyed.size()), alpha, source[77]);
    // One colour over every destination value, in rows of every length up to 40 (the tails).
    const RawPixel colour = source[alpha * 16];
    for (int at = 0, length = 1; at < static_cast<int>(one_colour.size()); at += length, length = length % 40 + 1)
      rows::BlendColor(one_colour.data() + at, std::min(length, static_cast<int>(one_colour.size()) - at), colour, alpha);
    for (size_t i = 0; i < dest.size(); ++i) {
      const RawPixel mixed = reference::Mix(source[i], dest[i], alpha);
      ASSERT_EQ(plain[i], mixed) << "alpha " << alpha << " pixel " << i;
      ASSERT_EQ(keyed[i], source[i] == source[77] ? dest[i] : mixed) << "alpha " << alpha << " pixel " << i;
      ASSERT_EQ(one_colour[i], reference::Mix(colour, dest[i], alpha)) << "alpha " << alpha << " pixel " << i;
    }
  }
}

// Rows of every length up to five blocks of the widest loop, wholly keyed, wholly opaque and in runs that start and end
// anywhere in a block; apart, and as one row (a surface drawn onto itself in place).
TEST_F(DrawCompare, KeyedRowCopyLeavesExactlyTheKeyedPixels) {
  const auto patterns = {+[](int) { return true; }, +[](int) { return false; }, +[](int i) { return i % 11 < 3; },
                         +[](int i) { return i % 8 == 7; }, +[](int i) { return i > 20; }};
  for (int count = 0; count <= 80; ++count) {
    for (auto keyed : patterns) {
      for (int shift : {0, 96}) {
        std::vector<RawPixel> memory(200);
        for (size_t i = 0; i < memory.size(); ++i) memory[i] = static_cast<RawPixel>(i * 0x0101 + 7);
        RawPixel* src = memory.data() + 20;
        for (int i = 0; i < count; ++i) src[i] = keyed(i) ? kKey : static_cast<RawPixel>(0x4000 + i);
        std::vector<RawPixel> expected = memory;
        rows::CopyKeyed(src + shift, src, count, kKey);
        for (int i = 0; i < count; ++i) {
          if (expected[20 + i] != kKey) expected[20 + shift + i] = expected[20 + i];
        }
        ASSERT_EQ(memory, expected) << "count " << count << " shift " << shift;
      }
    }
  }
}

TEST_F(DrawCompare, FillRectMatchesOnEveryClippedSide) {
  auto dest = testing::NoiseSurface(64, 48, rng);
  for (int i = 0; i < 400; ++i) {
    const TRect r = RandomRect(-40, 90, 80);
    const RawPixel raw = static_cast<RawPixel>(Random(0, 0xFFFF));
    ExpectSame(
        *dest, [&](TSurface& d) { d.FillRect(r, raw); }, [&](TSurface& d) { reference::FillRect(d, r, raw); },
        "rect " + std::to_string(r.Left) + "," + std::to_string(r.Top));
  }
}

TEST_F(DrawCompare, DrawSurfaceMatchesAtRandomPlacesAndSourceRects) {
  auto dest = testing::NoiseSurface(70, 50, rng);
  for (int i = 0; i < 1500; ++i) {
    auto source = Source(Random(1, 45), Random(1, 30));
    const TRect s = RandomRect(-10, 40, 50);
    const int x = Random(-60, 80), y = Random(-40, 60);
    const bool keyed = Random(0, 1) == 1;
    ExpectSame(
        *dest, [&](TSurface& d) { d.DrawSurface(x, y, s, source.get(), keyed); },
        [&](TSurface& d) { reference::DrawSurface(d, x, y, s, source.get(), keyed); },
        "at " + std::to_string(x) + "," + std::to_string(y));
  }
}

TEST_F(DrawCompare, DrawSurfaceMatchesWithWholeRowsAndAtTheEdges) {
  auto dest = testing::NoiseSurface(64, 40, rng);
  auto full = Source(64, 40);
  for (int x : {-64, -10, -1, 0, 1, 63, 64, 65}) {
    for (int y : {-40, -3, 0, 5, 39, 40, 41}) {
      for (bool keyed : {false, true}) {
        ExpectSame(
            *dest, [&](TSurface& d) { d.DrawSurface(x, y, full->ClientRect(), full.get(), keyed); },
            [&](TSurface& d) { reference::DrawSurface(d, x, y, full->ClientRect(), full.get(), keyed); },
            "at " + std::to_string(x) + "," + std::to_string(y));
      }
    }
  }
}

TEST_F(DrawCompare, ScaledMatchesForEveryAlphaKeyedAndNot) {
  auto dest = testing::NoiseSurface(80, 60, rng);
  for (int alpha = -5; alpha <= 300; ++alpha) {
    auto source = Source(Random(1, 30), Random(1, 30));
    // One in three from a single source pixel (one colour throughout, keyed or not).
    TRect s = RandomRect(-2, 10, 25);
    if (alpha % 3 == 0) s = Bounds(Random(0, source->Width() - 1), Random(0, source->Height() - 1), 1, 1);
    const TRect r = RandomRect(-50, 100, 120);
    for (bool keyed : {false, true}) {
      ExpectSame(
          *dest, [&](TSurface& d) { DrawScaled(d, r, *source, s, alpha, keyed); },
          [&](TSurface& d) { reference::DrawScaled(d, r, *source, s, alpha, keyed); },
          "alpha " + std::to_string(alpha));
    }
  }
}

TEST_F(DrawCompare, ScaledMatchesWhenClippedOnEverySide) {
  auto dest = testing::NoiseSurface(50, 40, rng);
  auto source = Source(13, 9);
  const TRect s = source->ClientRect();
  for (const TRect& r : {TRect{-20, 5, 30, 20}, TRect{30, 5, 80, 20}, TRect{5, -30, 20, 10},
                         TRect{5, 30, 20, 90}, TRect{-100, -100, 200, 200}, TRect{0, 0, 1, 1},
                         TRect{49, 39, 50, 40}, TRect{50, 0, 60, 10}, TRect{-10, 0, 0, 10}}) {
    for (int alpha : {1, 77, 128, 254, 255}) {
      for (bool keyed : {false, true}) {
        ExpectSame(
            *dest, [&](TSurface& d) { DrawScaled(d, r, *source, s, alpha, keyed); },
            [&](TSurface& d) { reference::DrawScaled(d, r, *source, s, alpha, keyed); },
            "rect " + std::to_string(r.Left) + "," + std::to_string(r.Top));
      }
    }
  }
}

TEST_F(DrawCompare, RotatedMatchesForEveryAngleAndNegativeOnes) {
  auto dest = testing::NoiseSurface(90, 70, rng);
  for (int angle = -300; angle < 300; ++angle) {
    auto source = Source(Random(1, 24), Random(1, 24));
    const TRect s = RandomRect(-1, 6, 20);
    const int w = Random(0, 40), h = Random(0, 40);
    const int x = Random(-20, 110), y = Random(-20, 90);
    const double cx = Random(-50, 150) / 100.0, cy = Random(-50, 150) / 100.0;
    for (bool keyed : {false, true}) {
      ExpectSame(
          *dest, [&](TSurface& d) { DrawRotatedCopy(d, x, y, w, h, *source, s, cx, cy, angle, keyed); },
          [&](TSurface& d) { reference::DrawRotated(d, x, y, w, h, *source, s, cx, cy, angle, keyed); },
          "angle " + std::to_string(angle));
    }
  }
}

// Quarter turns with whole centres land exactly on pixel edges, where the run ends are decided.
TEST_F(DrawCompare, RotatedMatchesAtQuarterTurnsAndWholeCentres) {
  auto dest = testing::NoiseSurface(60, 60, rng);
  auto source = Source(12, 8);
  for (int angle : {0, 32, 64, 128, 192, 256, -64, -128}) {
    for (double center : {0.0, 0.5, 1.0}) {
      for (const auto& size : {std::pair{12, 8}, std::pair{24, 16}, std::pair{6, 4}, std::pair{8, 12}}) {
        const int w = size.first, h = size.second;
        ExpectSame(
            *dest,
            [&](TSurface& d) {
              DrawRotatedCopy(d, 30, 30, w, h, *source, source->ClientRect(), center, center, angle, true);
            },
            [&](TSurface& d) {
              reference::DrawRotated(d, 30, 30, w, h, *source, source->ClientRect(), center, center, angle,
                                     true);
            },
            "angle " + std::to_string(angle) + " centre " + std::to_string(center));
      }
    }
  }
}

TEST_F(DrawCompare, RotatedMatchesAtExtremeAngles) {
  auto dest = testing::NoiseSurface(40, 40, rng);
  auto source = Source(16, 16);
  for (int angle : {INT_MIN, INT_MIN + 1, -65536, 65536 + 97, INT_MAX}) {
    ExpectSame(
        *dest,
        [&](TSurface& d) {
          DrawRotatedCopy(d, 20, 20, 16, 16, *source, source->ClientRect(), 0.5, 0.5, angle, true);
        },
        [&](TSurface& d) {
          reference::DrawRotated(d, 20, 20, 16, 16, *source, source->ClientRect(), 0.5, 0.5, angle, true);
        },
        "angle " + std::to_string(angle));
  }
}

}  // namespace
}  // namespace jizdavo

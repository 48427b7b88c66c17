// The generator's building blocks: keying, pixel grids, tiling noise, wave bytes, synthesis, the
// loudness meter, tune loops and the intro film's road.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <stdexcept>

#include "catalog.h"
#include "loudness.h"
#include "noise.h"
#include "palette.h"
#include "pixel_grid.h"
#include "platform/sound/wave.h"
#include "song.h"
#include "synth.h"
#include "title_card.h"
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
  Section bar{1, {"C"}, "", "x---------------", "", melody, "", "", ""};
  return {120, Instrument::Pad, Instrument::Lead, {bar}, "A"};
}

TEST(RenderTune, TheLoopStartCarriesTheTailOfItsEnd) {
  std::vector<float> loop = RenderTune(HeldChordTune(""), 8000);
  ASSERT_EQ(loop.size(), 32000u);  // one bar of 2 s, two channels
  EXPECT_GT(std::abs(loop[0]) + std::abs(loop[2]) + std::abs(loop[4]), 0.01);
  for (size_t side = 0; side < 2; ++side) {
    float largest_step = 0;
    for (size_t i = side + 2; i < loop.size(); i += 2)
      largest_step = std::max(largest_step, std::abs(loop[i] - loop[i - 2]));
    EXPECT_LE(std::abs(loop[side] - loop[loop.size() - 2 + side]), largest_step) << side;
  }
}

TEST(RenderTune, AMelodyMustFillWholeBars) {
  EXPECT_NO_THROW(RenderTune(HeldChordTune("C5:8 .:4 E5:4"), 8000));
  EXPECT_THROW(RenderTune(HeldChordTune("C5:8 E5:4"), 8000), std::logic_error);
}

double Rms(const std::vector<float>& samples, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count; ++i) sum += samples[i] * samples[i];
  return std::sqrt(sum / count);
}

// The pad's release (0.7 s) is over by the second half of the bar after it.
TEST(RenderTune, SectionsPlayInTheOrderOfTheForm) {
  Tune tune = HeldChordTune("");
  tune.sections.push_back({1, {"C"}, "", "", "", "", "", "", ""});  // B: a bar of rest
  for (std::string_view form : {"AB", "BA"}) {
    SCOPED_TRACE(form);
    tune.form = form;
    std::vector<float> loop = RenderTune(tune, 8000);
    ASSERT_EQ(loop.size(), 64000u);
    size_t chord = form == "AB" ? 16000 : 48000, rest = form == "AB" ? 48000 : 16000;
    EXPECT_GT(Rms(loop, chord, 16000), 0.01);
    EXPECT_LT(Rms(loop, rest, 16000), 1e-4);
  }
  tune.form = "AC";
  EXPECT_THROW(RenderTune(tune, 8000), std::logic_error);
}

// A 997 Hz tone at -20 dBFS reads -23 LUFS (the K-weighting is flat there; a sine's power is half its
// peak's) at any rate, and silence around it is gated away.
TEST(IntegratedLoudness, ReadsAToneAsBroadcastersDoAndGatesSilenceAway) {
  for (int rate : {8000, 22050, 44100}) {
    SCOPED_TRACE(rate);
    std::vector<float> tone(static_cast<size_t>(rate) * 5);
    for (size_t i = 0; i < tone.size(); ++i) tone[i] = static_cast<float>(0.1 * Sine(997.0 * i / rate));
    EXPECT_NEAR(IntegratedLoudness(tone, rate), -23.0, 0.05);
    std::vector<float> padded(static_cast<size_t>(rate) * 5);
    padded.insert(padded.end(), tone.begin(), tone.end());
    EXPECT_NEAR(IntegratedLoudness(padded, rate), -23.0, 0.2);
    std::vector<float> both_sides;  // the channels' powers add: 3 dB more
    for (float s : tone) both_sides.insert(both_sides.end(), {s, s});
    EXPECT_NEAR(IntegratedLoudness(both_sides, rate, 2), -20.0, 0.05);
  }
  std::vector<float> buzz(1000);  // silence, then a buzz at -20 dBFS
  for (int i = 0; i < 1000; ++i) buzz.push_back(i % 2 ? 0.1f : -0.1f);
  EXPECT_NEAR(SoundingRmsDb(buzz), -20.0, 0.01);
  EXPECT_NEAR(PeakDb(buzz), -20.0, 0.01);
  EXPECT_EQ(IntegratedLoudness(std::vector<float>(44100), 44100), -70);
}

// Magnitudes of bins 0..n/2 of `x` (n a power of two) under a Blackman-Harris window, whose leakage
// stays more than 90 dB down.
std::vector<double> Spectrum(const std::vector<float>& x) {
  const size_t n = x.size();
  std::vector<std::complex<double>> a(n);
  for (size_t i = 0; i < n; ++i) {
    double p = kTau * i / n;
    a[i] = x[i] * (0.35875 - 0.48829 * std::cos(p) + 0.14128 * std::cos(2 * p) - 0.01168 * std::cos(3 * p));
  }
  for (size_t i = 1, j = 0; i < n; ++i) {  // bit-reversed order, then the butterflies
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1)
    for (size_t i = 0; i < n; i += len)
      for (size_t k = 0; k < len / 2; ++k) {
        std::complex<double> u = a[i + k], v = a[i + k + len / 2] * std::polar(1.0, -kTau * k / len);
        a[i + k] = u + v, a[i + k + len / 2] = u - v;
      }
  std::vector<double> magnitude(n / 2 + 1);
  for (size_t i = 0; i < magnitude.size(); ++i) magnitude[i] = std::abs(a[i]);
  return magnitude;
}

// C7 (2093 Hz) at 22050 Hz: a plain wave's sixth harmonic would fold back to 4.5 times the note.
// Every peak within 40 dB of the fundamental must sit on a harmonic.
TEST(Synthesis, HighNotesHoldNothingButHarmonicsAboveTheAliasFloor) {
  constexpr int kRate = 22050;
  constexpr size_t kWindow = 8192;
  const double hz = NoteHz(96), bin_hz = static_cast<double>(kRate) / kWindow;
  struct Case {
    std::string name;
    std::vector<float> sound;
  };
  std::vector<Case> cases;
  const char* instrument_names[] = {"Bass", "Pad", "Pluck", "Lead", "Bell", "Brass"};
  for (int i = 0; i < 6; ++i) {
    std::vector<float> mix(kWindow + 1000);
    RenderNote(mix, kRate, {0, 1.0, 96, 0.5, static_cast<Instrument>(i), 0});
    cases.push_back({instrument_names[i], {mix.begin() + 1000, mix.end()}});
  }
  const char* wave_names[] = {"Saw", "Square", "Pulse25", "Pulse35", "Triangle"};
  for (int w = 0; w < 5; ++w) {
    Oscillator oscillator(static_cast<Wave>(w), hz, kRate);
    std::vector<float> sound(kWindow);
    for (size_t i = 0; i < kWindow; ++i) sound[i] = static_cast<float>(oscillator.At(i * hz / kRate));
    cases.push_back({wave_names[w], sound});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<double> m = Spectrum(c.sound);
    size_t fundamental_bin = static_cast<size_t>(std::lround(hz / bin_hz));
    double fundamental = *std::max_element(m.begin() + fundamental_bin - 4, m.begin() + fundamental_bin + 5);
    ASSERT_GT(fundamental, 1.0);
    for (size_t b = 3; b + 2 < m.size(); ++b) {
      bool peak = m[b] >= std::max({m[b - 2], m[b - 1], m[b + 1], m[b + 2]});
      if (!peak || m[b] < fundamental / 100) continue;
      double harmonic = b * bin_hz / hz;
      EXPECT_LT(std::abs(harmonic - std::round(harmonic)), 0.05)
          << "peak at " << b * bin_hz << " Hz, " << 20 * std::log10(m[b] / fundamental) << " dB";
    }
  }
}

// The film's cars stay in their lanes: between the painted lines the film draws, found in its
// pictures. What stays put through the moving frames is the road; what changes is traffic.
TEST(TitleCard, CarsDriveBetweenTheLinesOfTheirLanes) {
  constexpr int kTop = 100;  // under the title
  std::vector<Raster> frames;
  for (int i = 10; i < kFilmFrames - 10; ++i) frames.push_back(TitleCardFrame(i));  // not faded
  Raster road(kFilmWidth, kFilmHeight);
  for (int y = kTop; y < kFilmHeight; ++y)
    for (int x = 0; x < kFilmWidth; ++x) {
      std::vector<TColor> seen;
      for (const Raster& f : frames) seen.push_back(f.At(x, y));
      std::sort(seen.begin(), seen.end());
      road.Set(x, y, seen[seen.size() / 2]);  // no car stands on one spot for half the film
    }
  std::vector<std::pair<int, int>> lines;  // painted rows, [first, end)
  for (int y = kTop; y < kFilmHeight; ++y) {
    int paint = 0;
    for (int x = 0; x < kFilmWidth; ++x) paint += road.At(x, y) == pal::Paint;
    if (paint < kFilmWidth / 4) continue;
    if (!lines.empty() && lines.back().second == y) {
      lines.back().second = y + 1;
    } else {
      lines.push_back({y, y + 1});
    }
  }
  ASSERT_EQ(lines.size(), 3u);  // edge line, centre dashes, edge line
  int cars_per_lane[2] = {0, 0};
  for (const Raster& f : frames) {
    int run_top = -1;
    for (int y = kTop; y <= kFilmHeight; ++y) {
      bool moving = false;
      for (int x = 0; y < kFilmHeight && x < kFilmWidth && !moving; ++x)
        moving = f.At(x, y) != road.At(x, y);
      if (moving && run_top < 0) run_top = y;
      if (moving || run_top < 0) continue;
      bool upper = run_top >= lines[0].second && y <= lines[1].first;
      bool lower = run_top >= lines[1].second && y <= lines[2].first;
      EXPECT_TRUE(upper || lower) << "a car over rows " << run_top << ".." << y - 1;
      ++cars_per_lane[lower];
      run_top = -1;
    }
  }
  EXPECT_GT(cars_per_lane[0], 0);
  EXPECT_GT(cars_per_lane[1], 0);
}

}  // namespace
}  // namespace jizdavo::assetgen

// The compiled-in sound catalogue, read back by the game's WAVE reader.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "loudness.h"
#include "platform/assets/asset_catalog.h"
#include "platform/sound/wave.h"

namespace jizdavo {
namespace {

struct ExpectedSound {
  std::string name;
  bool looped;
  int channels;  // 0: empty, filled from a file at start-up
  int rate;
  int bits;
  int data_bytes;
  size_t format_extra;
};

const ExpectedSound kExpected[] = {
    {"Mlask", false, 1, 44100, 16, 21036, 0},   {"Horn", false, 1, 22050, 16, 16644, 0},
    {"Impact", false, 1, 44100, 16, 28450, 0},  {"Horn2", false, 1, 22050, 16, 17774, 0},
    {"Puk", false, 1, 11025, 16, 3524, 0},      {"Menu", false, 2, 44100, 16, 51156, 0},
    {"MenuTune1", true, 0, 0, 0, 0, 0},         {"MenuTune2", true, 0, 0, 0, 0, 0},
    {"MenuTune3", true, 0, 0, 0, 0, 0},         {"MenuTune4", true, 0, 0, 0, 0, 0},
    {"InGame1", true, 0, 0, 0, 0, 0},           {"InGame2", true, 0, 0, 0, 0, 0},
    {"InGame3", true, 0, 0, 0, 0, 0},           {"InGame4", true, 0, 0, 0, 0, 0},
    {"Fanfare", false, 1, 11025, 8, 64001, 2},
};

TEST(StoredSounds, NamesFlagsFormatsAndLengthsMatchTheCollection) {
  std::span<const StoredSound> stored = StoredSounds();
  ASSERT_EQ(stored.size(), std::size(kExpected));
  for (size_t i = 0; i < stored.size(); ++i) {
    const ExpectedSound& e = kExpected[i];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(stored[i].name, e.name);
    EXPECT_EQ(stored[i].looped, e.looped);
    TWave wave;
    wave.LoadFromMemory(stored[i].wave);
    ASSERT_EQ(wave.Size(), e.data_bytes);
    if (e.channels == 0) continue;
    EXPECT_EQ(wave.Format().format_tag, WaveFormat::kPcm);
    EXPECT_EQ(wave.Format().channels, e.channels);
    EXPECT_EQ(wave.Format().samples_per_sec, static_cast<uint32_t>(e.rate));
    EXPECT_EQ(wave.Format().bits_per_sample, e.bits);
    EXPECT_EQ(wave.Format().block_align, e.channels * e.bits / 8);
    EXPECT_EQ(wave.Format().extra.size(), e.format_extra);  // "Fanfare" keeps its 18-byte format record
  }
}

// Level of a 16-bit or 8-bit sample, -1..1.
double SampleAt(const TWave& wave, size_t i) {
  std::span<const uint8_t> d = wave.Data();
  if (wave.Format().bits_per_sample == 8) return (d[i] - 128) / 128.0;
  return static_cast<int16_t>(d[2 * i] | d[2 * i + 1] << 8) / 32768.0;
}

std::vector<float> SamplesOf(const TWave& wave) {
  std::vector<float> samples(wave.Size() * 8 / wave.Format().bits_per_sample);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<float>(SampleAt(wave, i));
  return samples;
}

// Effects sound at one level (the RMS of their samples above 1 % of full scale within 6 dB of each
// other), peak at -1 dBFS or under, start and stop without a click, and stop soon after they fall
// silent ("Fanfare" fills its stored length with its call and the call's dying away).
TEST(StoredSounds, EffectsSoundAtOneLevelUnderFullScaleAndEndAsTheySound) {
  double quietest = 0, loudest = -100;
  for (const StoredSound& item : StoredSounds()) {
    if (item.wave.empty()) continue;
    SCOPED_TRACE(item.name);
    TWave wave;
    wave.LoadFromMemory(item.wave);
    const std::vector<float> samples = SamplesOf(wave);
    EXPECT_LE(assetgen::PeakDb(samples), -1.0);
    double level = assetgen::SoundingRmsDb(samples);
    quietest = std::min(quietest, level);
    loudest = std::max(loudest, level);
    EXPECT_LT(std::abs(samples.front()), 0.02);  // no click as the sound starts or stops
    EXPECT_LT(std::abs(samples.back()), 0.02);
    size_t last = samples.size();
    while (last > 0 && std::abs(samples[last - 1]) <= 0.01) --last;
    double silent_end = static_cast<double>(samples.size() - last) / wave.Format().channels /
                        wave.Format().samples_per_sec;
    EXPECT_LT(silent_end, 0.3);
  }
  EXPECT_LE(loudest - quietest, 6.0);
  EXPECT_GT(quietest, -24.0);
}

// The share of a mono sound's energy at or above `hz`: what lies below, bin by bin of a plain Fourier
// transform, taken from the whole (Parseval).
double EnergyShareAbove(const std::vector<float>& x, int rate, double hz) {
  const size_t n = x.size();
  double total = 0, below = 0;
  for (float v : x) total += static_cast<double>(v) * v;
  for (size_t k = 0; k * rate < hz * n; ++k) {
    double re = 0, im = 0;
    for (size_t i = 0; i < n; ++i) {
      const double angle = 2 * M_PI * static_cast<double>(k * i % n) / static_cast<double>(n);
      re += x[i] * std::cos(angle);
      im -= x[i] * std::sin(angle);
    }
    below += (re * re + im * im) * (k == 0 ? 1 : 2) / static_cast<double>(n);
  }
  return (total - below) / total;
}

// The crash is the game's main event: it must be heard on small speakers, which play little under
// 200 Hz, so most of "Impact" lies above.
TEST(StoredSounds, MostOfTheImpactIsAboveTwoHundredHertz) {
  for (const StoredSound& item : StoredSounds()) {
    if (std::string_view(item.name) != "Impact") continue;
    TWave wave;
    wave.LoadFromMemory(item.wave);
    ASSERT_EQ(wave.Format().channels, 1);
    EXPECT_GT(EnergyShareAbove(SamplesOf(wave), static_cast<int>(wave.Format().samples_per_sec), 200), 0.5);
    return;
  }
  FAIL() << "no \"Impact\"";
}

}  // namespace
}  // namespace jizdavo

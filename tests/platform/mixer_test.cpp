#include "platform/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/error.h"
#include "platform/sound_test_support.h"

namespace jizdavo {
namespace {

using namespace testing_sound;

class MixerTest : public testing::Test {
 protected:
  MixerTest() {
    device_.Open([this](int16_t* s, int n) { mixer_.Mix(s, n); });
  }

  std::shared_ptr<Mixer::Voice> Start(const TWave& wave, VoiceSettings settings = {}, bool looped = false) {
    auto voice = mixer_.AddVoice(MakeSoundSamples(wave), settings);
    mixer_.Play(*voice, settings, looped);
    return voice;
  }

  ManualAudioOutput device_;
  Mixer mixer_{device_};
};

TEST_F(MixerTest, VolumeScalesAmplitudeByTenToTheVolumeOver2000) {
  const struct {
    int volume;
    int16_t expected;
  } cases[] = {{0, 10000}, {-2000, 1000}, {-4000, 100}, {-602, 5000}, {-10000, 0}, {-20000, 0}, {500, 10000}};
  for (const auto& c : cases) {
    auto voice = Start(Mono16(kOutputRate, Constant(100, 10000)), {.volume = c.volume});
    const auto out = device_.Pull(10);
    EXPECT_NEAR(out[0], c.expected, 1) << c.volume;
    EXPECT_EQ(out[0], out[1]) << "mono feeds both sides";
    mixer_.RemoveVoice(voice);
  }
}

TEST_F(MixerTest, RecordedLevelComesThroughExactly) {
  const auto samples = Ramp(200, -3000, 37);
  Start(Mono16(kOutputRate, samples));
  EXPECT_EQ(Channel(device_.Pull(200), 0), samples);
}

TEST_F(MixerTest, ConvertsEightBitAndStereoSamples) {
  TWave eight;
  eight.Assign(WaveFormat::Pcm(1, kOutputRate, 8), {255, 128, 0});
  EXPECT_EQ(MakeSoundSamples(eight)->samples, (std::vector<int16_t>{32512, 0, -32768}));

  Start(Wave16(2, kOutputRate, {1000, -2000, 3000, -4000}));
  const auto out = device_.Pull(2);
  EXPECT_EQ(out, (std::vector<int16_t>{1000, -2000, 3000, -4000}));
}

TEST_F(MixerTest, PanTakesLevelOffTheOtherSide) {
  Start(Mono16(kOutputRate, Constant(10, 10000)), {.pan = -2000});
  auto out = device_.Pull(1);
  EXPECT_EQ(out[0], 10000);
  EXPECT_EQ(out[1], 1000);
}

TEST_F(MixerTest, FrequencyChangesPitchAndDurationTogether) {
  const struct {
    int source_rate;
    int frequency;
    int expected_frames;
  } cases[] = {{11025, 0, 4000}, {11025, 8000, 5512}, {22050, 44100, 1000}, {44100, 0, 1000}};
  for (const auto& c : cases) {
    auto voice = Start(Mono16(c.source_rate, Constant(1000, 8000)), {.frequency = c.frequency});
    const int frames = CountNonZeroFrames(device_.Pull(8000));
    EXPECT_NEAR(frames, c.expected_frames, 1) << c.source_rate << " at " << c.frequency;
    EXPECT_FALSE(mixer_.Playing(*voice));
    mixer_.RemoveVoice(voice);
  }
}

TEST_F(MixerTest, ResamplingInterpolatesBetweenFrames) {
  // At half the output rate every second output frame lies halfway between two recorded ones.
  Start(Mono16(kOutputRate / 2, {0, 1000, 2000, 3000}));
  const auto left = Channel(device_.Pull(6), 0);
  EXPECT_EQ(left, (std::vector<int16_t>{0, 500, 1000, 1500, 2000, 2500}));
}

// A triangle wave well away from zero, whose end leads back into its start by one ordinary step.
std::vector<int16_t> Triangle(int half_period, int step) {
  const int base = 10000;
  auto up = Ramp(half_period, base, step);
  auto down = Ramp(half_period, base + half_period * step, -step);
  up.insert(up.end(), down.begin(), down.end());
  return up;
}

TEST_F(MixerTest, LoopSeamIsNoLargerThanTheSignalsOwnStep) {
  const int step = 400;
  const struct {
    int source_rate;
    int frequency;
  } cases[] = {{44100, 0}, {22050, 0}, {11025, 8000}, {22050, 31337}};
  for (const auto& c : cases) {
    auto voice = Start(Mono16(c.source_rate, Triangle(20, step)), {.frequency = c.frequency}, true);
    const auto left = Channel(device_.Pull(5000), 0);
    const double frames_per_output = (c.frequency ? c.frequency : c.source_rate) / double(kOutputRate);
    int largest_jump = 0;
    for (size_t i = 1; i < left.size(); ++i)
      largest_jump = std::max(largest_jump, std::abs(left[i] - left[i - 1]));
    EXPECT_LE(largest_jump, std::ceil(step * frames_per_output) + 1)
        << c.source_rate << " at " << c.frequency;
    EXPECT_GT(largest_jump, 0);
    EXPECT_TRUE(mixer_.Playing(*voice));
    mixer_.RemoveVoice(voice);
  }
}

// Up to -3 dBFS a sum comes through exactly; above, it is bent down, the louder the more, and even
// three voices at nearly full scale stay under it.
TEST_F(MixerTest, LoudSumsAreRoundedOffUnderFullScale) {
  int previous = 0;
  for (int voices = 1; voices <= 3; ++voices) {
    for (int i = 0; i < voices; ++i) Start(Wave16(2, kOutputRate, {15000, -15000}));
    const auto out = device_.Pull(1);
    SCOPED_TRACE(voices);
    EXPECT_EQ(out[0], -out[1]);
    if (voices == 1) {
      EXPECT_EQ(out[0], 15000);
    } else {
      EXPECT_LT(out[0], 15000 * voices);
    }
    EXPECT_GT(out[0], previous);
    EXPECT_LT(out[0], 32767);
    previous = out[0];
  }
  for (int i = 0; i < 3; ++i) Start(Wave16(2, kOutputRate, {32767, -32768}));
  const auto out = device_.Pull(1);
  EXPECT_GT(out[0], 31000);
  EXPECT_LT(out[0], 32767);
  EXPECT_GT(out[1], -32768);
}

TEST_F(MixerTest, MutedOutputIsSilentWhileVoicesPlayOn) {
  const auto samples = Ramp(100, 1, 1);
  Start(Mono16(kOutputRate, samples));
  mixer_.SetMuted(true);
  EXPECT_EQ(CountNonZeroFrames(device_.Pull(10)), 0);
  mixer_.SetMuted(false);
  EXPECT_EQ(device_.Pull(1)[0], samples[10]);
}

TEST_F(MixerTest, StoppedAndRemovedVoicesAreSilent) {
  auto stopped = Start(Mono16(kOutputRate, Constant(100, 500)));
  auto removed = Start(Mono16(kOutputRate, Constant(100, 700)));
  EXPECT_EQ(device_.Pull(1)[0], 1200);
  mixer_.Stop(*stopped);
  mixer_.RemoveVoice(removed);
  EXPECT_EQ(CountNonZeroFrames(device_.Pull(10)), 0);
  EXPECT_FALSE(mixer_.Playing(*stopped));
}

TEST(MakeSoundSamples, RefusesWavesTheMixerCannotPlay) {
  const auto pcm = [](int channels, int rate, int bits) { return WaveFormat::Pcm(channels, rate, bits); };
  WaveFormat float_format = pcm(1, 44100, 16);
  float_format.format_tag = 3;
  WaveFormat bad_align = pcm(2, 44100, 16);
  bad_align.block_align = 3;
  const struct {
    const char* what;
    WaveFormat format;
    size_t bytes;
  } cases[] = {
      {"24-bit", pcm(1, 44100, 24), 6},
      {"float", float_format, 8},
      {"three channels", pcm(3, 44100, 16), 6},
      {"misaligned", bad_align, 8},
      {"rate 0", pcm(1, 0, 16), 4},
      {"no samples", pcm(1, 44100, 16), 0},
      {"half a frame", pcm(1, 44100, 16), 1},
      {"rate 1 Hz", pcm(1, 1, 8), 4},
  };
  for (const auto& c : cases) {
    TWave wave;
    wave.Assign(c.format, std::vector<uint8_t>(c.bytes, 1));
    try {
      MakeSoundSamples(wave);
      ADD_FAILURE() << "made " << c.what;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "Sound Buffer cannot be made") << c.what;
    }
  }
}

TEST(MakeSoundSamples, DropsAPartialLastFrame) {
  TWave wave;
  wave.Assign(WaveFormat::Pcm(1, 44100, 16), {1, 0, 2, 0, 3});
  EXPECT_EQ(MakeSoundSamples(wave)->samples, (std::vector<int16_t>{1, 2}));
}

}  // namespace
}  // namespace jizdavo

#include "platform/sound/mixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <bit>
#include <chrono>
#include <thread>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/error.h"
#include "platform/sound/sound_test_support.h"

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
  } cases[] = {{11025, 0, 4000}, {11025, 8000, 5512}, {22050, 44100, 1000}, {44100, 0, 1000}, {441000, 0, 100}};
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

// Under the ceiling a sum comes through exactly. Over it the gain has come down before the loud
// frame, over the ramp's frames only; and a tone whose samples stay low but whose true peak lies
// between them (a quarter of the rate, at 45 degrees) is brought down too, though no more than needed.
TEST_F(MixerTest, TruePeaksAreHeldUnderTheCeilingFromTheirFirstFrame) {
  constexpr int kQuiet = 10000, kLoud = 16000, kJump = 300;
  std::vector<int16_t> jump = Constant(kJump, kQuiet);
  const std::vector<int16_t> loud = Constant(200, kLoud);
  jump.insert(jump.end(), loud.begin(), loud.end());
  auto first = Start(Mono16(kOutputRate, jump));
  auto second = Start(Mono16(kOutputRate, jump));
  const auto left = Channel(device_.Pull(kJump + 100), 0);
  EXPECT_EQ(left[kJump - TruePeakLimiter::kRamp - 1], 2 * kQuiet);
  EXPECT_LT(left[kJump - 1], 2 * kQuiet);
  EXPECT_LE(left[kJump], TruePeakLimiter::kCeiling);
  EXPECT_GT(left[kJump + 60], TruePeakLimiter::kCeiling * 0.9f);
  mixer_.RemoveVoice(first);
  mixer_.RemoveVoice(second);
  device_.Pull(5000);  // the gain recovers

  const int16_t between = 23000;  // true peak 23000 x 1.414 = 32527
  std::vector<int16_t> tone;
  for (int i = 0; i < 1000; ++i) tone.push_back(static_cast<int16_t>(i % 4 < 2 ? between : -between));
  Start(Mono16(kOutputRate, tone));
  const auto heard = Channel(device_.Pull(1000), 0);
  const int highest = *std::max_element(heard.begin() + 200, heard.begin() + 800);
  EXPECT_LE(highest, TruePeakLimiter::kCeiling / std::sqrt(2.0f) * 1.01f);  // the meter's own error
  EXPECT_GT(highest, TruePeakLimiter::kCeiling / std::sqrt(2.0f) * 0.97f);
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

// A read that stalls, as a cold disk or a network home may, until the test lets it go (or for five
// seconds at most, so a callback that waited for it fails rather than hangs).
struct Stall {
  void Wait() {
    std::unique_lock lock(mutex);
    stalled = true;
    let_go.wait_for(lock, std::chrono::seconds(5), [this] { return released; });
    stalled = false;
  }
  void Release() {
    std::lock_guard lock(mutex);
    released = true;
    let_go.notify_all();
  }
  std::mutex mutex;
  std::condition_variable let_go;
  bool released = false;
  std::atomic<bool> stalled{false};
};

// A streamed sound of a constant level whose second read stalls.
class StallingSound final : public SoundSamples {
 public:
  explicit StallingSound(std::shared_ptr<Stall> stall) : SoundSamples(1, kOutputRate), stall_(std::move(stall)) {}
  std::span<const int16_t> Held() const override { return {}; }
  std::unique_ptr<FrameSource> OpenStream() const override { return std::make_unique<Source>(stall_); }

 private:
  struct Source final : FrameSource {
    explicit Source(std::shared_ptr<Stall> stall) : stall(std::move(stall)) {}
    size_t Read(int16_t* out, size_t frames) override {
      if (++reads == 2) stall->Wait();
      std::fill_n(out, frames, int16_t{1000});
      return frames;
    }
    std::shared_ptr<Stall> stall;
    int reads = 0;
  };
  std::shared_ptr<Stall> stall_;
};

// The audio thread only takes what the filler has read ahead: while the filler waits on the disk the
// callback returns without it, the tune silent and the dry buffers counted, and the tune comes back
// once the read is done.
TEST_F(MixerTest, AStalledReaderNeverHoldsUpTheAudioCallback) {
  auto stall = std::make_shared<Stall>();
  auto voice = mixer_.AddVoice(std::make_shared<StallingSound>(stall), {});
  StreamFillerThread reader(mixer_.Filler());
  mixer_.Play(*voice, {}, true);
  int silent = 0;
  for (int i = 0; i < 20000 && silent < 20; ++i) {
    const bool stalled = stall->stalled;
    const int heard = CountNonZeroFrames(device_.Pull(1024));
    if (!stalled) continue;
    ASSERT_TRUE(stall->stalled) << "the callback waited for the reader";
    if (heard == 0) ++silent;
  }
  EXPECT_EQ(silent, 20);
  EXPECT_GT(mixer_.DryRuns(), 0u);
  stall->Release();
  int heard = 0;
  for (int i = 0; i < 2000 && heard == 0; ++i) {
    heard = CountNonZeroFrames(device_.Pull(1024));
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_GT(heard, 0) << "the tune never came back";
}

using Bytes = std::vector<uint8_t>;

// Each value as `width` little-endian bytes.
Bytes LittleEndian(std::initializer_list<uint64_t> values, int width) {
  Bytes out;
  for (uint64_t v : values)
    for (int i = 0; i < width; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return out;
}
Bytes Floats(std::initializer_list<float> values) {
  Bytes out;
  for (float v : values) {
    const Bytes bytes = LittleEndian({std::bit_cast<uint32_t>(v)}, 4);
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

WaveFormat Format(uint16_t tag, int channels, int rate, int bits, int block_align = -1) {
  WaveFormat format = WaveFormat::Pcm(channels, rate, bits);
  format.format_tag = tag;
  if (block_align >= 0) format.block_align = static_cast<uint16_t>(block_align);
  return format;
}

// The extensible record: container bits, valid bits, speaker mask and the sub-format's tag.
WaveFormat Extensible(int channels, int bits, uint32_t speakers, uint16_t sub_tag, Bytes guid_tail = {}) {
  WaveFormat format = Format(0xFFFE, channels, 44100, bits);
  if (guid_tail.empty()) guid_tail = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
  format.extra = LittleEndian({22, static_cast<uint64_t>(bits)}, 2);
  for (const Bytes& part : {LittleEndian({speakers}, 4), LittleEndian({sub_tag}, 2), guid_tail})
    format.extra.insert(format.extra.end(), part.begin(), part.end());
  return format;
}

TEST(MakeSoundSamples, ConvertsEveryPcmFormToSixteenBitMonoOrStereo) {
  constexpr uint16_t kPcm = 1, kFloat = 3;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    const char* what;
    WaveFormat format;
    Bytes data;
    int channels;
    std::vector<int16_t> samples;
  } cases[] = {
      {"8-bit", Format(kPcm, 1, 44100, 8), {255, 128, 0}, 1, {32512, 0, -32768}},
      {"16-bit stereo", Format(kPcm, 2, 44100, 16), LittleEndian({1000, 0xF830}, 2), 2, {1000, -2000}},
      {"12 bits in 16", Format(kPcm, 1, 44100, 12, 2), LittleEndian({0x7FF0, 0x8010}, 2), 1, {32752, -32752}},
      {"24-bit", Format(kPcm, 1, 44100, 24), LittleEndian({0x123400, 0x7FFFFF, 0x800000}, 3), 1,
       {4660, 32767, -32768}},
      {"32-bit", Format(kPcm, 1, 44100, 32), LittleEndian({0x12340000, 0x7FFFFFFF, 0x80000000}, 4), 1,
       {4660, 32767, -32768}},
      {"float", Format(kFloat, 1, 44100, 32), Floats({0.5f, -1.0f, 2.0f, nan}), 1, {16384, -32768, 32767, 0}},
      {"64-bit float", Format(kFloat, 1, 44100, 64), LittleEndian({std::bit_cast<uint64_t>(0.25)}, 8), 1, {8192}},
      {"frames padded by the block alignment", Format(kPcm, 1, 44100, 16, 4),
       LittleEndian({1000, 0xFFFF, 2000, 0xFFFF}, 2), 1, {1000, 2000}},
      {"extensible, 32-bit stereo", Extensible(2, 32, 0x3, kPcm), LittleEndian({0x12340000, 0x80000000}, 4), 2,
       {4660, -32768}},
      {"extensible float", Extensible(1, 32, 0x4, kFloat), Floats({-0.5f}), 1, {-16384}},
      // Three channels in order left, right, centre: the centre is heard on both sides.
      {"three channels", Format(kPcm, 3, 44100, 16), LittleEndian({2000, 0, 0}, 2), 2, {1172, 0}},
      {"5.1 by its speaker mask", Extensible(6, 16, 0x3F, kPcm), LittleEndian({1000, 0, 0, 0, 1000, 0}, 2), 2,
       {586, 0}},
      {"three channels all on the right", Extensible(3, 16, 0x422, kPcm), LittleEndian({900, 900, 900}, 2), 2,
       {900, 900}},
      {"rate of 1 Hz", Format(kPcm, 1, 1, 8), {128}, 1, {0}},
      {"rate of 400 kHz", Format(kPcm, 1, 400000, 8), {128}, 1, {0}},
  };
  for (const auto& c : cases) {
    TWave wave;
    wave.Assign(c.format, c.data);
    std::shared_ptr<const SoundSamples> sound;
    try {
      sound = MakeSoundSamples(wave);
    } catch (const Error& e) {
      ADD_FAILURE() << c.what << ": " << e.what();
      continue;
    }
    EXPECT_EQ(sound->channels, c.channels) << c.what;
    EXPECT_EQ(sound->rate, static_cast<int>(c.format.samples_per_sec)) << c.what;
    EXPECT_EQ(AllSamples(*sound), c.samples) << c.what;
  }
}

TEST(MakeSoundSamples, RefusesWavesTheMixerCannotPlay) {
  const struct {
    const char* what;
    WaveFormat format;
    size_t bytes;
  } cases[] = {
      {"a codec the media library does not know", Format(0x3333, 1, 44100, 16), 8},
      {"16-bit float", Format(3, 1, 44100, 16), 8},
      {"33 bits", Format(1, 1, 44100, 33), 10},
      {"block alignment 0", Format(1, 2, 44100, 16, 0), 8},
      {"block alignment too small", Format(1, 2, 44100, 16, 3), 8},
      {"no channels", Format(1, 0, 44100, 16, 2), 8},
      {"rate 0", Format(1, 1, 0, 16), 4},
      {"no samples", Format(1, 1, 44100, 16), 0},
      {"half a frame", Format(1, 1, 44100, 16), 1},
      {"extensible with another sub-format", Extensible(1, 16, 0x4, 1, Bytes(14, 7)), 4},
      {"extensible record cut short", Format(0xFFFE, 1, 44100, 16), 4},
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

// Blocks small enough to decode by hand: mu-law and A-law bytes by their tables; an IMA ADPCM block
// (predictor 1000, step index 0) and a Microsoft ADPCM block (first coefficient pair, delta 16,
// samples 500 and 400) whose steps are all 0 hold their predictors.
TEST(MakeSoundSamples, DecodesCompressedFormsThroughTheMediaLibrary) {
  Bytes ima = LittleEndian({1000, 0}, 2);
  ima.resize(36, 0);
  // More blocks than the decoder is handed at a time.
  Bytes ima_blocks;
  for (int i = 0; i < 500; ++i) ima_blocks.insert(ima_blocks.end(), ima.begin(), ima.end());
  Bytes ms = {0};
  for (const Bytes& part : {LittleEndian({16, 500, 400}, 2), Bytes(9, 0)}) ms.insert(ms.end(), part.begin(), part.end());
  std::vector<int16_t> ms_samples(20, 500);
  ms_samples[0] = 400;
  const struct {
    const char* what;
    WaveFormat format;
    Bytes data;
    std::vector<int16_t> samples;
  } cases[] = {
      {"mu-law", Format(7, 1, 8000, 8), {0xFF, 0x80, 0x00, 0x7F}, {0, 32124, -32124, 0}},
      {"A-law", Format(6, 1, 8000, 8), {0xD5, 0x55, 0xAA, 0x2A}, {8, -8, 32256, -32256}},
      {"IMA ADPCM", Format(0x11, 1, 22050, 4, 36), ima, std::vector<int16_t>(65, 1000)},
      {"IMA ADPCM, 500 blocks", Format(0x11, 1, 22050, 4, 36), ima_blocks,
       std::vector<int16_t>(500 * 65, 1000)},
      {"Microsoft ADPCM", Format(2, 1, 22050, 4, 16), ms, ms_samples},
  };
  for (const auto& c : cases) {
    TWave wave;
    wave.Assign(c.format, c.data);
    try {
      const auto sound = MakeSoundSamples(wave);
      EXPECT_EQ(sound->channels, 1) << c.what;
      EXPECT_EQ(sound->rate, static_cast<int>(c.format.samples_per_sec)) << c.what;
      EXPECT_EQ(AllSamples(*sound), c.samples) << c.what;
    } catch (const Error& e) {
      ADD_FAILURE() << c.what << ": " << e.what();
    }
  }
}

TEST(MakeSoundSamples, DropsAPartialLastFrame) {
  TWave wave;
  wave.Assign(WaveFormat::Pcm(1, 44100, 16), {1, 0, 2, 0, 3});
  EXPECT_EQ(AllSamples(*MakeSoundSamples(wave)), (std::vector<int16_t>{1, 2}));
}

}  // namespace
}  // namespace jizdavo

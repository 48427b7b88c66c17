// The mixer's cost: one second of 44.1 kHz stereo output from sixteen voices, some resampled,
// some looped, pulled in device-sized buffers. The counter is the time taken per second of sound.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "platform/audio_output.h"
#include "platform/sound/mixer.h"
#include "platform/sound/wave.h"

namespace jizdavo {
namespace {

TWave SineWave(int channels, int rate, int bits, int frames) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < frames * channels; ++i) {
    const double value = std::sin(i * 0.05) * 0.5;
    if (bits == 8) {
      bytes.push_back(static_cast<uint8_t>(128 + value * 127));
    } else {
      const auto sample = static_cast<int16_t>(value * 32767);
      bytes.push_back(static_cast<uint8_t>(sample));
      bytes.push_back(static_cast<uint8_t>(static_cast<uint16_t>(sample) >> 8));
    }
  }
  TWave wave;
  wave.Assign(WaveFormat::Pcm(channels, rate, bits), bytes);
  return wave;
}

struct BenchVoice {
  std::shared_ptr<Mixer::Voice> voice;
  VoiceSettings settings;
  bool looped;
};

void mix_16_voices_1s(benchmark::State& state) {
  ManualAudioOutput device;
  Mixer mixer(device);
  // Music loops and a spread of effects at their own rates and re-pitched, as a busy game has them.
  const struct {
    TWave wave;
    VoiceSettings settings;
    bool looped;
  } kinds[] = {
      {SineWave(2, 44100, 16, 44100 * 3), {-1000, 0, 0}, true},
      {SineWave(1, 44100, 16, 21036 / 2), {0, 0, 0}, true},
      {SineWave(1, 22050, 16, 16644 / 2), {-500, 0, 0}, false},
      {SineWave(1, 11025, 16, 3524 / 2), {0, 8000, 0}, true},
      {SineWave(2, 44100, 16, 51156 / 4), {-2000, 0, 0}, false},
      {SineWave(1, 11025, 8, 64001), {0, 0, 0}, false},
      {SineWave(1, 22050, 16, 17774 / 2), {-300, 31000, 0}, true},
      {SineWave(1, 44100, 16, 28450 / 2), {0, 0, 0}, false},
  };
  std::vector<BenchVoice> voices;
  for (int copy = 0; copy < 2; ++copy) {
    for (const auto& kind : kinds) {
      voices.push_back({mixer.AddVoice(MakeSoundSamples(kind.wave), kind.settings), kind.settings, kind.looped});
    }
  }
  std::vector<int16_t> buffer(1024 * kOutputChannels);
  for (auto _ : state) {
    for (const BenchVoice& v : voices) mixer.Play(*v.voice, v.settings, v.looped);
    for (int done = 0; done < kOutputRate; done += 1024) {
      mixer.Mix(buffer.data(), std::min(1024, kOutputRate - done));
      benchmark::DoNotOptimize(buffer.data());
    }
  }
  // Seconds of work per second of sound.
  state.counters["realtime_fraction"] =
      benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(mix_16_voices_1s)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace jizdavo

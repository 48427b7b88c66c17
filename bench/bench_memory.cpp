// Peak resident memory of a running game: start-up, then level 16 on Hard played frame by frame with
// the pedestrian walking down and from side to side; with the build's own tunes, and with eight
// ten-minute 44100 Hz stereo tunes in Music/ (written once into the build folder), plain 16-bit PCM
// or mu-law, where the time from the window to the main menu is given too. The counter is the
// process's peak (getrusage), so run each case alone: --benchmark_filter=memory_playing/iterations,
// --benchmark_filter=eight_long_tunes and --benchmark_filter=eight_long_mu_law_tunes.

#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_startup_rig.h"
#include "platform/sound/wave.h"

namespace jizdavo::bench {
namespace {

constexpr int kFrames = 600;
constexpr int kFramesPerSide = 40;
constexpr int kLongTuneSeconds = 600;
constexpr int kCdRate = 44100;
constexpr uint16_t kMuLawTag = 7;

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes on Linux
}

// A sample as mu-law stores it (G.711): sign, a 3-bit exponent and a 4-bit mantissa, inverted.
uint8_t MuLaw(int16_t sample) {
  constexpr int kBias = 0x84;
  constexpr int kClip = 32635;
  const int sign = sample < 0 ? 0x80 : 0;
  const int magnitude = std::min(std::abs(static_cast<int>(sample)), kClip) + kBias;
  int exponent = 7;
  for (int mask = 0x4000; (magnitude & mask) == 0 && exponent > 0; mask >>= 1) --exponent;
  const int mantissa = (magnitude >> (exponent + 3)) & 0x0F;
  return static_cast<uint8_t>(~(sign | exponent << 4 | mantissa));
}

// A ten-minute stereo tune: a quiet chord that moves between the sides, written a second at a time,
// as 16-bit PCM or as mu-law (tag 7, a byte a sample).
void WriteLongTune(const std::filesystem::path& file, bool mu_law) {
  const std::filesystem::path partial = file.string() + ".part";
  std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(partial.c_str(), "wb"), std::fclose);
  if (!out) throw std::runtime_error("cannot write " + partial.string());
  TWave header;
  const uint32_t data_bytes = uint32_t{kLongTuneSeconds} * kCdRate * (mu_law ? 2 : 4);
  WaveFormat format = WaveFormat::Pcm(2, kCdRate, mu_law ? 8 : 16);
  if (mu_law) format.format_tag = kMuLawTag;
  header.Assign(format, std::vector<uint8_t>(4));
  std::vector<uint8_t> head = header.SaveToMemory();
  head.resize(head.size() - 4);
  for (int i = 0; i < 4; ++i) head[head.size() - 4 + i] = static_cast<uint8_t>(data_bytes >> (8 * i));
  for (int i = 0; i < 4; ++i) head[4 + i] = static_cast<uint8_t>((head.size() - 8 + data_bytes) >> (8 * i));
  std::fwrite(head.data(), 1, head.size(), out.get());
  std::vector<int16_t> second(2 * kCdRate);
  for (int s = 0; s < kLongTuneSeconds; ++s) {
    for (int i = 0; i < kCdRate; ++i) {
      const double t = s + static_cast<double>(i) / kCdRate;
      const double chord = std::sin(2 * M_PI * 220 * t) + std::sin(2 * M_PI * 277.18 * t) + std::sin(2 * M_PI * 329.63 * t);
      const double side = 0.5 + 0.5 * std::sin(2 * M_PI * t / 8);
      second[2 * i] = static_cast<int16_t>(2000 * chord * side);
      second[2 * i + 1] = static_cast<int16_t>(2000 * chord * (1 - side));
    }
    if (mu_law) {
      std::vector<uint8_t> bytes(second.size());
      std::transform(second.begin(), second.end(), bytes.begin(), MuLaw);
      std::fwrite(bytes.data(), 1, bytes.size(), out.get());
    } else {
      std::fwrite(second.data(), sizeof(int16_t), second.size(), out.get());
    }
  }
  out.reset();
  std::filesystem::rename(partial, file);
}

// A program folder beside the build's: its Graphics/, and eight long tunes in Music/.
std::filesystem::path LongTunesFolder(bool mu_law) {
  const std::filesystem::path build = JIZDAVO_BUILD_DIR;
  const std::filesystem::path folder = build / (mu_law ? "bench-long-mu-law-tunes" : "bench-long-tunes");
  std::filesystem::create_directories(folder / "Music");
  if (!std::filesystem::exists(folder / "Graphics"))
    std::filesystem::create_directory_symlink(build / "Graphics", folder / "Graphics");
  for (const char* name : {"MenuTune1", "MenuTune2", "MenuTune3", "MenuTune4", "InGame1", "InGame2", "InGame3",
                           "InGame4"}) {
    const std::filesystem::path file = folder / "Music" / (std::string(name) + ".wav");
    if (!std::filesystem::exists(file)) WriteLongTune(file, mu_law);
  }
  return folder;
}

void Play(benchmark::State& state, BuiltGame& headless) {
  headless.StartStandardGame(16, 3);
  headless.Hold(kScanDown, true);
  int frame = 0;
  for (auto _ : state) {
    const bool left = frame++ / kFramesPerSide % 2 == 0;
    headless.Hold(kScanLeft, left);
    headless.Hold(kScanRight, !left);
    headless.Frame(16);
  }
  state.counters["peak_rss_mb"] = PeakResidentMegabytes();
}

void MemoryPlaying(benchmark::State& state) {
  BuiltGame headless;
  headless.StartToMainMenu();
  Play(state, headless);
}

void MemoryPlayingEightLongTunes(benchmark::State& state, bool mu_law) {
  BuiltGame headless(LongTunesFolder(mu_law));
  const auto start = std::chrono::steady_clock::now();
  headless.StartToMainMenu();
  state.counters["to_main_menu_ms"] =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  Play(state, headless);
}

BENCHMARK(MemoryPlaying)->Name("memory_playing")->Iterations(kFrames);
BENCHMARK_CAPTURE(MemoryPlayingEightLongTunes, plain, false)
    ->Name("memory_playing/eight_long_tunes")->Iterations(kFrames);
BENCHMARK_CAPTURE(MemoryPlayingEightLongTunes, mu_law, true)
    ->Name("memory_playing/eight_long_mu_law_tunes")->Iterations(kFrames);

}  // namespace
}  // namespace jizdavo::bench

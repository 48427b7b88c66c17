// Peak resident memory of a running game: start-up, then level 16 on Hard played frame by frame with
// the pedestrian walking down and from side to side; with the build's own tunes, and with eight
// ten-minute 44100 Hz stereo tunes in Music/ (written once into the build folder), where the time
// from the window to the main menu is given too. The counter is the process's peak (getrusage), so
// run each case alone: --benchmark_filter=memory_playing/iterations and
// --benchmark_filter=eight_long_tunes.

#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include <chrono>
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

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes on Linux
}

// A ten-minute stereo tune: a quiet chord that moves between the sides, written a second at a time.
void WriteLongTune(const std::filesystem::path& file) {
  const std::filesystem::path partial = file.string() + ".part";
  std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(partial.c_str(), "wb"), std::fclose);
  if (!out) throw std::runtime_error("cannot write " + partial.string());
  TWave header;
  const uint32_t data_bytes = uint32_t{kLongTuneSeconds} * kCdRate * 4;
  header.Assign(WaveFormat::Pcm(2, kCdRate, 16), std::vector<uint8_t>(4));
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
    std::fwrite(second.data(), sizeof(int16_t), second.size(), out.get());
  }
  out.reset();
  std::filesystem::rename(partial, file);
}

// A program folder beside the build's: its Graphics/, and eight long tunes in Music/.
std::filesystem::path LongTunesFolder() {
  const std::filesystem::path build = JIZDAVO_BUILD_DIR;
  const std::filesystem::path folder = build / "bench-long-tunes";
  std::filesystem::create_directories(folder / "Music");
  if (!std::filesystem::exists(folder / "Graphics"))
    std::filesystem::create_directory_symlink(build / "Graphics", folder / "Graphics");
  for (const char* name : {"MenuTune1", "MenuTune2", "MenuTune3", "MenuTune4", "InGame1", "InGame2", "InGame3",
                           "InGame4"}) {
    const std::filesystem::path file = folder / "Music" / (std::string(name) + ".wav");
    if (!std::filesystem::exists(file)) WriteLongTune(file);
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

void MemoryPlayingEightLongTunes(benchmark::State& state) {
  BuiltGame headless(LongTunesFolder());
  const auto start = std::chrono::steady_clock::now();
  headless.StartToMainMenu();
  state.counters["to_main_menu_ms"] =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  Play(state, headless);
}

BENCHMARK(MemoryPlaying)->Name("memory_playing")->Iterations(kFrames);
BENCHMARK(MemoryPlayingEightLongTunes)->Name("memory_playing/eight_long_tunes")->Iterations(kFrames);

}  // namespace
}  // namespace jizdavo::bench

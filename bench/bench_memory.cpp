// Peak resident memory of a running game: start-up, then level 16 on Hard played frame by frame with
// the pedestrian walking down and from side to side. The counter is the process's peak (getrusage),
// so run this benchmark alone: --benchmark_filter=memory_playing.

#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include "bench_startup_rig.h"

namespace jizdavo::bench {
namespace {

constexpr int kFrames = 600;
constexpr int kFramesPerSide = 40;

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes on Linux
}

void MemoryPlaying(benchmark::State& state) {
  BuiltGame headless;
  headless.StartToMainMenu();
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

BENCHMARK(MemoryPlaying)->Name("memory_playing")->Iterations(kFrames);

}  // namespace
}  // namespace jizdavo::bench

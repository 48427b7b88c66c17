// Loading a level's best times happens while a menu waits; a file that has grown over years of play
// (every time ever entered is kept) must still load at once.
#include <benchmark/benchmark.h>

#include "files/best_times.h"
#include "state/date_time.h"

namespace {

using namespace jizdavo;

std::string StoredRecords(int count) {
  std::string plain;
  for (int i = 0; i < count; ++i) {
    const TDateTime time = MakeTime(0, i % 60, i % 59, i % 1000);
    plain += FormatBestTimeRecord(i % 16 + 1, "Player " + std::to_string(i % 97), time);
  }
  return ComplementBytes(plain);
}

void BM_TopTenOfStoredRecords(benchmark::State& state) {
  const std::string stored = StoredRecords(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(TopTen(ParseBestTimes(stored), 7, GameMode::Standard));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(stored.size()));
}
BENCHMARK(BM_TopTenOfStoredRecords)->Arg(100)->Arg(10000);

}  // namespace

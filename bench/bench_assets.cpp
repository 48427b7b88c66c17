// Start-up decodes every built-in picture and sound before the first frame; it must not be felt.
#include <benchmark/benchmark.h>

#include "platform/assets/asset_loader.h"
#include "platform/audio_output.h"

namespace {

using namespace jizdavo;

void BM_LoadStoredAssets(benchmark::State& state) {
  NullAudioOutput device;
  TDXSound sound(device);
  for (auto _ : state) {
    TDXImageList images;
    TDXWaveList sounds(sound);
    LoadStoredAssets(images, sounds, StoredImages(), StoredSounds());
    benchmark::DoNotOptimize(images.Count());
  }
  int64_t bytes = 0;
  for (const StoredImage& item : StoredImages()) bytes += static_cast<int64_t>(item.payload.size());
  for (const StoredSound& item : StoredSounds()) bytes += static_cast<int64_t>(item.wave.size());
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_LoadStoredAssets)->Unit(benchmark::kMillisecond);

}  // namespace

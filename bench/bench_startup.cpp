// Start-up to the main menu with the film skipped: the main window's creation, the built-in assets,
// FormCreate with the build's eight tunes, the display coming up and DXDraw1Initialize, until the
// first frame of the main menu is presented. Real and CPU time both count: the start-up reads files.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench_startup_rig.h"

namespace jizdavo::bench {
namespace {

void StartupToMainMenu(benchmark::State& state) {
  for (auto _ : state) {
    auto headless = std::make_unique<BuiltGame>();
    headless->StartToMainMenu();
    state.PauseTiming();
    if (!headless->game->Menus.Panel1.Showing()) state.SkipWithError("the main menu is not shown");
    headless.reset();
    state.ResumeTiming();
  }
}

// The process's first start-up pays the one-time set-up of fonts and the like, as the program does;
// registered first so that it runs first. The repeated one gives the steady cost.
BENCHMARK(StartupToMainMenu)->Name("startup_to_main_menu/first_in_process")->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(StartupToMainMenu)->Name("startup_to_main_menu")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace jizdavo::bench

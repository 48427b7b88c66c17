// One frame of the main menu as the frame timer calls it: the animated backdrop (emblems, the title's
// letter sweep, the veils), the menu panels composed over it and presentation. Compare with
// memcpy_frame (bench_drawing.cpp), the floor of copying one 640 x 480 frame.

#include <benchmark/benchmark.h>

#include "bench_startup_rig.h"

namespace jizdavo::bench {
namespace {

void MenuFrame(benchmark::State& state) {
  BuiltGame headless;
  headless.StartToMainMenu();
  for (auto _ : state) headless.Frame(16);
  if (!headless.game->Menus.Panel1.Showing() || headless.video.frames() == 0)
    state.SkipWithError("the main menu is not shown");
}

BENCHMARK(MenuFrame)->Name("menu_frame");

}  // namespace
}  // namespace jizdavo::bench

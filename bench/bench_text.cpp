// Text on the play field: the heads-up clock line as the game draws it every frame.

#include <benchmark/benchmark.h>

#include "platform/pixels/canvas.h"
#include "platform/pixels/surface.h"
#include "platform/text/text_render.h"

namespace jizdavo {
namespace {

void text_out_line(benchmark::State& state) {
  TSurface surface(640, 480);
  TSurfaceCanvas& canvas = surface.Canvas();
  canvas.Font.Name = "Arial Black";
  canvas.Font.Size = 10;
  canvas.Font.Color = clYellow;
  canvas.Brush.Style = TBrushStyle::bsClear;
  for (auto _ : state) {
    canvas.TextOut(10, 10, "Time: 01:23:456");
    benchmark::DoNotOptimize(surface.Pixels());
  }
}
BENCHMARK(text_out_line);

// The antialiased form the menus compose over finished frames.
void text_coverage_line(benchmark::State& state) {
  const FontRequest wanted{"Arial Black", EmPixelsForPoints(10)};
  for (auto _ : state) benchmark::DoNotOptimize(RenderText(wanted, "Time: 01:23:456", GlyphRender::kCoverage));
}
BENCHMARK(text_coverage_line);

}  // namespace
}  // namespace jizdavo

// One whole play frame at its heaviest: level 16 on Hard with its traffic at full density, a blood
// stain on the road leaving trails behind the cars, and the heads-up display. Compare with
// memcpy_frame (bench_drawing.cpp), the floor of copying one 640 x 480 frame.

#include <benchmark/benchmark.h>

#include "bench_startup_rig.h"
#include "sprites/car.h"
#include "sprites/krev.h"

namespace jizdavo {
namespace {

struct HeavyPlayField {
  HeavyPlayField() {
    rig.StartToMainMenu();
    rig.game->PlaySE.Checked = false;
    rig.StartStandardGame(16, 3);
    while (Game.CountdownSize > 5.0) Frame();
    AddStain();
    for (int i = 0; i < 600; ++i) Frame();  // the lanes fill up
  }

  // A full-grown stain in the upper lane of the second road, which every car of that lane crosses.
  void AddStain() {
    auto* stain = new TKrev(&rig.game->DXSpriteEngine.Root);
    stain->SetImage(&rig.game->DXImageList.Find("Krev"));
    stain->Size = 20.2;
    stain->X = 300;
    stain->Y = Game.RoadTop + 21 * 5 + 10;
    stain->SetZ(0);
  }

  void Frame() { rig.Frame(16); }

  int Cars() const {
    int cars = 0;
    TSpriteEngine& root = rig.game->DXSpriteEngine.Root;
    for (int i = 0; i < root.ChildCount(); ++i) cars += dynamic_cast<TCar*>(root.Child(i)) != nullptr;
    return cars;
  }

  bench::BuiltGame rig;
};

// The frame handler as the frame timer calls it: input, the play frame, and presentation.
void PlayFrameHeavy(benchmark::State& state) {
  HeavyPlayField field;
  for (auto _ : state) field.Frame();
  state.counters["cars"] = field.Cars();
}

BENCHMARK(PlayFrameHeavy)->Name("play_frame_heavy");

}  // namespace
}  // namespace jizdavo

// One whole play frame at its heaviest: level 16 on Hard with its traffic at full density, a blood
// stain on the road leaving trails behind the cars, and the heads-up display. Compare with
// memcpy_frame (bench_drawing.cpp), the floor of copying one 640 x 480 frame.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "frame/jizdavo.h"
#include "objects/car.h"
#include "objects/krev.h"
#include "platform/asset_loader.h"
#include "platform/seeded_random.h"

namespace jizdavo {
namespace {

class QuietWindow final : public WindowServices {
 public:
  void SetPointerShape(int) override {}
  bool LoadPointer(const std::string&) override { return false; }
  void CenterPointer() override {}
  void MessageBox(const std::string&, const std::string&) override {}
  void Close() override {}
};

struct HeavyPlayField {
  HeavyPlayField() {
    folder = std::filesystem::temp_directory_path() / "jizdavo_bench_play_frame";
    std::filesystem::create_directories(folder);
    PlatformServices services{clock, random, video, input, window, timers, audio,
                              [this](uint32_t ms) { clock.Advance(ms); }, folder, folder};
    game = std::make_unique<TJizdavo>(services);
    LoadStoredAssets(game->DXImageList, game->DXWaveList, StoredImages(), StoredSounds());
    game->DXDraw1.Initialize();
    game->FormCreate();
    game->PlaySE.Checked = false;
    Game.Title = "NEW GAME STANDARD";
    Game.Level = 16;
    Game.GameDifficulty = 3;
    game->Label11Click();
    while (!Game.CountdownDone || Game.CountdownSize > 5.0) Frame();
    AddStain();
    for (int i = 0; i < 600; ++i) Frame();  // the lanes fill up
  }

  // A full-grown stain in the upper lane of the second road, which every car of that lane crosses.
  void AddStain() {
    auto* stain = new TKrev(&game->DXSpriteEngine.Root);
    stain->SetImage(&game->DXImageList.Find("Krev"));
    stain->Size = 20.2;
    stain->X = 300;
    stain->Y = Game.RoadTop + 21 * 5 + 10;
    stain->SetZ(0);
  }

  void Frame() {
    clock.Advance(16);
    timers.Dispatch();
    game->DXTimer1Timer(16);
  }

  int Cars() const {
    int cars = 0;
    TSpriteEngine& root = game->DXSpriteEngine.Root;
    for (int i = 0; i < root.ChildCount(); ++i) cars += dynamic_cast<TCar*>(root.Child(i)) != nullptr;
    return cars;
  }

  ManualClock clock{1000};
  SeededRandom random{16, clock};
  NullVideoOutput video;
  ScriptedInput input;
  QuietWindow window;
  MessageTimers timers{clock};
  NullAudioOutput audio;
  std::filesystem::path folder;
  std::unique_ptr<TJizdavo> game;
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

// Painting the menus' controls over a frame, as every presented frame does while the menus are up.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/pixels/surface.h"
#include "widgets/controls/control_layer.h"
#include "widgets/controls/simple_controls.h"

namespace jizdavo {
namespace {

struct Item {
  const char* caption;
  int left, top;
  bool heading;
};

// The main menu's stack: seven panels of labels, all visible, Panel1 in front.
const std::vector<std::vector<Item>>& MenuPanels() {
  static const std::vector<std::vector<Item>> panels = {
      {{"Difficulty", 30, 15, true},
       {"Easy", 55, 42, false},
       {"Medium", 55, 62, false},
       {"Hard", 55, 82, false},
       {"Level: 1", 30, 103, true},
       {"Start", 30, 133, true},
       {"Back", 30, 163, true}},
      {{"Car types:", 30, 15, true},
       {"Level: 1", 30, 80, true},
       {"Start", 30, 110, true},
       {"Back", 30, 140, true}},
      {{"Select level", 30, 15, true}, {"Back", 30, 195, true}},
      {{"Your name:", 30, 15, true}, {"Your time is:", 20, 88, false}, {"OK", 70, 170, true}},
      {{"Resume game", 30, 15, true}, {"Abort game", 30, 45, true}, {"Restart level", 30, 75, true}},
      {{"Music volume", 40, 65, false}, {"Track:", 40, 100, false}, {"Back", 30, 220, true}},
      {{"New Game", 30, 15, true},
       {"Standard", 55, 42, false},
       {"Car chase", 55, 62, false},
       {"Best times", 30, 83, true},
       {"Standard", 55, 110, false},
       {"Car chase", 55, 130, false},
       {"Options", 30, 151, true},
       {"Credits", 30, 181, true},
       {"Exit", 30, 211, true}},
  };
  return panels;
}

void BM_MenuControlsPaint(benchmark::State& state) {
  ControlLayer layer;
  std::vector<std::unique_ptr<TPanel>> panels;
  std::vector<std::unique_ptr<TLabel>> labels;
  for (const std::vector<Item>& items : MenuPanels()) {
    auto& panel = panels.emplace_back(std::make_unique<TPanel>());
    panel->SetBounds(232, 220, 176, 260);
    panel->SetParent(&layer);
    for (const Item& item : items) {
      auto& label = labels.emplace_back(std::make_unique<TLabel>());
      label->Caption = item.caption;
      label->Font = item.heading ? HeadingFont() : ItemFont();
      label->SetBounds(item.left, item.top, 0, 0);
      label->SetParent(panel.get());
    }
  }
  TSurface frame(640, 480);
  for (auto _ : state) {
    layer.Compose(frame);
    benchmark::DoNotOptimize(frame.Pixels());
  }
}
BENCHMARK(BM_MenuControlsPaint)->Name("menu_controls_paint");

}  // namespace
}  // namespace jizdavo

// The sprite engine's passes at the sizes a play frame has: a few dozen cars and the pedestrian, who
// runs a collision pass after every tenth of a pixel he walks.

#include <benchmark/benchmark.h>

#include <vector>

#include "sprites/sprite_engine.h"
#include "sprites/sprite_image.h"
#include "platform/display/image_list.h"
#include "platform/pixels/surface.h"

namespace jizdavo {
namespace {

// A car-sized keyed picture: a solid body with a black (transparent) border.
TPictureCollectionItem& AddCarImage(TDXImageList& images) {
  constexpr int kWidth = 35;
  constexpr int kHeight = 15;
  std::vector<TColor> pixels(kWidth * kHeight, clBlack);
  for (int y = 1; y < kHeight - 1; ++y) {
    for (int x = 1; x < kWidth - 1; ++x) pixels[y * kWidth + x] = RGB(200, 40 + x, 30 + y);
  }
  TPictureCollectionItem& item = images.Add("Car");
  item.Picture().Assign(kWidth, kHeight, 24, std::move(pixels));
  item.Transparent = true;
  item.SetTransparentColor(clBlack);
  images.InitializeAll();
  images.RebuildAll();
  return item;
}

// Drives along its lane and comes back in on the left.
class LaneCar : public TImageSprite {
 public:
  LaneCar(TSprite* parent, double speed) : TImageSprite(parent), speed_(speed) {}
  void Step(int32_t MoveCount) override {
    X += speed_ * MoveCount;
    if (X > 640) X = -Width;
  }

 private:
  double speed_;
};

// `count` cars in eight lanes of the play field, some of them overlapping the first.
struct Street {
  explicit Street(int count) : item(AddCarImage(images)) {
    root.SetTarget(&back);
    for (int i = 0; i < count; ++i) {
      auto* car = new LaneCar(&root, 0.05 + 0.01 * (i % 7));
      car->SetImage(&item);
      car->X = (i * 83) % 620;
      car->Y = 40 + (i % 8) * 55;
      car->SetZ(2);
    }
  }
  TSurface back{640, 480};
  TDXImageList images;
  TPictureCollectionItem& item;
  TSpriteEngine root;
};

void collision_pass_60(benchmark::State& state) {
  Street street(60);
  TSprite* tester = street.root.Child(0);
  for (auto _ : state) benchmark::DoNotOptimize(tester->TestCollisions());
}
BENCHMARK(collision_pass_60);

void play_frame_passes_40(benchmark::State& state) {
  Street street(40);
  for (auto _ : state) {
    street.root.MoveTree(16);
    street.root.FreeDead();
    street.root.DrawAll();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(play_frame_passes_40);

}  // namespace
}  // namespace jizdavo

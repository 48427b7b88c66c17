#include "sprites/sprite_image.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "sprites/sprite_engine.h"
#include "platform/display/image_list.h"
#include "platform/pixels/surface.h"
#include "sprite_field.h"

namespace jizdavo {
namespace {

using test::SpriteRig;

constexpr TColor kSolid = clWhite;

// A picture of `width` x `height`, black (the key) but for the given solid pixels.
TPictureCollectionItem& AddImage(TDXImageList& images, const char* name, int width, int height,
                                 std::initializer_list<std::pair<int, int>> solid) {
  std::vector<TColor> pixels(static_cast<size_t>(width * height), clBlack);
  for (auto [x, y] : solid) pixels[static_cast<size_t>(y * width + x)] = kSolid;
  TPictureCollectionItem& item = images.Add(name);
  item.Picture().Assign(width, height, 24, std::move(pixels));
  item.Transparent = true;
  item.SetTransparentColor(clBlack);
  return item;
}

TImageSprite* AddSprite(SpriteRig& rig, TPictureCollectionItem& item, double x, double y) {
  auto* sprite = new TImageSprite(&rig.root);
  sprite->SetImage(&item);
  sprite->X = x;
  sprite->Y = y;
  return sprite;
}
TEST(ImageSprite, FrameAnimationWrapsOrStops) {
  struct Case {
    bool loop;
    int32_t count;
    double pos;
    double speed;
    int32_t move_count;
    double expected_pos;
    double expected_speed;
  };
  const Case cases[] = {
      {true, 5, 7.5, 0.5, 1, 3.0, 0.5},
      {false, 5, 7.5, 0.5, 1, 4.0, 0.0},
      {true, 5, -1.0, -0.25, 1, 3.75, -0.25},  // the looped position is never negative
      {false, 5, 1.0, -0.75, 2, 0.0, 0.0},
      {true, 0, 3.0, 1.0, 1, 0.0, 1.0},
      {false, 0, 0.0, 0.0, 16, 0.0, 0.0},  // every game sprite: frame 0 for ever
  };
  for (const Case& c : cases) {
    TImageSprite sprite(nullptr);
    sprite.FrameLoop = c.loop;
    sprite.FrameCount = c.count;
    sprite.FramePos = c.pos;
    sprite.FrameSpeed = c.speed;
    sprite.Step(c.move_count);
    EXPECT_DOUBLE_EQ(sprite.FramePos, c.expected_pos) << "loop " << c.loop << " from " << c.pos;
    EXPECT_DOUBLE_EQ(sprite.FrameSpeed, c.expected_speed) << "loop " << c.loop << " from " << c.pos;
  }
}

TEST(ImageSprite, PictureIsCentredInTheBoxAndDrawnAtIt) {
  SpriteRig rig;
  TPictureCollectionItem& item = AddImage(rig.window.images, "Dot", 10, 6, {{0, 0}});
  rig.Build();
  TImageSprite* sprite = AddSprite(rig, item, 100.9, 50.2);
  EXPECT_EQ(sprite->Width, 10);
  EXPECT_EQ(sprite->Height, 6);
  sprite->Width = 15;
  sprite->Height = 9;
  EXPECT_EQ(sprite->DrawRect(), Bounds(102, 51, 15, 9));
  sprite->Width = 5;  // (5 - 10) / 2 truncates to -2
  EXPECT_EQ(sprite->DrawRect().Left, 98);
  rig.root.DrawAll();
  EXPECT_EQ(rig.back.GetPixel(98, 51), rgb565::FromColor(kSolid));
  EXPECT_EQ(rig.back.GetPixel(99, 51), 0u);
}

TEST(ImageSprite, RenderWithoutPictureOrTargetDrawsNothing) {
  SpriteRig rig;
  auto* bare = new TImageSprite(&rig.root);
  bare->Width = bare->Height = 4;
  rig.root.DrawAll();
  TPictureCollectionItem& item = AddImage(rig.window.images, "Dot", 2, 2, {{0, 0}});
  rig.Build();
  AddSprite(rig, item, 0, 0);
  rig.root.SetTarget(nullptr);
  rig.root.DrawAll();
  EXPECT_EQ(rig.back.GetPixel(0, 0), 0u);
}

TEST(ImageSprite, WrappedPositionsComeBackOnTheOtherSide) {
  SpriteRig rig;
  TPictureCollectionItem& item = AddImage(rig.window.images, "Bar", 20, 10, {});
  // The span is the target plus the sprite: 660 across, 490 down.
  for (auto [x, left] :
       {std::pair{660.0, 0}, std::pair{-25.0, 635}, std::pair{650.0, -10}, std::pair{30.7, 30}}) {
    TImageSprite* sprite = AddSprite(rig, item, x, 500);
    sprite->Wrapped = true;
    EXPECT_EQ(sprite->BoundingRect(), Bounds(left, 10, 20, 10)) << "x " << x;
  }
}

TEST(ImageSprite, PixelExactTestNeedsSolidPixelsInCommon) {
  SpriteRig rig;
  // Two 4 x 4 pictures, solid only on their top-left and bottom-right pixel respectively.
  TPictureCollectionItem& top_left = AddImage(rig.window.images, "TopLeft", 4, 4, {{0, 0}});
  TPictureCollectionItem& bottom_right = AddImage(rig.window.images, "BottomRight", 4, 4, {{3, 3}});
  rig.Build();
  TImageSprite* tester = AddSprite(rig, top_left, 10, 10);
  TImageSprite* other = AddSprite(rig, bottom_right, 8, 8);  // boxes overlap, solid pixels do not
  EXPECT_EQ(tester->TestCollisions(), 1);
  tester->PixelExact = true;
  EXPECT_EQ(tester->TestCollisions(), 0);
  other->X = other->Y = 7;  // its solid pixel lands on (10, 10)
  EXPECT_EQ(tester->TestCollisions(), 1);
  EXPECT_TRUE(tester->Overlaps(&rig.root));  // not an image sprite: the rectangles decide
}

}  // namespace
}  // namespace jizdavo

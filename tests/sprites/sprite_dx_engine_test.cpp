#include "sprites/sprite_dx_engine.h"

#include <gtest/gtest.h>

#include <memory>

#include "sprites/sprite_probe.h"
#include "platform/display/image_list.h"
#include "platform/video_output.h"

namespace jizdavo {
namespace {

struct DisplayRig {
  DisplayRig() {
    engine.SetDXDraw(&display);
    new Probe(&engine.Root, log, "s");
  }
  // Draws once and tells whether the sprite was drawn.
  bool Drawn() {
    log.clear();
    engine.DrawAll();
    return !log.empty();
  }
  NullVideoOutput output;
  TDXImageList images;
  TDXDraw display{output, images};
  Log log;
  TDXSpriteEngine engine;
};

TEST(DXSpriteEngine, TargetFollowsTheDisplaysInitialisedState) {
  DisplayRig rig;
  EXPECT_EQ(rig.engine.Root.Target(), nullptr);
  EXPECT_FALSE(rig.Drawn());
  rig.display.Initialize();
  EXPECT_EQ(rig.engine.Root.Target(), rig.display.BackSurface());
  EXPECT_EQ(rig.engine.Root.Width, 640);
  EXPECT_EQ(rig.engine.Root.Height, 480);
  EXPECT_TRUE(rig.Drawn());
  rig.display.Finalize();
  EXPECT_EQ(rig.engine.Root.Target(), nullptr);
  EXPECT_FALSE(rig.Drawn());
}

TEST(DXSpriteEngine, BindingToADisplayThatIsUpTakesItsBackSurfaceAtOnce) {
  DisplayRig rig;
  rig.engine.SetDXDraw(nullptr);
  rig.display.Initialize();
  EXPECT_EQ(rig.engine.Root.Target(), nullptr);  // unbound: no notices
  EXPECT_FALSE(rig.Drawn());
  rig.engine.SetDXDraw(&rig.display);
  EXPECT_EQ(rig.engine.Root.Target(), rig.display.BackSurface());
  EXPECT_TRUE(rig.Drawn());
}

TEST(DXSpriteEngine, FreedComponentLeavesTheDisplayAndFreesItsSprites) {
  NullVideoOutput output;
  TDXImageList images;
  TDXDraw display(output, images);
  Log log;
  auto engine = std::make_unique<TDXSpriteEngine>();
  engine->SetDXDraw(&display);
  new Probe(&engine->Root, log, "s");
  engine.reset();
  EXPECT_EQ(log, (Log{"free s"}));
  display.Initialize();  // would reach the freed component if it were still subscribed
  display.Finalize();
}

}  // namespace
}  // namespace jizdavo

#include "sprites/sprite.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>
#include <string>
#include <vector>

#include "sprites/sprite_engine.h"
#include "sprites/sprite_probe.h"
#include "platform/pixels/surface.h"

namespace jizdavo {
namespace {

struct EngineRig {
  EngineRig() { root.SetTarget(&back); }
  Probe* Add(const std::string& name, TRect box = Bounds(10, 10, 20, 20)) {
    return new Probe(&root, log, name, box);
  }
  Log TakeLog() { return std::exchange(log, {}); }

  TSurface back{640, 480};
  Log log;  // declared before the root, so the root's children can still write to it when it goes
  TSpriteEngine root;
};

TEST(SpriteEngine, EqualZDrawsNewestFirstAndSetZMovesTheSprite) {
  EngineRig rig;
  Probe* a = rig.Add("a");
  rig.Add("b");
  Probe* c = rig.Add("c");
  rig.root.DrawAll();
  EXPECT_EQ(rig.TakeLog(), (Log{"draw c", "draw b", "draw a"}));
  a->SetZ(2);
  rig.root.DrawAll();
  EXPECT_EQ(rig.TakeLog(), (Log{"draw c", "draw b", "draw a"}));
  c->SetZ(2);  // joins Z 2 below a
  rig.root.DrawAll();
  EXPECT_EQ(rig.TakeLog(), (Log{"draw b", "draw c", "draw a"}));
  a->SetZ(2);  // the same Z again keeps its place
  c->SetZ(-1);
  rig.root.DrawAll();
  EXPECT_EQ(rig.TakeLog(), (Log{"draw c", "draw b", "draw a"}));
}

TEST(SpriteEngine, SpriteKilledInTheMovePassMovesOnAndIsNeverDrawn) {
  EngineRig rig;
  Probe* a = rig.Add("a");
  Probe* b = rig.Add("b");
  a->on_step = [b](int32_t) { b->Kill(); };
  rig.root.MoveTree(16);
  EXPECT_TRUE(b->IsDead());
  EXPECT_EQ(rig.root.DeadSprites(), (std::vector<TSprite*>{b}));
  rig.root.FreeDead();
  rig.root.DrawAll();
  EXPECT_EQ(rig.TakeLog(), (Log{"move a", "move b", "free b", "draw a"}));
  EXPECT_EQ(rig.root.ChildCount(), 1);
  EXPECT_TRUE(rig.root.DeadSprites().empty());
}

TEST(SpriteEngine, KillTwiceQueuesOnceAndTheRootCannotBeKilled) {
  EngineRig rig;
  Probe* a = rig.Add("a");
  a->Kill();
  a->Kill();
  rig.root.Kill();
  EXPECT_EQ(rig.root.DeadSprites().size(), 1u);
  EXPECT_FALSE(rig.root.IsDead());
  rig.root.FreeDead();
  EXPECT_EQ(rig.TakeLog(), (Log{"free a"}));
}

TEST(SpriteEngine, SpriteCreatedByACollisionHookIsNeitherVisitedNorMovedThatFrame) {
  EngineRig rig;
  Probe* tester = rig.Add("t");
  rig.Add("a");
  int passes = 0;
  tester->on_collided = [&](TSprite*, bool&) {
    if (passes == 1) rig.Add("new");
  };
  tester->on_step = [&](int32_t) {
    ++passes;
    EXPECT_EQ(tester->TestCollisions(), passes == 1 ? 1 : 2);
  };
  rig.root.MoveTree(1);
  EXPECT_EQ(rig.TakeLog(), (Log{"move t", "hit t a", "move a"}));
  rig.root.MoveTree(1);
  EXPECT_EQ(rig.TakeLog(), (Log{"move t", "hit t a", "hit t new", "move a", "move new"}));
}

TEST(SpriteEngine, TouchingRectanglesNeitherDrawNorHit) {
  struct Case {
    TRect box;
    bool drawn;
  };
  for (Case c : {Case{Bounds(-20, 5, 20, 20), false}, Case{Bounds(-19, 5, 20, 20), true},
                 Case{Bounds(640, 5, 20, 20), false}, Case{Bounds(639, 5, 20, 20), true},
                 Case{Bounds(5, 480, 20, 20), false}, Case{Bounds(5, -20, 20, 20), false}}) {
    EngineRig rig;
    rig.Add("s", c.box);
    rig.root.DrawAll();
    EXPECT_EQ(rig.TakeLog().size(), c.drawn ? 1u : 0u) << c.box.Left << "," << c.box.Top;
  }
  for (auto [left, hits] : {std::pair{30, 0}, std::pair{29, 1}, std::pair{-10, 0}, std::pair{-9, 1}}) {
    EngineRig rig;
    Probe* tester = rig.Add("t", Bounds(10, 10, 20, 20));
    rig.Add("o", Bounds(left, 10, 20, 20));
    EXPECT_EQ(tester->TestCollisions(), hits) << "other at " << left;
  }
}

TEST(SpriteEngine, CollisionPassKeepsTheTestersFirstRectangle) {
  EngineRig rig;
  Probe* tester = rig.Add("t", Bounds(0, 0, 10, 10));
  rig.Add("a", Bounds(5, 5, 10, 10));
  rig.Add("b", Bounds(5, 5, 10, 10));
  tester->on_collided = [&](TSprite*, bool&) { tester->X = 300; };
  EXPECT_EQ(tester->TestCollisions(), 2);
  EXPECT_EQ(rig.root.PassRect, Bounds(0, 0, 10, 10));
  EXPECT_EQ(rig.root.PassTester, tester);
}

TEST(SpriteEngine, CollisionPassStops) {
  struct Case {
    const char* what;
    std::function<void(Probe*, bool&)> hook;
    int32_t second_pass_hits;  // a dead or non-collidable tester finds nothing
  };
  const Case cases[] = {
      {"EndPass set", [](Probe*, bool& end) { end = true; }, 1},
      {"tester killed", [](Probe* t, bool&) { t->Kill(); }, 0},
      {"tester no longer collidable", [](Probe* t, bool&) { t->Collidable = false; }, 0},
  };
  for (const Case& c : cases) {
    EngineRig rig;
    Probe* tester = rig.Add("t");
    rig.Add("a");
    rig.Add("b");
    tester->on_collided = [&](TSprite*, bool& end) { c.hook(tester, end); };
    EXPECT_EQ(tester->TestCollisions(), 1) << c.what;
    EXPECT_EQ(tester->TestCollisions(), c.second_pass_hits) << c.what;
    EXPECT_EQ(rig.TakeLog().size(), 1u + c.second_pass_hits) << c.what;
  }
}

TEST(SpriteEngine, SwitchedOffSpritesSkipTheirSubtree) {
  EngineRig rig;
  Probe* tester = rig.Add("t");
  Probe* parent = rig.Add("p", Bounds(0, 0, 5, 5));
  new Probe(parent, rig.log, "child", Bounds(10, 10, 20, 20));  // relative to the parent
  rig.root.MoveTree(1);
  rig.root.DrawAll();
  EXPECT_EQ(tester->TestCollisions(), 1);
  EXPECT_EQ(rig.TakeLog(), (Log{"move t", "move p", "move child", "draw p", "draw child", "draw t",
                                "hit t child"}));
  parent->Movable = false;
  parent->Visible = false;
  parent->Collidable = false;
  rig.root.MoveTree(1);
  rig.root.DrawAll();
  EXPECT_EQ(tester->TestCollisions(), 0);
  EXPECT_EQ(rig.TakeLog(), (Log{"move t", "draw t"}));
}

TEST(SpriteEngine, ChildPositionsAddUpAndBadIndexesRaise) {
  EngineRig rig;
  Probe* parent = rig.Add("p", Bounds(100, 50, 5, 5));
  auto* child = new Probe(parent, rig.log, "c", Bounds(-30, 7, 1, 1));
  child->X = -30.5;
  EXPECT_DOUBLE_EQ(child->AbsoluteX(), 69.5);
  EXPECT_DOUBLE_EQ(child->AbsoluteY(), 57.0);
  EXPECT_EQ(child->Engine(), &rig.root);
  EXPECT_EQ(parent->Child(0), child);
  try {
    child->Child(3);
    FAIL() << "no error for a sprite without children";
  } catch (const ESpriteError& e) {
    EXPECT_STREQ(e.what(), "Index of the list exceeds the range. (3)");
  }
  EXPECT_THROW(parent->Child(1), std::out_of_range);
}

TEST(SpriteEngine, ParentsFreeTheirChildrenLastFirstAndDeleteLeavesTheDeadQueue) {
  EngineRig rig;
  Probe* parent = rig.Add("p");
  new Probe(parent, rig.log, "c1");
  auto* c2 = new Probe(parent, rig.log, "c2");
  Probe* other = rig.Add("o");
  c2->Kill();
  other->Kill();
  delete parent;
  // The parent's own part goes first, then its children, the last first.
  EXPECT_EQ(rig.TakeLog(), (Log{"free p", "free c2", "free c1"}));
  EXPECT_EQ(rig.root.DeadSprites(), (std::vector<TSprite*>{other}));
  EXPECT_EQ(rig.root.DrawOrder(), (std::vector<TSprite*>{other}));
  rig.Add("n");
  rig.root.FreeChildren();
  EXPECT_EQ(rig.TakeLog(), (Log{"free n", "free o"}));
  EXPECT_TRUE(rig.root.DeadSprites().empty());
  EXPECT_EQ(rig.root.ChildCount(), 0);
}

TEST(SpriteEngine, RootTakesTheTargetsSize) {
  TSpriteEngine root;
  TSurface surface(320, 200);
  root.SetTarget(&surface);
  EXPECT_EQ(root.TargetRect(), (TRect{0, 0, 320, 200}));
  EXPECT_EQ(root.Width, 320);
  EXPECT_EQ(root.Height, 200);
  root.SetTarget(nullptr);
  EXPECT_EQ(root.Target(), nullptr);
}

}  // namespace
}  // namespace jizdavo

// The panels' kept paintings: after any change of what a panel shows, the next composed frame must
// match a fresh painting of it.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/pixels/surface.h"
#include "widgets/controls/control_layer.h"
#include "widgets/controls/image.h"
#include "widgets/controls/simple_controls.h"

namespace jizdavo {
namespace {

constexpr RawPixel kWhite565 = 0xFFFF;

struct CachedPanel {
  CachedPanel() {
    panel.SetBounds(232, 220, 176, 260);
    panel.SetParent(&layer);
    heading.Caption = "New Game";
    heading.Font = HeadingFont();
    heading.SetBounds(30, 15, 0, 0);
    heading.SetParent(&panel);
    item.Caption = "Standard";
    item.SetBounds(55, 42, 0, 0);
    item.SetParent(&panel);
    outline.SetBounds(19, 100, 140, 21);
    outline.Pen.Color = kMenuTextColor;
    outline.Brush.Style = TBrushStyle::bsClear;
    outline.SetParent(&panel);
    // A picture's pixels are not part of any look: its panel is painted afresh every frame.
    picture_panel.SetBounds(20, 220, 100, 100);
    picture_panel.SetParent(&layer);
    picture.SetBounds(30, 50, 10, 10);
    picture.SetParent(&picture_panel);
    picture.Canvas();
    extra.Caption = "Exit";
    extra.SetBounds(30, 200, 0, 0);
  }

  std::vector<RawPixel> Composed() {
    TSurface frame(640, 480);
    frame.Fill(kWhite565);
    layer.Compose(frame);
    return {frame.Pixels(), frame.Pixels() + 640 * 480};
  }

  // The panels painted from scratch, bypassing the layer.
  std::vector<RawPixel> Fresh() {
    TSurface frame(640, 480);
    frame.Fill(kWhite565);
    for (TPanel* each : {&picture_panel, &panel}) each->PaintTree(frame, each->Left, each->Top, frame.ClientRect());
    return {frame.Pixels(), frame.Pixels() + 640 * 480};
  }

  ControlLayer layer;
  TPanel panel, picture_panel;
  TLabel heading, item, extra;
  TShape outline;
  TImage picture;
};

TEST(PaintCacheTest, EveryChangeShowsInTheNextFrame) {
  const std::vector<std::pair<const char*, std::function<void(CachedPanel&)>>> changes = {
      {"caption", [](CachedPanel& p) { p.item.Caption = "Car chase"; }},
      {"text colour", [](CachedPanel& p) { p.item.Font.Color = clWhite; }},
      {"font", [](CachedPanel& p) { p.item.Font = HeadingFont(); }},
      {"label hidden", [](CachedPanel& p) { p.heading.Hide(); }},
      {"label moved", [](CachedPanel& p) { p.item.Left += 3; }},
      {"label opaque", [](CachedPanel& p) { p.item.Transparent = false, p.item.Color = clRed; }},
      {"panel colour", [](CachedPanel& p) { p.panel.Color = RGB(0, 0, 128); }},
      {"panel moved", [](CachedPanel& p) { p.panel.Left -= 100; }},
      {"shape pen", [](CachedPanel& p) { p.outline.Pen.Color = clRed; }},
      {"shape brush", [](CachedPanel& p) { p.outline.Brush.Style = TBrushStyle::bsSolid; }},
      {"child order", [](CachedPanel& p) { p.outline.SendToBack(), p.outline.Brush.Style = TBrushStyle::bsSolid; }},
      {"label added", [](CachedPanel& p) { p.extra.SetParent(&p.panel); }},
      {"picture drawn", [](CachedPanel& p) {
         p.picture.Canvas().Brush.Color = clRed;
         p.picture.Canvas().FillRect({2, 2, 6, 6});
       }},
  };
  for (const auto& [name, change] : changes) {
    CachedPanel p;
    p.Composed();
    const std::vector<RawPixel> before = p.Composed();  // the second frame reuses the painting
    ASSERT_EQ(before, p.Fresh()) << name;
    change(p);
    const std::vector<RawPixel> after = p.Composed();
    EXPECT_NE(after, before) << name << ": the change shows nothing";
    EXPECT_EQ(after, p.Fresh()) << name;
  }
}

// A panel that leaves the layer takes its kept painting with it; hidden, it shows nothing at all.
TEST(PaintCacheTest, HiddenOrRemovedPanelLeavesTheFrameAlone) {
  CachedPanel p;
  p.picture_panel.Hide();
  p.Composed();
  p.panel.Hide();
  std::vector<RawPixel> white(640 * 480, kWhite565);
  EXPECT_EQ(p.Composed(), white);
  p.panel.Show();
  p.panel.SetParent(nullptr);
  EXPECT_EQ(p.Composed(), white);
}

// A wider panel under the front one (the scores list under the main menu) shows in the strip beside
// it, label included, and nowhere under it.
TEST(PaintCacheTest, WiderPanelShowsBesideTheFrontOne) {
  ControlLayer layer;
  TPanel wide, front;
  wide.SetBounds(232, 220, 236, 260);
  wide.Color = clRed;
  front.SetBounds(232, 220, 176, 260);
  TLabel under_front, beside;
  under_front.Caption = beside.Caption = "Exit";
  under_front.SetBounds(10, 10, 0, 0);
  beside.SetBounds(180, 10, 0, 0);
  for (TLabel* label : {&under_front, &beside}) label->SetParent(&wide);
  wide.SetParent(&layer);
  front.SetParent(&layer);
  TSurface frame(640, 480), fresh(640, 480);
  layer.Compose(frame);
  for (TPanel* each : {&wide, &front}) each->PaintTree(fresh, each->Left, each->Top, fresh.ClientRect());
  EXPECT_TRUE(std::equal(frame.Pixels(), frame.Pixels() + 640 * 480, fresh.Pixels()));
  EXPECT_EQ(frame.GetPixel(300, 300), 0u);
  EXPECT_EQ(frame.GetPixel(460, 470), rgb565::FromColor(clRed));
}

}  // namespace
}  // namespace jizdavo

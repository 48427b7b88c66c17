// The gauge's properties and every pixel of its face: frame rings, gradient bar, pictures, text.

#include "widgets/super_gauge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/pixels/dib.h"
#include "platform/pixels/surface.h"
#include "widgets/control_fixtures.h"
#include "widgets/controls/simple_controls.h"

namespace jizdavo {
namespace {

// The game's volume gauge.
void MakeVolumeGauge(TSuperGauge& gauge) {
  gauge.SetBounds(50, 85, 81, 9);
  gauge.FromColor = RGB(177, 187, 174);
  gauge.ToColor = RGB(128, 0, 0);
  gauge.SetMaximum(80);
  gauge.Border = 0;
  gauge.BkColor = clBlack;
  gauge.Text = false;
  gauge.Spacing = 1;
}

int BarColumns(const TDIB& face) {
  int columns = 0;
  for (int x = 0; x < face.Width(); ++x) columns += face.Row(4)[x] != clBlack;
  return columns;
}

TEST(SuperGaugeTest, DefaultsAtCreation) {
  TSuperGauge gauge;
  EXPECT_EQ(gauge.Width, 200);
  EXPECT_EQ(gauge.Height, 30);
  EXPECT_EQ(gauge.FromColor, RGB(225, 221, 74));
  EXPECT_EQ(gauge.ToColor, RGB(128, 0, 0));
  EXPECT_EQ(gauge.Maximum(), 100);
  EXPECT_EQ(gauge.Position(), 0);
  EXPECT_EQ(gauge.Border, 2);
  EXPECT_TRUE(gauge.ToEnd);
  EXPECT_EQ(gauge.BkColor, clWhite);
  EXPECT_TRUE(gauge.Text);
  EXPECT_EQ(gauge.Spacing, 1);
  EXPECT_FALSE(gauge.Picture);
  EXPECT_FALSE(gauge.Stretch);
  EXPECT_EQ(gauge.Font.Color, clBlack);
}

TEST(SuperGaugeTest, PositionIsClampedToMaximumAndFollowsALowerMaximum) {
  TSuperGauge gauge;
  gauge.SetMaximum(80);
  gauge.SetPosition(90);
  EXPECT_EQ(gauge.Position(), 80);
  gauge.SetMaximum(50);
  EXPECT_EQ(gauge.Position(), 50);
  gauge.SetMaximum(100);
  EXPECT_EQ(gauge.Position(), 50);
  gauge.SetPosition(-5);  // kept as it is
  EXPECT_EQ(gauge.Position(), -5);
}

TEST(SuperGaugeTest, VolumeGaugeBarCoversRound79Of80ThsOfThePosition) {
  struct Case {
    int position, columns;
  };
  for (const Case c : {Case{80, 79}, Case{40, 40}, Case{0, 0}, Case{1, 1}, Case{-3, 0}}) {
    TSuperGauge gauge;
    MakeVolumeGauge(gauge);
    gauge.SetPosition(c.position);
    gauge.PaintBuffer();
    const TDIB& face = gauge.Buffer();
    ASSERT_EQ(face.Width(), 81);
    EXPECT_EQ(BarColumns(face), c.columns) << c.position;
    if (c.columns == 0) continue;
    EXPECT_NE(face.Row(1)[1], clBlack);
    EXPECT_NE(face.Row(7)[c.columns], clBlack);
    EXPECT_EQ(face.Row(0)[1], clBlack);  // no border: the spacing row stays background
    EXPECT_EQ(face.Row(8)[1], clBlack);
    EXPECT_EQ(face.Row(4)[0], clBlack);
    EXPECT_EQ(face.Row(4)[c.columns + 1], clBlack);
  }
}

// The volume gauges hold an outline shape that takes the mouse and keeps it while dragging.
TEST(SuperGaugeTest, HostsTheShapeThatTakesTheMouse) {
  ControlLayer layer;
  TPanel options;
  options.SetBounds(232, 220, 176, 260);
  options.SetParent(&layer);
  TSuperGauge gauge;
  MakeVolumeGauge(gauge);
  gauge.SetParent(&options);
  TShape shape;
  shape.SetBounds(1, 1, 80, 7);
  shape.Pen.Color = kMenuTextColor;
  shape.Brush.Style = TBrushStyle::bsClear;
  shape.SetParent(&gauge);
  std::vector<int> xs;
  shape.OnMouseDown = [&](TControl*, TMouseButton, TShiftState, int x, int) { xs.push_back(x); };
  shape.OnMouseMove = [&](TControl*, TShiftState shift, int x, int) {
    if (shift & ssLeft) xs.push_back(x);
  };
  testing::Press(layer, 232 + 51 + 40, 220 + 86 + 3);
  testing::Move(layer, 600, 220 + 86 + 3);
  testing::Release(layer, 600, 220 + 86 + 3);
  EXPECT_EQ(xs, (std::vector<int>{40, 600 - 232 - 51}));

  TSurface frame(640, 480);
  gauge.SetPosition(80);
  layer.Compose(frame);
  EXPECT_EQ(frame.GetPixel(232 + 51, 220 + 86), rgb565::FromColor(kMenuTextColor));  // the outline on top
  EXPECT_EQ(frame.GetPixel(232 + 50, 220 + 85), 0u);  // the gauge's black spacing row
  EXPECT_EQ(frame.GetPixel(232 + 53, 220 + 88), rgb565::FromColor(RGB(176, 182, 170)));  // bar under it
}

TEST(SuperGaugeTest, GradientColumnsRunFromFromColorTowardsToColor) {
  TSuperGauge gauge;
  MakeVolumeGauge(gauge);
  gauge.SetPosition(80);
  gauge.PaintBuffer();
  // Spanning the whole gauge (D = 81): column c at x = c + 1.
  EXPECT_EQ(gauge.Buffer().Row(3)[1], RGB(177, 187, 174));
  EXPECT_EQ(gauge.Buffer().Row(3)[79], RGB(130, 7, 6));
  gauge.SetPosition(40);
  gauge.PaintBuffer();
  EXPECT_EQ(gauge.Buffer().Row(3)[40], RGB(153, 97, 90));
  // Only over the bar (D = 40): the bar's end reaches nearly ToColor.
  gauge.ToEnd = false;
  gauge.PaintBuffer();
  EXPECT_EQ(gauge.Buffer().Row(3)[1], RGB(177, 187, 174));
  EXPECT_EQ(gauge.Buffer().Row(3)[40], RGB(129, 5, 4));
}

TEST(SuperGaugeTest, TwoPixelBorderRingsBlendDarkAndLightEdges) {
  TSuperGauge gauge;
  gauge.SetBounds(0, 0, 20, 10);
  gauge.Text = false;
  gauge.PaintBuffer();
  const TDIB& face = gauge.Buffer();
  const TColor dark1 = RGB(64, 64, 64), light1 = RGB(235, 235, 235);  // outer ring, halfway blends
  const TColor dark2 = clBlack, light2 = RGB(215, 215, 215);          // inner ring
  struct Case {
    int x, y;
    TColor color;
  };
  for (const Case c : {Case{0, 0, dark1}, Case{5, 0, dark1}, Case{0, 5, dark1}, Case{5, 9, light1},
                       Case{19, 5, light1}, Case{19, 0, light1}, Case{0, 9, light1}, Case{19, 9, light1},
                       Case{1, 1, dark2}, Case{5, 1, dark2}, Case{1, 5, dark2}, Case{5, 8, light2},
                       Case{18, 5, light2}, Case{18, 1, light2}, Case{1, 8, light2}, Case{5, 5, clWhite}}) {
    EXPECT_EQ(face.Row(c.y)[c.x], c.color) << c.x << "," << c.y;
  }
}

TEST(SuperGaugeTest, PercentageTextIsDrawnInTheMiddleWhenAskedFor) {
  TSuperGauge gauge;  // 200 x 30, white background
  gauge.Border = 0;
  const auto ink_columns = [&]() {
    gauge.PaintBuffer();
    std::vector<int> columns;
    for (int x = 0; x < gauge.Width; ++x)
      for (int y = 0; y < gauge.Height; ++y)
        if (gauge.Buffer().Row(y)[x] != clWhite) {
          columns.push_back(x);
          break;
        }
    return columns;
  };
  gauge.Text = false;
  EXPECT_TRUE(ink_columns().empty());
  gauge.Text = true;
  const std::vector<int> ink = ink_columns();
  ASSERT_FALSE(ink.empty());
  EXPECT_NEAR((ink.front() + ink.back()) / 2.0, 100, 3);
}

constexpr TColor kBlue = RGB(0, 0, 255);

void SetTwoColumns(TSuperGauge& gauge, TColor left, TColor right) {
  TDIB picture;
  picture.Assign(2, 1, 24, {left, right});
  gauge.SetBitmap(picture);
}

TEST(SuperGaugeTest, PictureModesTileOrStretchTheBitmap) {
  TSuperGauge gauge;
  gauge.SetBounds(0, 0, 10, 5);
  gauge.Border = 0;
  gauge.Spacing = 0;
  gauge.Text = false;
  gauge.SetMaximum(10);
  gauge.SetPosition(6);
  gauge.Picture = true;
  SetTwoColumns(gauge, clRed, kBlue);
  gauge.PaintBuffer();
  for (int x = 0; x < 10; ++x)
    EXPECT_EQ(gauge.Buffer().Row(3)[x], x >= 6 ? clWhite : x % 2 ? kBlue : clRed) << x;

  gauge.Stretch = true;
  SetTwoColumns(gauge, clBlack, clWhite);
  gauge.SetPosition(10);
  gauge.PaintBuffer();
  std::vector<uint32_t> greys;
  for (int x = 0; x < 10; ++x) greys.push_back(GetRValue(gauge.Buffer().Row(2)[x]));
  EXPECT_TRUE(std::is_sorted(greys.begin(), greys.end()));
  EXPECT_LT(greys.front(), 30u);
  EXPECT_GT(greys.back(), 225u);
  EXPECT_TRUE(std::any_of(greys.begin(), greys.end(), [](uint32_t g) { return g > 60 && g < 195; }));

  gauge.SetPosition(5);  // revealed up to the bar's end, background after it
  gauge.PaintBuffer();
  EXPECT_EQ(gauge.Buffer().Row(2)[5], clWhite);
  EXPECT_LT(GetRValue(gauge.Buffer().Row(2)[0]), 30u);

  gauge.ToEnd = false;  // squeezed into the bar
  gauge.PaintBuffer();
  EXPECT_GT(GetRValue(gauge.Buffer().Row(2)[4]), 200u);
  EXPECT_EQ(gauge.Buffer().Row(2)[5], clWhite);
}

}  // namespace
}  // namespace jizdavo

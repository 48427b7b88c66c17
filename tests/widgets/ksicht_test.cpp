// The check box: where its picture and caption land, and how presses toggle it and click.

#include "widgets/ksicht.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/pixels/dib.h"
#include "platform/pixels/surface.h"
#include "widgets/control_fixtures.h"
#include "widgets/controls/control_text.h"

namespace jizdavo {
namespace {

using testing::ClickAt;

constexpr RawPixel kWhite565 = 0xFFFF;

constexpr TColor kBlue = RGB(0, 0, 255);

void FillSolid(TDIB& picture, TColor color) { picture.Assign(13, 13, 24, std::vector<TColor>(169, color)); }

class KsichtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    box.SetParent(&layer);
    box.SetBounds(10, 20, 96, 18);
    TDIB picture;
    FillSolid(picture, clRed);
    box.SetChnonBit(picture);
    FillSolid(picture, clLime);
    box.SetChBit(picture);
    box.Font = ItemFont();
    frame.Fill(kWhite565);
  }

  // The first row of the box picture, found down the left column.
  int BoxTop() {
    frame.Fill(kWhite565);
    layer.Compose(frame);
    for (int y = 0; y < 480; ++y)
      if (frame.GetPixel(10, y) != kWhite565) return y - 20;
    return -1000;
  }

  ControlLayer layer;
  TKsicht box;
  TSurface frame{640, 480};
};

TEST_F(KsichtTest, BoxSitsOnTheMiddleOfTheCaptionHeight) {
  EXPECT_EQ(BoxTop(), 0);  // no caption: 13 div 2 - 6
  box.Caption = "Music";
  const int h = TextExtentOf(box.Font, "Music").height;
  EXPECT_EQ(BoxTop(), h / 2 - 6);
  EXPECT_GT(h / 2 - 6, 0);
  EXPECT_EQ(frame.GetPixel(10, 20 + h / 2 - 6), rgb565::FromColor(clRed));
  box.Checked = true;
  layer.Compose(frame);
  EXPECT_EQ(frame.GetPixel(10, 20 + h / 2 - 6), rgb565::FromColor(clLime));
}

TEST_F(KsichtTest, CaptionAtSixteenOneTransparentOrOnItsColour) {
  box.Caption = "Music";
  box.Transparent = true;
  layer.Compose(frame);
  EXPECT_EQ(frame.GetPixel(10 + 16, 20 + 1), kWhite565);  // the cell's corner, no ink there
  EXPECT_EQ(frame.GetPixel(10 + 13, 20 + 5), kWhite565);  // between box and caption: untouched

  box.Transparent = false;
  box.Color = clBlack;
  layer.Compose(frame);
  const TextExtent cell = TextExtentOf(box.Font, "Music");
  EXPECT_EQ(frame.GetPixel(10 + 16, 20 + 1), 0u);
  EXPECT_EQ(frame.GetPixel(10 + 15, 20 + 1), kWhite565);
  EXPECT_EQ(frame.GetPixel(10 + 16 + cell.width, 20 + 1), kWhite565);
  ASSERT_LT(cell.height, 17);  // the cell ends inside the 18-pixel box
  EXPECT_EQ(frame.GetPixel(10 + 16, 20 + cell.height), 0u);
  EXPECT_EQ(frame.GetPixel(10 + 16, 21 + cell.height), kWhite565);
}

TEST_F(KsichtTest, LeftPressTogglesBeforeTheClickAndOtherButtonsOnlyReportThePress) {
  std::vector<std::string> seen;
  box.OnMouseDown = [&](TControl*, TMouseButton button, TShiftState, int, int) {
    seen.push_back(std::string(button == TMouseButton::mbLeft ? "left" : "other") + " down, checked " +
                   (box.Checked ? "1" : "0"));
  };
  box.OnClick = [&](TControl*) {
    seen.push_back(std::string("click, checked ") + (box.Checked ? "1" : "0"));
  };

  ClickAt(layer, 15, 25, 1);  // right button
  ClickAt(layer, 15, 25, 2);  // middle button
  EXPECT_FALSE(box.Checked);
  ClickAt(layer, 15, 25);
  EXPECT_TRUE(box.Checked);
  EXPECT_EQ(seen, (std::vector<std::string>{"other down, checked 0", "other down, checked 0",
                                            "left down, checked 0", "click, checked 1"}));
}

TEST_F(KsichtTest, PicturesAreCopiedOnAssignment) {
  TDIB picture;
  FillSolid(picture, kBlue);
  box.SetChnonBit(picture);
  picture.Row(0)[0] = clRed;
  EXPECT_EQ(box.ChnonBit().Row(0)[0], kBlue);
  EXPECT_EQ(box.ChnonBit().Width(), 13);
  TKsicht fresh;
  EXPECT_FALSE(fresh.Checked);
  EXPECT_EQ(fresh.Width, 13);
  EXPECT_EQ(fresh.ChBit().Height(), 13);
}

}  // namespace
}  // namespace jizdavo

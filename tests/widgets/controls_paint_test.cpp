// Painting of the control layer over a composed frame: panels, labels and their text, pictures, the
// version text, the difficulty marker, and the display's compose step.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>
#include <unistd.h>
#include <string>

#include "platform/pictures/dib_format.h"
#include "platform/display/dx_draw.h"
#include "platform/error.h"
#include "platform/pixels/surface.h"
#include "widgets/controls/control_layer.h"
#include "widgets/controls/control_text.h"
#include "widgets/controls/image.h"
#include "widgets/controls/simple_controls.h"

namespace jizdavo {
namespace {

constexpr RawPixel kWhite565 = 0xFFFF;
const RawPixel kText565 = rgb565::FromColor(kMenuTextColor);

class PaintTest : public ::testing::Test {
 protected:
  void SetUp() override { frame.Fill(kWhite565); }

  TSurface frame{640, 480};
  ControlLayer layer;
};

TEST_F(PaintTest, PanelsPaintBlackInsideTheirBoundsAndTheFrontOneShows) {
  TPanel back, front;
  back.SetBounds(10, 10, 40, 40);
  back.Color = clRed;
  front.SetBounds(30, 30, 40, 40);
  back.SetParent(&layer);
  front.SetParent(&layer);
  layer.Compose(frame);
  EXPECT_EQ(frame.GetPixel(15, 15), rgb565::FromColor(clRed));
  EXPECT_EQ(frame.GetPixel(35, 35), 0u);  // overlap: the front panel
  EXPECT_EQ(frame.GetPixel(69, 69), 0u);
  EXPECT_EQ(frame.GetPixel(70, 70), kWhite565);
  EXPECT_EQ(frame.GetPixel(9, 9), kWhite565);

  back.BringToFront();
  layer.Compose(frame);
  EXPECT_EQ(frame.GetPixel(35, 35), rgb565::FromColor(clRed));

  frame.Fill(kWhite565);
  back.Hide();
  layer.Compose(frame);
  EXPECT_EQ(frame.GetPixel(15, 15), kWhite565);
}

// Panels stacked on one place, as the menus' are: only the front one shows, until it is hidden.
TEST_F(PaintTest, StackedPanelsShowTheFrontOneOnly) {
  TPanel under, over;
  for (TPanel* panel : {&under, &over}) {
    panel->SetBounds(232, 220, 176, 260);
    panel->SetParent(&layer);
  }
  under.Color = clRed;
  TLabel label;
  label.Caption = "Exit";
  label.SetParent(&under);
  layer.Compose(frame);
  EXPECT_EQ(frame.GetPixel(300, 300), 0u);
  over.Hide();
  layer.Compose(frame);
  EXPECT_EQ(frame.GetPixel(300, 300), rgb565::FromColor(clRed));
  over.Show();
  under.BringToFront();
  layer.Compose(frame);
  EXPECT_EQ(frame.GetPixel(300, 300), rgb565::FromColor(clRed));
}

// Where the glyphs cover a pixel fully it takes exactly the text colour; elsewhere the text colour is
// mixed with the black panel, so no channel goes above the text colour's.
TEST_F(PaintTest, LabelTextIsInTheTextColourOverThePanel) {
  TPanel panel;
  panel.SetBounds(232, 220, 176, 260);
  panel.SetParent(&layer);
  TLabel label;
  label.Caption = "New Game";
  label.Font = HeadingFont();
  label.SetBounds(30, 15, 0, 0);
  label.SetParent(&panel);
  layer.Compose(frame);

  const TextCoverage& text = CachedText(label.Font, label.Caption);
  int full = 0;
  for (int row = 0; row < text.height; ++row) {
    for (int col = 0; col < text.width; ++col) {
      const RawPixel pixel =
          static_cast<RawPixel>(frame.GetPixel(262 + text.left + col, 235 + text.top + row));
      const uint8_t alpha = text.alpha[static_cast<size_t>(row) * text.width + col];
      if (alpha == 255) {
        ++full;
        EXPECT_EQ(pixel, kText565);
      } else if (alpha == 0) {
        EXPECT_EQ(pixel, 0);
      }
      EXPECT_LE(pixel & rgb565::RedMask, kText565 & rgb565::RedMask);
      EXPECT_LE(pixel & rgb565::GreenMask, kText565 & rgb565::GreenMask);
    }
  }
  EXPECT_GT(full, 50);
  EXPECT_EQ(label.Width, text.cell.width);
  EXPECT_EQ(label.Height, text.cell.height);
}

TEST_F(PaintTest, AutoSizedLabelFollowsItsCaption) {
  TLabel label;
  label.Caption = "Level: 1";
  label.SetParent(&layer);
  layer.Compose(frame);
  const int short_width = label.Width;
  label.Caption = "Level: 16";
  EXPECT_EQ(layer.ControlAt(short_width + 2, 5), &label);  // hit testing sees the new size at once
  EXPECT_GT(label.Width, short_width);
}

// The Marlett "4" is a right-pointing triangle: a straight left edge, rows growing to the middle and
// shrinking again.
TEST_F(PaintTest, DifficultyMarkerDrawsATriangleInMarlett) {
  const TControlFont marker = MenuFont("Marlett", 15);
  EXPECT_EQ(ResolvedFamily(FontRequestOf(marker)), "Marlett");
  const TextCoverage& glyph = CachedText(marker, "4");
  std::vector<int> lefts, widths;
  for (int row = 0; row < glyph.height; ++row) {
    int first = -1, last = -1;
    for (int col = 0; col < glyph.width; ++col) {
      if (glyph.alpha[static_cast<size_t>(row) * glyph.width + col] < 128) continue;
      if (first < 0) first = col;
      last = col;
    }
    if (first < 0) continue;
    lefts.push_back(first);
    widths.push_back(last - first + 1);
  }
  ASSERT_GE(widths.size(), 5u);
  EXPECT_TRUE(std::all_of(lefts.begin(), lefts.end(), [&](int left) { return left == lefts[0]; }));
  const auto widest = std::max_element(widths.begin(), widths.end());
  EXPECT_TRUE(std::is_sorted(widths.begin(), widest + 1));
  EXPECT_TRUE(std::is_sorted(widest, widths.end(), std::greater<>()));
  EXPECT_GE(*widest, widths.front() + 2);
}

TEST_F(PaintTest, PictureCellShowsItsPictureCutToTheCell) {
  TImage cell;
  cell.SetBounds(100, 100, 4, 3);
  cell.SetParent(&layer);
  cell.Picture().Assign(6, 6, 24, std::vector<TColor>(36, clRed));
  cell.Picture().Row(0)[0] = clLime;
  layer.Compose(frame);
  EXPECT_EQ(frame.GetPixel(100, 100), rgb565::FromColor(clLime));
  EXPECT_EQ(frame.GetPixel(103, 102), rgb565::FromColor(clRed));
  EXPECT_EQ(frame.GetPixel(104, 102), kWhite565);
  EXPECT_EQ(frame.GetPixel(103, 103), kWhite565);

  TImage blank;
  blank.SetBounds(0, 0, 47, 20);
  blank.Canvas();
  EXPECT_EQ(blank.Picture().Width(), 47);
  EXPECT_EQ(blank.Picture().Height(), 20);
}

TEST(PictureFileTest, ImageLoadsABitmapFileAndAMissingOneRaises) {
  const std::vector<TColor> pixels = {clRed, clLime, clWhite, clBlack, clRed, clLime};
  const std::vector<uint8_t> bytes = EncodeBitmapFile24({3, 2, pixels.data()});
  const std::string name = "jizdavo-controls-arrow-" + std::to_string(getpid()) + ".bmp";
  const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  TImage arrow;
  arrow.LoadFromFile(path);
  std::filesystem::remove(path);
  ASSERT_EQ(arrow.Picture().Width(), 3);
  ASSERT_EQ(arrow.Picture().Height(), 2);
  EXPECT_EQ(arrow.Picture().Row(0)[1], clLime);
  EXPECT_EQ(arrow.Picture().Row(1)[0], clBlack);
  EXPECT_THROW(arrow.LoadFromFile(path), Error);
  EXPECT_EQ(arrow.Picture().Width(), 3);  // kept as it was
}

TEST_F(PaintTest, VersionTextIsOpaqueAndCutToItsBounds) {
  TStaticText version;
  version.Caption = "Jizdavo v1.0 and much more text than fits";
  version.SetBounds(559, 463, 79, 17);
  version.SetParent(&layer);
  layer.Compose(frame);
  EXPECT_EQ(frame.GetPixel(559, 479), 0u);  // black background up to its bottom row
  EXPECT_EQ(frame.GetPixel(638, 470), kWhite565);
  EXPECT_EQ(frame.GetPixel(558, 470), kWhite565);
  int text_pixels = 0;
  for (int y = 463; y < 480; ++y)
    for (int x = 559; x < 638; ++x) text_pixels += frame.GetPixel(x, y) == kText565;
  EXPECT_GT(text_pixels, 20);
}

// A font's Height is its em in pixels; the text cell a label sizes itself to is taller (the leading).
// MS Sans Serif has only fixed sizes: its 11 px em is the 13-pixel size, whose cell holds that leading.
TEST(ControlFontTest, HeightIsTheEmInPixels) {
  struct Case {
    TControlFont font;
    int em;
  };
  for (const Case& c : {Case{HeadingFont(), 20}, Case{ItemFont(), 13}, Case{MenuFont("Arial", 13), 13},
                        Case{MenuFont("Marlett", 15), 15}, Case{MenuFont("MS Sans Serif", 11), 13}}) {
    const TextExtent extent = TextExtentOf(c.font, "Ag");
    EXPECT_EQ(extent.em, c.em) << c.font.Name;
    EXPECT_GE(extent.height, c.em) << c.font.Name;
  }
  EXPECT_GT(TextExtentOf(HeadingFont(), "New Game").height, 20);
  // A caption of megabytes is drawn only as far as any panel could show it.
  const std::string huge(4 << 20, 'W');
  EXPECT_EQ(CachedText(ItemFont(), huge).width, CachedText(ItemFont(), huge.substr(0, 256)).width);
  EXPECT_GT(CachedText(ItemFont(), huge).width, 640);
}

class RecordingOutput final : public VideoOutput {
 public:
  void PresentFrame(const uint16_t* pixels, int width, int height, int pitch) override {
    last.assign(pixels, pixels + static_cast<size_t>(pitch) * height);
    last_width = width;
  }
  void PresentFilmFrame(const uint32_t*, int, int, const TRect&) override {}

  std::vector<uint16_t> last;
  int last_width = 0;
};

TEST(ComposeTest, PresentShowsTheControlsOverACopyAndLeavesTheBackSurfaceAlone) {
  RecordingOutput output;
  TDXImageList images;
  TDXDraw display(output, images);
  display.Initialize();
  TSurface& back = *display.BackSurface();
  back.Fill(0x1234);
  display.Present();
  ASSERT_EQ(output.last.size(), 640u * 480u);
  EXPECT_EQ(output.last[0], 0x1234);  // no compose step: the back surface as it is

  ControlLayer layer;
  TPanel panel;
  panel.SetBounds(232, 220, 176, 260);
  panel.SetParent(&layer);
  display.OnCompose = [&](TSurface& frame) { layer.Compose(frame); };
  for (int round = 0; round < 2; ++round) {
    display.Present();
    EXPECT_EQ(output.last[220 * 640 + 232], 0);
    EXPECT_EQ(output.last[219 * 640 + 232], 0x1234);
    EXPECT_TRUE(
        std::all_of(back.Pixels(), back.Pixels() + 640 * 480, [](RawPixel p) { return p == 0x1234; }));
  }
}

}  // namespace
}  // namespace jizdavo

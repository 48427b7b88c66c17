#include "platform/display/image_list.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/display/image_fixtures.h"
#include "platform/pixels/surface_fixtures.h"

namespace jizdavo {
namespace {

using testing::AddBuiltItem;
using testing::CountPixels;

TEST(ImageList, FindIgnoresLetterCase) {
  TDXImageList list;
  list.Add("Pozadi");
  TPictureCollectionItem& krev = list.Add("Krev1");
  EXPECT_EQ(&list.Find("KREV1"), &krev);
  EXPECT_EQ(&list.Find("krev1"), &krev);
  EXPECT_EQ(&list.Find("Krev1"), &krev);
  list.Add("KREV1");  // a later item of the same name is never found
  EXPECT_EQ(&list.Find("krev1"), &krev);
}

TEST(ImageList, FindOfAnUnknownNameRaisesItsMessage) {
  TDXImageList list;
  list.Add("Krev1");
  try {
    list.Find("Krev");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Image 'Krev' not found");
  }
}

TEST(ImageList, RebuildMakesOnePatternOfThePictureInTheDisplayFormat) {
  TDXImageList list;
  TPictureCollectionItem& item = list.Add("Cil");
  item.SetTransparentColor(0xFFFFFE);
  item.Picture().Assign(3, 2, 24, {clWhite, clRed, clLime, RGB(0, 0, 255), clSilver, RGB(7, 3, 7)});
  list.InitializeAll();
  item.Rebuild();
  ASSERT_EQ(item.PatternCount(), 1);
  EXPECT_EQ(item.PatternRect(0), (TRect{0, 0, 3, 2}));
  const TSurface& surface = *item.PatternSurface(0);
  EXPECT_EQ(surface.ColorKey(), 0xFFFF);
  const std::vector<RawPixel> expected = {0xFFFF, 0xF800, 0x07E0, 0x001F, 0xC618, 0x0000};
  EXPECT_EQ(testing::PixelsOf(surface), expected);
  EXPECT_EQ(item.Width(), 3);
  EXPECT_EQ(item.Height(), 2);
}

TEST(ImageList, GridPatternsAreCellsRowByRow) {
  TDXImageList list;
  TPictureCollectionItem& item = list.Add("Grid");
  item.PatternWidth = 3;
  item.PatternHeight = 2;
  item.SkipWidth = 1;
  item.SkipHeight = 1;
  item.Picture().Assign(10, 7, 24, {});
  list.InitializeAll();
  item.Rebuild();
  ASSERT_EQ(item.PatternCount(), 4);
  EXPECT_EQ(item.PatternRect(0), (TRect{0, 0, 3, 2}));
  EXPECT_EQ(item.PatternRect(1), (TRect{4, 0, 7, 2}));
  EXPECT_EQ(item.PatternRect(2), (TRect{0, 3, 3, 5}));
  EXPECT_EQ(item.PatternRect(3), (TRect{4, 3, 7, 5}));
  EXPECT_EQ(item.Width(), 3);
  EXPECT_EQ(item.Height(), 2);
  EXPECT_EQ(item.PatternRect(4), TRect{});
  EXPECT_EQ(item.PatternSurface(-1), nullptr);
}

TEST(ImageList, EmptyPictureGivesNoPatterns) {
  TDXImageList list;
  TPictureCollectionItem& item = AddBuiltItem(list, "Alpha", 2, 2, {clRed, clRed, clRed, clRed});
  ASSERT_EQ(item.PatternCount(), 1);
  item.ResetPicture();
  item.Rebuild();
  EXPECT_EQ(item.PatternCount(), 0);
  EXPECT_EQ(item.PatternSurface(0), nullptr);
  EXPECT_EQ(item.PatternRect(0), TRect{});
}

TEST(ImageList, UninitialisedItemBuildsAndDrawsNothing) {
  TDXImageList list;
  TPictureCollectionItem& item = list.Add("Car1");
  item.Picture().Assign(2, 2, 24, {clRed, clRed, clRed, clRed});
  item.Rebuild();
  EXPECT_EQ(item.PatternCount(), 0);
  TSurface dest(8, 8);
  item.DrawAt(dest, 0, 0, 0);
  item.DrawStretched(dest, {0, 0, 8, 8}, 0);
  item.DrawBlended(dest, {0, 0, 8, 8}, 0, 255);
  item.DrawRotated(dest, 4, 4, 2, 2, 0, 0.5, 0.5, 10);
  EXPECT_EQ(CountPixels(dest, 0), 64);
}

TEST(ImageList, FinalizeDropsSurfacesAndItemsAddedLaterJoinInitialised) {
  TDXImageList list;
  TPictureCollectionItem& first = AddBuiltItem(list, "A", 1, 1, {clRed});
  TPictureCollectionItem& later = list.Add("B");
  EXPECT_TRUE(later.Initialized());
  list.FinalizeAll();
  EXPECT_FALSE(first.Initialized());
  EXPECT_EQ(first.PatternCount(), 0);
  list.InitializeAll();
  list.RebuildAll();
  EXPECT_EQ(first.PatternCount(), 1);
  EXPECT_EQ(later.PatternCount(), 0);
}

TEST(ImageList, TransparentColorRekeysExistingSurfacesAndKeepsTheirDrawings) {
  TDXImageList list;
  TPictureCollectionItem& item = AddBuiltItem(list, "end", 2, 1, {clWhite, clRed});
  item.Transparent = true;
  TSurface* surface = item.PatternSurface(0);
  surface->FillRect({1, 0, 2, 1}, 0x07E0);  // a drawing made after the build
  item.SetTransparentColor(clLime);
  EXPECT_EQ(item.PatternSurface(0), surface);
  EXPECT_EQ(surface->ColorKey(), 0x07E0);
  EXPECT_EQ(surface->GetPixel(1, 0), 0x07E0u);
  TSurface dest(2, 1);
  dest.Fill(0x1111);
  item.DrawAt(dest, 0, 0, 0);
  EXPECT_EQ(dest.GetPixel(0, 0), 0xFFFFu);
  EXPECT_EQ(dest.GetPixel(1, 0), 0x1111u);
}

TEST(ImageList, TransparentDecidesWhetherTheKeyIsSkipped) {
  TDXImageList list;
  TPictureCollectionItem& item = AddBuiltItem(list, "Krev1", 2, 1, {clBlack, clRed});
  for (bool transparent : {false, true}) {
    item.Transparent = transparent;
    TSurface dest(2, 1);
    dest.Fill(0x1111);
    item.DrawAt(dest, 0, 0, 0);
    EXPECT_EQ(dest.GetPixel(0, 0), transparent ? 0x1111u : 0u);
    EXPECT_EQ(dest.GetPixel(1, 0), 0xF800u);
  }
}

TEST(ImageList, DrawAtClipsAtTheRightAndLeftEdges) {
  TDXImageList list;
  TPictureCollectionItem& item = AddBuiltItem(list, "Car1", 35, 15, std::vector<TColor>(35 * 15, clRed));
  struct Case {
    int x;
    int drawn_columns;
    int first_column;
  };
  for (const Case& c :
       {Case{640, 0, 0}, Case{639, 1, 639}, Case{-10, 25, 0}, Case{-35, 0, 0}, Case{300, 35, 300}}) {
    TSurface dest(640, 480);
    item.DrawAt(dest, c.x, 100, 0);
    EXPECT_EQ(CountPixels(dest, 0xF800), c.drawn_columns * 15) << c.x;
    if (c.drawn_columns > 0) {
      EXPECT_EQ(dest.GetPixel(c.first_column, 100), 0xF800u) << c.x;
      EXPECT_EQ(dest.GetPixel(c.first_column + c.drawn_columns, 100), 0u) << c.x;
    }
  }
}

TEST(ImageList, DrawAtLeftClipShowsTheRightPartOfThePattern) {
  TDXImageList list;
  TPictureCollectionItem& item = AddBuiltItem(list, "Grad", 20, 1, testing::CoordinatePicture(20, 1));
  TSurface dest(640, 1);
  item.DrawAt(dest, -10, 0, 0);
  EXPECT_EQ(dest.GetPixel(0, 0), rgb565::FromColor(RGB(80, 0, 80)));
  EXPECT_EQ(dest.GetPixel(9, 0), rgb565::FromColor(RGB(152, 0, 152)));
  EXPECT_EQ(dest.GetPixel(10, 0), 0u);
}

TEST(ImageList, DrawWithAPatternOutOfRangeDrawsNothing) {
  TDXImageList list;
  TPictureCollectionItem& item = AddBuiltItem(list, "Car1", 2, 2, std::vector<TColor>(4, clRed));
  TSurface dest(4, 4);
  for (int index : {-1, 1, 100}) {
    item.DrawAt(dest, 0, 0, index);
    item.DrawStretched(dest, {0, 0, 4, 4}, index);
    item.DrawBlended(dest, {0, 0, 4, 4}, index, 200);
    item.DrawRotated(dest, 2, 2, 2, 2, index, 0.5, 0.5, 3);
  }
  EXPECT_EQ(CountPixels(dest, 0), 16);
}

TEST(ImageList, DrawStretchedTakesTheNearestPixelAndSkipsTheKey) {
  TDXImageList list;
  TPictureCollectionItem& item = AddBuiltItem(list, "Krev", 2, 1, {clRed, clBlack});
  item.Transparent = true;
  TSurface dest(6, 2);
  dest.Fill(0x1111);
  item.DrawStretched(dest, {1, 0, 5, 2}, 0);
  const std::vector<RawPixel> row = {0x1111, 0xF800, 0xF800, 0x1111, 0x1111, 0x1111};
  std::vector<RawPixel> expected = row;
  expected.insert(expected.end(), row.begin(), row.end());
  EXPECT_EQ(testing::PixelsOf(dest), expected);
  item.DrawStretched(dest, {3, 0, 3, 2}, 0);
  EXPECT_EQ(testing::PixelsOf(dest), expected);
}

}  // namespace
}  // namespace jizdavo

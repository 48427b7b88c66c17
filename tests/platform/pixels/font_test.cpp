// Faces by name with their substitutes, sizes in points, cell metrics and glyph rendering.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/pixels/canvas.h"
#include "platform/text/bundled_fonts.h"
#include "platform/text/font_resolver.h"
#include "platform/text/text_render.h"

namespace jizdavo {
namespace {

struct FaceCase {
  const char* name;
  bool bold;
  const char* family;     // from fonts-lato, fonts-liberation2 and the Windows fonts of fonts-wine
  const char* file_part;  // a piece of the file name that tells the weight
  bool embolden;
  bool italic = false;
  bool slant = false;
};

// The fonts the build bundles beside the program, for the homes without fontconfig.
const std::filesystem::path kBundledFonts = std::filesystem::path(JIZDAVO_BUILD_DIR) / "fonts";

void ExpectFace(const FontFile& file, const FaceCase& c) {
  EXPECT_EQ(file.family, c.family);
  EXPECT_NE(file.path.find(c.file_part), std::string::npos) << file.path;
  EXPECT_EQ(file.embolden, c.embolden);
  EXPECT_EQ(file.slant, c.slant);
}

class FontFaceTest : public testing::TestWithParam<FaceCase> {};

TEST_P(FontFaceTest, ResolvesToTheInstalledFace) {
  const FaceCase& c = GetParam();
  ExpectFace(ResolveFont(c.name, c.bold, c.italic), c);
}

TEST_P(FontFaceTest, ResolvesToTheSameBundledFace) {
  const FaceCase& c = GetParam();
  ExpectFace(ResolveBundledFont(kBundledFonts, c.name, c.bold, c.italic), c);
}

INSTANTIATE_TEST_SUITE_P(
    GameFaces, FontFaceTest,
    testing::Values(FaceCase{"Arial Black", false, "Lato", "Lato-Black", false},
                    FaceCase{"arial black", true, "Lato", "Lato-Black", false},
                    FaceCase{"Tahoma", false, "Tahoma", "tahoma.ttf", false},
                    FaceCase{"Tahoma", true, "Tahoma", "tahoma.ttf", true},
                    FaceCase{"Tahoma", true, "Tahoma", "tahoma.ttf", true, true, true},
                    FaceCase{"MS Sans Serif", false, "MS Sans Serif", "ms_sans_serif.ttf", false},
                    FaceCase{"Arial", false, "Liberation Sans", "LiberationSans-Regular", false},
                    FaceCase{"Arial", false, "Liberation Sans", "LiberationSans-Italic", false, true, false},
                    FaceCase{"Arial", true, "Liberation Sans", "LiberationSans-Bold", false},
                    FaceCase{"Marlett", false, "Marlett", "marlett.ttf", false},
                    FaceCase{"Marlett", true, "Marlett", "marlett.ttf", true}));

// A bundle short of a face takes the next substitute, as a system without the font package would.
TEST(FontTest, AMissingBundledFaceGivesWayToItsSubstitute) {
  const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "fonts-without-lato";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  for (const char* name : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"})
    std::filesystem::copy_file(kBundledFonts / name, folder / name);
  const FontFile black = ResolveBundledFont(folder, "Arial Black", false, false);
  EXPECT_EQ(black.path, (folder / "LiberationSans-Bold.ttf").string());
  EXPECT_FALSE(black.embolden);
  const FontFile tahoma = ResolveBundledFont(folder, "Tahoma", false, true);
  EXPECT_EQ(tahoma.path, (folder / "LiberationSans-Regular.ttf").string());
  EXPECT_TRUE(tahoma.slant);
  EXPECT_EQ(ResolveBundledFont(folder / "none", "Arial", false, false).path, "");
  std::filesystem::remove_all(folder);
}

TEST(FontTest, PointsBecomeAnEmOfPixels) {
  for (auto [points, pixels] : {std::pair{20, 27}, std::pair{10, 13}, std::pair{8, 11}, std::pair{12, 16},
                                std::pair{9, 12}, std::pair{13, 17}}) {
    EXPECT_EQ(EmPixelsForPoints(points), pixels) << points;
    TFont font;
    font.Name = "Arial";
    font.Size = points;
    EXPECT_EQ(MeasureText(RequestOf(font), "x").em, pixels) << points;
  }
}

TEST(FontTest, CellHeightDoesNotDependOnTheLetters) {
  for (const char* name : {"Arial Black", "Tahoma", "Arial", "MS Sans Serif"}) {
    const FontRequest wanted{name, 27};
    const int height = MeasureText(wanted, "").height;
    EXPECT_GE(height, 13) << name;
    for (const char* text : {"a", "Jizdavo", "_gjpqy|", "\xC3\x81\xC4\x8C"}) {
      const TextExtent extent = MeasureText(wanted, text);
      EXPECT_EQ(extent.height, height) << name << " " << text;
      const TextCoverage glyphs = RenderText(wanted, text, GlyphRender::kMono);
      EXPECT_EQ(glyphs.cell.height, height);
      EXPECT_EQ(glyphs.cell.width, extent.width);
    }
  }
}

TEST(FontTest, WiderTextMeasuresWider) {
  const FontRequest wanted{"Arial Black", 13};
  EXPECT_EQ(MeasureText(wanted, "").width, 0);
  EXPECT_GT(MeasureText(wanted, "WW").width, MeasureText(wanted, "W").width);
  EXPECT_GT(MeasureText({"Arial Black", 27}, "W").width, MeasureText(wanted, "W").width);
}

TEST(FontTest, MonoGlyphsAreHardEdgedAndCoverageIsNot) {
  const FontRequest wanted{"Arial", 27};
  const TextCoverage mono = RenderText(wanted, "Jizdavo", GlyphRender::kMono);
  const TextCoverage smooth = RenderText(wanted, "Jizdavo", GlyphRender::kCoverage);
  const auto partial = [](const TextCoverage& c) {
    return std::count_if(c.alpha.begin(), c.alpha.end(), [](uint8_t a) { return a != 0 && a != 255; });
  };
  EXPECT_EQ(partial(mono), 0);
  EXPECT_GT(std::count(mono.alpha.begin(), mono.alpha.end(), 255), 100);
  EXPECT_GT(partial(smooth), 50);
  EXPECT_EQ(mono.alpha.size(), static_cast<size_t>(mono.width) * mono.height);
}

long Ink(const FontRequest& wanted, const char* text) {
  const TextCoverage glyphs = RenderText(wanted, text, GlyphRender::kMono);
  return std::count(glyphs.alpha.begin(), glyphs.alpha.end(), 255);
}

// Real bold faces and thickened outlines alike; small sizes too, where some fonts carry bitmaps.
TEST(FontTest, BoldIsHeavierAndItalicIsSlanted) {
  for (const char* name : {"Tahoma", "Arial", "MS Sans Serif", "Marlett"}) {
    for (int em : {13, 27}) {
      const FontRequest regular{name, em};
      EXPECT_GT(Ink({name, em, true, false}, "Jizdavo"), Ink(regular, "Jizdavo")) << name << " " << em;
      if (std::string(name) != "MS Sans Serif") {  // fixed bitmap sizes cannot be slanted
        const TextCoverage upright = RenderText(regular, "l", GlyphRender::kMono);
        const TextCoverage italic = RenderText({name, em, false, true}, "l", GlyphRender::kMono);
        EXPECT_NE(upright.alpha, italic.alpha) << name << " " << em;
      }
    }
  }
}

TEST(FontTest, InvalidUtf8BytesStandForLatin1Letters) {
  const FontRequest wanted{"Tahoma", 16};
  EXPECT_EQ(MeasureText(wanted, "\xC8").width, MeasureText(wanted, "\xC3\x88").width);  // E grave both ways
  EXPECT_NE(MeasureText(wanted, "\xC8").width, 0);
}

}  // namespace
}  // namespace jizdavo

// The stored picture format: every depth, compression and header form, and damaged inputs.

#include "platform/pictures/dib_format.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/pixels/dib.h"
#include "platform/error.h"

namespace jizdavo {
namespace {

using Bytes = std::vector<uint8_t>;

// A test-only writer for the forms the game's own encoder does not produce.
struct BitmapLayout {
  uint32_t header_size = 40;
  int32_t width = 5;
  int32_t height = 3;
  int bits = 24;
  uint32_t compression = 0;
  uint32_t image_size = 0;
  uint32_t colors_used = 0;
  std::vector<uint32_t> masks = {};  // written after a 40-byte header when not empty
  std::vector<TColor> palette = {};  // written as 4-byte entries (3-byte for the 12-byte header)
  Bytes pixels = {};                 // already laid out as stored
};

void Put(Bytes& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

Bytes Build(const BitmapLayout& layout) {
  Bytes out;
  Put(out, layout.header_size, 4);
  if (layout.header_size == 12) {
    Put(out, static_cast<uint32_t>(layout.width), 2);
    Put(out, static_cast<uint32_t>(layout.height), 2);
    Put(out, 1, 2);
    Put(out, layout.bits, 2);
  } else {
    Put(out, static_cast<uint32_t>(layout.width), 4);
    Put(out, static_cast<uint32_t>(layout.height), 4);
    Put(out, 1, 2);
    Put(out, layout.bits, 2);
    for (uint32_t field : {layout.compression, layout.image_size, 3780u, 3780u, layout.colors_used, 0u}) {
      Put(out, field, 4);
    }
  }
  for (uint32_t mask : layout.masks) Put(out, mask, 4);
  for (TColor c : layout.palette) {
    Put(out, GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16, layout.header_size == 12 ? 3 : 4);
  }
  out.insert(out.end(), layout.pixels.begin(), layout.pixels.end());
  return out;
}

Bytes WithPrefix(const std::string& class_name, const Bytes& bitmap) {
  Bytes out;
  Put(out, class_name.size(), 1);
  for (char c : class_name) Put(out, static_cast<uint8_t>(c), 1);
  out.insert(out.end(), bitmap.begin(), bitmap.end());
  return out;
}

// Colours every depth can hold exactly (5-bit channels, top bits only).
const std::vector<TColor> kColors = {RGB(0, 0, 0),    RGB(0xF8, 0xF8, 0xF8), RGB(0xF8, 0, 0),
                                     RGB(0, 0xF8, 0), RGB(0, 0, 0xF8),       RGB(0x80, 0x40, 0x18)};

// A 5 x 3 picture as indices into kColors, top row first; 1-bit pictures use only 0 and 1.
std::vector<int> Indices(int bits) {
  std::vector<int> indices;
  for (int i = 0; i < 15; ++i) indices.push_back(bits == 1 ? (i * 7 % 3) & 1 : i * 7 % 6);
  return indices;
}

uint32_t PackMasked(TColor c, const uint32_t (&masks)[3]) {
  uint32_t value = 0;
  const uint32_t channels[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
  for (int i = 0; i < 3; ++i) {
    const int shift = __builtin_ctz(masks[i]);
    const int width = 32 - __builtin_clz(masks[i] >> shift);
    value |= (channels[i] >> (8 - width)) << shift;
  }
  return value;
}

// Lays the indexed picture out as stored rows, bottom-up unless top_down, padded to 4 bytes.
Bytes StoreRows(int bits, bool top_down, const uint32_t (&masks)[3]) {
  const std::vector<int> indices = Indices(bits);
  const int stride = (5 * bits + 31) / 32 * 4;
  Bytes out;
  for (int stored = 0; stored < 3; ++stored) {
    const int y = top_down ? stored : 2 - stored;
    Bytes row(stride, 0);
    for (int x = 0; x < 5; ++x) {
      const int index = indices[y * 5 + x];
      const TColor c = kColors[index];
      if (bits <= 8) {
        const int bit = x * bits;
        row[bit / 8] |= static_cast<uint8_t>(index << (8 - bits - bit % 8));
      } else if (bits == 24) {
        row[3 * x] = GetBValue(c), row[3 * x + 1] = GetGValue(c), row[3 * x + 2] = GetRValue(c);
      } else {
        const uint32_t value = PackMasked(c, masks);
        for (int i = 0; i < bits / 8; ++i) row[x * bits / 8 + i] = static_cast<uint8_t>(value >> (8 * i));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

std::vector<TColor> ExpectedColors(int bits) {
  std::vector<TColor> colors;
  for (int index : Indices(bits)) colors.push_back(kColors[index]);
  return colors;
}

struct DepthCase {
  const char* name;
  uint32_t header_size;
  int bits;
  uint32_t compression;
  bool top_down;
  uint32_t masks[3];
  bool write_masks;
  bool full_palette;  // colours-used 0: 2^bits entries follow
};

class DibDepthTest : public testing::TestWithParam<DepthCase> {};

TEST_P(DibDepthTest, DecodesEveryPixel) {
  const DepthCase& c = GetParam();
  BitmapLayout layout{.header_size = c.header_size,
                  .height = c.top_down ? -3 : 3,
                  .bits = c.bits,
                  .compression = c.compression};
  if (c.bits <= 8) {
    layout.palette = kColors;
    layout.palette.resize(c.full_palette ? size_t{1} << c.bits : kColors.size(), RGB(1, 2, 3));
    if (c.bits == 1 && !c.full_palette) layout.palette.resize(2);
    layout.colors_used = c.full_palette ? 0 : static_cast<uint32_t>(layout.palette.size());
  }
  if (c.write_masks) layout.masks.assign(std::begin(c.masks), std::end(c.masks));
  layout.pixels = StoreRows(c.bits, c.top_down, c.masks);

  const DecodedPicture picture = DecodeDIB(Build(layout));
  EXPECT_EQ(picture.width, 5);
  EXPECT_EQ(picture.height, 3);
  EXPECT_EQ(picture.bit_count, c.bits);
  EXPECT_EQ(picture.pixels, ExpectedColors(c.bits));
}

constexpr uint32_t k555[3] = {0x7C00, 0x03E0, 0x001F};
constexpr uint32_t k565[3] = {0xF800, 0x07E0, 0x001F};
constexpr uint32_t k888[3] = {0xFF0000, 0x00FF00, 0x0000FF};
constexpr uint32_t kBgr[3] = {0x000000FF, 0x0000FF00, 0x00FF0000};

INSTANTIATE_TEST_SUITE_P(
    Depths, DibDepthTest,
    testing::Values(DepthCase{"bits1", 40, 1, 0, false, {}, false, false},
                    DepthCase{"bits1_full_palette", 40, 1, 0, false, {}, false, true},
                    DepthCase{"bits4", 40, 4, 0, false, {}, false, false},
                    DepthCase{"bits4_full_palette_top_down", 40, 4, 0, true, {}, false, true},
                    DepthCase{"bits8", 40, 8, 0, false, {}, false, false},
                    DepthCase{"bits8_full_palette", 40, 8, 0, false, {}, false, true},
                    DepthCase{"bits16_555", 40, 16, 0, false, {k555[0], k555[1], k555[2]}, false, false},
                    DepthCase{
                        "bits16_565_fields", 40, 16, 3, false, {k565[0], k565[1], k565[2]}, true, false},
                    DepthCase{"bits16_top_down", 40, 16, 0, true, {k555[0], k555[1], k555[2]}, false, false},
                    DepthCase{"bits24", 40, 24, 0, false, {}, false, false},
                    DepthCase{"bits24_top_down", 40, 24, 0, true, {}, false, false},
                    DepthCase{"bits32", 40, 32, 0, false, {k888[0], k888[1], k888[2]}, false, false},
                    DepthCase{"bits32_bgr_fields", 40, 32, 3, true, {kBgr[0], kBgr[1], kBgr[2]}, true, false},
                    DepthCase{"core_bits1", 12, 1, 0, false, {}, false, true},
                    DepthCase{"core_bits8", 12, 8, 0, false, {}, false, true},
                    DepthCase{"core_bits24", 12, 24, 0, false, {}, false, false}),
    [](const testing::TestParamInfo<DepthCase>& info) { return std::string(info.param.name); });

// Run-length pictures 6 x 3, rows stored bottom-up, so the first stored row is the picture's last.
struct RleCase {
  const char* name;
  int bits;
  uint32_t compression;
  Bytes data;
  std::vector<int> expected;  // indices, top row first
  bool ends_early = false;
  uint32_t size_claimed_past_data = 0;
  bool size_unstated = false;  // an image size of 0 in the header, as many writers leave it
};

class DibRleTest : public testing::TestWithParam<RleCase> {};

TEST_P(DibRleTest, DecodesRunsAbsoluteRunsAndDeltas) {
  const RleCase& c = GetParam();
  const std::vector<TColor> palette = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(40, 0, 0)};
  BitmapLayout layout{.width = 6,
                  .height = 3,
                  .bits = c.bits,
                  .compression = c.compression,
                  .image_size = static_cast<uint32_t>(c.data.size()) + c.size_claimed_past_data,
                  .colors_used = 4,
                  .palette = palette,
                  .pixels = c.data};
  if (c.size_unstated) layout.image_size = 0;
  const DecodedPicture picture = DecodeDIB(Build(layout));
  std::vector<TColor> expected;
  for (int index : c.expected) expected.push_back(palette[index]);
  EXPECT_EQ(picture.pixels, expected);
  EXPECT_EQ(picture.ends_early, c.ends_early);
}

// Pixels no run reaches keep the first palette colour (index 0).
INSTANTIATE_TEST_SUITE_P(
    Compressions, DibRleTest,
    testing::Values(
        // bottom row: run of 4 x index 1, end of line; middle: absolute run 2,0,3 (padded), delta one
        // right and one up; top: run of 2 x index 3, end of bitmap.
        RleCase{"rle8",
                8,
                1,
                {4, 1, 0, 0, 0, 3, 2, 0, 3, 0, 0, 2, 1, 1, 2, 3, 0, 1},
                {0, 0, 0, 0, 3, 3, 2, 0, 3, 0, 0, 0, 1, 1, 1, 1, 0, 0}},
        // The same with no image size in the header: the data runs to its end.
        RleCase{"rle8_size_unstated", 8, 1, {4, 1, 0, 0, 0, 3, 2, 0, 3, 0, 0, 2, 1, 1, 2, 3, 0, 1},
                {0, 0, 0, 0, 3, 3, 2, 0, 3, 0, 0, 0, 1, 1, 1, 1, 0, 0}, false, 0, true},
        // bottom row: run of 5 alternating 1,2; middle: absolute run of 3 nibbles 3,0,1 (padded), end
        // of line; top: run of 6 alternating 2,3, end of bitmap.
        RleCase{"rle4",
                4,
                2,
                {5, 0x12, 0, 0, 0, 3, 0x30, 0x10, 0, 0, 6, 0x23, 0, 1},
                {2, 3, 2, 3, 2, 3, 3, 0, 1, 0, 0, 0, 1, 2, 1, 2, 1, 0}},
        // Runs on into the rows' padding (8 pixels a row) are cut at the row's end: bottom a run of 8,
        // middle an absolute run of 8, top one of index 3.
        RleCase{"rle8_runs_into_padding",
                8,
                1,
                {8, 1, 0, 0, 0, 8, 2, 0, 3, 1, 2, 0, 3, 3, 0, 0, 1, 3, 0, 1},
                {3, 0, 0, 0, 0, 0, 2, 0, 3, 1, 2, 0, 1, 1, 1, 1, 1, 1}},
        RleCase{"rle4_runs_into_padding",
                4,
                2,
                {8, 0x12, 0, 0, 0, 8, 0x30, 0x12, 0x33, 0x00, 0, 0, 0, 1},
                {0, 0, 0, 0, 0, 0, 3, 0, 1, 2, 3, 3, 1, 2, 1, 2, 1, 2}},
        // A run that starts past the row's end draws nothing, and the next row starts afresh.
        RleCase{"rle8_run_past_the_row", 8, 1, {6, 1, 2, 2, 0, 0, 2, 3, 0, 1},
                {0, 0, 0, 0, 0, 0, 3, 3, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1}},
        // A move past the top and the rows beyond it draw nothing; the end mark still ends it.
        RleCase{"rle8_moved_past_the_top", 8, 1, {2, 3, 0, 2, 1, 9, 4, 2, 0, 0, 4, 2, 0, 1},
                {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3, 0, 0, 0, 0}},
        // Data that ends before the end mark (here also before the size the header claims) keeps what
        // it drew.
        RleCase{"rle8_ends_early", 8, 1, {6, 2, 0, 0, 3, 1},
                {0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 2, 2, 2, 2, 2, 2}, true, 10},
        RleCase{"rle8_ends_in_an_absolute_run", 8, 1, {3, 2, 0, 4, 1, 1},
                {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 2, 0, 0, 0}, true},
        // Data that ends after the last row without its end mark is whole.
        RleCase{"rle8_last_row_without_end_mark", 8, 1, {6, 1, 0, 0, 6, 2, 0, 0, 6, 3, 0, 0},
                {3, 3, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1}}),
    [](const testing::TestParamInfo<RleCase>& info) { return std::string(info.param.name); });

// The encoder's forms, as common editors and converters write them, each read back as the picture:
// a 7 x 3 picture of runs and stretches that do not repeat, whose rows have padding at 4 and 8 bits.
struct FormCase {
  const char* name;
  DibForm form;
};

class DibFormTest : public testing::TestWithParam<FormCase> {};

TEST_P(DibFormTest, ReadsBackAsThePlainPicture) {
  const std::vector<int> indices = {0, 0, 0, 0, 1, 2, 3, 4, 5, 1, 1, 1, 1, 1, 2, 3, 4, 5, 0, 1, 2};
  std::vector<TColor> pixels;
  for (int index : indices) pixels.push_back(kColors[index]);
  const PictureView view{7, 3, pixels.data()};
  const DecodedPicture plain = DecodeBitmapFile(EncodeBitmapFile24(view));
  const DecodedPicture picture = DecodeBitmapFile(EncodeBitmapFile(view, GetParam().form));
  EXPECT_EQ(picture.bit_count, GetParam().form.bits);
  EXPECT_FALSE(picture.ends_early);
  EXPECT_EQ(picture.pixels, plain.pixels);
  EXPECT_EQ(picture.pixels, pixels);
  EXPECT_EQ(DecodeDIB(EncodeDIB(view, GetParam().form)).pixels, pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DibFormTest,
    testing::Values(
        FormCase{"rle8", {.bits = 8, .compression = kDibRle8}},
        FormCase{"rle8_runs_into_padding", {.bits = 8, .compression = kDibRle8, .runs_into_padding = true}},
        FormCase{"rle4_runs_into_padding", {.bits = 4, .compression = kDibRle4, .runs_into_padding = true}},
        FormCase{"rle8_header_124", {.bits = 8, .compression = kDibRle8, .header_size = 124}},
        FormCase{"bits24_header_52", {.header_size = 52}},
        FormCase{"bits24_header_108", {.header_size = 108}},
        FormCase{"bits24_header_124_top_down", {.header_size = 124, .top_down = true}},
        FormCase{"bits8_header_124_full_palette", {.bits = 8, .header_size = 124, .full_palette = true}},
        FormCase{"bits16_555_header_108", {.bits = 16, .header_size = 108}},
        FormCase{"bits16_565_fields_header_124",
                 {.bits = 16, .compression = kDibBitFields, .header_size = 124, .masks = {0xF800, 0x07E0, 0x001F}}},
        FormCase{"bits16_565_fields_top_down",
                 {.bits = 16, .compression = kDibBitFields, .top_down = true, .masks = {0xF800, 0x07E0, 0x001F}}},
        FormCase{"bits32_fields_header_56",
                 {.bits = 32, .compression = kDibBitFields, .header_size = 56, .masks = {0xFF, 0xFF00, 0xFF0000}}},
        FormCase{"bits4_core", {.bits = 4, .header_size = 12, .full_palette = true}}),
    [](const testing::TestParamInfo<FormCase>& info) { return std::string(info.param.name); });

TEST(DibFormatTest, PayloadRoundTripHasTheStoredLength) {
  for (auto [width, height, length] :
       {std::tuple{20, 20, 1245}, std::tuple{45, 48, 6573}, std::tuple{1, 1, 49}}) {
    std::vector<TColor> pixels;
    for (int i = 0; i < width * height; ++i)
      pixels.push_back(static_cast<TColor>(i * 2654435761u) & 0xFFFFFF);
    const Bytes payload = EncodePicturePayload24({width, height, pixels.data()});
    EXPECT_EQ(payload.size(), static_cast<size_t>(length));
    const DecodedPicture picture = DecodePicturePayload(payload);
    EXPECT_EQ(picture.width, width);
    EXPECT_EQ(picture.bit_count, 24);
    EXPECT_EQ(picture.pixels, pixels);
  }
}

TEST(DibFormatTest, OneBitPayloadKeepsItsPalette) {
  const std::vector<TColor> pixels = {clBlack, clWhite, clWhite, clBlack, clRed,
                                      clWhite, clWhite, clBlack, clBlack};
  const DecodedPicture picture =
      DecodePicturePayload(EncodePicturePayload1({9, 1, pixels.data()}, clBlack, clWhite));
  EXPECT_EQ(picture.bit_count, 1);
  std::vector<TColor> expected = pixels;
  expected[4] = clBlack;  // not colour 1, so stored as colour 0
  EXPECT_EQ(picture.pixels, expected);
}

TEST(DibFormatTest, BitmapFileRoundTrip) {
  const std::vector<TColor> pixels = {clRed, clLime, clYellow, clSilver, clMaroon, clWhite};
  const Bytes file = EncodeBitmapFile24({3, 2, pixels.data()});
  ASSERT_GE(file.size(), 2u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 2), "BM");
  EXPECT_EQ(DecodeBitmapFile(file).pixels, pixels);
}

TEST(DibFormatTest, EmptyPayloadIsTheEmptyPicture) { EXPECT_TRUE(DecodePicturePayload({}).Empty()); }

TEST(DibFormatTest, AssignPictureFillsAndEmptiesATDIB) {
  const std::vector<TColor> pixels = {clRed, clLime, clYellow, clSilver};
  TDIB dib;
  AssignPicture(dib, DecodePicturePayload(EncodePicturePayload1({2, 2, pixels.data()}, clBlack, clLime)));
  ASSERT_EQ(dib.Width(), 2);
  EXPECT_EQ(dib.Height(), 2);
  EXPECT_EQ(dib.BitCount(), 1);
  EXPECT_EQ(dib.Row(0)[1], clLime);
  EXPECT_EQ(dib.Row(1)[0], clBlack);
  AssignPicture(dib, DecodePicturePayload({}));
  EXPECT_TRUE(dib.Empty());
}

Bytes Truncated(Bytes bytes, size_t keep) {
  bytes.resize(keep);
  return bytes;
}

Bytes Valid24() { return Build({.width = 5, .height = 3, .bits = 24, .pixels = Bytes(48, 7)}); }
Bytes Valid8() {
  return Build({.bits = 8, .colors_used = 4, .palette = {1, 2, 3, 4}, .pixels = Bytes(24, 1)});
}
struct DamagedCase {
  const char* name;
  enum Reader { kDib, kPayload, kFile } reader;
  Bytes bytes;
  const char* message;
};

class DibDamagedTest : public testing::TestWithParam<DamagedCase> {};

TEST_P(DibDamagedTest, RaisesItsError) {
  const DamagedCase& c = GetParam();
  try {
    if (c.reader == DamagedCase::kDib) DecodeDIB(c.bytes);
    if (c.reader == DamagedCase::kPayload) DecodePicturePayload(c.bytes);
    if (c.reader == DamagedCase::kFile) DecodeBitmapFile(c.bytes);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), c.message);
  }
}

Bytes BitmapFile(uint32_t pixel_offset, const Bytes& bitmap) {
  Bytes out{'B', 'M'};
  Put(out, 14 + bitmap.size(), 4);
  Put(out, 0, 4);
  Put(out, pixel_offset, 4);
  out.insert(out.end(), bitmap.begin(), bitmap.end());
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, DibDamagedTest,
    testing::Values(
        DamagedCase{"no_header_size", DamagedCase::kDib, {40, 0}, "DIB header is truncated"},
        DamagedCase{"truncated_header", DamagedCase::kDib, Truncated(Valid24(), 30),
                    "DIB header is truncated"},
        DamagedCase{"truncated_masks", DamagedCase::kDib,
                    Build({.bits = 16, .compression = 3, .masks = {0xF800, 0x07E0}}),
                    "DIB header is truncated"},
        DamagedCase{"truncated_palette", DamagedCase::kDib, Truncated(Valid8(), 50),
                    "DIB palette is truncated"},
        DamagedCase{"truncated_rows", DamagedCase::kDib, Truncated(Valid24(), 87),
                    "DIB pixel data is truncated"},
        DamagedCase{"rle_top_down", DamagedCase::kDib,
                    Build({.height = -3, .bits = 8, .compression = 1, .pixels = {0, 1}}), "DIB is invalid"},
        DamagedCase{"header_size_41", DamagedCase::kDib, Build({.header_size = 41}), "DIB is invalid"},
        DamagedCase{"header_size_64", DamagedCase::kDib, Build({.header_size = 64}), "DIB is invalid"},
        DamagedCase{"header_124_cut", DamagedCase::kDib, Truncated(Build({.header_size = 124}), 120),
                    "DIB header is truncated"},
        DamagedCase{"bits_7", DamagedCase::kDib, Build({.bits = 7}), "DIB is invalid"},
        DamagedCase{"rle8_at_24_bits", DamagedCase::kDib, Build({.compression = 1}), "DIB is invalid"},
        DamagedCase{"unknown_compression", DamagedCase::kDib, Build({.compression = 9}), "DIB is invalid"},
        DamagedCase{"palette_over_256", DamagedCase::kDib, Build({.bits = 8, .colors_used = 300}),
                    "DIB is invalid"},
        DamagedCase{"negative_width", DamagedCase::kDib, Build({.width = -5}), "DIB is invalid"},
        DamagedCase{"zero_height", DamagedCase::kDib, Build({.height = 0}), "DIB is invalid"},
        DamagedCase{"huge", DamagedCase::kDib, Build({.width = 100000, .height = 100000}),
                    "DIB is too large (100000x100000)"},
        DamagedCase{"most_negative_height", DamagedCase::kDib, Build({.width = 1, .height = INT_MIN}),
                    "DIB is too large (1x2147483648)"},
        DamagedCase{"too_many_pixels", DamagedCase::kDib, Build({.width = 16384, .height = 16384}),
                    "DIB is too large (16384x16384)"},
        DamagedCase{"unknown_class", DamagedCase::kPayload, WithPrefix("TBitmap", Valid24()),
                    "Picture class 'TBitmap' is not supported"},
        DamagedCase{"class_name_cut", DamagedCase::kPayload, {9, 'T', 'D'}, "DIB is invalid"},
        DamagedCase{"payload_cut", DamagedCase::kPayload, WithPrefix("TDIB", Truncated(Valid24(), 60)),
                    "DIB pixel data is truncated"},
        DamagedCase{"no_bm", DamagedCase::kFile, Valid24(), "DIB is invalid"},
        DamagedCase{"file_header_cut", DamagedCase::kFile, {'B', 'M', 0, 0}, "DIB is invalid"},
        DamagedCase{"pixel_offset_past_end", DamagedCase::kFile, BitmapFile(5000, Valid24()),
                    "DIB is invalid"},
        DamagedCase{"pixel_offset_in_header", DamagedCase::kFile, BitmapFile(20, Valid24()),
                    "DIB is invalid"}),
    [](const testing::TestParamInfo<DamagedCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace jizdavo

// The compiled-in picture catalogue: every item as the game expects it, decoded by the real reader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/assets/asset_catalog.h"
#include "platform/pictures/dib_format.h"

namespace jizdavo {
namespace {

struct ExpectedImage {
  std::string name;
  int width;  // 0: built at run time, nothing stored
  int height;
  bool transparent;
  TColor key;
};

std::vector<ExpectedImage> ExpectedImages() {
  std::vector<ExpectedImage> items = {
      {"Pozadi", 0, 0, false, clLime},        {"Road", 20, 20, false, 0xB5B5B5},
      {"Krajnice1", 20, 12, false, 0xB5B5B5}, {"Krajnice2", 20, 12, false, 0xB5B5B5},
      {"Krev", 20, 20, true, clBlack},        {"Povrch1", 45, 48, false, 0x0F7B4B},
      {"Povrch2", 48, 48, false, 0x23A77F},   {"Povrch3", 100, 100, false, 0x369553},
      {"Povrch4", 100, 100, false, 0xEEE7D8}, {"Clovek1d", 16, 9, true, clLime},
      {"Clovek1c", 16, 12, true, clLime},     {"Clovek1c2", 16, 12, true, clLime},
      {"Mrtvola", 24, 14, true, clRed},       {"Mrtvola2", 24, 14, true, clRed},
  };
  struct Car {
    int w, h;
    TColor key;
  };
  const Car cars[28] = {
      {35, 15, clWhite},  {36, 14, clLime},   {35, 14, clLime},   {35, 14, clLime},   {34, 14, clLime},
      {34, 14, 0xBFFF00}, {35, 14, 0xFF0087}, {35, 15, clWhite},  {36, 14, 0x00FF8C}, {35, 14, clLime},
      {46, 18, clLime},   {36, 14, clLime},   {34, 12, clLime},   {36, 14, clLime},   {36, 14, clYellow},
      {34, 12, clLime},   {34, 12, 0x00FF44}, {35, 14, 0xFFC700}, {32, 15, clLime},   {32, 15, clLime},
      {32, 15, 0xA75F5F}, {32, 15, clLime},   {37, 15, clLime},   {37, 15, clLime},   {37, 15, clLime},
      {36, 15, clLime},   {36, 15, clLime},   {47, 19, clLime},
  };
  for (int type = 1; type <= 28; ++type)
    for (int frame = 0; frame < 2; ++frame)
      items.push_back({"Auto" + std::to_string(type) + std::to_string(frame), cars[type - 1].w,
                       cars[type - 1].h, true, cars[type - 1].key});
  std::vector<ExpectedImage> rest = {
      {"Krev1", 3, 3, false, 0x8181B7},  {"end", 0, 0, true, clMaroon},    {"Caption", 1, 1, false, clBlack},
      {"Znak1", 32, 184, true, clLime},  {"Znak2", 32, 184, true, clLime}, {"Cil", 0, 0, false, clBlack},
      {"Barrier", 2, 3, false, clBlack}, {"Alpha", 0, 0, false, clBlack},  {"CarTemp", 0, 0, true, clBlack},
      {"Cernota", 1, 1, false, clBlack},
  };
  items.insert(items.end(), rest.begin(), rest.end());
  return items;
}

const StoredImage* FindStored(const std::string& name) {
  for (const StoredImage& item : StoredImages())
    if (name == item.name) return &item;
  return nullptr;
}

DecodedPicture Decode(const std::string& name) { return DecodePicturePayload(FindStored(name)->payload); }

// Pictures that are the key colour black by definition: one black pixel each.
bool IsBlackPixelItem(const std::string& name) { return name == "Caption" || name == "Cernota"; }

TEST(StoredImages, NamesOrderFlagsKeysAndSizesMatchTheCollection) {
  std::vector<ExpectedImage> expected = ExpectedImages();
  std::span<const StoredImage> stored = StoredImages();
  ASSERT_EQ(stored.size(), 80u);
  ASSERT_EQ(expected.size(), 80u);
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(stored[i].name, expected[i].name);
    EXPECT_EQ(stored[i].transparent, expected[i].transparent);
    EXPECT_EQ(stored[i].transparent_color, expected[i].key);
    DecodedPicture picture = DecodePicturePayload(stored[i].payload);
    EXPECT_EQ(stored[i].payload.empty(), expected[i].width == 0);
    EXPECT_EQ(picture.width, expected[i].width);
    EXPECT_EQ(picture.height, expected[i].height);
  }
}

TEST(StoredImages, PayloadsAreTwentyFourBitUncompressedExceptTheOneBitPixel) {
  for (const StoredImage& item : StoredImages()) {
    if (item.payload.empty()) continue;
    SCOPED_TRACE(item.name);
    DecodedPicture picture = DecodePicturePayload(item.payload);
    bool one_bit = std::string(item.name) == "Cernota";
    EXPECT_EQ(picture.bit_count, one_bit ? 1 : 24);
    size_t row_bytes = one_bit ? 4 : (3 * picture.width + 3) / 4 * 4;
    size_t palette = one_bit ? 8 : 0;
    EXPECT_EQ(item.payload.size(), 5 + 40 + palette + picture.height * row_bytes);
  }
  EXPECT_EQ(FindStored("Road")->payload.size(), 1245u);
  EXPECT_EQ(FindStored("Povrch1")->payload.size(), 6573u);
}

TEST(StoredImages, TransparentPicturesHoldTheirKeyAndSomethingToSee) {
  for (const StoredImage& item : StoredImages()) {
    if (!item.transparent || item.payload.empty()) continue;
    SCOPED_TRACE(item.name);
    DecodedPicture picture = DecodePicturePayload(item.payload);
    int keyed = 0;
    for (TColor c : picture.pixels) keyed += c == item.transparent_color;
    EXPECT_GT(keyed, 0);
    EXPECT_GT(static_cast<int>(picture.pixels.size()) - keyed, static_cast<int>(picture.pixels.size()) / 4);
  }
}

// On the 16-bit display a pixel that packs to the key's value would be punched out by keying.
TEST(StoredImages, NoVisiblePixelTurnsIntoTheKeyOnTheDisplay) {
  for (const StoredImage& item : StoredImages()) {
    if (item.payload.empty() || IsBlackPixelItem(item.name)) continue;
    SCOPED_TRACE(item.name);
    RawPixel key = rgb565::FromColor(item.transparent_color);
    for (TColor c : DecodePicturePayload(item.payload).pixels) {
      if (item.transparent && c == item.transparent_color) continue;
      ASSERT_NE(rgb565::FromColor(c), key) << std::hex << c;
    }
  }
  EXPECT_EQ(Decode("Caption").pixels, std::vector<TColor>{clBlack});
  EXPECT_EQ(Decode("Cernota").pixels, std::vector<TColor>{clBlack});
  EXPECT_EQ(Decode("Barrier").pixels, std::vector<TColor>(6, 0xDBDBDB));
}

TEST(StoredImages, CarsDriveBothWaysAsMirrorImagesWithAClearCorner) {
  for (int type = 1; type <= 28; ++type) {
    SCOPED_TRACE(type);
    DecodedPicture right = Decode("Auto" + std::to_string(type) + "0");
    DecodedPicture left = Decode("Auto" + std::to_string(type) + "1");
    ASSERT_EQ(right.width, left.width);
    for (int y = 0; y < right.height; ++y)
      for (int x = 0; x < right.width; ++x)
        ASSERT_EQ(right.pixels[y * right.width + x], left.pixels[y * left.width + right.width - 1 - x]);
    // The tinted chase car keys its scratch picture by the corner pixel, so that must be background.
    EXPECT_EQ(right.pixels[0], FindStored("Auto" + std::to_string(type) + "0")->transparent_color);
  }
}

TEST(StoredImages, CarTypesLookDifferentFromEachOther) {
  for (int a = 1; a <= 28; ++a)
    for (int b = a + 1; b <= 28; ++b) {
      DecodedPicture pa = Decode("Auto" + std::to_string(a) + "0");
      DecodedPicture pb = Decode("Auto" + std::to_string(b) + "0");
      if (pa.width != pb.width || pa.height != pb.height) continue;
      int differing = 0;
      for (size_t i = 0; i < pa.pixels.size(); ++i) differing += pa.pixels[i] != pb.pixels[i];
      EXPECT_GT(differing, static_cast<int>(pa.pixels.size()) / 4) << "types " << a << " and " << b;
    }
}

}  // namespace
}  // namespace jizdavo

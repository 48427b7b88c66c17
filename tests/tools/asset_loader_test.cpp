// Start-up loading of the built-in pictures and sounds into the game's collections.
#include "platform/assets/asset_loader.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/audio_output.h"
#include "platform/error.h"
#include "platform/sound/sound_test_support.h"

namespace jizdavo {
namespace {

class AssetLoader : public testing::Test {
 protected:
  void LoadAll() { LoadStoredAssets(images_, sounds_, StoredImages(), StoredSounds()); }

  ManualAudioOutput device_;
  TDXSound sound_{device_};
  TDXImageList images_;
  TDXWaveList sounds_{sound_};
};

TEST_F(AssetLoader, ImagesArriveInTableOrderWithTheirFieldsAndDecodedPictures) {
  LoadAll();
  std::span<const StoredImage> stored = StoredImages();
  ASSERT_EQ(images_.Count(), static_cast<int>(stored.size()));
  for (int i = 0; i < images_.Count(); ++i) {
    TPictureCollectionItem& item = images_.Item(i);
    SCOPED_TRACE(item.Name());
    EXPECT_EQ(item.Name(), stored[i].name);
    EXPECT_EQ(item.Transparent, stored[i].transparent);
    EXPECT_EQ(item.TransparentColor(), stored[i].transparent_color);
    EXPECT_EQ(item.PatternWidth, 0);
    EXPECT_FALSE(item.SystemMemory);
    EXPECT_EQ(item.Picture().Empty(), stored[i].payload.empty());
  }
  TPictureCollectionItem& krev1 = images_.Find("KREV1");  // found whatever the letter case
  EXPECT_EQ(krev1.Width(), 3);
  EXPECT_EQ(krev1.Picture().BitCount(), 24);
  EXPECT_EQ(images_.Find("Cernota").Picture().BitCount(), 1);
  EXPECT_EQ(images_.Find("Cernota").Picture().Row(0)[0], clBlack);
  EXPECT_EQ(images_.Find("Barrier").Picture().Row(2)[1], 0xDBDBDBu);
  EXPECT_EQ(images_.Find("Znak1").Height(), 184);
}

TEST_F(AssetLoader, RunTimeImagesAreThereButEmpty) {
  LoadAll();
  for (const char* name : {"Pozadi", "end", "Cil", "Alpha", "CarTemp"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(images_.Find(name).Picture().Empty());
    EXPECT_EQ(images_.Find(name).Width(), 0);
  }
}

TEST_F(AssetLoader, SoundsArriveInOrderAndTheFanfarePlaysWhole) {
  LoadAll();
  ASSERT_EQ(sounds_.Count(), 15);
  EXPECT_EQ(sounds_.Item(0).Name(), "Mlask");
  EXPECT_EQ(sounds_.Item(14).Name(), "Fanfare");
  EXPECT_TRUE(sounds_.Find("menutune3").Looped());
  EXPECT_TRUE(sounds_.Find("MenuTune3").Wave().Empty());  // filled from its file at start-up
  TWaveCollectionItem& fanfare = sounds_.Find("Fanfare");
  EXPECT_EQ(fanfare.Wave().Size(), 64001);
  sound_.Initialize();
  fanfare.Play(false);
  int frames = 0;
  while (fanfare.PlayingVoiceCount() > 0 && frames < 10 * kOutputRate) {
    device_.Pull(441);
    frames += 441;
  }
  EXPECT_NEAR(frames, 64001.0 * kOutputRate / 11025, 441);
}

TEST_F(AssetLoader, StoredSoundsArriveInOrderWithTheirLooping) {
  const std::vector<uint8_t> bytes = testing_sound::Mono16(22050, testing_sound::Constant(4, 9)).SaveToMemory();
  const StoredSound stored[] = {{"Horn", false, bytes}, {"InGame1", true, {}}};
  sound_.Initialize();
  AddStoredSounds(sounds_, stored);
  ASSERT_EQ(sounds_.Count(), 2);
  EXPECT_EQ(sounds_.Item(0).Name(), "Horn");
  EXPECT_EQ(sounds_.Item(0).Wave().Size(), 8);
  EXPECT_FALSE(sounds_.Item(0).Looped());
  EXPECT_TRUE(sounds_.Item(1).Looped());
  EXPECT_TRUE(sounds_.Item(1).Wave().Empty());
  EXPECT_TRUE(sounds_.Item(1).Initialized());
}

TEST_F(AssetLoader, ADamagedStoredPictureIsASetUpError) {
  const uint8_t damaged[] = {4, 'T', 'D', 'I', 'B', 40, 0, 0};
  const StoredImage table[] = {{"Broken", false, clBlack, damaged}};
  EXPECT_THROW(AddStoredImages(images_, table), Error);
}

}  // namespace
}  // namespace jizdavo

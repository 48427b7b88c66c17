#include <gtest/gtest.h>

#include <string>

#include "platform/sound/dx_sound.h"
#include "platform/error.h"
#include "platform/sound/sound_test_support.h"
#include "platform/sound/wave_list.h"

namespace jizdavo {
namespace {

using namespace testing_sound;

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

class SoundTest : public testing::Test {
 protected:
  TWaveCollectionItem& AddItem(const char* name, const TWave& wave, bool looped = false) {
    TWaveCollectionItem& item = rig_.Add(name, wave);
    item.SetLooped(looped);
    return item;
  }
  // Frames until the item falls silent, pulled one at a time.
  int FramesUntilSilent(TWaveCollectionItem& item) {
    int frames = 0;
    while (item.PlayingVoiceCount() > 0 && frames < 1000000) {
      device_.Pull(1);
      ++frames;
    }
    return frames;
  }

  SoundRig<ManualAudioOutput> rig_;
  ManualAudioOutput& device_ = rig_.output;
  TDXSound& sound_ = rig_.sound;
  TDXWaveList& list_ = rig_.list;
};

TEST_F(SoundTest, OverlappingPlaysGetVoicesOfTheirOwnAndFreeOnesAreReused) {
  TWaveCollectionItem& mlask = AddItem("Mlask", Mono16(44100, Constant(300, 1000)));
  sound_.Initialize();
  for (int i = 0; i < 3; ++i) mlask.Play(false);
  EXPECT_EQ(mlask.ExtraVoiceCount(), 3);
  EXPECT_EQ(mlask.PlayingVoiceCount(), 3);
  EXPECT_EQ(device_.Pull(1)[0], 3000);
  device_.Pull(400);
  EXPECT_EQ(mlask.PlayingVoiceCount(), 0);
  mlask.Play(false);
  EXPECT_EQ(mlask.ExtraVoiceCount(), 3);
  EXPECT_EQ(mlask.PlayingVoiceCount(), 1);
}

TEST_F(SoundTest, PlayingALoopedItemAgainRestartsItsOneVoice) {
  const auto ramp = Ramp(100, 100, 10);
  TWaveCollectionItem& tune = AddItem("MenuTune1", Mono16(44100, ramp), true);
  sound_.Initialize();
  tune.Play(false);
  device_.Pull(250);
  EXPECT_EQ(tune.PlayingVoiceCount(), 1) << "still looping";
  tune.Play(false);
  EXPECT_EQ(tune.PlayingVoiceCount(), 1);
  EXPECT_EQ(tune.ExtraVoiceCount(), 0);
  EXPECT_EQ(device_.Pull(1)[0], ramp[0]);
}

TEST_F(SoundTest, VolumeOfASoundingSinglePlayChangesOnlyTheNextPlay) {
  TWaveCollectionItem& horn = AddItem("Horn", Mono16(44100, Constant(100, 10000)));
  sound_.Initialize();
  horn.Play(false);
  horn.SetVolume(-2000);
  EXPECT_EQ(device_.Pull(1)[0], 10000);
  device_.Pull(200);
  horn.Play(false);
  EXPECT_EQ(device_.Pull(1)[0], 1000);
}

TEST_F(SoundTest, VolumeOfAPlayingLoopedItemChangesAtOnce) {
  TWaveCollectionItem& tune = AddItem("InGame1", Mono16(44100, Constant(100, 10000)), true);
  sound_.Initialize();
  tune.Play(false);
  EXPECT_EQ(device_.Pull(1)[0], 10000);
  tune.SetVolume(-10000);
  EXPECT_EQ(CountNonZeroFrames(device_.Pull(300)), 0);
  tune.SetVolume(0);
  EXPECT_EQ(device_.Pull(1)[0], 10000);
}

TEST_F(SoundTest, FrequencyStretchesAPlayAndReadsBack) {
  TWaveCollectionItem& puk = AddItem("Puk", Mono16(11025, Constant(1000, 5000)));
  sound_.Initialize();
  puk.Play(false);
  const int native = FramesUntilSilent(puk);
  puk.SetFrequency(8000);
  EXPECT_EQ(puk.Frequency(), 8000);
  puk.Play(false);
  const int slowed = FramesUntilSilent(puk);
  EXPECT_EQ(native, 4000);
  EXPECT_NEAR(slowed, native * 11025.0 / 8000.0, 1.0);
}

TEST_F(SoundTest, WithoutADeviceNothingPlaysButSettingsAreKept) {
  SoundRig<NullAudioOutput> silent;
  TWaveCollectionItem& puk = silent.Add("Puk", Mono16(11025, Constant(10, 5000)));
  silent.sound.Initialize();
  EXPECT_FALSE(silent.sound.Initialized());
  EXPECT_FALSE(puk.Initialized());
  puk.SetFrequency(8000);
  puk.SetVolume(-1500);
  puk.Play(false);
  puk.Stop();
  EXPECT_EQ(puk.Frequency(), 8000);
  EXPECT_EQ(puk.Volume(), -1500);
  EXPECT_EQ(puk.PlayingVoiceCount(), 0);
}

TEST_F(SoundTest, AnEmptyWavePlaysNothing) {
  TWaveCollectionItem& tune = AddItem("InGame2", TWave(), true);
  TWaveCollectionItem& effect = AddItem("Impact", TWave());
  sound_.Initialize();
  for (TWaveCollectionItem* item : {&tune, &effect}) {
    item->SetVolume(-100);
    item->SetFrequency(22050);
    item->Play(false);
    item->Stop();
    EXPECT_EQ(item->PlayingVoiceCount(), 0);
    EXPECT_EQ(item->ExtraVoiceCount(), 0);
    EXPECT_EQ(item->Frequency(), 22050);
  }
  EXPECT_EQ(CountNonZeroFrames(device_.Pull(10)), 0);
}

TEST_F(SoundTest, AWaveFilledAfterTheDeviceOpenedGetsItsVoiceWhenFirstPlayed) {
  TWaveCollectionItem& tune = AddItem("MenuTune3", TWave(), true);
  sound_.Initialize();
  tune.Wave() = Mono16(44100, Constant(50, 1234));
  tune.Play(false);
  EXPECT_EQ(device_.Pull(1)[0], 1234);
}

TEST_F(SoundTest, AFullVoiceListCutsOffTheOldestPlay) {
  TWaveCollectionItem& item = AddItem("Menu", Mono16(44100, Ramp(1000, 0, 1)));
  item.SetMaxPlayingCount(2);
  sound_.Initialize();
  item.Play(false);
  device_.Pull(100);
  item.Play(false);
  device_.Pull(100);
  item.Play(false);  // the first play, now at frame 200, starts over; the second is at 100
  EXPECT_EQ(item.ExtraVoiceCount(), 2);
  EXPECT_EQ(device_.Pull(1)[0], 100 + 0);
  device_.Pull(99);
  item.Play(false);  // now the second play is the oldest: 200 + 100 becomes 100 + 0
  EXPECT_EQ(device_.Pull(1)[0], 100);
}

TEST_F(SoundTest, ChangingLoopedStopsAndChangingTheLimitFreesExtraVoices) {
  TWaveCollectionItem& item = AddItem("Horn2", Mono16(44100, Constant(1000, 100)));
  sound_.Initialize();
  item.Play(false);
  item.Play(false);
  item.SetLooped(true);
  EXPECT_EQ(item.PlayingVoiceCount(), 0);
  item.SetMaxPlayingCount(5);
  EXPECT_EQ(item.ExtraVoiceCount(), 0);
}

TEST_F(SoundTest, SoundIsHeardOnlyWithTheFocus) {
  TWaveCollectionItem& tune = AddItem("InGame3", Mono16(44100, Constant(10, 700)), true);
  sound_.Initialize();
  tune.Play(false);
  sound_.SetFocused(false);
  EXPECT_EQ(CountNonZeroFrames(device_.Pull(50)), 0);
  EXPECT_EQ(tune.PlayingVoiceCount(), 1);
  sound_.SetFocused(true);
  EXPECT_EQ(device_.Pull(1)[0], 700);
}

TEST_F(SoundTest, FinalizingDropsEveryVoiceAndClosesTheDevice) {
  TWaveCollectionItem& item = AddItem("Impact", Mono16(44100, Constant(1000, 100)));
  sound_.Initialize();
  item.Play(false);
  sound_.Finalize();
  EXPECT_FALSE(device_.IsOpen());
  EXPECT_FALSE(item.Initialized());
  EXPECT_EQ(item.ExtraVoiceCount(), 0);
  item.Play(false);
  EXPECT_EQ(item.PlayingVoiceCount(), 0);
}

TEST_F(SoundTest, AWaveTheMixerCannotPlayStaysSilentAndIsToldOnce) {
  WaveFormat unknown_codec = WaveFormat::Pcm(1, 44100, 4);
  unknown_codec.format_tag = 0x3333;
  TWave unknown;
  unknown.Assign(unknown_codec, std::vector<uint8_t>(30, 1));
  TWaveCollectionItem& early = AddItem("MenuTune3", unknown, true);
  TWaveCollectionItem& late = AddItem("MenuTune4", TWave(), true);
  TWaveCollectionItem& fine = AddItem("Menu", Mono16(44100, Constant(10, 99)));
  testing::internal::CaptureStderr();
  sound_.Initialize();
  late.Wave() = unknown;
  late.SetVolume(-500);
  for (TWaveCollectionItem* item : {&early, &late, &early, &late}) item->Play(false);
  fine.Play(false);
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_EQ(late.Volume(), -500);
  EXPECT_EQ(early.PlayingVoiceCount() + late.PlayingVoiceCount(), 0);
  EXPECT_EQ(device_.Pull(1)[0], 99);
  EXPECT_EQ(told,
            "Wave 'MenuTune3' stays silent: Sound Buffer cannot be made (format tag 13107, channels 1, bits 4, rate 44100 Hz)\n"
            "Wave 'MenuTune4' stays silent: Sound Buffer cannot be made (format tag 13107, channels 1, bits 4, rate 44100 Hz)\n");
}

TEST_F(SoundTest, FindIgnoresLetterCase) {
  AddItem("Fanfare", TWave());
  EXPECT_EQ(&list_.Find("fANFARE"), &list_.Item(0));
  EXPECT_EQ(ErrorOf([&] { list_.Find("Fanfar"); }), "Wave 'Fanfar' not found");
}

}  // namespace
}  // namespace jizdavo

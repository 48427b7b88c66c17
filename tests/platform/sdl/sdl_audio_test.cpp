#include "platform/sdl/sdl_audio_output.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>
#include <unistd.h>

#include "platform/sound/sound_test_support.h"

namespace jizdavo {
namespace {

using namespace testing_sound;

// Chooses SDL's audio driver for one test and puts the old choice back afterwards.
class ScopedAudioDriver {
 public:
  explicit ScopedAudioDriver(const char* driver) {
    if (const char* old = std::getenv("SDL_AUDIODRIVER")) old_ = old;
    setenv("SDL_AUDIODRIVER", driver, 1);
  }
  ~ScopedAudioDriver() {
    if (old_.empty()) {
      unsetenv("SDL_AUDIODRIVER");
    } else {
      setenv("SDL_AUDIODRIVER", old_.c_str(), 1);
    }
  }

 private:
  std::string old_;
};

std::vector<int16_t> ReadSamples(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

TEST(SdlAudio, WhatIsPlayedReachesTheDeviceUnchanged) {
  const auto dir = std::filesystem::temp_directory_path() / ("sdl_audio_test-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const auto file = dir / "played.raw";
  setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
  ScopedAudioDriver driver("disk");
  const auto ramp = Ramp(3000, 1, 7);
  {
    SoundRig<SdlAudioOutput> rig;
    TWaveCollectionItem& item = rig.Add("Impact", Wave16(2, 44100, ramp));
    rig.sound.Initialize();
    ASSERT_TRUE(rig.sound.Initialized());
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "disk");
    item.Play(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  const auto played = ReadSamples(file);
  std::filesystem::remove_all(dir);
  const auto first = std::find_if(played.begin(), played.end(), [](int16_t s) { return s != 0; });
  ASSERT_GE(played.end() - first, static_cast<ptrdiff_t>(ramp.size()));
  EXPECT_EQ(std::vector<int16_t>(first, first + ramp.size()), ramp);
  EXPECT_TRUE(std::all_of(first + ramp.size(), played.end(), [](int16_t s) { return s == 0; }));
}

TEST(SdlAudio, PlayAndWaitReturnsOnceTheSoundHasEnded) {
  ScopedAudioDriver driver("dummy");
  SoundRig<SdlAudioOutput> rig;
  TWaveCollectionItem& item = rig.Add("Mlask", Mono16(44100, Constant(4410, 1000)));
  rig.sound.Initialize();
  ASSERT_TRUE(rig.sound.Initialized());
  const auto start = std::chrono::steady_clock::now();
  item.Play(true);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
  EXPECT_EQ(item.PlayingVoiceCount(), 0);
}

TEST(SdlAudio, NoUsableDeviceLeavesTheGameSilent) {
  ScopedAudioDriver driver("no-such-driver");
  SoundRig<SdlAudioOutput> rig;
  TWaveCollectionItem& item = rig.Add("Horn", Mono16(22050, Constant(100, 1000)));
  rig.sound.Initialize();
  EXPECT_FALSE(rig.sound.Initialized());
  item.Play(false);
  EXPECT_EQ(item.PlayingVoiceCount(), 0);
}

}  // namespace
}  // namespace jizdavo

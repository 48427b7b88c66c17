// The generator's files beside the program: tunes, pointer, widget pictures; and its determinism.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "loudness.h"
#include "platform/assets/asset_catalog.h"
#include "platform/pictures/cursor_file.h"
#include "platform/pictures/dib_format.h"
#include "platform/film/film_decoder.h"
#include "platform/audio_output.h"
#include "platform/sound/mixer.h"
#include "platform/sound/sound_samples.h"
#include "platform/sound/sound_test_support.h"
#include "platform/sound/wave.h"

namespace jizdavo {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the generator into a fresh folder; returns that folder.
fs::path RunGenerator(const std::string& label) {
  fs::path folder =
      fs::temp_directory_path() / ("jizdavo-assetgen-" + label + "-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  std::string command = std::string("\"") + JIZDAVO_ASSETGEN + "\" \"" + (folder / "stored.cpp").string() +
                        "\" \"" + folder.string() + "\" \"" + (folder / "preview").string() + "\"";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return folder;
}

std::map<std::string, std::vector<uint8_t>> AllFiles(const fs::path& folder) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = ReadAll(entry.path());
  return files;
}

class GeneratedFiles : public testing::Test {
 protected:
  static void SetUpTestSuite() { folder_ = new fs::path(RunGenerator("a")); }
  static void TearDownTestSuite() {
    fs::remove_all(*folder_);
    delete folder_;
  }
  static fs::path& Folder() { return *folder_; }

 private:
  static fs::path* folder_;
};
fs::path* GeneratedFiles::folder_ = nullptr;

const char* const kTunes[] = {"MenuTune1", "MenuTune2", "MenuTune3", "MenuTune4",
                              "InGame1",   "InGame2",   "InGame3",   "InGame4"};

int16_t Sample(const TWave& wave, size_t i) {
  return static_cast<int16_t>(wave.Data()[2 * i] | wave.Data()[2 * i + 1] << 8);
}

// The largest step between neighbouring samples of one side within `span` frames of `centre`, seam
// excluded; frames are stereo.
int LargestStepNear(const TWave& wave, size_t frames, size_t side, size_t centre, size_t span) {
  const auto at = [&](size_t frame) { return Sample(wave, 2 * (frame % frames) + side); };
  int largest = 0;
  for (size_t k = 1; k < span; ++k) {
    size_t a = centre + k, b = centre + frames - k;
    largest = std::max(largest, std::abs(at(a + 1) - at(a)));
    largest = std::max(largest, std::abs(at(b) - at(b + frames - 1)));
  }
  return largest;
}

// A minute or more each, 44100 Hz stereo, at one loudness (within 1 LU of -20 LUFS), with their
// peaks well under full scale so that an effect over them has room.
TEST_F(GeneratedFiles, TunesAreLongLoopsAtOneLoudnessThatWrapWithoutAJump) {
  for (const char* name : kTunes) {
    SCOPED_TRACE(name);
    TWave wave;
    wave.LoadFromMemory(ReadAll(Folder() / "Music" / (std::string(name) + ".wav")));
    ASSERT_EQ(wave.Format().channels, 2);
    ASSERT_EQ(wave.Format().bits_per_sample, 16);
    ASSERT_EQ(wave.Format().samples_per_sec, 44100u);
    const size_t frames = wave.Size() / 4;
    EXPECT_GE(frames, 60u * 44100);
    EXPECT_LE(frames, 90u * 44100);
    for (size_t side = 0; side < 2; ++side) {
      int seam = std::abs(Sample(wave, side) - Sample(wave, 2 * (frames - 1) + side));
      EXPECT_LE(seam, LargestStepNear(wave, frames, side, frames - 1, 64) * 3 / 2 + 32) << side;
    }
    std::vector<float> samples(2 * frames);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = Sample(wave, i) / 32768.0f;
    EXPECT_LE(assetgen::PeakDb(samples), -5.0);
    EXPECT_NEAR(assetgen::IntegratedLoudness(samples, 44100, 2), -20.0, 0.5);
  }
}

// Where the stream of `sound` is loudest: its frame, and that frame's distance from the start in
// frames of the mixer's rate.
struct Loudest {
  uint64_t frame = 0;
  uint64_t output_frame = 0;
  int level = 0;
};
Loudest LoudestFrame(const SoundSamples& sound, uint64_t from = 0) {
  const std::vector<int16_t> samples = testing_sound::AllSamples(sound);
  Loudest loudest;
  for (uint64_t i = from * sound.channels; i < samples.size(); ++i) {
    if (std::abs(samples[i]) <= loudest.level) continue;
    loudest = {i / sound.channels, i / sound.channels * kOutputRate / static_cast<uint64_t>(sound.rate),
               std::abs(samples[i])};
  }
  return loudest;
}

// FFmpeg's EBU R128 meter on a stereo stream of the mixer's rate: the true peak in dBTP.
double TruePeakOf(const std::vector<int16_t>& stereo) {
  const fs::path file =
      fs::temp_directory_path() / ("jizdavo-true-peak-" + std::to_string(::getpid()) + ".wav");
  const std::vector<uint8_t> bytes = testing_sound::Wave16(2, kOutputRate, stereo).SaveToMemory();
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  const std::string command =
      "ffmpeg -nostats -hide_banner -i \"" + file.string() + "\" -af ebur128=peak=true -f null - 2>&1";
  FILE* meter = ::popen(command.c_str(), "r");
  double peak = 1000.0;  // none read
  char line[512];
  while (meter && std::fgets(line, sizeof line, meter)) std::sscanf(line, " Peak: %lf", &peak);
  if (meter) ::pclose(meter);
  fs::remove(file);
  return peak;
}

// The loudest tune at full volume with the three loudest effects over it, each effect's own peak on
// the tune's: the game's mix keeps its true peak at or under -1 dBTP, as FFmpeg measures it.
TEST_F(GeneratedFiles, TheLoudestEffectsOverTheLoudestTuneStayUnderOneDecibelTruePeak) {
  if (std::system("ffmpeg -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "ffmpeg is not installed";
  std::shared_ptr<const SoundSamples> tune;
  for (const char* name : kTunes) {
    TWave wave;
    wave.LoadFromMemory(ReadAll(Folder() / "Music" / (std::string(name) + ".wav")));
    auto samples = MakeSoundSamples(wave);
    if (!tune || LoudestFrame(*samples).level > LoudestFrame(*tune).level) tune = samples;
  }
  std::vector<std::pair<Loudest, std::shared_ptr<const SoundSamples>>> effects;
  for (const StoredSound& stored : StoredSounds()) {
    if (stored.wave.empty()) continue;
    TWave wave;
    wave.LoadFromMemory(stored.wave);
    auto samples = MakeSoundSamples(wave);
    effects.emplace_back(LoudestFrame(*samples), samples);
  }
  std::sort(effects.begin(), effects.end(),
            [](const auto& a, const auto& b) { return a.first.level > b.first.level; });
  effects.resize(3);
  std::sort(effects.begin(), effects.end(),
            [](const auto& a, const auto& b) { return a.first.output_frame > b.first.output_frame; });
  const uint64_t peak = LoudestFrame(*tune, effects.front().first.output_frame + kOutputRate).output_frame;

  ManualAudioOutput device;
  Mixer mixer(device);
  device.Open([&mixer](int16_t* samples, int frames) { mixer.Mix(samples, frames); });
  mixer.Play(*mixer.AddVoice(tune, {}), {}, true);
  // A second either side of the peaks is heard.
  std::vector<int16_t> heard;
  uint64_t at = 0;
  const auto pull_to = [&](uint64_t frame) {
    while (at < frame) {
      const uint64_t from = peak - kOutputRate;
      const uint64_t until = at < from ? std::min(frame, from) : frame;
      const std::vector<int16_t> block = device.Pull(static_cast<int>(std::min<uint64_t>(until - at, 4096)));
      if (at >= from) heard.insert(heard.end(), block.begin(), block.end());
      at += block.size() / 2;
    }
  };
  for (const auto& [loudest, sound] : effects) {
    pull_to(peak - loudest.output_frame);
    mixer.Play(*mixer.AddVoice(sound, {}), {}, false);
  }
  pull_to(peak + kOutputRate);
  EXPECT_LE(TruePeakOf(heard), -1.0);
}

TEST_F(GeneratedFiles, EveryTuneIsItsOwn) {
  std::vector<std::vector<uint8_t>> tunes;
  for (const char* name : kTunes) tunes.push_back(ReadAll(Folder() / "Music" / (std::string(name) + ".wav")));
  for (size_t i = 0; i < tunes.size(); ++i)
    for (size_t j = i + 1; j < tunes.size(); ++j)
      EXPECT_NE(tunes[i], tunes[j]) << kTunes[i] << " " << kTunes[j];
}

TEST_F(GeneratedFiles, PointerLoadsWithItsHotSpotOnTheArrowTip) {
  CursorImage cursor = LoadCursorFile((Folder() / "Graphics" / "Cursor.cur").string());
  EXPECT_EQ(cursor.width, 32);
  EXPECT_EQ(cursor.height, 32);
  EXPECT_EQ(cursor.hot_x, 1);
  EXPECT_EQ(cursor.hot_y, 1);
  EXPECT_EQ(cursor.argb[cursor.hot_y * cursor.width + cursor.hot_x] >> 24, 0xFFu);  // it points with a pixel
  EXPECT_EQ(cursor.argb.back() >> 24, 0u);
}

TEST_F(GeneratedFiles, OptionsPanelPicturesAreBitmapFilesOfTheirSizesAndBuiltInToo) {
  struct Picture {
    const char* file;
    int width, height;
  };
  const std::span<const StoredFile> built_in = StoredWidgetPictures();
  ASSERT_EQ(built_in.size(), 4u);
  for (Picture p : {Picture{"CheckBoxUnchecked.bmp", 13, 13}, Picture{"CheckBoxChecked.bmp", 13, 13},
                    Picture{"ArrowPrevious.bmp", 9, 10}, Picture{"ArrowNext.bmp", 9, 10}}) {
    SCOPED_TRACE(p.file);
    const std::vector<uint8_t> bytes = ReadAll(Folder() / "Graphics" / p.file);
    const auto copy = std::find_if(built_in.begin(), built_in.end(),
                                   [&](const StoredFile& f) { return f.path == std::string("Graphics/") + p.file; });
    ASSERT_NE(copy, built_in.end());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), copy->bytes.begin(), copy->bytes.end()));
    DecodedPicture picture = DecodeBitmapFile(bytes);
    EXPECT_EQ(picture.width, p.width);
    EXPECT_EQ(picture.height, p.height);
    EXPECT_EQ(picture.bit_count, 24);
    EXPECT_EQ(picture.pixels.front(), clBlack);  // drawn on the panels' black
  }
  DecodedPicture off = DecodeBitmapFile(ReadAll(Folder() / "Graphics" / "CheckBoxUnchecked.bmp"));
  DecodedPicture on = DecodeBitmapFile(ReadAll(Folder() / "Graphics" / "CheckBoxChecked.bmp"));
  EXPECT_EQ(off.pixels[6 * 13 + 6], clBlack);  // the middle is empty until checked
  EXPECT_EQ(on.pixels[6 * 13 + 6], RGB(177, 187, 174));
}

TEST_F(GeneratedFiles, PreviewHoldsEveryStoredPictureAndSoundAndTheContactSheet) {
  fs::path preview = Folder() / "preview";
  for (const char* name : {"Road", "Auto281", "Znak2", "Cernota", "Mlask", "Fanfare", "contact-sheet"}) {
    bool found = fs::exists(preview / (std::string(name) + ".bmp")) ||
                 fs::exists(preview / (std::string(name) + ".wav"));
    EXPECT_TRUE(found) << name;
  }
  EXPECT_FALSE(fs::exists(preview / "Pozadi.bmp"));  // built at run time, nothing stored
  DecodedPicture sheet = DecodeBitmapFile(ReadAll(preview / "contact-sheet.bmp"));
  EXPECT_GE(sheet.width * sheet.height, 4 * 4 * 2 * 100 * 100);  // at least the two big tiles, enlarged
}

// Four seconds at 25 pictures a second, fading in from black and back out, moving in between.
TEST_F(GeneratedFiles, IntroFilmOpensAndRunsItsFramesInOrder) {
  FilmDecoder film((Folder() / "Graphics" / "logo.avi").string());
  EXPECT_EQ(film.Width(), 320);
  EXPECT_EQ(film.Height(), 240);
  EXPECT_EQ(film.RateNumerator() / film.RateDenominator(), 25);
  std::vector<FilmFrame> frames;
  FilmFrame frame;
  while (film.Next(frame)) frames.push_back(frame);
  ASSERT_EQ(frames.size(), 100u);
  auto brightness = [](const FilmFrame& f) {
    double sum = 0;
    for (uint32_t p : f.pixels) sum += (p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF);
    return sum / f.pixels.size();
  };
  EXPECT_LT(brightness(frames.front()), 10);
  EXPECT_LT(brightness(frames.back()), 10);
  EXPECT_GT(brightness(frames[50]), 100);
  for (size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(frames[i].number, static_cast<int>(i));
  EXPECT_NE(frames[30].pixels, frames[60].pixels);
}

TEST_F(GeneratedFiles, TwoRunsWriteTheSameBytes) {
  fs::path second = RunGenerator("b");
  std::map<std::string, std::vector<uint8_t>> a = AllFiles(Folder()), b = AllFiles(second);
  fs::remove_all(second);
  ASSERT_EQ(a.size(), b.size());
  for (const auto& [name, bytes] : a) {
    ASSERT_TRUE(b.count(name)) << name;
    EXPECT_TRUE(bytes == b[name]) << name;
  }
}

}  // namespace
}  // namespace jizdavo

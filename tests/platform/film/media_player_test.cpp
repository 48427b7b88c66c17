#include "platform/film/media_player.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/error.h"
#include "platform/film/film_decoder.h"
#include "platform/film/film_encoder.h"

namespace jizdavo {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kFrames = 10;
constexpr uint32_t kFrameMs = 40;  // 25 frames a second
constexpr uint32_t kColours[kFrames] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF,
                                        0xFF00FF, 0xFFFFFF, 0x000000, 0x808080, 0xFF8000};

int ChannelDistance(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    worst = std::max(worst,
                     std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
  }
  return worst;
}

// Which film frame a picture shows, told by its colour; -1 for none.
int FrameOfColour(uint32_t pixel) {
  for (int i = 0; i < kFrames; ++i) {
    if (ChannelDistance(pixel, kColours[i]) <= 24) return i;
  }
  return -1;
}

struct Shown {
  uint32_t at_ms;
  int frame;
  TRect place;
};

class RecordingVideoOutput final : public VideoOutput {
 public:
  explicit RecordingVideoOutput(const Clock& clock) : clock_(clock) {}
  void PresentFrame(const uint16_t*, int, int, int) override {
    ADD_FAILURE() << "the film drew a game frame";
  }
  void PresentFilmFrame(const uint32_t* pixels, int width, int height, const TRect& place) override {
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);
    EXPECT_EQ(pixels[0] >> 24, 0u) << "pixels are 0x00RRGGBB";
    shown.push_back({clock_.Now(), FrameOfColour(pixels[(kHeight / 2) * kWidth + kWidth / 2]), place});
  }
  std::vector<int> Frames() const {
    std::vector<int> frames;
    for (const Shown& s : shown) frames.push_back(s.frame);
    return frames;
  }
  std::vector<Shown> shown;

 private:
  const Clock& clock_;
};

std::vector<int> Sequence(int from, int to) {
  std::vector<int> out;
  for (int i = from; i <= to; ++i) out.push_back(i);
  return out;
}

class MediaPlayerTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                     ("media_player_test-" + std::to_string(getpid())));
    std::filesystem::create_directories(*dir_);
    WriteFilm(Film());
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(*dir_);
    delete dir_;
  }
  static std::string Film() { return (*dir_ / "logo.avi").string(); }
  static void WriteFilm(const std::string& path, FilmCodec codec = FilmCodec::Mpeg4) {
    FilmEncoder encoder(path, kWidth, kHeight, 1000 / kFrameMs, codec);
    for (uint32_t colour : kColours) {
      const std::vector<uint32_t> pixels(kWidth * kHeight, colour);
      encoder.AddFrame(pixels.data());
    }
    encoder.Finish();
  }

  void OpenFilm() {
    player_.FileName = Film();
    player_.Open();
    player_.SetTimeFormat(MediaTimeFormat::Frames);
  }
  // Steps the clock a millisecond at a time up to `until`, polling Mode as the intro loop does.
  void RunUntil(uint32_t until) {
    while (clock_.Now() < until) {
      clock_.Advance(1);
      modes_.push_back({clock_.Now(), player_.Mode()});
    }
  }

  static std::filesystem::path* dir_;
  ManualClock clock_{1000};
  RecordingVideoOutput output_{clock_};
  TMediaPlayer player_{output_, clock_};
  std::vector<std::pair<uint32_t, MediaMode>> modes_;
};

std::filesystem::path* MediaPlayerTest::dir_ = nullptr;

TEST_F(MediaPlayerTest, PlaysEveryFrameInOrderOnTimeAndThenStops) {
  OpenFilm();
  EXPECT_EQ(player_.Mode(), MediaMode::Stopped);
  player_.Play();
  RunUntil(1000 + kFrames * kFrameMs + 100);
  ASSERT_EQ(output_.Frames(), Sequence(0, kFrames - 1));
  for (int i = 0; i < kFrames; ++i) EXPECT_EQ(output_.shown[i].at_ms, 1000 + i * kFrameMs) << i;
  for (const auto& [at, mode] : modes_) {
    EXPECT_EQ(mode, at < 1000 + kFrames * kFrameMs ? MediaMode::Playing : MediaMode::Stopped) << at;
  }
  EXPECT_EQ(player_.Position(), kFrames - 1);
}

TEST_F(MediaPlayerTest, TheIntroSequenceWaitsAtTheFirstFrameThenPlaysOn) {
  OpenFilm();
  player_.SetDisplayRect({0, 0, 640, 480});
  player_.Play();
  player_.Pause();
  player_.SetPosition(0);
  EXPECT_EQ(player_.Mode(), MediaMode::Stopped);
  const size_t waiting = output_.shown.size();
  ASSERT_GE(waiting, 1u);
  EXPECT_EQ(output_.shown.back().frame, 0);
  EXPECT_EQ(output_.shown.back().place, (TRect{0, 0, 640, 480}));
  RunUntil(2500);
  EXPECT_EQ(output_.shown.size(), waiting) << "standing still";
  player_.Play();
  EXPECT_EQ(player_.Mode(), MediaMode::Playing);
  RunUntil(2500 + kFrames * kFrameMs);
  const std::vector<int> all = output_.Frames();
  EXPECT_EQ(std::vector<int>(all.begin() + waiting, all.end()), Sequence(1, kFrames - 1));
  EXPECT_EQ(output_.shown[waiting].at_ms, 2500 + kFrameMs);
  EXPECT_EQ(player_.Mode(), MediaMode::Stopped);
}

TEST_F(MediaPlayerTest, StopEndsPlayingEarly) {
  OpenFilm();
  player_.Play();
  RunUntil(1000 + 2 * kFrameMs);
  player_.Stop();
  EXPECT_EQ(player_.Mode(), MediaMode::Stopped);
  RunUntil(3000);
  EXPECT_EQ(output_.Frames(), Sequence(0, 2));
}

TEST_F(MediaPlayerTest, PauseHoldsThePictureAndResumesWhereItWas) {
  OpenFilm();
  player_.Play();
  RunUntil(1000 + 50);
  player_.Pause();
  EXPECT_EQ(player_.Mode(), MediaMode::Paused);
  RunUntil(2000);
  EXPECT_EQ(output_.Frames(), Sequence(0, 1));
  player_.Pause();
  EXPECT_EQ(player_.Mode(), MediaMode::Playing);
  RunUntil(2110);
  ASSERT_EQ(output_.Frames(), Sequence(0, 4));
  // Frame 2 was 30 ms away when paused, and still is after resuming.
  EXPECT_EQ(output_.shown[2].at_ms, 2000 + 30);
}

TEST_F(MediaPlayerTest, SeekingShowsThatFrameAndPlayingAtTheEndStartsOver) {
  OpenFilm();
  player_.SetPosition(6);
  EXPECT_EQ(output_.Frames(), std::vector<int>{6});
  EXPECT_EQ(player_.Position(), 6);
  player_.SetTimeFormat(MediaTimeFormat::Milliseconds);
  EXPECT_EQ(player_.Position(), 6 * static_cast<int>(kFrameMs));
  player_.Play();
  RunUntil(1000 + 4 * kFrameMs);
  EXPECT_EQ(player_.Mode(), MediaMode::Stopped);
  EXPECT_EQ(output_.Frames(), Sequence(6, 9));
  player_.Play();
  EXPECT_EQ(output_.Frames().back(), 0);
}

// Each raises an error for the game to tell, and the library prints nothing of its own, nor for a
// film with a damaged header. A FIFO or a
// device is refused before the library would wait on it or read it without end.
TEST_F(MediaPlayerTest, MissingGarbageOrOtherKindsOfFilesRaiseAnErrorQuietly) {
  const std::string garbage = (*dir_ / "garbage.avi").string();
  std::ofstream(garbage) << "this is not a film at all, just some words in a file";
  // Other containers the media libraries would take, named like the film: only AVI is opened.
  const std::string picture = (*dir_ / "picture.avi").string();
  std::ofstream(picture, std::ios::binary) << "P6\n2 2\n255\n" << std::string(12, '\x7F');
  const std::string playlist = (*dir_ / "playlist.avi").string();
  std::ofstream(playlist) << "#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1,\n" << Film() << "\n#EXT-X-ENDLIST\n";
  const std::string fifo = (*dir_ / "fifo.avi").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const std::string zero = (*dir_ / "zero.avi").string();
  std::filesystem::create_symlink("/dev/zero", zero);
  ::testing::internal::CaptureStderr();
  for (const std::string& path : {(*dir_ / "missing.avi").string(), garbage, picture, playlist, fifo, zero}) {
    player_.FileName = path;
    try {
      player_.Open();
      ADD_FAILURE() << "opened " << path;
    } catch (const Error& e) {
      EXPECT_GT(std::string(e.what()).size(), 5u) << path;
      if (path == fifo || path == zero) {
        EXPECT_EQ(std::string(e.what()), path + " is not a plain file");
      }
    }
    EXPECT_EQ(player_.Mode(), MediaMode::NotReady);
  }
  // A film whose header is damaged, which the library would comment on.
  const std::string damaged = (*dir_ / "damaged.avi").string();
  std::filesystem::copy_file(Film(), damaged);
  std::string noise(100, '\0');
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 7919 >> 3);
  std::fstream(damaged, std::ios::in | std::ios::out | std::ios::binary).seekp(40) << noise;
  player_.FileName = damaged;
  EXPECT_THROW(player_.Open(), Error);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(MediaPlayerTest, LargeFilmsAreScaledDownToTheScreenAndHugeOnesRefused) {
  const struct {
    int width, height;
    int shownWidth, shownHeight;  // 0: refused
  } cases[] = {{640, 480, 640, 480}, {1280, 720, 640, 360}, {480, 960, 240, 480}, {2048, 2048, 0, 0}};
  for (const auto& c : cases) {
    const std::string path = (*dir_ / "large.avi").string();
    {
      FilmEncoder encoder(path, c.width, c.height, 25);
      const std::vector<uint32_t> pixels(static_cast<size_t>(c.width) * c.height, 0x00FF00);
      encoder.AddFrame(pixels.data());
      encoder.Finish();
    }
    if (c.shownWidth == 0) {
      EXPECT_THROW(FilmDecoder{path}, Error) << c.width << "x" << c.height;
      continue;
    }
    FilmDecoder film(path);
    EXPECT_EQ(film.Width(), c.shownWidth);
    EXPECT_EQ(film.Height(), c.shownHeight);
    FilmFrame frame;
    ASSERT_TRUE(film.Next(frame)) << c.width << "x" << c.height;
    EXPECT_EQ(frame.width, c.shownWidth);
    EXPECT_EQ(frame.height, c.shownHeight);
    EXPECT_EQ(FrameOfColour(frame.pixels[frame.pixels.size() / 2]), 1);
  }
}

// A film of each codec family AVI films come in, as the media library in Debian writes them, plays
// every frame in order.
TEST_F(MediaPlayerTest, FilmsOfEveryCodecFamilyPlayEveryFrame) {
  const std::pair<const char*, FilmCodec> codecs[] = {{"motion JPEG", FilmCodec::MotionJpeg},
                                                      {"MPEG-4 part 2", FilmCodec::Mpeg4},
                                                      {"raw", FilmCodec::Raw},
                                                      {"lossless", FilmCodec::Lossless}};
  for (const auto& [name, codec] : codecs) {
    const std::string path = (*dir_ / "codec.avi").string();
    WriteFilm(path, codec);
    FilmDecoder film(path);
    std::vector<int> frames;
    FilmFrame frame;
    while (frames.size() <= kFrames && film.Next(frame)) {
      EXPECT_EQ(frame.width, kWidth) << name;
      EXPECT_EQ(frame.height, kHeight) << name;
      frames.push_back(FrameOfColour(frame.pixels[frame.pixels.size() / 2]));
    }
    EXPECT_EQ(frames, Sequence(0, kFrames - 1)) << name;
  }
}

TEST_F(MediaPlayerTest, NothingOpenIsAnErrorForTheControls) {
  EXPECT_EQ(player_.Mode(), MediaMode::NotReady);
  for (auto control : {&TMediaPlayer::Play, &TMediaPlayer::Pause, &TMediaPlayer::Stop}) {
    try {
      (player_.*control)();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "No MCI device open");
    }
  }
}

TEST(FilmEncoder, WritesTheSameBytesEveryTime) {
  const auto dir = std::filesystem::temp_directory_path() / ("film_encoder_test-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::vector<std::string> files;
  for (const char* name : {"a.avi", "b.avi"}) {
    const std::string path = (dir / name).string();
    FilmEncoder encoder(path, 32, 16, 25);
    std::vector<uint32_t> pixels(32 * 16);
    for (int frame = 0; frame < 5; ++frame) {
      for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint32_t>(i * 2654435761u * (frame + 1)) >> 8;
      encoder.AddFrame(pixels.data());
    }
    encoder.Finish();
    std::ifstream in(path, std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::filesystem::remove_all(dir);
  EXPECT_GT(files[0].size(), 1000u);
  EXPECT_EQ(files[0], files[1]);
}

TEST(FilmEncoder, AnUnwritablePathRaises) {
  EXPECT_THROW(FilmEncoder("/nonexistent-folder/film.avi", 32, 16, 25), Error);
}

}  // namespace
}  // namespace jizdavo

#include "platform/sound/wave.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/audio_output.h"
#include "platform/error.h"
#include "platform/sound/mixer.h"
#include "platform/sound/sound_test_support.h"

namespace jizdavo {
namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

Bytes Chunk(const char* tag, const Bytes& body, uint32_t claimed_size) {
  Bytes out(tag, tag + 4);
  Put32(out, claimed_size);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}
Bytes Chunk(const char* tag, const Bytes& body) {
  return Chunk(tag, body, static_cast<uint32_t>(body.size()));
}

Bytes Riff(const std::vector<Bytes>& chunks, const char* riff = "RIFF", const char* form = "WAVE") {
  Bytes out(riff, riff + 4);
  Put32(out, 0);
  out.insert(out.end(), form, form + 4);
  for (const Bytes& chunk : chunks) out.insert(out.end(), chunk.begin(), chunk.end());
  return out;
}

// Mono 8-bit 11025 Hz format record, with `extra` bytes after the common sixteen.
Bytes FormatBody(Bytes extra = {}) {
  Bytes body{1, 0, 1, 0};
  Put32(body, 11025);
  Put32(body, 11025);
  body.insert(body.end(), {1, 0, 8, 0});
  body.insert(body.end(), extra.begin(), extra.end());
  return body;
}

std::string LoadError(TWave& wave, const Bytes& bytes) {
  try {
    wave.LoadFromMemory(bytes);
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

TEST(Wave, ReadsFormatAndSamplesPastOtherChunks) {
  const struct {
    const char* what;
    Bytes list;
  } cases[] = {
      {"even-sized", Chunk("LIST", {1, 2, 3, 4})},
      {"odd-sized with its pad byte", Chunk("LIST", {1, 2, 3, 0}, 3)},
      {"odd-sized without a pad byte", Chunk("LIST", {1, 2, 3})},
  };
  for (const auto& c : cases) {
    TWave wave;
    wave.LoadFromMemory(Riff({c.list, Chunk("fmt ", FormatBody()), Chunk("data", {9, 8, 7, 6})}));
    EXPECT_EQ(wave.Format(), WaveFormat::Pcm(1, 11025, 8)) << c.what;
    EXPECT_EQ(Bytes(wave.Data().begin(), wave.Data().end()), (Bytes{9, 8, 7, 6})) << c.what;
  }
}

TEST(Wave, KeepsExtraFormatBytesAndOddDataLength) {
  // An 18-byte format record followed by an odd-sized data chunk with no pad byte.
  TWave wave;
  wave.LoadFromMemory(Riff({Chunk("fmt ", FormatBody({0, 0})), Chunk("data", {1, 2, 3, 4, 5, 6, 7})}));
  EXPECT_EQ(wave.Format().extra, (Bytes{0, 0}));
  EXPECT_EQ(wave.Size(), 7);
}

TEST(Wave, KeepsTheSamplesThereAreWhereTheFileEndsEarly) {
  Bytes partial_header = Riff({Chunk("fmt ", FormatBody()), Chunk("data", {1, 2, 3})});
  partial_header.insert(partial_header.end(), {'j', 'u', 'n'});
  const struct {
    const char* what;
    Bytes bytes;
  } cases[] = {
      {"a partial chunk header after the data", partial_header},
      {"data claiming a byte more", Riff({Chunk("fmt ", FormatBody()), Chunk("data", {1, 2, 3}, 4)})},
      {"data claiming nearly 4 GiB", Riff({Chunk("fmt ", FormatBody()), Chunk("data", {1, 2, 3}, 0xFFFFFFFF)})},
  };
  for (const auto& c : cases) {
    TWave wave;
    wave.LoadFromMemory(c.bytes);
    EXPECT_EQ(Bytes(wave.Data().begin(), wave.Data().end()), (Bytes{1, 2, 3})) << c.what;
  }
}

TEST(Wave, SavedBytesLoadBackEqual) {
  TWave original;
  WaveFormat format = WaveFormat::Pcm(2, 22050, 16);
  format.extra = {0, 0};
  original.Assign(format, {1, 2, 3, 4, 5, 6, 7, 8});
  TWave copy;
  copy.LoadFromMemory(original.SaveToMemory());
  EXPECT_EQ(copy.Format(), original.Format());
  EXPECT_EQ(copy.Size(), 8);
  EXPECT_EQ(copy.SaveToMemory(), original.SaveToMemory());
}

TEST(Wave, NoBytesGiveAnEmptyWave) {
  TWave wave;
  wave.Assign(WaveFormat::Pcm(1, 11025, 8), {1});
  wave.LoadFromMemory({});
  EXPECT_TRUE(wave.Empty());
  EXPECT_TRUE(wave.SaveToMemory().empty());
}

struct BadWave {
  const char* what;
  Bytes bytes;
  const char* message;
};

TEST(Wave, BadBytesRaiseTheirMessageAndKeepTheOldContents) {
  const BadWave cases[] = {
      {"shorter than the RIFF header", {'R', 'I', 'F', 'F', 0}, "Stream read error"},
      {"not RIFF", Riff({Chunk("fmt ", FormatBody())}, "RIFX"), "Wave is invalid"},
      {"RIFF but not WAVE", Riff({Chunk("fmt ", FormatBody())}, "RIFF", "AVI "), "Wave is invalid"},
      {"format record cut short", Riff({Chunk("fmt ", FormatBody(), 40)}), "Stream read error"},
      {"format record too small", Riff({Chunk("fmt ", {1, 0, 1, 0}), Chunk("data", {1})}), "Wave is invalid"},
      {"samples without a format", Riff({Chunk("data", {1, 2})}), "Wave is invalid"},
  };
  for (const BadWave& bad : cases) {
    TWave wave;
    wave.Assign(WaveFormat::Pcm(1, 8000, 8), {42});
    EXPECT_EQ(LoadError(wave, bad.bytes), bad.message) << bad.what;
    EXPECT_EQ(wave.Size(), 1) << bad.what;
    EXPECT_EQ(wave.Format().samples_per_sec, 8000u) << bad.what;
  }
}

TEST(Wave, AHugeUnknownChunkEndsTheScan) {
  TWave wave;
  wave.LoadFromMemory(
      Riff({Chunk("fmt ", FormatBody()), Chunk("data", {4}), Chunk("junk", {1}, 0xFFFFFFF0)}));
  EXPECT_EQ(wave.Size(), 1);
}

class WaveFile : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("wave_test_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Write(const char* name, const Bytes& bytes) {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  std::filesystem::path dir_;
};

TEST_F(WaveFile, LoadsAFileAndAnEmptyFile) {
  TWave wave;
  wave.LoadFromFile(Write("tune.wav", Riff({Chunk("fmt ", FormatBody()), Chunk("data", {5, 6, 7})})));
  EXPECT_EQ(wave.Size(), 3);
  EXPECT_EQ(wave.ReadData(), (Bytes{5, 6, 7}));
  TWave copy;
  copy.LoadFromMemory(wave.SaveToMemory());
  EXPECT_EQ(Bytes(copy.Data().begin(), copy.Data().end()), (Bytes{5, 6, 7}));
  wave.LoadFromFile(Write("empty.wav", {}));
  EXPECT_TRUE(wave.Empty());
}

// Only a regular file is read: a FIFO must not hold up start-up, nor a device fill the memory.
TEST_F(WaveFile, OnlyARegularFileIsRead) {
  ASSERT_EQ(::mkfifo((dir_ / "fifo.wav").c_str(), 0644), 0);
  std::filesystem::create_symlink("/dev/zero", dir_ / "zero.wav");
  const std::string missing = (dir_ / "missing.wav").string();
  const struct {
    std::string path;
    std::string error;
  } cases[] = {{missing, "Cannot open file " + missing},
               {dir_.string(), dir_.string() + " is not a plain file"},
               {(dir_ / "fifo.wav").string(), (dir_ / "fifo.wav").string() + " is not a plain file"},
               {(dir_ / "zero.wav").string(), (dir_ / "zero.wav").string() + " is not a plain file"}};
  for (const auto& c : cases) {
    TWave wave;
    try {
      wave.LoadFromFile(c.path);
      ADD_FAILURE() << "no error for " << c.path;
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), c.error);
    }
  }
}

// `frames` frames of `output`, pulled a device's buffer at a time with the filler run before each, as
// the game's thread would between frames.
std::vector<int16_t> PullFilled(ManualAudioOutput& output, Mixer& mixer, int frames) {
  std::vector<int16_t> out;
  for (int done = 0; done < frames; done += 1024) {
    mixer.Filler().Fill();
    const std::vector<int16_t> piece = output.Pull(std::min(1024, frames - done));
    out.insert(out.end(), piece.begin(), piece.end());
  }
  return out;
}

// A tune loaded from its file is streamed from it, read and converted ahead of where it plays: what
// the mixer makes of it is what it makes of the same bytes held in memory, looped across its seam, at
// another rate, and once through. Cut shorter while it plays, it goes on in silence where its bytes
// are gone.
TEST_F(WaveFile, ATuneKeptInItsFilePlaysAsTheSameBytesHeld) {
  constexpr int kFrames = 10007;  // more than a read, not a multiple of one
  Bytes samples;
  for (int i = 0; i < 2 * kFrames; ++i) {
    const int value = (i * 7919) % 65536 - 32768;  // 24-bit samples whose top 16 bits vary
    samples.insert(samples.end(), {0x5A, static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)});
  }
  TWave held;
  held.Assign(WaveFormat::Pcm(2, 44100, 24), samples);
  const Bytes bytes = held.SaveToMemory();
  const std::string path = Write("tune.wav", bytes);
  TWave streamed;
  streamed.LoadFromFile(path);
  ASSERT_NE(streamed.InFile(), nullptr);
  EXPECT_TRUE(streamed.Data().empty()) << "no sample held in memory";
  EXPECT_EQ(streamed.Size(), held.Size());

  const struct {
    int frequency;
    bool looped;
  } plays[] = {{0, true}, {100000, true}, {7000, false}};
  for (const auto& play : plays) {
    ManualAudioOutput held_output, streamed_output;
    Mixer held_mixer(held_output), streamed_mixer(streamed_output);
    held_output.Open([&](int16_t* s, int n) { held_mixer.Mix(s, n); });
    streamed_output.Open([&](int16_t* s, int n) { streamed_mixer.Mix(s, n); });
    const VoiceSettings settings{.frequency = play.frequency};
    auto held_voice = held_mixer.AddVoice(MakeSoundSamples(held), settings);
    auto streamed_voice = streamed_mixer.AddVoice(MakeSoundSamples(streamed), settings);
    EXPECT_TRUE(streamed_mixer.Sound(*streamed_voice)->Streamed());
    held_mixer.Play(*held_voice, settings, play.looped);
    streamed_mixer.Play(*streamed_voice, settings, play.looped);
    EXPECT_EQ(PullFilled(streamed_output, streamed_mixer, 30000), held_output.Pull(30000)) << play.frequency;
    EXPECT_EQ(streamed_mixer.DryRuns(), 0u);
  }

  ManualAudioOutput output;
  Mixer mixer(output);
  output.Open([&](int16_t* s, int n) { mixer.Mix(s, n); });
  auto voice = mixer.AddVoice(MakeSoundSamples(streamed), {});
  std::filesystem::resize_file(path, bytes.size() - 6 * 5000);  // 5007 frames left
  mixer.Play(*voice, {}, false);
  EXPECT_EQ(testing_sound::CountNonZeroFrames(output.Pull(1000)), 0) << "nothing read by the audio thread";
  EXPECT_GT(testing_sound::CountNonZeroFrames(PullFilled(output, mixer, 5100)), 5000);
  EXPECT_EQ(testing_sound::CountNonZeroFrames(PullFilled(output, mixer, 4000)), 0);
  EXPECT_TRUE(mixer.Playing(*voice));
}

// A compressed tune kept in its file is decoded a packet at a time as it plays, and nothing of it is
// read or decoded before: its voice made and its volume set, the file's bytes changed in place are
// what it plays, as the same bytes held in memory and decoded whole play.
TEST_F(WaveFile, ACompressedTuneIsDecodedOnlyAsItPlays) {
  constexpr int kFrames = 30011;  // several packets
  WaveFormat mu_law = WaveFormat::Pcm(2, 44100, 8);
  mu_law.format_tag = 7;
  const auto bytes_from = [](int seed) {
    Bytes bytes(2 * kFrames);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>((i * seed) >> 4);
    return bytes;
  };
  TWave first, later;
  first.Assign(mu_law, bytes_from(37));
  later.Assign(mu_law, bytes_from(101));
  const std::string path = Write("tune.wav", first.SaveToMemory());
  TWave streamed;
  streamed.LoadFromFile(path);

  ManualAudioOutput held_output, streamed_output;
  Mixer held_mixer(held_output), streamed_mixer(streamed_output);
  held_output.Open([&](int16_t* s, int n) { held_mixer.Mix(s, n); });
  streamed_output.Open([&](int16_t* s, int n) { streamed_mixer.Mix(s, n); });
  const VoiceSettings quieter{.volume = -100};
  auto streamed_voice = streamed_mixer.AddVoice(MakeSoundSamples(streamed), {});
  streamed_mixer.Apply(*streamed_voice, quieter);
  const Bytes later_bytes = later.SaveToMemory();
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(later_bytes.data()), static_cast<std::streamsize>(later_bytes.size()));
  auto held_voice = held_mixer.AddVoice(MakeSoundSamples(later), quieter);
  held_mixer.Play(*held_voice, quieter, true);
  streamed_mixer.Play(*streamed_voice, quieter, true);
  EXPECT_EQ(PullFilled(streamed_output, streamed_mixer, 70000), held_output.Pull(70000));
  EXPECT_EQ(streamed_mixer.DryRuns(), 0u);
}

TEST_F(WaveFile, ACutShortFileKeepsTheSamplesItHolds) {
  Bytes bytes = Riff({Chunk("fmt ", FormatBody()), Chunk("data", Bytes(100, 1))});
  bytes.pop_back();
  TWave wave;
  wave.LoadFromFile(Write("cut.wav", bytes));
  EXPECT_EQ(wave.Size(), 99);
}

// A tune plays at most the first kTuneFileLimit bytes of its file: a data chunk claiming 4 GB in a
// (sparse) file a megabyte longer than that ends at the bound, one in a shorter file where the file
// does, and zeros after the last chunk end the chunks.
TEST_F(WaveFile, ATuneEndsAtItsBoundOrItsFile) {
  const Bytes head = Riff({Chunk("fmt ", FormatBody()), Chunk("data", {}, 0xFFFFFFF0)});
  const std::string path = Write("long.wav", head);
  for (const uint64_t size : {uint64_t{kTuneFileLimit} + (1 << 20), uint64_t{kTuneFileLimit} - 5, uint64_t{1} << 30}) {
    std::filesystem::resize_file(path, size);
    TWave wave;
    wave.LoadFromFile(path);
    EXPECT_EQ(static_cast<uint64_t>(wave.Size()), std::min<uint64_t>(size, kTuneFileLimit) - head.size()) << size;
  }
  Bytes padded = Riff({Chunk("fmt ", FormatBody()), Chunk("data", {1, 2, 3}), Bytes(65537, 0)});
  const Bytes beyond = Chunk("data", {9, 9});
  padded.insert(padded.end(), beyond.begin(), beyond.end());
  TWave wave;
  wave.LoadFromFile(Write("padded.wav", padded));
  EXPECT_EQ(wave.ReadData(), (Bytes{1, 2, 3})) << "read past the zeros";
}

}  // namespace
}  // namespace jizdavo

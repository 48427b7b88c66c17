// Seeds for the files beside the program and the built-in sounds: waves, the pointer and the film.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/assets/asset_catalog.h"
#include "platform/pictures/cursor_file.h"
#include "platform/film/film_decoder.h"
#include "platform/film/film_encoder.h"
#include "platform/sound/wave.h"
#include "seed_folder.h"
#include "seeds.h"

namespace jizdavo::fuzzcorpus {
namespace {

// Enough samples to reach the copy of the sample bytes; the fuzzer's time goes into the chunk layout.
constexpr size_t kSeedSampleBytes = 512;
// The film seed: a few frames of the intro, made small, in the intro's own format.
constexpr int kFilmSeedFrames = 3;
constexpr int kFilmSeedWidth = 32;
constexpr int kFilmSeedHeight = 24;
// A cut-off start of the real film: its headers and first frames, its index missing.
constexpr size_t kFilmStartBytes = 16384;

std::vector<uint8_t> AsBytes(const std::string& text) { return {text.begin(), text.end()}; }

// One seed per wave format; each one a short piece written by the game's own writer.
class WaveSeeds {
 public:
  explicit WaveSeeds(const std::filesystem::path& corpus) : folder_(corpus, "fuzz_wave") {}

  void Add(const std::string& name, std::span<const uint8_t> bytes) {
    TWave wave;
    wave.LoadFromMemory(bytes);
    if (wave.Empty() || std::find(formats_.begin(), formats_.end(), wave.Format()) != formats_.end()) return;
    formats_.push_back(wave.Format());
    const size_t align = std::max<size_t>(wave.Format().block_align, 1);
    const size_t keep = std::min(wave.Data().size(), kSeedSampleBytes) / align * align;
    TWave piece;
    piece.Assign(wave.Format(), {wave.Data().begin(), wave.Data().begin() + static_cast<ptrdiff_t>(keep)});
    const std::vector<uint8_t> stored = piece.SaveToMemory();
    TWave check;
    check.LoadFromMemory(stored);
    Require(!check.Empty() && check.Format() == wave.Format(), "wave " + name);
    folder_.Write(name + ".wav", stored);
  }
  size_t Count() const { return formats_.size(); }

 private:
  SeedFolder folder_;
  std::vector<WaveFormat> formats_;
};

// Forms the game's own writers never make but other tools do: 24-bit, float, and the extensible record
// with six channels.
void AddOtherWaveForms(WaveSeeds& seeds) {
  WaveFormat float_format = WaveFormat::Pcm(1, 48000, 32);
  float_format.format_tag = 3;
  WaveFormat extensible = WaveFormat::Pcm(6, 48000, 24);
  extensible.format_tag = 0xFFFE;
  extensible.extra = {22, 0, 24, 0, 0x3F, 0, 0, 0, 1, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
  const std::pair<const char*, WaveFormat> forms[] = {
      {"pcm24", WaveFormat::Pcm(2, 44100, 24)}, {"float", float_format}, {"extensible", extensible}};
  std::vector<uint8_t> samples(kSeedSampleBytes);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint8_t>(i * 37);
  for (const auto& [name, format] : forms) {
    TWave wave;
    wave.Assign(format, samples);
    seeds.Add(name, wave.SaveToMemory());
  }
}

std::vector<uint32_t> Shrunk(const FilmFrame& frame) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < kFilmSeedHeight; ++y)
    for (int x = 0; x < kFilmSeedWidth; ++x)
      pixels.push_back(frame.pixels[static_cast<size_t>(y * frame.height / kFilmSeedHeight) * frame.width +
                                    x * frame.width / kFilmSeedWidth]);
  return pixels;
}

int CountFrames(const std::filesystem::path& film) {
  FilmDecoder decoder(film.string());
  FilmFrame frame;
  int frames = 0;
  while (decoder.Next(frame)) ++frames;
  return frames;
}

}  // namespace

void WriteWaveSeeds(const std::filesystem::path& corpus, const std::filesystem::path& program) {
  WaveSeeds seeds(corpus);
  for (const StoredSound& sound : StoredSounds()) seeds.Add(sound.name, sound.wave);
  std::vector<std::filesystem::path> tunes;
  for (const auto& entry : std::filesystem::directory_iterator(program / "Music")) tunes.push_back(entry.path());
  std::sort(tunes.begin(), tunes.end());
  for (const std::filesystem::path& tune : tunes) seeds.Add(tune.stem().string(), AsBytes(ReadWhole(tune)));
  AddOtherWaveForms(seeds);
  Require(seeds.Count() > 0, "no waves");
}

void WriteCursorSeeds(const std::filesystem::path& corpus, const std::filesystem::path& program) {
  const SeedFolder folder(corpus, "fuzz_cursor");
  const std::vector<uint8_t> cursor = AsBytes(ReadWhole(program / "Graphics" / "Cursor.cur"));
  Require(DecodeCursor(cursor).width > 0, "Cursor.cur");
  folder.Write("Cursor.cur", cursor);
}

void WriteFilmSeeds(const std::filesystem::path& corpus, const std::filesystem::path& program) {
  const SeedFolder folder(corpus, "fuzz_film");
  const std::filesystem::path intro = program / "Graphics" / "logo.avi";
  FilmDecoder decoder(intro.string());
  const int fps = std::max(1, static_cast<int>(std::lround(static_cast<double>(decoder.RateNumerator()) /
                                                            decoder.RateDenominator())));
  {
    FilmEncoder film((folder.Path() / "logo.avi").string(), kFilmSeedWidth, kFilmSeedHeight, fps);
    FilmFrame frame;
    for (int i = 0; i < kFilmSeedFrames && decoder.Next(frame); ++i) film.AddFrame(Shrunk(frame).data());
    film.Finish();
  }
  Require(CountFrames(folder.Path() / "logo.avi") == kFilmSeedFrames, "film seed");
  const std::string start = ReadWhole(intro).substr(0, kFilmStartBytes);
  folder.Write("logo-start.avi", start);
  Require(CountFrames(folder.Path() / "logo-start.avi") > 0, "cut-off film seed");
}

}  // namespace jizdavo::fuzzcorpus

#include "startup_rig.h"

#include <unistd.h>

#include <fstream>
#include <stdexcept>

#include "platform/asset_loader.h"
#include "platform/film_encoder.h"
#include "platform/wave.h"

namespace jizdavo::testing {

namespace {

std::filesystem::path MakeTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "jizdavo_startup_XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
  return pattern;
}

void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int ScriptedRandom::Random(int n) {
  int value = fallback;
  if (!queued.empty()) {
    value = queued.front();
    queued.pop_front();
  }
  return n > 0 ? value % n : 0;
}

bool CountingWindow::LoadPointer(const std::string& path) {
  pointer_files.push_back(path);
  return std::filesystem::exists(path);
}

StartupRig::StartupRig() : folder(MakeTempFolder()) {}

StartupRig::~StartupRig() {
  game.reset();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

void StartupRig::WriteFilm(int frames) {
  std::filesystem::create_directories(folder / "Graphics");
  constexpr int kWidth = 32;
  constexpr int kHeight = 24;
  FilmEncoder encoder((folder / "Graphics" / "logo.avi").string(), kWidth, kHeight, 10);
  std::vector<uint32_t> pixels(kWidth * kHeight);
  for (int i = 0; i < frames; ++i) {
    pixels.assign(pixels.size(), 0x00010101u * static_cast<uint32_t>(i * 8 % 256));
    encoder.AddFrame(pixels.data());
  }
  encoder.Finish();
}

void StartupRig::WriteMusic() {
  TWave wave;
  wave.Assign(WaveFormat::Pcm(1, 22050, 16), std::vector<uint8_t>(4410, 0x10));
  for (const char* name : {"MenuTune1", "MenuTune2", "MenuTune3", "MenuTune4", "InGame1", "InGame2", "InGame3",
                           "InGame4"}) {
    WriteBytes(folder / "Music" / (std::string(name) + ".wav"), wave.SaveToMemory());
  }
}

void StartupRig::WriteSettings(const std::string& text) {
  WriteBytes(folder / "Settings.ini", std::vector<uint8_t>(text.begin(), text.end()));
}

void StartupRig::Create() {
  PlatformServices services{clock,  random, video, input, window, timers, audio,
                            [this](uint32_t ms) { Wait(ms); }, folder, folder};
  game = std::make_unique<TJizdavo>(services);
  LoadStoredAssets(game->DXImageList, game->DXWaveList, StoredImages(), StoredSounds());
  game->FormCreate();
}

void StartupRig::Start() {
  Create();
  game->DXDraw1.OnInitialize = [this] { game->DXDraw1Initialize(); };
  game->DXDraw1.Initialize();
}

void StartupRig::StartWithoutIntro() {
  Create();
  game->DXDraw1.Initialize();
}

void StartupRig::SkipAt(uint32_t at, int scan_code, int button) {
  skip_pending_ = true;
  skip_at_ = at;
  skip_scan_ = scan_code;
  skip_button_ = button;
}

void StartupRig::Wait(uint32_t ms) {
  clock.Advance(ms);
  if (!skip_pending_ || clock.Now() < skip_at_) return;
  skip_pending_ = false;
  if (skip_button_ >= 0) {
    input.state.buttons[skip_button_] = true;
  } else {
    input.state.scan_codes[skip_scan_] = true;
  }
}

int StartupRig::PlayingVoices(const std::string& item) {
  return game->DXWaveList.Find(item).PlayingVoiceCount();
}

}  // namespace jizdavo::testing

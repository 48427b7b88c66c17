#include "startup_rig.h"

#include <fstream>

#include "platform/film/film_encoder.h"
#include "platform/sound/wave.h"

namespace jizdavo::testing {

namespace {

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

namespace {

GameSetup StartupSetup(RandomSource& random, std::function<void(uint32_t)> wait) {
  GameSetup setup;
  setup.random = &random;
  setup.wait = std::move(wait);
  return setup;
}

}  // namespace

StartupRig::StartupRig() : HeadlessGame(StartupSetup(scripted, [this](uint32_t ms) { Wait(ms); })) {
  window.pointer_file_needed = true;
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

void StartupRig::Start() {
  Create();
  game->FormCreate();
  game->DXDraw1.OnInitialize = [this] { game->DXDraw1Initialize(); };
  game->DXDraw1.Initialize();
}

void StartupRig::StartWithoutIntro() {
  Create();
  game->FormCreate();
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

}  // namespace jizdavo::testing

#include "play_field.h"

#include <unistd.h>

#include <stdexcept>

#include "platform/asset_loader.h"

namespace jizdavo::testing {

namespace {

std::filesystem::path MakeTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "jizdavo_frame_XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
  return pattern;
}

}  // namespace

PlayField::PlayField(uint64_t seed) : random(seed, clock), folder(MakeTempFolder()) {
  audio = std::make_unique<NullAudioOutput>();
  PlatformServices services{clock, random, video, input, window, timers, *audio,
                            [this](uint32_t ms) { clock.Advance(ms); }, folder, folder};
  game = std::make_unique<TJizdavo>(services);
  LoadStoredAssets(game->DXImageList, game->DXWaveList, StoredImages(), StoredSounds());
  game->DXDraw1.Initialize();
  game->FormCreate();
}

PlayField::~PlayField() {
  game.reset();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

void PlayField::Frame(uint32_t ms) {
  clock.Advance(ms);
  timers.Dispatch();
  game->DXTimer1Timer(ms > 0 ? static_cast<int>(ms) : 1);
}

void PlayField::Frames(int count, uint32_t ms) {
  for (int i = 0; i < count; ++i) Frame(ms);
}

void PlayField::Start(bool chase, int level, int difficulty) {
  Game.Title = chase ? "NEW GAME CAR CHASE" : "NEW GAME STANDARD";
  Game.Level = level;
  Game.GameDifficulty = difficulty;
  game->Label11Click();
}

void PlayField::RunCountdown() {
  for (int i = 0; i < 400 && !Game.CountdownDone; ++i) Frame(10);
}

}  // namespace jizdavo::testing

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
                            [this](uint32_t ms) { clock.Advance(ms); }, folder, folder, StoredWidgetPictures()};
  game = std::make_unique<TJizdavo>(services);
  LoadStoredAssets(game->DXImageList, game->DXWaveList, StoredImages(), StoredSounds());
  game->DXDraw1.Initialize();
  game->FormCreate();
  // The window has the focus, so the frame timer runs when RunPaced polls it.
  game->DXTimer1.ApplicationActivated();
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

void PlayField::RunPaced(int refresh_hz, uint32_t ms, const std::function<void(int lag)>& after_frame) {
  TDXTimer& timer = game->DXTimer1;
  if (!pacer) {
    pacer = std::make_unique<FramePacer>(clock, timer, timers, [this](uint32_t wait) {
      clock.Advance(wait);
      return false;
    });
    video.SwitchOn(refresh_hz, *pacer);
  }
  const TDXTimer::TimerEvent frame = timer.OnTimer;
  timer.OnTimer = [&](TDXTimer* sender, int lag) {
    frame(sender, lag);
    if (after_frame) after_frame(lag);
  };
  const uint32_t end = clock.Now() + ms;
  while (static_cast<int32_t>(end - clock.Now()) > 0) pacer->Idle();
  timer.OnTimer = frame;
}

void PlayField::RunCountdown() {
  for (int i = 0; i < 400 && !Game.CountdownDone; ++i) Frame(10);
}

}  // namespace jizdavo::testing

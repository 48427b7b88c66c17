#include "support/headless_game.h"

#include <unistd.h>

#include <stdexcept>

#include "platform/assets/asset_loader.h"

namespace jizdavo::testing {

namespace {

std::filesystem::path MakeScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "jizdavo_rig_XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("no scratch folder");
  return pattern;
}

}  // namespace

bool RecordingWindow::LoadPointer(const std::string& path) {
  pointer_files.push_back(path);
  return !pointer_file_needed || std::filesystem::exists(path);
}

HeadlessGame::HeadlessGame(GameSetup setup)
    : seeded(setup.seed),
      random(setup.random ? *setup.random : seeded),
      folder(setup.data_folder.empty() ? MakeScratchFolder() : setup.data_folder),
      setup_(std::move(setup)),
      own_folder_(setup_.data_folder.empty()) {}

HeadlessGame::~HeadlessGame() {
  game.reset();
  if (!own_folder_) return;
  std::error_code ignored;
  // Some tests take the folder's rights away.
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(folder, ignored);
}

void HeadlessGame::Create() {
  std::function<void(uint32_t)> wait = setup_.wait;
  if (!wait) wait = [this](uint32_t ms) { clock.Advance(ms); };
  AudioOutput& device = setup_.sound_device ? static_cast<AudioOutput&>(audio) : no_sound;
  const std::filesystem::path program = setup_.program_folder.empty() ? folder : setup_.program_folder;
  PlatformServices services{game_clock, random, video, input, window, timers, device, wait, program, folder};
  if (setup_.built_in_pictures) services.built_in_pictures = StoredWidgetPictures();
  game = std::make_unique<TJizdavo>(services);
  LoadStoredAssets(game->DXImageList, game->DXWaveList, StoredImages(), StoredSounds());
}

void HeadlessGame::CreatePlayField() {
  Create();
  game->DXDraw1.Initialize();
  game->FormCreate();
  game->DXTimer1.ApplicationActivated();
}

void HeadlessGame::Frame(uint32_t ms) {
  clock.Advance(ms);
  timers.Dispatch();
  game->DXTimer1Timer(ms > 0 ? static_cast<int>(ms) : 1);
  // Without a thread to read the tunes ahead, the game's thread does it between frames.
  game->DXSound1.GetMixer().Filler().Fill();
}

void HeadlessGame::Frames(int count, uint32_t ms) {
  for (int i = 0; i < count; ++i) Frame(ms);
}

void HeadlessGame::Key(int key_code, bool repeat) {
  WindowEvent event{WindowEvent::Kind::KeyDown};
  event.key_code = key_code;
  event.repeat = repeat;
  Send(event);
}

void HeadlessGame::KeyUp(int key_code) {
  WindowEvent event{WindowEvent::Kind::KeyUp};
  event.key_code = key_code;
  Send(event);
}

void HeadlessGame::Start(bool chase, int level, int difficulty) {
  Game.Title = chase ? "NEW GAME CAR CHASE" : "NEW GAME STANDARD";
  Game.Level = level;
  Game.GameDifficulty = difficulty;
  game->Label11Click();
}

void HeadlessGame::RunCountdown(uint32_t ms) {
  for (int i = 0; i < 4000 / static_cast<int>(ms) && !Game.CountdownDone; ++i) Frame(ms);
}

void HeadlessGame::RunPaced(int refresh_hz, uint32_t ms, const std::function<void(int lag)>& after_frame,
                            PacedMachine machine) {
  TDXTimer& timer = game->DXTimer1;
  machine_ = std::move(machine);
  if (!pacer) {
    pacer = std::make_unique<FramePacer>(game_clock, timer, timers, [this](uint32_t wait, FramePacer::Wake) {
      if (machine_.wait) {
        machine_.wait(wait);
      } else {
        clock.Advance(wait);
      }
      return false;
    });
    pacer->SetPlaying([] { return Game.InGame; });
    video.SwitchOn(refresh_hz, *pacer);
  }
  const TDXTimer::TimerEvent frame = timer.OnTimer;
  timer.OnTimer = [&](TDXTimer* sender, int lag) {
    clock.Run(machine_.drawing_ms);
    frame(sender, lag);
    clock.StopRunning();
    if (after_frame) after_frame(lag);
  };
  const uint32_t end = game_clock.Live() + ms;
  while (static_cast<int32_t>(end - game_clock.Live()) > 0) pacer->Idle();
  timer.OnTimer = frame;
}

}  // namespace jizdavo::testing

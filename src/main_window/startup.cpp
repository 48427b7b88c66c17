// Start-up and shutdown of the main window: the pointer, the music and the settings when it is
// created, the intro film once the display is ready, the frame timer's focus changes, the start
// countdown's tick, and closing.

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/error.h"
#include "platform/input/scan_codes.h"
#include "state/game_rules.h"
#include "main_window/jizdavo.h"

namespace jizdavo {

namespace {

// Images the game paints at run time; they carry no stored pixels.
constexpr const char* RunTimeImages[] = {"Pozadi", "end", "Cil", "Alpha", "CarTemp"};
constexpr const char* MusicItems[] = {"MenuTune1", "MenuTune2", "MenuTune3", "MenuTune4",
                                      "InGame1",   "InGame2",   "InGame3",   "InGame4"};
// A skip this early skips the film before it starts.
constexpr uint32_t GracePeriod = 1500;  // ms

}  // namespace

void TJizdavo::FormCreate() {
  const std::filesystem::path& folder = services_.program_folder;
  // A pointer file that cannot be read leaves the system arrow for the menus.
  services_.window.LoadPointer((folder / "Graphics" / "Cursor.cur").string());
  services_.window.SetPointerShape(-1);
  MediaPlayer1.FileName = (folder / "Graphics" / "logo.avi").string();
  Game.LevelTable.clear();
  LoadMusic();
  ReadSettings();
  ReadPlayerKeys();
  ResetGame();
  HidePanels();
}

// A tune that is missing or unreadable stays silent, told on stderr; the rest of start-up goes on.
void TJizdavo::LoadMusic() {
  for (const char* name : MusicItems) {
    std::filesystem::path file = services_.program_folder / "Music" / (std::string(name) + ".wav");
    try {
      DXWaveList.Find(name).Wave().LoadFromFile(file.string());
    } catch (const Error& error) {
      std::fprintf(stderr, "%s stays silent: %s\n", file.c_str(), error.what());
    }
  }
}

void TJizdavo::DXDraw1Initialize() {
  Randomize();
  Menus.Track.Caption = std::to_string(TuneNumber(Random(20)));
  PlayIntroFilm();
  ShowPanels();
  if (PlayMusic.Checked) DXWaveList.Find("MenuTune" + std::to_string(MenuTrack())).Play(false);
  services_.window.SetPointerShape(1);
  ShowFileMessages();
}

// The film waits at its first frame for a grace period; a skip then skips it unseen and puts the
// pointer in the middle. A film that cannot be opened or read only costs the intro, told on stderr.
void TJizdavo::PlayIntroFilm() {
  try {
    MediaPlayer1.Open();
    MediaPlayer1.SetDisplayRect(DXDraw1.GetClientRect());
    MediaPlayer1.SetTimeFormat(MediaTimeFormat::Frames);
    MediaPlayer1.Play();
    MediaPlayer1.Pause();
    MediaPlayer1.SetPosition(0);
    const uint32_t start = Now();
    if (WaitForFilm([&] { return Now() - start >= GracePeriod; })) {
      services_.window.CenterPointer();
      MediaPlayer1.Stop();
      return;
    }
    MediaPlayer1.Play();
    if (WaitForFilm([&] { return MediaPlayer1.Mode() != MediaMode::Playing; })) MediaPlayer1.Stop();
  } catch (const Error& error) {
    std::fprintf(stderr, "The intro film %s is skipped: %s\n", MediaPlayer1.FileName.c_str(), error.what());
    MediaPlayer1.Close();
  }
}

bool TJizdavo::WaitForFilm(const std::function<bool()>& done) {
  for (;;) {
    DXInput.Update();
    if (SkipRequested()) return true;
    if (done()) return false;
    // Lets the window breathe and the core rest between polls.
    services_.wait(1);
  }
}

// A request to end the program (SIGTERM, the window closed) ends the film too.
bool TJizdavo::SkipRequested() {
  const TKeyboard& keys = DXInput.Keyboard;
  return services_.window.QuitRequested() || keys.Keys(kKeyEscape) || keys.Keys(kKeyEnter) || keys.Keys(kKeySpace) || DXInput.Mouse.Buttons(0) ||
         DXInput.Mouse.Buttons(2);
}

bool TJizdavo::FilmIsPlaying() { return MediaPlayer1.Mode() == MediaMode::Playing; }

// The game's time does not move while the window is away (NextTick), so coming back sets no clock.
void TJizdavo::DXTimer1Activate() {
  for (const char* name : RunTimeImages) DXImageList.Find(name).ResetPicture();
}

// The countdown must not run on while the game is in the background; the next play frame enables it.
// Only play stops without the focus: the menus keep drawing (the timer reads ActiveOnly after this).
void TJizdavo::DXTimer1Deactivate() {
  Timer1.SetEnabled(false);
  DXTimer1.ActiveOnly = Game.InGame || resuming_;
}

void TJizdavo::Timer1Timer() {
  Recorder.CountdownStepped();
  Game.Countdown -= 1;
  Game.CountdownSize = kCountdownStart;
  if (Game.Countdown == 0) {
    Game.CountdownDone = true;
    Timer1.SetEnabled(false);
  }
}

// The options were written when the Options screen was left; closing writes nothing.
void TJizdavo::FormClose() {
  MediaPlayer1.Close();
  Game.LevelTable.clear();
}

}  // namespace jizdavo

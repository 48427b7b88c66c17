// The Options screen and the music: the settings file, the two volume gauges, the tune arrows, the
// music switch, and starting and fading the tunes.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/time/frame_pacer.h"
#include "state/game_rules.h"
#include "files/stored_file.h"
#include "main_window/jizdavo.h"
#include "main_window/volume_mapping.h"

namespace jizdavo {

namespace {

constexpr uint32_t kFadeLength = 1000;  // ms

const std::vector<std::string>& MusicItems() {
  static const std::vector<std::string> items = {"MenuTune1", "MenuTune2", "MenuTune3", "MenuTune4",
                                                 "InGame1",   "InGame2",   "InGame3",   "InGame4"};
  return items;
}

const std::vector<std::string>& EffectItems() {
  static const std::vector<std::string> items = {"Mlask", "Horn", "Impact", "Horn2",
                                                 "Puk",   "Menu", "Fanfare"};
  return items;
}

std::string MenuTune(int track) { return "MenuTune" + std::to_string(track); }
std::string GameTune() { return "InGame" + std::to_string(Game.InGameTrack); }

}  // namespace

void TJizdavo::WireOptions() {
  PlayMusic.OnClick = [this](TControl* sender) { PlayMusicClick(sender); };
  Menus.Image1.OnClick = [this](TControl* sender) { Image1Click(sender); };
  Menus.Image2.OnClick = [this](TControl* sender) { Image2Click(sender); };
  Menus.Shape2.OnMouseDown = [this](TControl* s, TMouseButton b, TShiftState shift, int x, int y) {
    Shape2MouseDown(s, b, shift, x, y);
  };
  Menus.Shape2.OnMouseMove = [this](TControl* s, TShiftState shift, int x, int y) {
    Shape2MouseMove(s, shift, x, y);
  };
  Menus.Shape3.OnMouseDown = [this](TControl* s, TMouseButton b, TShiftState shift, int x, int y) {
    Shape3MouseDown(s, b, shift, x, y);
  };
  Menus.Shape3.OnMouseMove = [this](TControl* s, TShiftState shift, int x, int y) {
    Shape3MouseMove(s, shift, x, y);
  };
}

// Start-up: the saved choices into the check boxes and gauges, and the saved volumes into the sounds,
// so that every tune and effect is heard at the level its gauge shows from the first one on.
void TJizdavo::ReadSettings() {
  const SavedOptions options = Settings.Read();
  PlayMusic.Checked = options.PlayMusic;
  PlaySE.Checked = options.PlaySE;
  FPS.Checked = options.ShowFPS;
  ShowGhost.Checked = options.Ghost;
  Menus.SuperGauge2.SetPosition(options.MVolume);
  Menus.SuperGauge1.SetPosition(options.SEVolume);
  ApplyGaugeVolume(Menus.SuperGauge2, MusicItems());
  ApplyGaugeVolume(Menus.SuperGauge1, EffectItems());
}

void TJizdavo::ReadPlayerKeys() {
  const PlayerKeys keys = jizdavo::ReadPlayerKeys(Settings);
  // Told on stderr, and in the game's own box once the display is up, for a player who started the
  // game from a menu and never sees stderr.
  for (const std::string& problem : keys.problems) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    TellPlayer(problem);
  }
  const auto take = [&keys](GameKey key, KeyCodes& codes) {
    codes = keys.chosen[static_cast<size_t>(key)].value_or(codes);
  };
  TKeyAssigns& walking = DXInput.Keyboard.Assigns;
  take(GameKey::Up, walking[StateUp]);
  take(GameKey::Down, walking[StateDown]);
  take(GameKey::Left, walking[StateLeft]);
  take(GameKey::Right, walking[StateRight]);
  take(GameKey::Pause, pause_keys_);
  take(GameKey::Skip, skip_keys_);
}

// "Back" on Options and the new-game screens keeps the choices, then returns to the main menu.
void TJizdavo::Label12Click(TControl*) {
  try {
    Settings.Write({PlayMusic.Checked, PlaySE.Checked, FPS.Checked, Menus.SuperGauge2.Position(),
                    Menus.SuperGauge1.Position(), ShowGhost.Checked});
  } catch (const Error& error) {
    ShowSaveProblem(error.what());
  }
  ShowFileMessages();
  EnterScreen("MAIN MENU", Menus.Panel1);
}

int TJizdavo::MenuTrack() const { return ParseInteger(Menus.Track.Caption).value_or(1); }

int TJizdavo::MusicVolume() const { return GaugeVolume(Menus.SuperGauge2.Position()); }

void TJizdavo::ApplyGaugeVolume(const TSuperGauge& gauge, const std::vector<std::string>& items) {
  const int volume = GaugeVolume(gauge.Position());
  for (const std::string& item : items) DXWaveList.Find(item).SetVolume(volume);
}

void TJizdavo::Shape3MouseDown(TControl*, TMouseButton, TShiftState, int X, int) {
  Menus.SuperGauge2.SetPosition(GaugePositionAt(X));
  ApplyGaugeVolume(Menus.SuperGauge2, MusicItems());
}

void TJizdavo::Shape3MouseMove(TControl* Sender, TShiftState Shift, int X, int Y) {
  if (Shift & ssLeft) Shape3MouseDown(Sender, TMouseButton::mbLeft, Shift, X, Y);
}

// The effects gauge lets the player hear the new level, even with effects switched off.
void TJizdavo::Shape2MouseDown(TControl*, TMouseButton, TShiftState, int X, int) {
  Menus.SuperGauge1.SetPosition(GaugePositionAt(X));
  ApplyGaugeVolume(Menus.SuperGauge1, EffectItems());
  DXWaveList.Find("Menu").Play(false);
}

void TJizdavo::Shape2MouseMove(TControl* Sender, TShiftState Shift, int X, int Y) {
  if (Shift & ssLeft) Shape2MouseDown(Sender, TMouseButton::mbLeft, Shift, X, Y);
}

// The volume is set before the tune starts, so not even its first moment plays at another level.
void TJizdavo::PlayMusicClick(TControl*) {
  TWaveCollectionItem& tune = DXWaveList.Find(MenuTune(MenuTrack()));
  if (PlayMusic.Checked) {
    ApplyGaugeVolume(Menus.SuperGauge2, MusicItems());
    tune.Play(false);
  } else {
    tune.Stop();
  }
}

void TJizdavo::Image1Click(TControl*) { StepTrack(1); }

void TJizdavo::Image2Click(TControl*) { StepTrack(-1); }

// Both arrows step the number within 1..4, with the music on or off; only a playing tune is swapped.
void TJizdavo::StepTrack(int step) {
  const int track = MenuTrack();
  const int next = track + step;
  if (next < 1 || next > 4) return;
  if (PlayMusic.Checked) DXWaveList.Find(MenuTune(track)).Stop();
  Menus.Track.Caption = std::to_string(next);
  ApplyGaugeVolume(Menus.SuperGauge2, MusicItems());
  if (PlayMusic.Checked) DXWaveList.Find(MenuTune(next)).Play(false);
}

void TJizdavo::StartMenuMusic() {
  Menus.Track.Caption = std::to_string(TuneNumber(Random(20)));
  PlayMusicClick();
}

// The tune goes quieter by 2 hundredths of a decibel a millisecond for one second, then stops. It
// takes the second even when the music is off. Its passes keep to the game clock, 60 a second: the old
// game ran them back to back, as many frames as the machine could make, where the display shows 60.
void TJizdavo::FadeOut(const std::string& tune_name, int start_volume) {
  TWaveCollectionItem& tune = DXWaveList.Find(tune_name);
  // The fade takes a second of the machine's time even inside a frame, where the game clock stands.
  const auto live = [this] { return services_.clock.Live(); };
  const uint32_t t0 = live();
  uint32_t elapsed = 0;
  do {
    tune.SetVolume(start_volume - 2 * static_cast<int>(elapsed));
    DXTimer1Timer(0);
    // The next pass at the first frame time after now (frame n at n * 1000 / 60 ms): a slow pass is
    // followed by one more at the next frame time, not by a burst to catch up.
    elapsed = live() - t0;
    uint32_t frame = elapsed * FramePacer::kGameFrameRate / 1000;
    while (frame * 1000 / FramePacer::kGameFrameRate <= elapsed) ++frame;
    const uint32_t next = std::min(frame * 1000 / FramePacer::kGameFrameRate, kFadeLength);
    if (elapsed < next) services_.wait(next - elapsed);
    elapsed = live() - t0;
  } while (elapsed < kFadeLength);
  tune.Stop();
  // The frame timer measures from here: otherwise the next frame (the first of a game, after Start)
  // would move everything by the whole second, and new cars would appear mid-road.
  DXTimer1.Renew();
}

// The fades start from the level the music gauge shows.
void TJizdavo::FadeOutMenuMusic() { FadeOut(MenuTune(MenuTrack()), MusicVolume()); }

void TJizdavo::FadeOutGameMusic() { FadeOut(GameTune(), MusicVolume() - 1000); }

void TJizdavo::FadeOutMenuMusicBehind() { FadeOutBehind(MenuTune(MenuTrack()), MusicVolume()); }

void TJizdavo::FadeOutGameMusicBehind() { FadeOutBehind(GameTune(), MusicVolume() - 1000); }

// One tune fades behind at a time: a new fade stops the one before.
void TJizdavo::FadeOutBehind(const std::string& tune_name, int start_volume) {
  EndFadeBehind();
  fade_behind_ = {tune_name, start_volume, Now()};
  AdvanceFadeBehind();
}

// The same slope as FadeOut: 2 hundredths of a decibel a millisecond, stopped after the second.
void TJizdavo::AdvanceFadeBehind() {
  if (fade_behind_.tune.empty()) return;
  const uint32_t elapsed = Now() - fade_behind_.t0;
  if (elapsed >= kFadeLength) {
    EndFadeBehind();
    return;
  }
  DXWaveList.Find(fade_behind_.tune).SetVolume(fade_behind_.start_volume - 2 * static_cast<int>(elapsed));
}

void TJizdavo::EndFadeBehind() {
  if (fade_behind_.tune.empty()) return;
  DXWaveList.Find(fade_behind_.tune).Stop();
  fade_behind_.tune.clear();
}

}  // namespace jizdavo

// Start-up: the intro film with its grace period and skip inputs, the music after it, the menu tune
// number, files that are missing, and the start countdown's tick.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "startup_rig.h"
#include "state/game_state.h"

namespace jizdavo::testing {
namespace {

constexpr int kFilmFrames = 40;  // four seconds at 10 frames a second
constexpr uint32_t kGrace = 1500;
constexpr uint32_t kFilmLength = 4000;

struct SkipCase {
  const char* name;
  uint32_t after;  // ms after the start of the intro
  int scan_code;
  int button;
  bool skips_unseen;  // within the grace period: the film never plays, the pointer is centred
  bool stops_early;
  bool quit = false;  // the program is asked to end instead (SIGTERM, the window closed)
};

class IntroSkip : public ::testing::TestWithParam<SkipCase> {};

TEST_P(IntroSkip, SkipsOrStopsTheFilm) {
  const SkipCase& c = GetParam();
  StartupRig rig;
  rig.WriteFilm(kFilmFrames);
  const uint32_t at = StartupRig::kStart + c.after;
  if (c.quit) {
    rig.window.quit_requested = [&rig, at] { return rig.clock.Now() >= at; };
  } else {
    rig.SkipAt(at, c.scan_code, c.button);
  }
  rig.Start();

  uint32_t spent = rig.clock.Now() - StartupRig::kStart;
  EXPECT_EQ(rig.window.centred, c.skips_unseen ? 1 : 0);
  if (c.skips_unseen) {
    EXPECT_LT(spent, kGrace);
    // Played through the wait, it would have shown a dozen frames.
    EXPECT_LE(rig.video.film_frames(), 2) << "only the first frame, waiting";
  } else {
    EXPECT_GT(rig.video.film_frames(), 1);
    if (c.stops_early) {
      EXPECT_LT(spent, kGrace + kFilmLength - 500);
    } else {
      EXPECT_GE(spent, kGrace + kFilmLength - 100);
    }
  }
  EXPECT_FALSE(rig.game->FilmIsPlaying());
  EXPECT_TRUE(rig.game->Menus.Panel1.Visible);
  ASSERT_FALSE(rig.window.pointer_shapes.empty());
  EXPECT_EQ(rig.window.pointer_shapes.back(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, IntroSkip,
    ::testing::Values(SkipCase{"EscEarly", 200, kScanEscape, -1, true, true},
                      SkipCase{"EnterEarly", 800, kScanEnter, -1, true, true},
                      SkipCase{"SpaceJustInTime", 1490, kScanSpace, -1, true, true},
                      SkipCase{"LeftButtonEarly", 10, 0, 0, true, true},
                      SkipCase{"MiddleButtonEarly", 600, 0, 2, true, true},
                      SkipCase{"EscWhilePlaying", 2500, kScanEscape, -1, false, true},
                      SkipCase{"LeftButtonWhilePlaying", 1600, 0, 0, false, true},
                      SkipCase{"RightButtonDoesNotSkip", 200, 0, 1, false, false},
                      SkipCase{"LetterKeyDoesNotSkip", 200, 30, -1, false, false},
                      SkipCase{"QuitEarly", 300, 0, -1, true, true, true},
                      SkipCase{"QuitWhilePlaying", 2500, 0, -1, false, true, true}),
    [](const ::testing::TestParamInfo<SkipCase>& info) { return std::string(info.param.name); });

TEST(Startup, TheMenuTuneFollowsTheMusicSetting) {
  for (bool music_on : {true, false}) {
    StartupRig rig;
    rig.WriteMusic();
    rig.WriteSettings(music_on ? "[Options]\nPlaySE=1\n" : "[Options]\nPlayMusic=0\n");
    rig.scripted.fallback = 12;  // menu tune 3
    rig.Start();

    EXPECT_EQ(rig.game->MenuTrack(), 3);
    int playing = 0;
    for (int tune = 1; tune <= 4; ++tune) playing += rig.Plays("MenuTune" + std::to_string(tune));
    EXPECT_EQ(rig.Plays("MenuTune3"), music_on ? 1 : 0) << music_on;
    EXPECT_EQ(playing, music_on ? 1 : 0) << music_on;
    EXPECT_EQ(rig.game->PlayMusic.Checked, music_on);
  }
}

TEST(Startup, TheMenuTuneNumberTakesFiveDrawsEach) {
  const std::pair<int, int> draws[] = {{0, 1},  {4, 1},  {5, 2},  {9, 2},  {10, 3},
                                       {14, 3}, {15, 4}, {19, 4}, {7, 2}, {17, 4}};
  for (auto [draw, track] : draws) {
    StartupRig rig;
    rig.scripted.fallback = draw;
    rig.Start();
    EXPECT_EQ(rig.game->MenuTrack(), track) << "draw " << draw;
    EXPECT_GE(rig.scripted.reseeds, 1);
  }
}

TEST(Startup, GoesOnWithoutFilmOrMusic) {
  StartupRig rig;
  rig.Start();
  EXPECT_TRUE(rig.game->Menus.Panel1.Visible);
  EXPECT_EQ(rig.window.centred, 0);
  EXPECT_EQ(rig.window.pointer_shapes, (std::vector<int>{-1, 1}));
  ASSERT_NE(Game.Player, nullptr);
  EXPECT_EQ(Game.Title, "MAIN MENU");
  EXPECT_EQ(rig.Plays("MenuTune" + std::to_string(rig.game->MenuTrack())), 0);
  EXPECT_EQ(rig.window.pointer_files, (std::vector<std::string>{(rig.folder / "Graphics" / "Cursor.cur").string()}));
}

TEST(Startup, UnreadableOrUnplayableFilesAreSkippedAndTold) {
  StartupRig rig;
  rig.WriteMusic();
  TWave wide, unknown_codec;
  wide.Assign(WaveFormat::Pcm(2, 48000, 24), std::vector<uint8_t>(6000, 0x10));
  WaveFormat unknown = WaveFormat::Pcm(1, 22050, 4);
  unknown.format_tag = 0x3333;
  unknown_codec.Assign(unknown, std::vector<uint8_t>(100, 0x10));
  const auto write = [&](const char* tune, const TWave& wave) {
    const std::vector<uint8_t> bytes = wave.SaveToMemory();
    std::ofstream(rig.folder / "Music" / tune, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  };
  write("MenuTune1.wav", wide);
  std::ofstream(rig.folder / "Music" / "MenuTune2.wav") << "not a wave";
  write("MenuTune3.wav", unknown_codec);
  std::filesystem::create_directories(rig.folder / "Graphics");
  std::ofstream(rig.folder / "Graphics" / "logo.avi") << "not a film";
  rig.scripted.fallback = 1;  // menu tune 1: 24-bit stereo
  ::testing::internal::CaptureStderr();
  rig.Start();

  EXPECT_TRUE(rig.game->Menus.Panel1.Visible);
  EXPECT_EQ(rig.video.film_frames(), 0);
  EXPECT_EQ(rig.Plays("MenuTune1"), 1);
  for (const char* tune : {"MenuTune2", "MenuTune3", "MenuTune3"}) {
    rig.game->DXWaveList.Find(tune).Play(false);
    EXPECT_EQ(rig.Plays(tune), 0) << tune << " stays silent";
  }
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find("MenuTune2.wav stays silent: Stream read error\n"), std::string::npos) << told;
  const size_t codec_told = told.find("Wave 'MenuTune3' stays silent: Sound Buffer cannot be made");
  EXPECT_NE(codec_told, std::string::npos) << told;
  EXPECT_EQ(told.find("MenuTune3", told.find('\n', codec_told)), std::string::npos) << "told once: " << told;
}

TEST(Startup, CountdownIsDoneOnTheThirdTick) {
  StartupRig rig;
  rig.StartWithoutIntro();
  Game.Countdown = 3;
  rig.game->Timer1.SetEnabled(true);
  for (int tick = 1; tick <= 3; ++tick) {
    Game.CountdownSize = 10.0;
    rig.game->Timer1Timer();
    EXPECT_EQ(Game.Countdown, 3 - tick);
    EXPECT_EQ(Game.CountdownSize, 80.0);
    EXPECT_EQ(Game.CountdownDone, tick == 3) << tick;
    EXPECT_EQ(rig.game->Timer1.Enabled(), tick < 3) << tick;
  }
}

TEST(Startup, LosingTheFocusStopsPlayAndTheCountdownButNotTheMenusAndClosingWritesNoSettings) {
  StartupRig rig;
  rig.StartWithoutIntro();
  TDXTimer& timer = rig.game->DXTimer1;
  for (bool in_game : {false, true}) {
    Game.InGame = in_game;
    timer.ApplicationActivated();
    rig.game->Timer1.SetEnabled(true);
    timer.ApplicationDeactivated();
    EXPECT_FALSE(rig.game->Timer1.Enabled()) << in_game;
    EXPECT_EQ(timer.Polling(), !in_game) << "only play pauses without the focus";
  }

  rig.game->FormClose();
  EXPECT_FALSE(std::filesystem::exists(rig.folder / "Settings.ini"));
}

}  // namespace
}  // namespace jizdavo::testing

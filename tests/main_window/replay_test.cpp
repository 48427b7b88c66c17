// Recorded games replayed headless: a seeded random source and a fixed stream of keys and frame
// lengths, compared by final state and a hash of the back surface with files in golden/; named scenes
// (the menu screens, a level's world, the end of a game) compared pixel for pixel with pictures there;
// and one game paced as the program runs it, the same on displays of every refresh rate.
// After an intended change, tools/update-goldens.sh rewrites the files (JIZDAVO_UPDATE_GOLDEN=1 does
// the same for a run of this program); review the diff and the pictures. A failure writes the actual
// picture, and for a scene the expected one and their difference, below the build folder.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>

#include "files/replay_file.h"
#include "files/best_times.h"
#include "sprites/ghost.h"
#include "sprites/krev.h"
#include "platform/pictures/dib_format.h"
#include "platform/seeded_random.h"
#include "state/date_time.h"
#include "support/headless_game.h"

namespace jizdavo::testing {
namespace {

std::filesystem::path GoldenFile(const std::string& name) {
  return std::filesystem::path(JIZDAVO_TESTS_DIR) / "main_window" / "golden" / name;
}

std::filesystem::path FailureFile(const std::string& name) {
  const std::filesystem::path folder = std::filesystem::path(JIZDAVO_BUILD_DIR) / "golden-failures";
  std::filesystem::create_directories(folder);
  return folder / name;
}

bool Updating() {
  const char* update = std::getenv("JIZDAVO_UPDATE_GOLDEN");
  return update && std::string(update) == "1";
}

// Pictures are stored as the game's own 24-bit "BM" files; each 5- or 6-bit channel widens and packs
// back to the same raw pixel.
void WritePicture(const std::filesystem::path& file, const std::vector<RawPixel>& pixels) {
  std::vector<TColor> colors;
  colors.reserve(pixels.size());
  for (RawPixel p : pixels) colors.push_back(rgb565::Red8(p) | rgb565::Green8(p) << 8 | rgb565::Blue8(p) << 16);
  const std::vector<uint8_t> bytes = EncodeBitmapFile24({TDXDraw::kWidth, TDXDraw::kHeight, colors.data()});
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

std::vector<RawPixel> ReadPicture(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  if (bytes.empty()) return {};
  const DecodedPicture picture = DecodeBitmapFile(bytes);
  if (picture.width != TDXDraw::kWidth || picture.height != TDXDraw::kHeight) return {};
  std::vector<RawPixel> pixels;
  for (TColor c : picture.pixels) pixels.push_back(rgb565::FromColor(c));
  return pixels;
}

std::vector<RawPixel> PixelsOf(const TSurface& surface) {
  return {surface.Pixels(), surface.Pixels() + static_cast<size_t>(surface.Width()) * surface.Height()};
}

// What the screen shows: the back surface with the visible menu controls painted over, as a frame
// is presented.
std::vector<RawPixel> Shown(PlayField& field) {
  TDXDraw& draw = field.game->DXDraw1;
  TSurface frame(TDXDraw::kWidth, TDXDraw::kHeight);
  frame.DrawSurface(0, 0, frame.ClientRect(), draw.BackSurface(), false);
  if (draw.OnCompose && (!draw.HasOverlay || draw.HasOverlay())) draw.OnCompose(frame);
  return PixelsOf(frame);
}

// Differing pixels white, the rest the expected picture dimmed to a quarter.
std::vector<RawPixel> Difference(const std::vector<RawPixel>& actual, const std::vector<RawPixel>& expected) {
  std::vector<RawPixel> difference(actual.size());
  for (size_t i = 0; i < actual.size(); ++i)
    difference[i] = actual[i] != expected[i] ? 0xFFFF : static_cast<RawPixel>(expected[i] >> 2 & 0x39E7);
  return difference;
}

void ExpectPicture(const std::string& name, const std::vector<RawPixel>& actual) {
  const std::filesystem::path file = GoldenFile(name + ".bmp");
  if (Updating()) return WritePicture(file, actual);
  const std::vector<RawPixel> expected = ReadPicture(file);
  if (expected == actual) return;
  const std::filesystem::path actual_file = FailureFile(name + ".actual.bmp");
  WritePicture(actual_file, actual);
  if (expected.empty()) {
    ADD_FAILURE() << file << " is missing or not a 640x480 picture; the actual one is " << actual_file;
    return;
  }
  const std::filesystem::path expected_file = FailureFile(name + ".expected.bmp");
  const std::filesystem::path difference_file = FailureFile(name + ".difference.bmp");
  WritePicture(expected_file, expected);
  WritePicture(difference_file, Difference(actual, expected));
  size_t differing = 0;
  for (size_t i = 0; i < actual.size(); ++i) differing += actual[i] != expected[i];
  ADD_FAILURE() << name << ": " << differing << " pixels differ from " << file << "\n  actual:     " << actual_file
                << "\n  expected:   " << expected_file << "\n  difference: " << difference_file;
}

uint64_t HashSurface(const TSurface& surface) {
  uint64_t hash = 14695981039346656037ULL;  // FNV-1a
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      hash = (hash ^ surface.Row(y)[x]) * 1099511628211ULL;
    }
  }
  return hash;
}

std::string Describe(PlayField& field) {
  std::ostringstream out;
  out << "InGame " << Game.InGame << "\nTitle " << Game.Title << "\nGameTime " << FormatTime(Game.GameTime)
      << "\nCrashed " << Game.Crashed << "\nFinished " << Game.Finished << "\nCarsKilled " << Game.CarsKilled
      << "\nEndProgress " << Game.EndProgress << "\nSprites " << field.game->DXSpriteEngine.Root.ChildCount()
      << "\nBackSurface " << std::hex << HashSurface(field.Back()) << "\n";
  return out.str();
}

// The final state and back surface hash of a replay; when they differ, the back surface is written
// as a picture to look at.
void ExpectGolden(const std::string& name, PlayField& field) {
  const std::string actual = Describe(field);
  const std::filesystem::path file = GoldenFile(name + ".txt");
  if (Updating()) {
    std::ofstream(file) << actual;
    return;
  }
  std::ifstream in(file);
  std::stringstream expected;
  expected << in.rdbuf();
  if (actual == expected.str()) return;
  const std::filesystem::path picture = FailureFile(name + ".actual.bmp");
  WritePicture(picture, PixelsOf(field.Back()));
  ADD_FAILURE() << file << " differs (rewrite it with tools/update-goldens.sh if intended); the back surface is "
                << picture << "\nExpected:\n" << expected.str() << "Actual:\n" << actual;
}

struct KeyEvent {
  int frame;
  int scan_code;
  bool down;
};

// A replay's keys from golden/<name>.keys: one change a line, "<frame> <key> down|up", in frame
// order; lines starting with '#' are notes.
std::vector<KeyEvent> ReadKeys(const std::string& name) {
  static const std::map<std::string, int> kKeys{
      {"Down", kScanDown}, {"Left", kScanLeft}, {"Right", kScanRight}, {"Enter", kScanEnter}, {"Escape", kScanEscape}};
  std::ifstream in(GoldenFile(name + ".keys"));
  EXPECT_TRUE(in) << GoldenFile(name + ".keys") << " is missing";
  std::vector<KeyEvent> keys;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    KeyEvent event{};
    std::string key, change;
    fields >> event.frame >> key >> change;
    const bool known = fields && kKeys.count(key) && (change == "down" || change == "up") &&
                       (keys.empty() || keys.back().frame <= event.frame);
    EXPECT_TRUE(known) << name << ".keys: cannot read \"" << line << "\"";
    if (!known) continue;
    event.scan_code = kKeys.at(key);
    event.down = change == "down";
    keys.push_back(event);
  }
  return keys;
}

// Frames of 7 to 23 ms, so that the lag counts vary as on a real machine.
void Replay(PlayField& field, int frames, const std::vector<KeyEvent>& keys) {
  size_t next = 0;
  for (int i = 0; i < frames; ++i) {
    while (next < keys.size() && keys[next].frame == i) {
      field.Hold(keys[next].scan_code, keys[next].down);
      ++next;
    }
    field.Frame(7 + static_cast<uint32_t>(i * 5 % 17));
  }
}

TEST(Replay, StandardLevelFiveOnMedium) {
  PlayField field(20261207);
  field.Start(false, 5, 2);
  Replay(field, 400, ReadKeys("replay_standard_level5"));
  ExpectGolden("replay_standard_level5", field);
}

// Hard chosen for Standard: the area plays at Easy all the same.
TEST(Replay, CarChaseAreaThreeAtEasyWhateverStandardChose) {
  PlayField field(7);
  Game.TargetCar1 = 3;
  Game.TargetCar2 = 9;
  field.Start(true, 3, 3);
  Replay(field, 500, ReadKeys("replay_chase_area3"));
  ExpectGolden("replay_chase_area3", field);
}

// Each scene is reached from the main menu as start-up leaves it, then shown for a second of 16 ms
// frames so that the titles have come in.
struct Scene {
  const char* name;
  std::function<void(PlayField&)> reach;
};

const Scene kScenes[] = {
    {"scene_main_menu", [](PlayField&) {}},
    {"scene_new_standard_game", [](PlayField& f) { f.game->Label2Click(); }},
    {"scene_new_car_chase", [](PlayField& f) { f.game->Label3Click(); }},
    {"scene_standard_scores", [](PlayField& f) { f.game->Label31Click(); }},
    {"scene_options", [](PlayField& f) { f.game->Label22Click(); }},
    {"scene_credits", [](PlayField& f) { f.game->Label33Click(); }},
    // Standard level 1 a moment after the countdown, the figure a few steps down.
    {"scene_level1_world",
     [](PlayField& f) {
       f.Start(false, 1, 0);
       f.RunCountdown();
       f.Hold(kScanDown);
     }},
    // Walked straight down into the traffic of standard level 5: the end words over the world.
    {"scene_game_over",
     [](PlayField& f) {
       f.Start(false, 5, 3);
       f.RunCountdown();
       f.Hold(kScanDown);
       for (int i = 0; i < 3000 && !Game.Crashed; ++i) f.Frame(10);
       while (Game.EndProgress < 40) f.Frame(17);
     }},
};

TEST(Replay, ScenesLookAsStored) {
  for (const Scene& scene : kScenes) {
    SCOPED_TRACE(scene.name);
    PlayField field(11);
    field.game->ShowPanels();
    field.Frame();
    scene.reach(field);
    field.Frames(60);
    ExpectPicture(scene.name, Shown(field));
  }
}

// One line per frame: its time, lag count, the clocks (game clock, countdown and its size), sequence
// counter and every sprite's place (and a stain's size). Cars that spawn show as new places.
std::string DescribeFrame(PlayField& field, uint32_t time, int lag) {
  std::ostringstream out;
  out << time << " lag " << lag << " " << FormatTime(Game.GameTime) << " countdown " << Game.Countdown << " "
      << Game.CountdownSize << " end " << Game.EndProgress << ":";
  TSprite& root = field.game->DXSpriteEngine.Root;
  for (int i = 0; i < root.ChildCount(); ++i) {
    const auto* sprite = dynamic_cast<TImageSprite*>(root.Child(i));
    // The ghost is no part of the game.
    if (!sprite || dynamic_cast<const TGhost*>(sprite)) continue;
    out << " " << sprite->X << "," << sprite->Y;
    if (const auto* stain = dynamic_cast<const TKrev*>(sprite)) out << " stain " << stain->Size;
  }
  out << "\n";
  return out.str();
}

// A machine less than perfect, for the same game: drawing that takes time, waits that end late, a
// stall, a wake-up that misses frames, presses shorter than a frame.
struct Disturbance {
  const char* name;
  uint32_t drawing_ms = 0;
  uint32_t oversleep_ms = 0;  // each wait ends up to this much late, at random
  uint32_t stall_ms = 0;      // the first wait after 6 s of the game ends this much late
  bool taps = false;          // the one-frame presses are 5 ms taps between two frames
};

struct PacedGame {
  std::vector<std::string> frames;
  double largest_stain = 0;
  int largest_lag = 0;
};

// Level 5 on Hard from the Start action: after the countdown the figure steps right, right and left
// (one frame each), then walks down into the traffic until it is run over; the stain, the end words,
// the curtain and the hand-over to the menus follow.
PacedGame PlayPaced(int refresh_hz, const Disturbance& disturbance = {"undisturbed"}) {
  PlayField field(20261207);
  field.Start(false, 5, 3);
  const uint32_t start = field.game_clock.Now();
  const auto game_time = [&] { return field.game_clock.Live() - start; };
  std::minstd_rand oversleeps(24);
  int tap = 0;  // the key of a tap due in the next wait
  PacedMachine machine;
  machine.drawing_ms = disturbance.drawing_ms;
  machine.wait = [&, stalled = false](uint32_t ms) mutable {
    // A tap from the start of the wait, which it may make late.
    if (tap != 0) {
      field.Hold(tap);
      field.clock.Advance(5);
      field.Hold(tap, false);
      ms -= std::min<uint32_t>(ms, 5);
      tap = 0;
    }
    field.clock.Advance(ms);
    if (disturbance.oversleep_ms > 0) field.clock.Advance(oversleeps() % (disturbance.oversleep_ms + 1));
    if (!stalled && game_time() >= 6000) {
      field.clock.Advance(disturbance.stall_ms);
      stalled = true;
    }
  };
  const std::map<uint32_t, int> one_frame_presses{{3300, kScanRight}, {3350, kScanRight}, {3450, kScanLeft}};
  PacedGame game;
  int pressed = 0;
  field.RunPaced(refresh_hz, 20000, [&](int lag) {
    const uint32_t time = field.game->DXTimer1.LastTickTime() - start;
    if (pressed != 0) field.Hold(pressed, false);
    pressed = 0;
    // The press goes in for the next frame.
    const auto press = one_frame_presses.lower_bound(time);
    if (press != one_frame_presses.end() && press->first < time + 17) {
      if (disturbance.taps) {
        tap = press->second;
      } else {
        pressed = press->second;
        field.Hold(pressed);
      }
    }
    field.Hold(kScanDown, time >= 3600 && !Game.Crashed);
    game.frames.push_back(DescribeFrame(field, time, lag));
    game.largest_lag = std::max(game.largest_lag, lag);
    for (const TKrev* stain : TKrev::Existing()) game.largest_stain = std::max(game.largest_stain, stain->Size);
  }, machine);
  game.frames.push_back(Describe(field));
  return game;
}

void ExpectSameFrames(const std::vector<std::string>& actual, const std::vector<std::string>& expected,
                      const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (size_t i = 0; i < actual.size(); ++i) ASSERT_EQ(actual[i], expected[i]) << what << ", frame " << i;
}

// The game depends on nothing but its inputs and seed: not on the display's refresh, nor on how long
// the frames take to draw, how late the waits end, a stall, a wake-up that misses frames, or whether
// a press lasts a frame or 5 ms between two frames.
TEST(Replay, TheSameGameOnEveryDisplayAndMachine) {
  const PacedGame expected = PlayPaced(0);
  EXPECT_EQ(expected.largest_lag, 17) << "frames 16 and 17 ms apart, none late";
  EXPECT_NEAR(expected.largest_stain, 20.2, 1e-9) << "run over, and the stain grew to its full size";
  EXPECT_FALSE(Game.InGame) << "back in the menus";
  for (int hz : {30, 50, 60, 75, 120, 144, 240})
    ExpectSameFrames(PlayPaced(hz).frames, expected.frames, std::to_string(hz) + " Hz");
  const Disturbance disturbances[] = {
      {"2 ms of drawing", 2},       {"5 ms of drawing", 5},   {"8 ms of drawing", 8},
      {"waits 0-3 ms late", 0, 3},  {"a stall of 400 ms", 0, 0, 400},
      {"a wake-up 40 ms late", 0, 0, 40}, {"5 ms taps", 0, 0, 0, true},
      {"all at once", 8, 3, 400, true},
  };
  for (const Disturbance& disturbance : disturbances)
    ExpectSameFrames(PlayPaced(0, disturbance).frames, expected.frames, disturbance.name);
}

// The state a game tick starts from: its game clock, countdown, end sequence, score, the walk cycle's
// clock and every sprite.
// (A resume reaches the replay with the tick after it, so the time of the last tick is not compared.)
std::string DescribeTick(PlayField& field) {
  std::ostringstream out;
  out << "countdown " << Game.Countdown << " size " << Game.CountdownSize << " cars " << Game.CarsKilled
      << " walk clock " << Game.AnimTick << " phase " << (Game.Player ? Game.Player->WalkPhase : 0) << " ";
  return out.str() + DescribeFrame(field, 0, 0);
}

struct RecordedGame {
  jizdavo::Replay replay;
  std::vector<std::string> ticks;
};

// The game clock where a game stopped, in milliseconds.
int64_t FinalTime() { return WholeMilliseconds(Game.GameTime); }

// A game of `number`: its mode, level and difficulty, frames of 7 to 23 ms and a walk that changes
// direction at random (mostly down), a pause in some, Enter to skip the end in others. The state
// before each tick is kept (and after the last, for a game still running), then the replay recorded.
RecordedGame PlayGenerated(int number) {
  std::mt19937 draw(static_cast<uint32_t>(number));
  const bool chase = number % 2 == 1;
  PlayField field(1000 + static_cast<uint64_t>(number));
  Game.TargetCar1 = chase ? number % 28 + 1 : 0;
  Game.TargetCar2 = chase ? (number + 5) % 28 + 1 : 0;
  field.Start(chase, 1 + number * 5 % (chase ? 6 : 16), 1 + number % 3);
  const int scan_codes[] = {kScanDown, kScanDown, kScanDown, kScanLeft, kScanRight, kScanUp};
  RecordedGame game;
  // Resumed, the game goes on at the next tick.
  for (int frame = 0; frame < 1500 && (Game.InGame || Game.Title == "PAUSED"); ++frame) {
    game.ticks.push_back(DescribeTick(field));
    if (frame % 40 == 0) {
      for (int code : scan_codes) field.Hold(code, false);
      field.Hold(scan_codes[draw() % 6]);
    }
    field.Hold(kScanEscape, number % 4 == 0 && frame == 400);
    field.Hold(kScanEnter, number % 3 == 0 && Game.EndProgress > kCurtainStart);
    field.Frame(7 + draw() % 17);
    // Paused: a moment in the menu, then "Resume game".
    if (!Game.InGame && Game.Title == "PAUSED") {
      field.Hold(kScanEscape, false);
      field.Frames(5);
      field.game->Label21Click();
    }
  }
  if (Game.InGame) game.ticks.push_back(DescribeTick(field));
  std::optional<jizdavo::Replay> replay =
      Game.InGame ? field.game->Recorder.Finish(static_cast<uint32_t>(FinalTime())) : field.game->LastGame;
  EXPECT_TRUE(replay.has_value());
  if (replay) game.replay = *replay;
  return game;
}

// The game written to its file, read back and watched: every tick starts from the state the game's
// own tick started from, and the game ends at the recorded time. `while_watching` runs before each
// watched tick.
void ExpectReplayedTickByTick(const RecordedGame& played,
                              const std::function<void(PlayField&, size_t tick)>& while_watching = {}) {
  ASSERT_FALSE(played.ticks.empty());
  PlayField field(99);
  SaveReplay(field.folder, played.replay.mode, played.replay.level, "Ann", MakeTime(0, 0, 0, 1), played.replay);
  const std::optional<jizdavo::Replay> stored =
      LoadReplay(field.folder, played.replay.mode, played.replay.level, "Ann", MakeTime(0, 0, 0, 1));
  ASSERT_TRUE(stored.has_value());
  ASSERT_EQ(*stored, played.replay);
  field.game->WatchReplay(*stored, "Ann");
  std::vector<std::string> replayed;
  int64_t final_time = -1;
  for (size_t i = 0; i <= played.ticks.size() && field.game->Watching(); ++i) {
    if (while_watching) while_watching(field, i);
    replayed.push_back(DescribeTick(field));
    final_time = FinalTime();
    field.Frame(16);
  }
  for (size_t i = 0; i < std::min(replayed.size(), played.ticks.size()); ++i)
    ASSERT_EQ(replayed[i], played.ticks[i]) << "tick " << i;
  ASSERT_EQ(replayed.size(), played.ticks.size());
  EXPECT_FALSE(field.game->Watching()) << "the replay ends with its ticks";
  EXPECT_EQ(final_time, stored->result_ms);
}

TEST(Replay, EveryGameReplaysFromItsFileTickByTick) {
  for (int number = 0; number < 20; ++number) {
    SCOPED_TRACE("game " + std::to_string(number));
    ExpectReplayedTickByTick(PlayGenerated(number));
  }
}

// The window loses the focus for `ms` and gets it back.
void Away(PlayField& field, uint32_t ms) {
  field.game->DXTimer1.ApplicationDeactivated();
  field.clock.Advance(ms);
  field.game->DXTimer1.ApplicationActivated();
}

// Times the game does not run, and a key tapped between two frames, in a game of 16 ms frames: what
// the player and the machine do before frame `frame`.
struct Interruption {
  const char* name;
  bool chase;
  std::function<void(PlayField&, int frame)> before_frame;
};

// "Resume game" from the pause of frame 300, a few menu frames after it, with `resume` doing the
// click.
std::function<void(PlayField&, int)> PauseAt300(const std::function<void(PlayField&)>& resume) {
  return [resume](PlayField& field, int frame) {
    field.Hold(kScanEscape, frame == 300);
    if (frame == 301) {
      EXPECT_EQ(Game.Title, "PAUSED");
      field.Frames(5);
      resume(field);
    }
    if (frame == 302) field.game_clock.Release();
  };
}

// Walks left and right at the top, out of the traffic, from frame 200 on.
void Stroll(PlayField& field, int frame) {
  if (frame >= 200 && frame % 30 == 0) {
    field.Hold(kScanLeft, frame % 60 == 0);
    field.Hold(kScanRight, frame % 60 != 0);
  }
}

const Interruption kInterruptions[] = {
    {"the focus away for 2 s in the countdown", false, [](PlayField& f, int frame) {
       if (frame == 60) Away(f, 2000);
       Stroll(f, frame);
     }},
    {"the focus away for 2 s mid-play", false, [](PlayField& f, int frame) {
       if (frame == 300) Away(f, 2000);
       Stroll(f, frame);
     }},
    {"the focus away for 2 s in Car chase", true, [](PlayField& f, int frame) {
       if (frame == 300) Away(f, 2000);
       Stroll(f, frame);
     }},
    // The tick was due at `due` (the pacer holds the game clock there); the click was handled 5 ms
    // after it.
    {"Resume handled after the next tick was due", false, PauseAt300([](PlayField& f) {
       const uint32_t due = f.game_clock.Now() + 16;
       f.clock.Advance(21);
       f.game->Label21Click();
       f.game_clock.Hold(due);
     })},
    {"Resume in Car chase after the next tick was due", true, PauseAt300([](PlayField& f) {
       const uint32_t due = f.game_clock.Now() + 16;
       f.clock.Advance(21);
       f.game->Label21Click();
       f.game_clock.Hold(due);
     })},
    // The machine stood still for 400 ms right before the click; the pacer leaves that time out of
    // the game clock only at its next wake-up.
    {"a stall right before Resume", false, PauseAt300([](PlayField& f) {
       f.clock.Advance(400);
       f.game->Label21Click();
       f.game_clock.LeaveOut(400);
     })},
};

// The live game's state before each tick, and its game clock in milliseconds then.
struct LiveGame {
  RecordedGame recorded;
  std::vector<int64_t> clock;
};

LiveGame PlayInterrupted(PlayField& field, bool chase, const std::function<void(PlayField&, int)>& before_frame) {
  Game.TargetCar1 = chase ? 3 : 0;
  Game.TargetCar2 = chase ? 9 : 0;
  field.Start(chase, chase ? 2 : 5, 3);
  LiveGame game;
  for (int frame = 0; frame < 700; ++frame) {
    before_frame(field, frame);
    if (!Game.InGame && Game.Title != "PAUSED") break;  // handed over to the menus
    game.recorded.ticks.push_back(DescribeTick(field));
    game.clock.push_back(FinalTime());
    field.Frame(16);
  }
  if (Game.InGame) game.recorded.ticks.push_back(DescribeTick(field));
  std::optional<jizdavo::Replay> replay =
      Game.InGame ? field.game->Recorder.Finish(static_cast<uint32_t>(FinalTime())) : field.game->LastGame;
  EXPECT_TRUE(replay.has_value());
  if (replay) game.recorded.replay = *replay;
  return game;
}

// The game clock moves by one tick's time at most between two ticks: it never jumps to 59:59:999
// (Standard) nor runs out (Car chase).
void ExpectNoClockJump(const LiveGame& game) {
  for (size_t i = 1; i < game.clock.size(); ++i)
    ASSERT_LE(std::abs(game.clock[i] - game.clock[i - 1]), 17) << "tick " << i;
}

// Whatever stops the game for a while, no game time passes meanwhile, and the game and its replay are
// the same at every tick.
TEST(Replay, TimeTheGameDoesNotRunIsNoGameTime) {
  for (const Interruption& interruption : kInterruptions) {
    SCOPED_TRACE(interruption.name);
    PlayField field(31);
    const LiveGame played = PlayInterrupted(field, interruption.chase, interruption.before_frame);
    EXPECT_GE(played.clock.size(), 400u);
    ExpectNoClockJump(played);
    ExpectReplayedTickByTick(played.recorded);
  }
}

// The window loses the focus while a replay is watched: the replay stands still and goes on where it
// was.
TEST(Replay, AWatchedReplayIsNotDisturbedByTheFocus) {
  PlayField field(32);
  const LiveGame played = PlayInterrupted(field, false, Stroll);
  ExpectReplayedTickByTick(played.recorded, [](PlayField& watching, size_t tick) {
    if (tick == 100 || tick == 300) Away(watching, 2000);
  });
}

// An Enter shorter than a frame ends the game (its key events were handled before the frame read
// it): the press is the game's, and the player's next Enter restarts the level.
TEST(Replay, AnEnterTapEndsTheGameAndTheNextEnterRestarts) {
  PlayField field(33);
  bool tapped = false;
  const LiveGame played = PlayInterrupted(field, false, [&](PlayField& f, int frame) {
    f.Hold(kScanDown, frame >= 200 && !Game.Crashed);
    if (Game.EndProgress > 20 && !tapped) {
      f.Key(kKeyEnter);
      f.KeyUp(kKeyEnter);
      f.Hold(kScanEnter);
      f.Hold(kScanEnter, false);
      tapped = true;
    }
  });
  ASSERT_TRUE(tapped);
  ASSERT_EQ(Game.Title, "GAME OVER");
  ExpectNoClockJump(played);
  field.Key(kKeyEnter);
  field.KeyUp(kKeyEnter);
  EXPECT_TRUE(Game.InGame) << "one Enter restarts the level";
  ExpectReplayedTickByTick(played.recorded);
}

const TGhost* FindGhost(PlayField& field) {
  TSprite& root = field.game->DXSpriteEngine.Root;
  for (int i = 0; i < root.ChildCount(); ++i) {
    if (const auto* ghost = dynamic_cast<const TGhost*>(root.Child(i))) return ghost;
  }
  return nullptr;
}

// "Abort game" from the pause.
void Abort(PlayField& field) {
  field.Hold(kScanEscape);
  field.Frame(16);
  field.Hold(kScanEscape, false);
  field.game->Label20Click();
}

// No lane ever spawns a car (its Random(15) draw answers 0), so a figure walking straight down wins
// level 1; every other draw comes from a seeded source.
class TrafficFree final : public RandomSource {
 public:
  int Random(int n) override { return n == 15 ? 0 : inner_.Random(n); }
  void Randomize(uint32_t now) override { inner_.Randomize(now); }
  uint64_t BaseSeed() const override { return inner_.BaseSeed(); }
  void SetBaseSeed(uint64_t seed) override { inner_.SetBaseSeed(seed); }

 private:
  SeededRandom inner_{3};
};

// A key held for so many frames.
struct Leg {
  int scan_code;
  int frames;
};

// Where a figure stood after each frame from "GO" on.
using Walk = std::vector<std::pair<double, double>>;

// Standard `level` at `difficulty` won in a traffic-free field: the keys of `legs` held in turn from
// the start (each leg's frames counted from "GO"), then Down on past the finish until the game hands
// over, the frames 10 and 23 ms long in turn when `uneven`; kept as the level's best time `name` with
// its replay, as the name entry keeps it.
Walk WinLevel(PlayField& field, int level, int difficulty, std::vector<Leg> legs, bool uneven,
              const std::string& name = "Gus") {
  field.Start(false, level, difficulty);
  Walk walk;
  int frames = 0;
  const auto step = [&] {
    field.Frame(!uneven ? 16 : frames++ % 2 == 0 ? 10 : 23);
    if (Game.CountdownDone && Game.InGame && Game.Player) walk.emplace_back(Game.Player->X, Game.Player->Y);
  };
  legs.push_back({kScanDown, 3000});
  field.Hold(legs.front().scan_code);
  for (int i = 0; i < 1000 && !Game.CountdownDone; ++i) step();
  for (const Leg& leg : legs) {
    field.Hold(leg.scan_code);
    for (int i = 0; i < leg.frames && Game.InGame; ++i) step();
    field.Hold(leg.scan_code, false);
  }
  EXPECT_EQ(Game.Title, "STANDARD GAME TOP TEN TIME") << "won, and on to the name entry";
  EXPECT_TRUE(field.game->LastGame.has_value());
  const int occurrence = AppendBestTime(field.folder, GameMode::Standard, level, name, Game.GameTime);
  SaveRecordReplay(field.folder, GameMode::Standard, level, name, Game.GameTime, occurrence, &*field.game->LastGame);
  return walk;
}

std::filesystem::path GusReplayFile(PlayField& field) {
  const std::vector<BestTimeRow> top_ten = LoadTopTen(field.folder, GameMode::Standard, 1);
  return field.folder / ReplayFileName(GameMode::Standard, 1, "Gus", top_ten.at(0).Value);
}

// Whether the figure stood (or pushed on the spot) for ten frames somewhere before its last place.
bool StoodOnTheWay(const Walk& walk) {
  for (size_t i = 10; i < walk.size() && walk[i] != walk.back(); ++i) {
    if (std::abs(walk[i].first - walk[i - 10].first) + std::abs(walk[i].second - walk[i - 10].second) < 2) return true;
  }
  return false;
}

// The best run of a level walks beside the player as its ghost, as it walked then from "GO" on: by
// its recorded lag counts (its frames were 10 and 23 ms in turn, the ghost's are 16 ms), held back by
// the barriers and stopped at the finish as it was, then fading out there. It changes nothing of the
// game, which replays the same without it. A run made at another difficulty gives no ghost; with the
// option off there is none.
TEST(Replay, TheBestRunWalksBesideThePlayerAsItsGhost) {
  const struct {
    const char* what;
    int level;
    std::vector<Leg> legs;  // then Down to the finish and on
    bool stood;             // held back on the way
  } best_runs[] = {
      {"straight down to the finish and on", 1, {}, false},
      // The gap in the barrier line between the roads lies right of the start, the flag below it.
      {"into the barrier, right to its gap, through, back to the flag", 3,
       {{kScanDown, 250}, {kScanRight, 100}, {kScanDown, 100}, {kScanLeft, 100}}, true},
  };
  for (const auto& run : best_runs) {
    SCOPED_TRACE(run.what);
    TrafficFree traffic_free;
    PlayField field(3, &traffic_free);
    const Walk best_walk = WinLevel(field, run.level, 1, run.legs, true);
    ASSERT_GT(best_walk.size(), 10u);
    EXPECT_GT(best_walk.back().second - best_walk.front().second, 300) << "the best run walked";
    EXPECT_EQ(StoodOnTheWay(best_walk), run.stood);

    field.Start(false, run.level, 1);
    ASSERT_NE(FindGhost(field), nullptr);
    const std::pair<double, double> start{Game.Player->X, Game.Player->Y};
    Walk ghost_walk;
    std::vector<std::string> ticks;
    for (int i = 0; i < 4000 && ghost_walk.size() < best_walk.size(); ++i) {
      ticks.push_back(DescribeTick(field));
      field.Frame(16);
      if (Game.CountdownDone) ghost_walk.emplace_back(FindGhost(field)->X, FindGhost(field)->Y);
    }
    EXPECT_EQ(std::make_pair(Game.Player->X, Game.Player->Y), start) << "the player stood still";
    EXPECT_EQ(ghost_walk, best_walk);

    const std::optional<jizdavo::Replay> with_ghost = field.game->Recorder.Finish(0);
    ASSERT_TRUE(with_ghost.has_value());
    TrafficFree replayed_traffic;
    PlayField replayed(4, &replayed_traffic);
    replayed.game->WatchReplay(*with_ghost, "Hal");
    for (size_t i = 0; i < ticks.size(); ++i) {
      ASSERT_EQ(DescribeTick(replayed), ticks[i]) << "tick " << i;
      replayed.Frame(16);
    }

    // Its run over, it fades away where it stopped.
    const TGhost* ghost = FindGhost(field);
    for (int i = 0; i < 100 && ghost->Alpha() > 0; ++i) field.Frame(16);
    EXPECT_EQ(ghost->Alpha(), 0);
    EXPECT_EQ(std::make_pair(ghost->X, ghost->Y), best_walk.back());
    Abort(field);
  }

  // The best run at another difficulty gives no ghost; the best one at this difficulty does, though a
  // faster one at another heads the list.
  TrafficFree traffic_free;
  PlayField field(3, &traffic_free);
  WinLevel(field, 1, 1, {}, false);
  field.Start(false, 1, 3);
  EXPECT_EQ(FindGhost(field), nullptr);
  Abort(field);
  WinLevel(field, 1, 3, {{kScanLeft, 60}, {kScanRight, 60}}, false, "Ida");
  ASSERT_EQ(LoadTopTen(field.folder, GameMode::Standard, 1).at(0).Name, "Gus");
  field.Start(false, 1, 3);
  ASSERT_NE(FindGhost(field), nullptr);
  const double ghost_x = FindGhost(field)->X;
  for (int i = 0; i < 1000 && !Game.CountdownDone; ++i) field.Frame(16);
  field.Frames(60, 16);
  EXPECT_LT(FindGhost(field)->X, ghost_x - 50) << "Ida's walk to the left";

  Abort(field);
  field.game->ShowGhost.Checked = false;
  field.Start(false, 1, 1);
  EXPECT_EQ(FindGhost(field), nullptr);
}

// The ghost comes only from a replay the watcher accepts: one that reads, is the game of its record
// and ends at its time. Refused, the level plays on at its pace, and watching the record says why.
TEST(Replay, TheGhostWalksOnlyForAReplayTheWatcherAccepts) {
  struct Change {
    const char* what;
    std::function<void(jizdavo::Replay&)> change;
    const char* told;  // by the watcher
  };
  const Change changes[] = {
      {"a tick 20 ms longer", [](jizdavo::Replay& r) { r.ticks[300].delta += 20; }, "does not end at its record's time"},
      {"a tick's lag doubled", [](jizdavo::Replay& r) { r.ticks[300].lag *= 2; }, "does not end at its record's time"},
      {"one lag of 2^31-1", [](jizdavo::Replay& r) { r.ticks[300].lag = 0x7FFFFFFF; }, "holds a lag of 2147483647"},
      {"re-marked with difficulty 0", [](jizdavo::Replay& r) { r.difficulty = 0; }, "no such difficulty"},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.what);
    TrafficFree traffic_free;
    PlayField field(3, &traffic_free);
    WinLevel(field, 1, 1, {}, false);
    const std::filesystem::path file = GusReplayFile(field);
    jizdavo::Replay replay = DecodeReplay(*ReadFile(file));
    change.change(replay);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << EncodeReplay(replay);

    field.Start(false, 1, 1);
    EXPECT_EQ(FindGhost(field), nullptr);
    field.Hold(kScanRight);
    for (int i = 0; i < 400; ++i) field.Frame(16);
    EXPECT_TRUE(Game.InGame && Game.CountdownDone) << "the level plays on";
    Abort(field);

    Game.Title = "STANDARD GAME SCORES";
    Game.Level = 1;
    field.game->ListView1Click();
    TListView& list = field.game->Menus.ListView1;
    ASSERT_EQ(list.Items.Count(), 1);
    list.SetSelected(list.Items[0]);
    field.game->ListView1Click(&list);
    for (int i = 0; i < 2000 && field.game->Watching(); ++i) field.Frame(16);
    ASSERT_FALSE(field.window.boxes.empty());
    EXPECT_NE(field.window.boxes.back().second.find(change.told), std::string::npos) << field.window.boxes.back().second;
  }
}

}  // namespace
}  // namespace jizdavo::testing

// Recorded games replayed headless: a seeded random source and a fixed stream of keys and frame
// lengths, compared by final state and a hash of the back surface with files in golden/; named scenes
// (the menu screens, a level's world, the end of a game) compared pixel for pixel with pictures there;
// and one game paced as the program runs it, the same on displays of every refresh rate.
// After an intended change, tools/update-goldens.sh rewrites the files (JIZDAVO_UPDATE_GOLDEN=1 does
// the same for a run of this program); review the diff and the pictures. A failure writes the actual
// picture, and for a scene the expected one and their difference, below the build folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "objects/krev.h"
#include "platform/dib_format.h"
#include "state/date_time.h"
#include "support/headless_game.h"

namespace jizdavo::testing {
namespace {

std::filesystem::path GoldenFile(const std::string& name) {
  return std::filesystem::path(JIZDAVO_TESTS_DIR) / "window" / "golden" / name;
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

// One line per frame: its time, lag count, game clock, sequence counter and every sprite's place (and
// a stain's size). Cars that spawn show as new places.
std::string DescribeFrame(PlayField& field, uint32_t time, int lag) {
  std::ostringstream out;
  out << time << " lag " << lag << " " << FormatTime(Game.GameTime) << " end " << Game.EndProgress << ":";
  TSprite& root = field.game->DXSpriteEngine.Root;
  for (int i = 0; i < root.ChildCount(); ++i) {
    const auto* sprite = dynamic_cast<TImageSprite*>(root.Child(i));
    if (!sprite) continue;
    out << " " << sprite->X << "," << sprite->Y;
    if (const auto* stain = dynamic_cast<const TKrev*>(sprite)) out << " stain " << stain->Size;
  }
  out << "\n";
  return out.str();
}

struct PacedGame {
  std::vector<std::string> frames;
  double largest_stain = 0;
  int largest_lag = 0;
};

// Level 5 on Hard from the Start action: after the countdown the figure walks down into the traffic
// until it is run over; the stain, the end words, the curtain and the hand-over to the menus follow.
PacedGame PlayOnDisplay(int refresh_hz) {
  PlayField field(20261207);
  field.Start(false, 5, 3);
  const uint32_t start = field.clock.Now();
  PacedGame game;
  field.RunPaced(refresh_hz, 20000, [&](int lag) {
    const uint32_t time = field.game->DXTimer1.LastTickTime() - start;
    field.Hold(kScanDown, time >= 3600 && !Game.Crashed);
    game.frames.push_back(DescribeFrame(field, time, lag));
    game.largest_lag = std::max(game.largest_lag, lag);
    for (const TKrev* stain : TKrev::Existing()) game.largest_stain = std::max(game.largest_stain, stain->Size);
  });
  game.frames.push_back(Describe(field));
  return game;
}

TEST(Replay, TheSameGameOnEveryDisplay) {
  const PacedGame expected = PlayOnDisplay(0);
  EXPECT_EQ(expected.largest_lag, 17) << "frames 16 and 17 ms apart, none late";
  EXPECT_NEAR(expected.largest_stain, 20.2, 1e-9) << "run over, and the stain grew to its full size";
  EXPECT_FALSE(Game.InGame) << "back in the menus";
  for (int hz : {30, 50, 60, 75, 120, 144, 240}) {
    const std::vector<std::string> actual = PlayOnDisplay(hz).frames;
    ASSERT_EQ(actual.size(), expected.frames.size()) << hz << " Hz";
    for (size_t i = 0; i < actual.size(); ++i)
      ASSERT_EQ(actual[i], expected.frames[i]) << hz << " Hz, frame " << i;
  }
}

}  // namespace
}  // namespace jizdavo::testing

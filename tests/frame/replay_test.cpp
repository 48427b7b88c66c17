// Recorded games replayed headless: a seeded random source and a fixed stream of keys and frame
// lengths, compared by final state and a hash of the back surface with files in golden/; and one game
// paced as the program runs it, the same on displays of every refresh rate.
// After an intended change, rewrite the files with JIZDAVO_UPDATE_GOLDEN=1 and review the diff.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "frame/date_time.h"
#include "objects/krev.h"
#include "support/headless_game.h"

namespace jizdavo::testing {
namespace {

std::filesystem::path GoldenFile(const std::string& name) {
  return std::filesystem::path(JIZDAVO_TESTS_DIR) / "frame" / "golden" / (name + ".txt");
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

void ExpectGolden(const std::string& name, const std::string& actual) {
  std::filesystem::path file = GoldenFile(name);
  const char* update = std::getenv("JIZDAVO_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << actual;
    return;
  }
  std::ifstream in(file);
  ASSERT_TRUE(in) << file << " is missing; JIZDAVO_UPDATE_GOLDEN=1 writes it. Actual:\n" << actual;
  std::stringstream expected;
  expected << in.rdbuf();
  EXPECT_EQ(actual, expected.str()) << "rewrite " << file << " with JIZDAVO_UPDATE_GOLDEN=1 if intended";
}

struct KeyEvent {
  int frame;
  int scan_code;
  bool down;
};

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
  Replay(field, 400,
         {{180, kScanDown, true}, {260, kScanRight, true}, {300, kScanRight, false}, {330, kScanDown, false},
          {340, kScanLeft, true}, {390, kScanLeft, false}});
  ExpectGolden("replay_standard_level5", Describe(field));
}

TEST(Replay, CarChaseAreaThreeOnHard) {
  PlayField field(7);
  Game.TargetCar1 = 3;
  Game.TargetCar2 = 9;
  field.Start(true, 3, 3);
  Replay(field, 500,
         {{200, kScanDown, true}, {320, kScanDown, false}, {321, kScanRight, true}, {420, kScanRight, false},
          {430, kScanDown, true}, {470, kScanDown, false}});
  ExpectGolden("replay_chase_area3", Describe(field));
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

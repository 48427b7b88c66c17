// Recorded games replayed headless: a seeded random source and a fixed stream of keys and frame
// lengths, compared by final state and a hash of the back surface with files in golden/.
// After an intended change, rewrite the files with JIZDAVO_UPDATE_GOLDEN=1 and review the diff.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "frame/date_time.h"
#include "play_field.h"

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
         {{180, ScanDown, true}, {260, ScanRight, true}, {300, ScanRight, false}, {330, ScanDown, false},
          {340, ScanLeft, true}, {390, ScanLeft, false}});
  ExpectGolden("replay_standard_level5", Describe(field));
}

TEST(Replay, CarChaseAreaThreeOnHard) {
  PlayField field(7);
  Game.TargetCar1 = 3;
  Game.TargetCar2 = 9;
  field.Start(true, 3, 3);
  Replay(field, 500,
         {{200, ScanDown, true}, {320, ScanDown, false}, {321, ScanRight, true}, {420, ScanRight, false},
          {430, ScanDown, true}, {470, ScanDown, false}});
  ExpectGolden("replay_chase_area3", Describe(field));
}

}  // namespace
}  // namespace jizdavo::testing

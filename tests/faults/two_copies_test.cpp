// Two copies of the game sharing one data folder save at the same moments, through the functions the
// menus call: every record and every raise is kept, and neither reports a failure that did not happen.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "faults/child_process.h"
#include "files/best_times.h"
#include "files/file_fixtures.h"
#include "files/progress.h"
#include "files/replay_file.h"
#include "files/settings.h"
#include "platform/error.h"
#include "state/date_time.h"

namespace jizdavo {
namespace {

namespace fs = std::filesystem;
using testing::ChildProcess;

class TwoCopiesTest : public testing::TempFolderTest {
 protected:
  // Runs `save(copy)` for copies 0 to N - 1 in processes let go at the same moment; what each
  // returns (a failure's message, or "ok") comes back.
  template <size_t N>
  static std::array<std::string, N> RunCopies(const std::function<std::string(int copy)>& save) {
    int start[2];
    EXPECT_EQ(::pipe(start), 0);
    std::array<std::unique_ptr<ChildProcess>, N> copies;
    for (int copy = 0; copy < static_cast<int>(N); ++copy) {
      copies[copy] = std::make_unique<ChildProcess>([&, copy](int reportFd) {
        ::close(start[1]);
        char go;
        while (::read(start[0], &go, 1) < 0) {
        }
        testing::WriteText(reportFd, save(copy));
      });
    }
    ::close(start[0]);
    ::close(start[1]);  // all see the end of the pipe at once
    std::array<std::string, N> reports;
    for (size_t copy = 0; copy < N; ++copy) {
      reports[copy] = copies[copy]->ReadToEnd();
      copies[copy]->Wait();
    }
    return reports;
  }

  // "ok" when every one of `times` saves worked, else the first failure. A game saves once per won
  // level; here the saves are a millisecond apart.
  static std::string Repeat(int times, const std::function<void(int)>& save) {
    for (int i = 0; i < times; ++i) {
      std::string result = testing::Attempt([&] { save(i); });
      if (result != "ok") return result + " at save " + std::to_string(i);
      ::usleep(1000);
    }
    return "ok";
  }
};

TEST_F(TwoCopiesTest, BestTimesAppendedAtOnceAreAllKept) {
  constexpr int kRecords = 300;
  const auto reports = RunCopies<2>([this](int copy) {
    return Repeat(kRecords, [&](int i) {
      AppendBestTime(folder_, GameMode::Standard, 1 + i % 16, "Copy" + std::to_string(copy) + "-" + std::to_string(i),
                     MakeTime(0, 0, 1 + i % 50, i));
    });
  });
  EXPECT_EQ(reports, (std::array<std::string, 2>{"ok", "ok"}));
  const std::vector<BestTimeRecord> records = ParseBestTimes(ReadBytes("Score.dat"));
  std::set<std::string> names;
  for (const BestTimeRecord& record : records) names.insert(record.Name);
  EXPECT_EQ(records.size(), 2u * kRecords);
  EXPECT_EQ(names.size(), 2u * kRecords);
}

// Three copies win level 1 again and again, some with one name and time between them, and keep each
// won game's replay as the name entry does: in the end the replays are exactly the top ten's, one file
// a record, whichever copy's record pushed which out, and no temporary file is left.
TEST_F(TwoCopiesTest, ReplayFilesAreExactlyTheTopTensWhateverCopySavedThem) {
  constexpr int kRounds = 50;
  const auto reports = RunCopies<3>([this](int copy) {
    return Repeat(kRounds, [&](int i) {
      // Every tenth round all three enter one name and time, which ends among the top ten 4 times.
      const bool shared = i % 10 == 0;
      const std::string name = shared ? "All" : "Copy" + std::to_string(copy);
      const TDateTime time = shared ? MakeTime(0, 0, 6, 500) : MakeTime(0, 0, 30 - i % 25, 7 * i + copy);
      const Replay replay{GameMode::Standard, 1, 2, 0, 0, static_cast<uint64_t>(copy * 1000 + i), 5, 0,
                          {ReplayTick{16, 16, 0, 0, {}}}};
      // Only a time that enters the top ten goes to the name entry.
      if (!QualifiesForTopTen(LoadTopTen(folder_, GameMode::Standard, 1), time, GameMode::Standard)) return;
      const int occurrence = AppendBestTime(folder_, GameMode::Standard, 1, name, time);
      SaveRecordReplay(folder_, GameMode::Standard, 1, name, time, occurrence, &replay);
    });
  });
  EXPECT_EQ(reports, (std::array<std::string, 3>{"ok", "ok", "ok"}));
  const std::vector<BestTimeRow> top_ten = LoadTopTen(folder_, GameMode::Standard, 1);
  ASSERT_EQ(top_ten.size(), 10u);
  std::set<std::string> expected{"Score.dat"};
  for (size_t i = 0; i < top_ten.size(); ++i) {
    expected.insert(ReplayFileName(GameMode::Standard, 1, top_ten[i].Name, top_ten[i].Value, OccurrenceOf(top_ten, i)));
  }
  ASSERT_EQ(expected.size(), 11u) << "each record a file of its own";
  std::set<std::string> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) files.insert(entry.path().filename());
  EXPECT_EQ(files, expected);
  for (size_t i = 0; i < top_ten.size(); ++i) {
    const std::optional<Replay> replay =
        LoadReplay(folder_, GameMode::Standard, 1, top_ten[i].Name, top_ten[i].Value, OccurrenceOf(top_ten, i));
    EXPECT_TRUE(replay.has_value()) << top_ten[i].Name << " " << top_ten[i].Time;
  }
}

// Each save starts from progress read long ago (a copy started earlier), as the menus keep it: the
// highest level either copy reached stays, though both end by saving low ones.
TEST_F(TwoCopiesTest, ProgressIsNeverLowered) {
  const auto reports = RunCopies<2>([this](int copy) {
    int highest = 1;  // that this copy raised to: the file holds it, or more, from then on
    return Repeat(60, [&](int i) {
      if (std::stoi(LoadProgress(folder_, GameMode::Standard)) < highest) throw Error("progress was lowered");
      std::string progress = "1";
      const int level = 16 - (2 * i + copy) % 15;
      RaiseProgress(folder_, GameMode::Standard, progress, level);
      highest = std::max(highest, level);
    });
  });
  EXPECT_EQ(reports, (std::array<std::string, 2>{"ok", "ok"}));
  EXPECT_EQ(LoadProgress(folder_, GameMode::Standard), "16");
  std::string behind = "1";
  EXPECT_TRUE(RaiseProgress(folder_, GameMode::Standard, behind, 2));
  EXPECT_EQ(behind, "16");
  EXPECT_EQ(LoadProgress(folder_, GameMode::Standard), "16");
}

// One copy saves its options while the other saves its window section: no false "Unable to write",
// and neither save undoes one of the other's.
TEST_F(TwoCopiesTest, SettingsSavedAtOnceBothSucceedAndBothStay) {
  constexpr int kSaves = 60;
  const fs::path file = File(kSettingsFileName);
  const auto reports = RunCopies<2>([&](int copy) {
    SettingsFile settings(file);
    const char* section = copy == 0 ? "Options" : "Window";
    const char* key = copy == 0 ? "MVolume" : "Scale";
    return Repeat(kSaves, [&](int i) {
      const std::optional<std::string> last = IniValue(ReadFile(file).value_or(""), section, key);
      if (i > 0 && last != std::to_string(i - 1)) throw Error(std::string(key) + " " + std::to_string(i - 1) + " was lost");
      if (copy == 0) settings.Write({true, true, false, i, 80});
      if (copy == 1) settings.WriteSection(section, {{key, std::to_string(i)}});
    });
  });
  EXPECT_EQ(reports, (std::array<std::string, 2>{"ok", "ok"}));
  const SettingsFile settings(file);
  EXPECT_EQ(settings.Read().MVolume, kSaves - 1);
  EXPECT_EQ(settings.ReadValue("Window", "Scale"), std::to_string(kSaves - 1));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

// Three copies each change one option of their own, again and again, from options read at their
// start: every copy's latest change stays, and a copy that changes nothing (goes "Back") undoes none.
TEST_F(TwoCopiesTest, OptionsChangedByThreeCopiesAtOnceAreAllKept) {
  constexpr int kSaves = 40;
  const fs::path file = File(kSettingsFileName);
  const auto reports = RunCopies<3>([&](int copy) {
    SettingsFile settings(file);
    SavedOptions options = settings.Read();
    return Repeat(kSaves, [&](int i) {
      const SavedOptions stored = SettingsFile(file).Read();
      const int32_t mine[] = {stored.MVolume, stored.SEVolume, stored.ShowFPS};
      if (i > 0 && mine[copy] != (copy == 2 ? (i - 1) % 2 : i - 1)) throw Error("a change of copy " + std::to_string(copy) + " was lost");
      if (copy == 0) options.MVolume = i;
      if (copy == 1) options.SEVolume = i;
      if (copy == 2) options.ShowFPS = i % 2;
      settings.Write(options);
      settings.Write(options);  // "Back" again, nothing changed
    });
  });
  EXPECT_EQ(reports, (std::array<std::string, 3>{"ok", "ok", "ok"}));
  const SavedOptions saved = SettingsFile(file).Read();
  EXPECT_EQ(saved.MVolume, kSaves - 1);
  EXPECT_EQ(saved.SEVolume, kSaves - 1);
  EXPECT_EQ(saved.ShowFPS, (kSaves - 1) % 2 == 1);
}

// A copy stopped in the middle of a save keeps its lock: the other gives that save up after a second
// instead of hanging (and so ignoring SIGTERM), and the file stays as it was.
TEST_F(TwoCopiesTest, ALockHeldForEverCostsOneSaveNotTheGame) {
  WriteBytes("Levels.dat", EncodeProgress(3));
  WriteBytes("Score.dat", "");
  for (const fs::path& held : {folder_, File("Score.dat")}) {
    const int stopped = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(stopped, LOCK_EX), 0);
    std::string progress = "3";
    const auto start = std::chrono::steady_clock::now();
    const std::string result = testing::Attempt([&] {
      if (held == folder_) RaiseProgress(folder_, GameMode::Standard, progress, 4);
      if (held != folder_) AppendBestTime(folder_, GameMode::Standard, 1, "Ann", MakeTime(0, 0, 9, 0));
    });
    const auto waited = std::chrono::steady_clock::now() - start;
    ::close(stopped);
    EXPECT_EQ(result, "Unable to write to " + (held == folder_ ? File("Levels.dat") : held).string());
    EXPECT_GE(waited, std::chrono::milliseconds(900));
    EXPECT_LT(waited, std::chrono::seconds(3));
  }
  EXPECT_EQ(ReadBytes("Levels.dat"), EncodeProgress(3));
  EXPECT_EQ(ReadBytes("Score.dat"), "");
}

}  // namespace
}  // namespace jizdavo

// The program's folder cannot be written (an installed copy): the game moves to the user's data
// folder and takes the files already stored along, or, when that cannot be written either, reads what
// is stored and keeps the run's changes in memory, telling the player so.

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

#include "faults/child_process.h"
#include "files/best_times.h"
#include "files/file_fixtures.h"
#include "files/progress.h"
#include "files/settings.h"
#include "platform/error.h"
#include "state/date_time.h"

namespace jizdavo {
namespace {

namespace fs = std::filesystem;

std::string Names(const std::vector<BestTimeRow>& rows) {
  std::string names;
  for (const BestTimeRow& row : rows) names += row.Name + ";";
  return names;
}

// What a start of the game makes of the two folders, and what its writes then do, as lines of text.
std::string StartAndSave(const fs::path& program, const std::optional<fs::path>& user) {
  std::ostringstream out;
  const fs::path folder = ChooseDataFolder(program, user);
  out << "folder: " << (folder == program ? "program" : folder == user ? "user" : folder.string()) << "\n";
  for (const std::string& message : TakePlayerMessages()) out << "told: " << message << "\n";
  out << "best times: " << Names(LoadTopTen(folder, GameMode::Standard, 1)) << "\n";
  out << "car chase: " << Names(LoadTopTen(folder, GameMode::CarChase, 1)) << "\n";
  std::string progress = LoadProgress(folder, GameMode::Standard);
  out << "progress: " << progress << "\n";
  SettingsFile settings(folder / kSettingsFileName);
  out << "music volume: " << settings.Read().MVolume << "\n";
  out << "append: " << testing::Attempt([&] {
    AppendBestTime(folder, GameMode::Standard, 1, "Cid", MakeTime(0, 0, 5, 0));
  }) << "\n";
  out << "raise: " << testing::Attempt([&] { RaiseProgress(folder, GameMode::Standard, progress, 6); })
      << "\n";
  out << "progress in memory: " << progress << "\n";
  out << "settings: " << testing::Attempt([&] { settings.Write({false, true, true, 40, 30}); }) << "\n";
  out << "best times after: " << Names(LoadTopTen(folder, GameMode::Standard, 1)) << "\n";
  return out.str();
}

class ReadOnlyFolderTest : public testing::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    // Others must reach the folders when the test drops root.
    fs::permissions(folder_, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    fs::create_directory(Program());
    const std::string records = FormatBestTimeRecord(1, "Ann", MakeTime(0, 0, 20, 0)) +
                                FormatBestTimeRecord(1, "Bob", MakeTime(0, 0, 30, 0));
    StoreInProgram("Score.dat", ComplementBytes(records));
    StoreInProgram("Levels.dat", EncodeProgress(5));
    StoreInProgram("Settings.ini", "[Options]\nMVolume=12\n");
    fs::permissions(Program(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_exec |
                                   fs::perms::others_read | fs::perms::others_exec);
    fs::create_directory(Home());
  }

  void TearDown() override {
    std::error_code ignored;
    for (const fs::path& closed : {Program(), Home()}) fs::permissions(closed, fs::perms::owner_all, ignored);
    TempFolderTest::TearDown();
  }

  fs::path Program() const { return File("program"); }
  fs::path Home() const { return File("home"); }

  void StoreInProgram(const std::string& name, const std::string& bytes) {
    WriteBytes("program/" + name, bytes);
    // Installed files are read-only too: otherwise their owner could still append to them.
    fs::permissions(Program() / name, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    stored_.emplace_back(name, bytes);
  }

  // The user's home as the child sees it: its own, or closed to it.
  void GiveHomeToTheChild(bool writable) {
    if (!writable) {
      fs::permissions(Home(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_exec);
    } else if (::geteuid() == 0) {
      ASSERT_EQ(::chown(Home().c_str(), testing::UnprivilegedUser(), testing::UnprivilegedGroup()), 0);
    }
  }

  std::string StartAndSaveWithoutRoot(bool home = true) {
    return testing::RunWithoutRoot([this, home] {
      return StartAndSave(Program(), home ? std::optional(Home() / "jizdavo") : std::nullopt);
    });
  }

  void ExpectProgramFolderUntouched() {
    for (const auto& [name, bytes] : stored_) EXPECT_EQ(ReadBytes("program/" + name), bytes) << name;
    EXPECT_EQ(std::distance(fs::directory_iterator(Program()), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(stored_.size()));
  }

  std::vector<std::pair<std::string, std::string>> stored_;
};

TEST_F(ReadOnlyFolderTest, MovesToTheUsersFolderWithTheStoredFiles) {
  GiveHomeToTheChild(true);
  EXPECT_EQ(StartAndSaveWithoutRoot(),
            "folder: user\nbest times: Ann;Bob;\ncar chase: \nprogress: 5\nmusic volume: 12\n"
            "append: ok\nraise: ok\nprogress in memory: 6\nsettings: ok\nbest times after: Cid;Ann;Bob;\n");
  ExpectProgramFolderUntouched();
}

// With no user's folder to write in, nothing is written beside the program either (an installed
// copy's install tree): the files live in memory for the run, and the player is told why once.
TEST_F(ReadOnlyFolderTest, WithNowhereToWriteKeepsTheFilesInMemoryAndTellsThePlayerOnce) {
  const std::string kept = ": they are kept only until the game closes\n";
  const std::string inMemory = "best times: Ann;Bob;\ncar chase: \nprogress: 5\nmusic volume: 12\nappend: ok\n"
                               "raise: ok\nprogress in memory: 6\nsettings: ok\nbest times after: Cid;Ann;Bob;\n";
  GiveHomeToTheChild(false);
  EXPECT_EQ(StartAndSaveWithoutRoot(), "folder: program\ntold: Your best times, progress and options cannot be kept in " +
                                           (Home() / "jizdavo").string() + " (it cannot be made or written)" + kept +
                                           inMemory);
  ExpectProgramFolderUntouched();
  EXPECT_EQ(StartAndSaveWithoutRoot(false), "folder: program\ntold: Neither XDG_DATA_HOME nor HOME names a folder to "
                                            "keep your best times, progress and options in" + kept + inMemory);
  ExpectProgramFolderUntouched();
  EXPECT_TRUE(fs::is_empty(Home()));
}

// A stored file that is there but cannot be read (here its permissions; an I/O error alike) holds
// what the player keeps: a save never replaces it unread, in a folder the player may write. Each save
// fails with the message the other failures give, and the bytes stay.
TEST_F(ReadOnlyFolderTest, AFileThatCannotBeReadIsNeverReplaced) {
  const std::vector<std::pair<std::string, std::string>> kept = {
      {"Levels.dat", EncodeProgress(16)},
      {"Score.dat", ComplementBytes(FormatBestTimeRecord(1, "Ann", MakeTime(0, 0, 20, 0)))},
      {"Settings.ini", "; mine\n[Options]\nMVolume=20\n[Keys]\nUp=W\n"},
      {"Score-1-0020000-416E6E.rpl", "JZRP"}};
  for (const auto& [name, bytes] : kept) {
    WriteBytes("home/" + name, bytes);
    fs::permissions(Home() / name, fs::perms::none);
  }
  GiveHomeToTheChild(true);
  const fs::path home = Home();
  const std::string report = testing::RunWithoutRoot([&home] {
    std::ostringstream out;
    std::string progress = "1";
    out << "raise: " << testing::Attempt([&] { RaiseProgress(home, GameMode::Standard, progress, 2); }) << "\n";
    out << "append: " << testing::Attempt([&] {
      AppendBestTime(home, GameMode::Standard, 1, "Bob", MakeTime(0, 0, 9, 0));
    }) << "\n";
    SettingsFile settings(home / kSettingsFileName);
    out << "options: " << testing::Attempt([&] { settings.Write({false, true, false, 30, 80}); }) << "\n";
    out << "window: " << testing::Attempt([&] { settings.WriteSection("Window", {{"Scale", "2"}}); }) << "\n";
    out << "replay: " << testing::Attempt([&] {
      ReplaceFileAtomically(home / "Score-1-0020000-416E6E.rpl", "JZRP2");
    }) << "\n";
    return out.str();
  });
  const auto failed = [&home](const char* name) { return "Unable to write to " + (home / name).string() + "\n"; };
  EXPECT_EQ(report, "raise: " + failed("Levels.dat") + "append: " + failed("Score.dat") + "options: " +
                        failed("Settings.ini") + "window: " + failed("Settings.ini") + "replay: " +
                        failed("Score-1-0020000-416E6E.rpl"));
  for (const auto& [name, bytes] : kept) {
    fs::permissions(Home() / name, fs::perms::owner_read);
    EXPECT_EQ(ReadBytes("home/" + name), bytes) << name;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(Home()), fs::directory_iterator()), 4);
}

}  // namespace
}  // namespace jizdavo

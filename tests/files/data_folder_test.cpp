#include "files/data_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "files/best_times.h"
#include "files/file_fixtures.h"
#include "files/progress.h"
#include "files/settings.h"
#include "platform/error.h"
#include "state/date_time.h"

namespace jizdavo {
namespace {

namespace fs = std::filesystem;
using testing::FileSizeLimit;
using testing::TempFolderTest;

TEST(ParseIntegerTest, ReadsDecimalAndHexadecimalOnly) {
  const struct {
    const char* text;
    std::optional<int32_t> value;
  } cases[] = {
      {"12", 12},          {"0", 0},           {"-5", -5},          {"+7", 7},
      {" 42\r\n", 42},     {"0x20", 32},       {"0X1f", 31},        {"-0x10", -16},
      {"2147483647", 2147483647},              {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},            {"99999999999999999999", std::nullopt},
      {"", std::nullopt},  {"  ", std::nullopt}, {"abc", std::nullopt}, {"12a", std::nullopt},
      {"1 2", std::nullopt}, {"0x", std::nullopt}, {"--1", std::nullopt}, {"+-1", std::nullopt},
      {"-", std::nullopt}, {"0xg", std::nullopt}, {"1.5", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(ComplementBytesTest, StoresEveryByteAsItsComplement) {
  EXPECT_EQ(ComplementBytes("12"), "\xCE\xCD");
  EXPECT_EQ(ComplementBytes(std::string("\x00\xFF\r", 3)), std::string("\xFF\x00\xF2", 3));
  EXPECT_EQ(ComplementBytes(ComplementBytes("any text")), "any text");
}

TEST(UserDataFolderTest, FollowsAnAbsoluteXdgDataHomeElseAnAbsoluteHome) {
  const struct {
    const char* xdg;
    const char* home;
    std::optional<fs::path> folder;
  } cases[] = {
      {"/data", "/home/ann", "/data/jizdavo"},
      {nullptr, "/home/ann", "/home/ann/.local/share/jizdavo"},
      {"", "/home/ann", "/home/ann/.local/share/jizdavo"},
      {"relative", "/home/ann", "/home/ann/.local/share/jizdavo"},
      {"/data", nullptr, "/data/jizdavo"},
      {nullptr, nullptr, std::nullopt},
      {"", "", std::nullopt},
      {"relative", "home/ann", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UserDataFolder(c.xdg, c.home), c.folder) << (c.xdg ? c.xdg : "null") << ", " << (c.home ? c.home : "null");
  }
}

using DataFolderTest = TempFolderTest;

TEST_F(DataFolderTest, KeepsTheProgramFolderWhenItCanBeWritten) {
  EXPECT_EQ(ChooseDataFolder(folder_, File("user")), folder_);
  EXPECT_FALSE(fs::exists(File("user")));
}

TEST_F(DataFolderTest, FallsBackToTheUserFolderAndCreatesIt) {
  WriteBytes("program", "a file where a folder should be");
  const fs::path user = File("share") / "jizdavo";
  EXPECT_EQ(ChooseDataFolder(File("program"), user), user);
  EXPECT_TRUE(fs::is_directory(user));
  // Tidied at the next start as the program's folder would be.
  WriteBytes("share/jizdavo/.Levels.dat.4242.new", "left");
  fs::last_write_time(user / ".Levels.dat.4242.new",
                      fs::file_time_type::clock::now() - std::chrono::minutes(5));
  EXPECT_EQ(ChooseDataFolder(File("program"), user), user);
  EXPECT_TRUE(fs::is_empty(user));
}

// Nothing is ever written into the program's folder (an installed copy's install tree) then.
TEST_F(DataFolderTest, KeepsTheFilesInMemoryWhenNothingCanBeWritten) {
  WriteBytes("blocked", "");
  const fs::path program = File("blocked") / "program", user = File("blocked") / "user";
  EXPECT_EQ(ChooseDataFolder(program, user), program);
  EXPECT_EQ(TakePlayerMessages(), std::vector<std::string>{"Your best times, progress and options cannot be kept in " +
                                                           user.string() + " (it cannot be made or written): they "
                                                           "are kept only until the game closes"});
  ReplaceFileAtomically(program / "Levels.dat", "new");
  EXPECT_EQ(ReadStoredFile(program / "Levels.dat", 100).bytes, "new");
}

// What a copy killed between writing and renaming left behind goes at the next start, once it is
// surely nobody's: a minute old.
TEST_F(DataFolderTest, StaleTemporaryFilesOfTheStoredFilesAreRemoved) {
  const auto minutesOld = [this](const char* name, int minutes) {
    WriteBytes(name, "left");
    fs::last_write_time(File(name), fs::file_time_type::clock::now() - std::chrono::seconds(minutes * 60 + 1));
  };
  minutesOld(".Levels.dat.4242.new", 1);
  minutesOld(".Settings.ini.new", 5);
  minutesOld(".Score.dat.17.new", 0);
  minutesOld(".notes.txt.17.new", 5);
  minutesOld(".Levelsh.dat.x.new", 5);
  // Replays' too, of any record; not what only looks like one.
  minutesOld(".Score-3-0102345-416E6E.rpl.4242.new", 2);
  minutesOld(".Scoreh-12-0000007--2.rpl.17.new", 2);
  minutesOld(".Score-3-0102345-416E6.rpl.17.new", 2);
  minutesOld(".Score-3-0102345-416E6E.rpl.17.new", 0);
  EXPECT_EQ(ChooseDataFolder(folder_, std::nullopt), folder_);
  std::set<std::string> left;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) left.insert(entry.path().filename());
  EXPECT_EQ(left, (std::set<std::string>{".Score.dat.17.new", ".notes.txt.17.new", ".Levelsh.dat.x.new",
                                         ".Score-3-0102345-416E6.rpl.17.new", ".Score-3-0102345-416E6E.rpl.17.new"}));
}

TEST_F(DataFolderTest, AssetsAreFoundBesideTheProgramElseInTheInstalledShareFolder) {
  const fs::path bin = File("usr") / "bin", share = File("usr") / "share" / "jizdavo";
  fs::create_directories(bin);
  EXPECT_EQ(AssetFolder(bin), bin);  // neither has them: the program's own, as before
  fs::create_directories(share / "Graphics");
  EXPECT_EQ(AssetFolder(bin), share);
  fs::create_directories(bin / "Graphics");
  EXPECT_EQ(AssetFolder(bin), bin);  // a copy run where it was built wins
}

TEST_F(DataFolderTest, ReadingAMissingFileCreatesItEmpty) {
  EXPECT_EQ(ReadOrCreateFile(File("Score.dat"), 3), "");
  EXPECT_TRUE(fs::exists(File("Score.dat")));
  WriteBytes("Score.dat", "abc");
  EXPECT_EQ(ReadOrCreateFile(File("Score.dat"), 3), "abc");
  // A folder that cannot hold files reads as empty instead of failing.
  WriteBytes("blocked", "");
  EXPECT_EQ(ReadOrCreateFile(File("blocked") / "Score.dat", 3), "");
  EXPECT_TRUE(TakePlayerMessages().empty());
}

TEST_F(DataFolderTest, ReplacingWritesTheWholeNewContentAndLeavesNoTemporaryFile) {
  WriteBytes("Levels.dat", "old content, longer than the new");
  fs::permissions(File("Levels.dat"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // Root saving another user's file (a run under sudo) leaves it theirs.
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(File("Levels.dat").c_str(), 4321, 4322), 0);
  }
  ReplaceFileAtomically(File("Levels.dat"), "new");
  EXPECT_EQ(ReadBytes("Levels.dat"), "new");
  EXPECT_EQ(fs::status(File("Levels.dat")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  struct stat status {};
  ASSERT_EQ(::stat(File("Levels.dat").c_str(), &status), 0);
  EXPECT_EQ(status.st_uid, root ? 4321u : ::geteuid());
  EXPECT_EQ(status.st_gid, root ? 4322u : ::getegid());
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(DataFolderTest, AFailedReplaceKeepsTheOldFile) {
  WriteBytes("Levels.dat", "old");
  {
    FileSizeLimit limit(2);
    EXPECT_THROW(ReplaceFileAtomically(File("Levels.dat"), "longer"), Error);
  }
  EXPECT_EQ(ReadBytes("Levels.dat"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(DataFolderTest, AFailedAppendCutsTheFileBackToItsOldLength) {
  WriteBytes("Score.dat", "0123456789");
  const auto append = [](std::string bytes) {
    return [bytes](std::string_view stored) { return std::optional<AppendPlan>({stored.size(), bytes}); };
  };
  AppendToFile(File("Score.dat"), 100, append("ab"));
  {
    FileSizeLimit limit(15);
    EXPECT_THROW(AppendToFile(File("Score.dat"), 100, append("cdefgh")), Error);
  }
  EXPECT_EQ(ReadBytes("Score.dat"), "0123456789ab");
}

// Anything but a regular file where a stored file should be is refused at once, never waited on or
// read without end, and nothing is created or written in its place.
TEST_F(DataFolderTest, FifosDevicesAndFoldersAreRefusedWithoutWaiting) {
  ASSERT_EQ(::mkfifo(File("fifo").c_str(), 0644), 0);
  fs::create_directory(File("folder"));
  fs::create_symlink("/dev/zero", File("zero"));
  const auto append = [](std::string_view stored) { return std::optional<AppendPlan>({stored.size(), "x"}); };
  for (const char* name : {"fifo", "folder", "zero"}) {
    EXPECT_EQ(ReadStoredFile(File(name), 100).state, FileState::Refused) << name;
    EXPECT_EQ(ReadOrCreateFile(File(name), 100), "") << name;
    EXPECT_EQ(TakePlayerMessages(), std::vector<std::string>{"Unable to read " + File(name).string()}) << name;
    EXPECT_THROW(ReplaceFileAtomically(File(name), "new"), Error) << name;
    EXPECT_THROW(AppendToFile(File(name), 100, append), Error) << name;
  }
  EXPECT_EQ(fs::status(File("fifo")).type(), fs::file_type::fifo);
  EXPECT_TRUE(fs::is_empty(File("folder")));
  EXPECT_EQ(fs::read_symlink(File("zero")), "/dev/zero");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 3);
}

// A save linked into another folder (a synced one) is read and written there; the link stays, and a
// link that leads nowhere is not followed to create a file.
TEST_F(DataFolderTest, LinksAreFollowedToTheFileTheyOpenAndStay) {
  fs::create_directory(File("synced"));
  WriteBytes("synced/Levels.dat", EncodeProgress(3));
  fs::create_symlink(File("synced") / "Levels.dat", File("Levels.dat"));
  fs::create_symlink(File("nowhere") / "Score.dat", File("Score.dat"));
  EXPECT_EQ(LoadProgress(folder_, GameMode::Standard), "3");
  std::string progress = "3";
  EXPECT_TRUE(RaiseProgress(folder_, GameMode::Standard, progress, 4));
  EXPECT_TRUE(fs::is_symlink(File("Levels.dat")));
  EXPECT_EQ(ReadBytes("synced/Levels.dat"), EncodeProgress(4));
  EXPECT_EQ(ReadOrCreateFile(File("Score.dat"), 100), "");
  EXPECT_FALSE(fs::exists(File("nowhere")));
  EXPECT_TRUE(TakePlayerMessages().empty());
}

// A stored file linked into a folder that is not there just now (a share not mounted) is kept a link:
// every save through it fails with the message, and nothing is made in its place.
TEST_F(DataFolderTest, ALinkThatLeadsNowhereStaysAndEverySaveThroughItFails) {
  const struct {
    const char* name;
    std::function<void()> save;
  } saves[] = {
      {"Levels.dat", [this] { std::string progress = "1"; RaiseProgress(folder_, GameMode::Standard, progress, 2); }},
      {"Levelsh.dat", [this] { std::string progress = "1"; RaiseProgress(folder_, GameMode::CarChase, progress, 2); }},
      {"Score.dat", [this] { AppendBestTime(folder_, GameMode::Standard, 1, "Ann", MakeTime(0, 0, 9, 0)); }},
      {"Scoreh.dat", [this] { AppendBestTime(folder_, GameMode::CarChase, 1, "Ann", MakeTime(0, 0, 9, 0)); }},
      {"Settings.ini", [this] { SettingsFile(File("Settings.ini")).Write({false, true, false, 10, 20}); }},
      {"Score-1-0009000-416E6E.rpl", [this] { ReplaceFileAtomically(File("Score-1-0009000-416E6E.rpl"), "JZRP"); }},
  };
  for (const auto& save : saves) {
    fs::create_symlink(File("unmounted") / save.name, File(save.name));
    EXPECT_EQ(testing::Attempt(save.save), "Unable to write to " + File(save.name).string()) << save.name;
    EXPECT_TRUE(fs::is_symlink(File(save.name))) << save.name;
  }
  EXPECT_FALSE(fs::exists(File("unmounted")));
}

// A link is followed only to a file of its own kind: a planted link to another file of the user's
// gets nothing written into it.
TEST_F(DataFolderTest, ALinkToAnotherKindOfFileIsNotWritten) {
  const struct {
    const char* link;
    std::string target;
    bool followed;
  } cases[] = {{"Levels.dat", "notes", false},
               {"Levels.dat", "", true},
               {"Levelsh.dat", ComplementBytes("x4"), false},
               {"Levelsh.dat", EncodeProgress(2), true},
               {"Settings.ini", "notes\n", false},
               {"Settings.ini", std::string("\0[Options]\n", 11), false},
               {"Settings.ini", "; mine\n[Options]\nPlaySE=0\n", true},
               {"Settings.ini", "", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.link) + " -> " + c.target);
    WriteBytes("target", c.target);
    fs::remove(File(c.link));
    fs::create_symlink(File("target"), File(c.link));
    std::string progress = "1";
    const std::string written = testing::Attempt([&] {
      if (std::string_view(c.link) == kSettingsFileName) {
        SettingsFile(File(c.link)).Write({});
      } else {
        RaiseProgress(folder_, c.link == std::string_view("Levels.dat") ? GameMode::Standard : GameMode::CarChase,
                      progress, 5);
      }
    });
    EXPECT_EQ(written, c.followed ? "ok" : "Unable to write to " + File(c.link).string());
    EXPECT_EQ(ReadBytes("target") == c.target, !c.followed);
    EXPECT_TRUE(fs::is_symlink(File(c.link)));
  }
}

TEST_F(DataFolderTest, AFileLargerThanItsBoundIsReadInPartAndTold) {
  WriteBytes("Settings.ini", std::string(3000, 'x'));
  const StoredContent content = ReadStoredFile(File("Settings.ini"), 2048);
  EXPECT_EQ(content.state, FileState::Cut);
  EXPECT_EQ(content.bytes, std::string(2048, 'x'));
  TellPlayerAbout(File("Settings.ini"), content, 2048);
  TellPlayerAbout(File("Settings.ini"), content, 2048);
  EXPECT_EQ(TakePlayerMessages(), std::vector<std::string>{"Only the first 2 KB of " + File("Settings.ini").string() +
                                                           " are read: the file is larger"});
  EXPECT_EQ(ReadStoredFile(File("Settings.ini"), 3000).state, FileState::Whole);
}

}  // namespace
}  // namespace jizdavo

#include "files/data_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <optional>

#include "files/file_fixtures.h"
#include "platform/error.h"

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
}

TEST_F(DataFolderTest, KeepsTheProgramFolderWhenNothingCanBeWritten) {
  WriteBytes("blocked", "");
  EXPECT_EQ(ChooseDataFolder(File("blocked") / "program", File("blocked") / "user"),
            File("blocked") / "program");
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
  ReplaceFileAtomically(File("Levels.dat"), "new");
  EXPECT_EQ(ReadBytes("Levels.dat"), "new");
  EXPECT_EQ(fs::status(File("Levels.dat")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
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
  WriteBytes("synced/Levels.dat", "old");
  fs::create_symlink(File("synced") / "Levels.dat", File("Levels.dat"));
  fs::create_symlink(File("nowhere") / "Score.dat", File("Score.dat"));
  EXPECT_EQ(ReadOrCreateFile(File("Levels.dat"), 100), "old");
  ReplaceFileAtomically(File("Levels.dat"), "new");
  EXPECT_TRUE(fs::is_symlink(File("Levels.dat")));
  EXPECT_EQ(ReadBytes("synced/Levels.dat"), "new");
  EXPECT_EQ(ReadOrCreateFile(File("Score.dat"), 100), "");
  EXPECT_FALSE(fs::exists(File("nowhere")));
  EXPECT_TRUE(TakePlayerMessages().empty());
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

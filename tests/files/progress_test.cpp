#include "files/progress.h"

#include <gtest/gtest.h>

#include "files/file_fixtures.h"
#include "platform/error.h"

namespace jizdavo {
namespace {

using testing::FileSizeLimit;
using testing::TempFolderTest;

TEST(ProgressFormatTest, StoresTheLevelAsComplementedDecimalText) {
  EXPECT_EQ(EncodeProgress(12), "\xCE\xCD");
  EXPECT_EQ(EncodeProgress(1), "\xCE");
  EXPECT_STREQ(ProgressFileName(GameMode::Standard), "Levels.dat");
  EXPECT_STREQ(ProgressFileName(GameMode::CarChase), "Levelsh.dat");
}

TEST(ProgressFormatTest, LimitsWhatIsReadToTheModesLevels) {
  const struct {
    std::string plain;
    GameMode mode;
    const char* progress;
  } cases[] = {
      {"", GameMode::Standard, "1"},       {"12", GameMode::Standard, "12"},
      {"16", GameMode::Standard, "16"},    {"17", GameMode::Standard, "16"},
      {"9999", GameMode::Standard, "16"},  {"0", GameMode::Standard, "1"},
      {"-3", GameMode::Standard, "1"},     {"012", GameMode::Standard, "12"},
      {"abc", GameMode::Standard, "1"},    {"1x", GameMode::Standard, "1"},
      {std::string("\0", 1), GameMode::Standard, "1"},
      {"6", GameMode::CarChase, "6"},      {"7", GameMode::CarChase, "6"},
      {"12", GameMode::CarChase, "6"},     {"", GameMode::CarChase, "1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseProgress(ComplementBytes(c.plain), c.mode), c.progress) << '"' << c.plain << '"';
  }
}

using ProgressFileTest = TempFolderTest;

TEST_F(ProgressFileTest, AFreshFolderUnlocksLevelOneAndCreatesBothFiles) {
  EXPECT_EQ(LoadProgress(folder_, GameMode::Standard), "1");
  EXPECT_EQ(LoadProgress(folder_, GameMode::CarChase), "1");
  EXPECT_EQ(ReadBytes("Levels.dat"), "");
  EXPECT_EQ(ReadBytes("Levelsh.dat"), "");
}

TEST_F(ProgressFileTest, RaisesOnlyToAHigherExistingLevel) {
  const struct {
    GameMode mode;
    const char* unlocked;
    int32_t nextLevel;
    bool raised;
    const char* after;
  } cases[] = {
      {GameMode::Standard, "9", 5, false, "9"},   {GameMode::Standard, "9", 9, false, "9"},
      {GameMode::Standard, "9", 10, true, "10"},  {GameMode::Standard, "16", 17, false, "16"},
      {GameMode::Standard, "1", 2, true, "2"},    {GameMode::CarChase, "5", 6, true, "6"},
      {GameMode::CarChase, "6", 7, false, "6"},   {GameMode::CarChase, "3", 2, false, "3"},
  };
  for (const auto& c : cases) {
    WriteBytes(ProgressFileName(c.mode), EncodeProgress(std::stoi(c.unlocked)));
    std::string progress = LoadProgress(folder_, c.mode);
    EXPECT_EQ(RaiseProgress(folder_, c.mode, progress, c.nextLevel), c.raised)
        << c.unlocked << " then " << c.nextLevel;
    EXPECT_EQ(progress, c.after);
    EXPECT_EQ(LoadProgress(folder_, c.mode), c.after);
  }
}

TEST_F(ProgressFileTest, AnEndlessDeviceInPlaceOfTheFileGivesLevelOneAndIsTold) {
  std::filesystem::create_symlink("/dev/zero", File("Levels.dat"));
  EXPECT_EQ(LoadProgress(folder_, GameMode::Standard), "1");
  EXPECT_EQ(TakePlayerMessages(), std::vector<std::string>{"Unable to read " + File("Levels.dat").string()});
  std::string progress = "1";
  EXPECT_THROW(RaiseProgress(folder_, GameMode::Standard, progress, 2), Error);
  EXPECT_EQ(std::filesystem::read_symlink(File("Levels.dat")), "/dev/zero");
}

TEST_F(ProgressFileTest, AFailedRaiseKeepsTheOldFileAndReportsIt) {
  WriteBytes("Levels.dat", EncodeProgress(9));
  std::string progress = "9";
  {
    FileSizeLimit limit(1);
    EXPECT_THROW(RaiseProgress(folder_, GameMode::Standard, progress, 10), Error);
  }
  EXPECT_EQ(progress, "10");  // the player may still go on this session
  EXPECT_EQ(LoadProgress(folder_, GameMode::Standard), "9");
}

TEST_F(ProgressFileTest, AFolderThatCannotBeWrittenStillLoadsAndReportsTheRaise) {
  WriteBytes("blocked", "");
  const std::filesystem::path folder = File("blocked");
  EXPECT_EQ(LoadProgress(folder, GameMode::CarChase), "1");
  std::string progress = "1";
  try {
    RaiseProgress(folder, GameMode::CarChase, progress, 2);
    ADD_FAILURE() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + (folder / "Levelsh.dat").string());
  }
}

}  // namespace
}  // namespace jizdavo

#include "menus/settings.h"

#include <gtest/gtest.h>

#include "menus/file_fixtures.h"
#include "platform/error.h"

namespace jizdavo {
namespace {

using testing::FileSizeLimit;
using testing::TempFolderTest;

TEST(SettingsParseTest, MissingOrDamagedValuesFallBackKeyByKey) {
  const SavedOptions defaults;
  const struct {
    const char* what;
    std::string text;
    SavedOptions options;
  } cases[] = {
      {"empty file", "", defaults},
      {"other section only", "[Other]\nMVolume=10\n", defaults},
      {"all five", "[Options]\nPlayMusic=0\nPlaySE=0\nShowFPS=1\nMVolume=12\nSEVolume=34\n",
       {false, false, true, 12, 34}},
      {"above the gauge kept as read", "[Options]\nMVolume=200\n", {true, true, false, 200, 80}},
      {"below zero kept as read", "[Options]\nSEVolume=-5\n", {true, true, false, 80, -5}},
      {"hexadecimal", "[Options]\nMVolume=0x20\nSEVolume=0X0a\n", {true, true, false, 32, 10}},
      {"letters", "[Options]\nMVolume=loud\nPlayMusic=yes\n", defaults},
      {"empty values", "[Options]\nMVolume=\nShowFPS=\n", defaults},
      {"any non-zero is on", "[Options]\nShowFPS=7\nPlaySE=-1\n", {true, true, true, 80, 80}},
      {"spaces and CRLF", "[Options]\r\nMVolume = 40 \r\nPlayMusic = 0\r\n", {false, true, false, 40, 80}},
      {"names in any case", "[options]\nmvolume=5\n", {true, true, false, 5, 80}},
      {"binary noise", std::string("\0\xFF[Options\n=\n\x01", 14), defaults},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseOptions(c.text), c.options) << c.what;
}

using SettingsFileTest = TempFolderTest;

TEST_F(SettingsFileTest, NoFileGivesTheDefaultsAndWritingGivesTheFiveKeys) {
  SettingsFile settings(File("Settings.ini"));
  EXPECT_EQ(settings.Read(), SavedOptions{});
  EXPECT_FALSE(std::filesystem::exists(File("Settings.ini")));
  settings.Write({true, false, true, 8, 0});
  EXPECT_EQ(ReadBytes("Settings.ini"),
            "[Options]\nPlayMusic=1\nPlaySE=0\nShowFPS=1\nMVolume=8\nSEVolume=0\n");
  EXPECT_EQ(SettingsFile(File("Settings.ini")).Read(), (SavedOptions{true, false, true, 8, 0}));
}

TEST_F(SettingsFileTest, WritingKeepsEverythingElseInTheFile) {
  WriteBytes("Settings.ini",
             "; kept comment\n[Player]\nName=Ann\n\n[Options]\nMVolume=3\nExtra=yes\n[Last]\nKey=1\n");
  SettingsFile settings(File("Settings.ini"));
  EXPECT_EQ(settings.Read().MVolume, 3);
  settings.Write({false, true, false, 80, 40});
  const std::string text = ReadBytes("Settings.ini");
  for (const char* kept : {"; kept comment", "[Player]\nName=Ann\n", "Extra=yes\n", "[Last]\nKey=1\n"}) {
    EXPECT_NE(text.find(kept), std::string::npos) << kept;
  }
  EXPECT_NE(text.find("MVolume=80\n"), std::string::npos);
  EXPECT_EQ(text.find("MVolume=3"), std::string::npos);
  EXPECT_EQ(SettingsFile(File("Settings.ini")).Read(), (SavedOptions{false, true, false, 80, 40}));
}

TEST_F(SettingsFileTest, WritingKeepsLinesAddedSinceStartUp) {
  SettingsFile settings(File("Settings.ini"));
  WriteBytes("Settings.ini", "[Later]\nAdded=1\n");
  settings.Write(SavedOptions{});
  EXPECT_NE(ReadBytes("Settings.ini").find("[Later]\nAdded=1\n"), std::string::npos);
}

TEST_F(SettingsFileTest, AFailedWriteReportsThePathAndKeepsTheOldFileAndValues) {
  WriteBytes("Settings.ini", "[Options]\nMVolume=10\n");
  SettingsFile settings(File("Settings.ini"));
  {
    FileSizeLimit limit(4);
    try {
      settings.Write({false, false, false, 1, 2});
      ADD_FAILURE() << "no error raised";
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()), "Unable to write to " + File("Settings.ini").string());
    }
  }
  EXPECT_EQ(ReadBytes("Settings.ini"), "[Options]\nMVolume=10\n");
  EXPECT_EQ(settings.Read().MVolume, 10);
}

TEST_F(SettingsFileTest, AFolderThatCannotBeWrittenReadsDefaultsAndReportsTheWrite) {
  WriteBytes("blocked", "");
  SettingsFile settings(File("blocked") / "Settings.ini");
  EXPECT_EQ(settings.Read(), SavedOptions{});
  EXPECT_THROW(settings.Write(SavedOptions{}), Error);
}

}  // namespace
}  // namespace jizdavo

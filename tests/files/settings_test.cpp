#include "files/settings.h"

#include <tuple>

#include <gtest/gtest.h>

#include "files/file_fixtures.h"
#include "platform/error.h"

namespace jizdavo {
namespace {

using namespace std::string_literals;
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
      {"every key", "[Options]\nPlayMusic=0\nPlaySE=0\nShowFPS=1\nMVolume=12\nSEVolume=34\nGhost=0\n",
       {false, false, true, 12, 34, false}},
      {"above the gauge kept as read", "[Options]\nMVolume=200\n", {true, true, false, 200, 80}},
      {"below zero kept as read", "[Options]\nSEVolume=-5\n", {true, true, false, 80, -5}},
      {"hexadecimal", "[Options]\nMVolume=0x20\nSEVolume=0X0a\n", {true, true, false, 32, 10}},
      {"letters", "[Options]\nMVolume=loud\nPlayMusic=yes\n", defaults},
      {"empty values", "[Options]\nMVolume=\nShowFPS=\n", defaults},
      {"any non-zero is on", "[Options]\nShowFPS=7\nPlaySE=-1\n", {true, true, true, 80, 80}},
      {"spaces and CRLF", "[Options]\r\nMVolume = 40 \r\nPlayMusic = 0\r\n", {false, true, false, 40, 80}},
      {"names in any case", "[options]\nmvolume=5\n", {true, true, false, 5, 80}},
      {"binary noise", std::string("\0\xFF[Options\n=\n\x01", 14), defaults},
      {"section given twice", "[Options]\nMVolume=5\n[Other]\n[ Options ]\nSEVolume=6\nMVolume=4\n",
       {true, true, false, 4, 6}},
      {"commented out", "[Options]\n;MVolume=5\n# SEVolume=6\n", defaults},
      {"NUL before the section", "\0junk\n[Options]\nMVolume=7\n"s, {true, true, false, 7, 80}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseOptions(c.text), c.options) << c.what;
}

TEST(IniEditTest, ChangesOnlyTheGivenValues) {
  const std::vector<std::pair<std::string, std::string>> values = {{"A", "1"}, {"B", "2"}};
  const struct {
    const char* what;
    std::string before;
    std::string after;
  } cases[] = {
      {"empty text", "", "[S]\nA=1\nB=2\n"},
      {"in place, spacing and comment kept", "; top\n[S]\nA = 9 \n; note\nB=8\n",
       "; top\n[S]\nA = 1 \n; note\nB=2\n"},
      {"CRLF kept, missing key after the last", "[S]\r\nA=9\r\n\r\n[T]\r\nA=9\r\n",
       "[S]\r\nA=1\r\nB=2\r\n\r\n[T]\r\nA=9\r\n"},
      {"duplicates all set, names in any case", "[s]\na=9\nA=8\n", "[s]\na=1\nA=1\nB=2\n"},
      {"empty value", "[S]\nA=\r\nB =\n", "[S]\nA=1\r\nB =2\n"},
      {"last line without its end", "[S]\nA=9", "[S]\nA=1\nB=2\n"},
      {"section added after the rest", "[T]\nC=3", "[T]\nC=3\n[S]\nA=1\nB=2\n"},
      {"NUL bytes kept", "[S]\0\nA=9\n[T]\nX=\0\n"s, "[S]\0\nA=1\nB=2\n[T]\nX=\0\n"s},
  };
  for (const auto& c : cases) EXPECT_EQ(WithIniValues(c.before, "S", values), c.after) << c.what;
  for (const auto& [section, key, value] : {std::tuple{"S]", "A", "1"}, {"S", "A=", "1"}, {"S", "A", "1\n"},
                                            {"S", "A", " 1"}, {"S", ";A", "1"}, {"", "A", "1"}}) {
    EXPECT_EQ(WithIniValues("", section, {{key, value}}), std::nullopt) << section << key << value;
  }
}

using SettingsFileTest = TempFolderTest;

TEST_F(SettingsFileTest, NoFileGivesTheDefaultsAndWritingGivesEveryKey) {
  SettingsFile settings(File("Settings.ini"));
  EXPECT_EQ(settings.Read(), SavedOptions{});
  EXPECT_FALSE(std::filesystem::exists(File("Settings.ini")));
  settings.Write({true, false, true, 8, 0, false});
  EXPECT_EQ(ReadBytes("Settings.ini"),
            "[Options]\nPlayMusic=1\nPlaySE=0\nShowFPS=1\nMVolume=8\nSEVolume=0\nGhost=0\n");
  EXPECT_EQ(SettingsFile(File("Settings.ini")).Read(), (SavedOptions{true, false, true, 8, 0, false}));
}

TEST_F(SettingsFileTest, WritingKeepsEveryOtherByteOfTheFile) {
  const std::string before =
      "; kept comment\r\n[Player]\r\nName = Ann ; trailing\r\nOther=Bob\r\n\r\n"
      "[Options]\r\nMVolume = 3\r\nExtra=yes\r\nPlaySE=1 \r\n[Last]\r\nKey=\0\r\n; end"s;
  WriteBytes("Settings.ini", before);
  SettingsFile settings(File("Settings.ini"));
  EXPECT_EQ(settings.Read().MVolume, 3);
  settings.Write({false, true, false, 80, 40});
  EXPECT_EQ(ReadBytes("Settings.ini"),
            "; kept comment\r\n[Player]\r\nName = Ann ; trailing\r\nOther=Bob\r\n\r\n"
            "[Options]\r\nMVolume = 80\r\nExtra=yes\r\nPlaySE=1 \r\n"
            "PlayMusic=0\r\nShowFPS=0\r\nSEVolume=40\r\nGhost=1\r\n[Last]\r\nKey=\0\r\n; end"s);
  EXPECT_EQ(SettingsFile(File("Settings.ini")).Read(), (SavedOptions{false, true, false, 80, 40}));
  settings.WriteSection("Window", {{"Mode", "windowed"}});
  EXPECT_EQ(settings.ReadValue("window", "mode"), "windowed");
  EXPECT_EQ(settings.ReadValue("Player", "Name"), "Ann ; trailing");
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
  // A file beyond the bound is read in part, so it could not be written back whole.
  const std::string huge = "[Options]\nMVolume=20\n;" + std::string(kSmallFileReadLimit, 'x');
  WriteBytes("Settings.ini", huge);
  EXPECT_EQ(SettingsFile(File("Settings.ini")).Read().MVolume, 20);
  EXPECT_THROW(settings.Write(SavedOptions{}), Error);
  EXPECT_EQ(ReadBytes("Settings.ini"), huge);
}

TEST_F(SettingsFileTest, AFolderThatCannotBeWrittenReadsDefaultsAndReportsTheWrite) {
  WriteBytes("blocked", "");
  SettingsFile settings(File("blocked") / "Settings.ini");
  EXPECT_EQ(settings.Read(), SavedOptions{});
  EXPECT_THROW(settings.Write(SavedOptions{}), Error);
}

}  // namespace
}  // namespace jizdavo

// A damaged "Settings.ini": each option falls back on its own to a sane value, and what the game
// writes back reads again as exactly those options.

#include <gtest/gtest.h>

#include "faults/child_process.h"
#include "files/file_fixtures.h"
#include "files/settings.h"
#include "platform/error.h"

namespace jizdavo {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

using DamagedSettingsTest = testing::TempFolderTest;

TEST_F(DamagedSettingsTest, ReadsSaneOptionsAndWritesThemBackReadable) {
  const SavedOptions defaults;
  const struct {
    const char* what;
    std::string bytes;
    SavedOptions options;
  } cases[] = {
      {"cut in the section name", "[Opti", defaults},
      {"cut in a key", "[Options]\nMVolume=40\nSEVol", {true, true, false, 40, 80}},
      {"cut after the equals sign", "[Options]\nShowFPS=1\nMVolume=", {true, true, true, 80, 80}},
      {"a key without a value", "[Options]\nPlayMusic\nSEVolume=7\n", {true, true, false, 80, 7}},
      {"numbers beyond 32 bits", "[Options]\nMVolume=4294967336\nSEVolume=-99999999999\nPlaySE=0x1FFFFFFFF\n",
       defaults},
      {"the lowest number", "[Options]\nSEVolume=-2147483648\n", {true, true, false, 80, INT32_MIN}},
      {"a key twice", "[Options]\nMVolume=10\nMVolume=20\n", {true, true, false, 20, 80}},
      {"noise and a NUL byte",
       "\x01\xFF\n[Options]\nMVolume=30\n\xFE\x00\nSEVolume=5\n"s,
       {true, true, false, 30, 5}},
      {"a byte-order mark", "\xEF\xBB\xBF[Options]\nPlayMusic=0\n", {false, true, false, 80, 80}},
  };
  for (const auto& c : cases) {
    WriteBytes("Settings.ini", c.bytes);
    SettingsFile settings(File("Settings.ini"));
    EXPECT_EQ(settings.Read(), c.options) << c.what;
    settings.Write(settings.Read());
    EXPECT_EQ(SettingsFile(File("Settings.ini")).Read(), c.options) << c.what << ", written back";
    const std::string written = ReadBytes("Settings.ini");
    EXPECT_NE(written.find("MVolume=" + std::to_string(c.options.MVolume) + "\n"), std::string::npos)
        << c.what;
  }
}

// Root reads any file, so the unreadable file is tried as an ordinary user: the options it holds may
// still be the player's, so it is never replaced unread.
TEST_F(DamagedSettingsTest, AnUnreadableFileGivesTheDefaultsAndIsKept) {
  fs::permissions(folder_, fs::perms::all);
  WriteBytes("Settings.ini", "[Options]\nMVolume=10\n");
  fs::permissions(File("Settings.ini"), fs::perms::none);
  const std::string report = testing::RunWithoutRoot([this] {
    SettingsFile settings(File("Settings.ini"));
    const SavedOptions read = settings.Read();
    return std::string(read == SavedOptions{} ? "defaults" : "not the defaults") + ", then " +
           testing::Attempt([&] { settings.Write({false, true, false, 50, 60}); });
  });
  EXPECT_EQ(report, "defaults, then Unable to write to " + File("Settings.ini").string());
  fs::permissions(File("Settings.ini"), fs::perms::owner_read);
  EXPECT_EQ(ReadBytes("Settings.ini"), "[Options]\nMVolume=10\n");
}

TEST_F(DamagedSettingsTest, AFolderInPlaceOfTheFileGivesTheDefaultsAndReportsTheWrite) {
  fs::create_directory(File("Settings.ini"));
  SettingsFile settings(File("Settings.ini"));
  EXPECT_EQ(settings.Read(), SavedOptions{});
  EXPECT_THROW(settings.Write(SavedOptions{}), Error);
  EXPECT_TRUE(fs::is_directory(File("Settings.ini")));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace jizdavo

#include "program/window_settings.h"

#include <gtest/gtest.h>

#include "files/file_fixtures.h"

namespace jizdavo::testing {
namespace {

class WindowSettingsTest : public TempFolderTest {
 protected:
  WindowMode Stored(std::string_view text) {
    WriteBytes("Settings.ini", text);
    return StoredWindowMode(SettingsFile(File("Settings.ini")));
  }
};

TEST_F(WindowSettingsTest, ReadsTheStoredModeWithDefaultsForWhatIsMissingOrWrong) {
  const struct {
    const char* text;
    WindowMode mode;
  } cases[] = {
      {"", {true, 1}},
      {"[Window]\r\nFullscreen=0\r\nScale=3\r\n", {false, 3}},
      {"[window]\nfullscreen = 0x0\n", {false, 1}},
      {"[Options]\nFullscreen=0\nScale=2\n", {true, 1}},  // another section's keys
      {"[Window]\nFullscreen=yes\nScale=9\n", {true, 8}},
      {"[Window]\nScale=0\n", {true, 1}},
      {"[Window]\nScale=-3\n", {true, 1}},
      {"[Window]\nScale=0x8\n", {true, 8}},
      {"[Window]\nScale=08\n", {true, 8}},
      {"[Window]\nScale=1e9\n", {true, 1}},  // not a number
      {"[Window]\nScale=1000000000\n", {true, 8}},
  };
  for (const auto& c : cases) EXPECT_EQ(Stored(c.text), c.mode) << c.text;
  const WindowMode stored{false, 3};
  EXPECT_EQ(ChosenWindowMode(stored, ParseCommandLine({"--fullscreen"})), (WindowMode{true, 3}));
  EXPECT_EQ(ChosenWindowMode(stored, ParseCommandLine({"--scale", "2"})), (WindowMode{false, 2}));
  EXPECT_EQ(ChosenWindowMode(stored, ParseCommandLine({})), stored);
}

TEST_F(WindowSettingsTest, RemembersAChangedModeInItsOwnSectionKeepingEveryOtherByte) {
  const std::string options = "[Options]\r\n; the player's own note\r\nMVolume = 40\r\n";
  WriteBytes("Settings.ini", options);
  SettingsFile settings(File("Settings.ini"));
  RememberWindowMode(settings, WindowMode{});  // the first start's mode: nothing to keep
  EXPECT_EQ(ReadBytes("Settings.ini"), options);

  RememberWindowMode(settings, {false, 2});
  EXPECT_EQ(ReadBytes("Settings.ini"), options + "[Window]\r\nFullscreen=0\r\nScale=2\r\n");
  EXPECT_EQ(StoredWindowMode(SettingsFile(File("Settings.ini"))), (WindowMode{false, 2}));

  RememberWindowMode(settings, {true, 1});  // back to full screen is remembered too
  EXPECT_EQ(ReadBytes("Settings.ini"), options + "[Window]\r\nFullscreen=1\r\nScale=1\r\n");
  EXPECT_EQ(ParseOptions(ReadBytes("Settings.ini")).MVolume, 40);
}

}  // namespace
}  // namespace jizdavo::testing

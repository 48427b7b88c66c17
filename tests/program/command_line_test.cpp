#include "program/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace jizdavo {
namespace {

using Action = CommandLine::Action;

struct Case {
  std::vector<std::string> arguments;
  Action action;
  std::optional<bool> fullscreen;
  std::optional<int> scale;
  std::optional<std::string> data_dir;
};

TEST(CommandLineTest, ReadsEveryOptionAndRefusesMistakes) {
  const Case cases[] = {
      {{}, Action::Play, {}, {}, {}},
      {{"--windowed", "--scale", "3"}, Action::Play, false, 3, {}},
      {{"--windowed", "--fullscreen"}, Action::Play, true, {}, {}},  // the last one counts
      {{"--data-dir", "/tmp/saves"}, Action::Play, {}, {}, "/tmp/saves"},
      {{"--scale", "8", "--data-dir", "rel"}, Action::Play, {}, 8, "rel"},
      {{"--version"}, Action::Version, {}, {}, {}},
      {{"--help", "--version"}, Action::Help, {}, {}, {}},
      {{"--version", "-h"}, Action::Help, {}, {}, {}},
      {{"--scale"}, Action::Bad, {}, {}, {}},
      {{"--scale", "0"}, Action::Bad, {}, {}, {}},
      {{"--scale", "9"}, Action::Bad, {}, {}, {}},
      {{"--scale", "2.5"}, Action::Bad, {}, {}, {}},
      {{"--scale", "2x"}, Action::Bad, {}, {}, {}},
      {{"--data-dir"}, Action::Bad, {}, {}, {}},
      {{"--data-dir", ""}, Action::Bad, {}, {}, {}},
      {{"--full"}, Action::Bad, {}, {}, {}},
      {{"level3"}, Action::Bad, {}, {}, {}},
      {{"--help", "--bogus"}, Action::Bad, {}, {}, {}},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (const std::string& a : c.arguments) shown += a + " ";
    SCOPED_TRACE(shown);
    const CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(command.action, c.action);
    if (c.action == Action::Bad) {
      EXPECT_FALSE(command.problem.empty());
      continue;
    }
    EXPECT_EQ(command.fullscreen, c.fullscreen);
    EXPECT_EQ(command.scale, c.scale);
    EXPECT_EQ(command.data_dir, c.data_dir ? std::optional<std::filesystem::path>(*c.data_dir) : std::nullopt);
  }
}

TEST(CommandLineTest, AnswersHelpVersionAndMistakesWithTheirExitCodes) {
  EXPECT_EQ(AnswerCommandLine(ParseCommandLine({})), std::nullopt);
  testing::internal::CaptureStdout();
  EXPECT_EQ(AnswerCommandLine(ParseCommandLine({"--version"})), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout().rfind("Jizdavo v1.0 (build ", 0), 0u);
  testing::internal::CaptureStdout();
  EXPECT_EQ(AnswerCommandLine(ParseCommandLine({"--help"})), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), UsageText());
  testing::internal::CaptureStderr();
  EXPECT_EQ(AnswerCommandLine(ParseCommandLine({"--bogus"})), 2);
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_NE(printed.find("unknown option --bogus"), std::string::npos);
  EXPECT_NE(printed.find(UsageText()), std::string::npos);
}

}  // namespace
}  // namespace jizdavo

#pragma once
// The program's command line: what to do, and the window and data folder asked for.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace jizdavo {

struct CommandLine {
  enum class Action { Play, Help, Version, Bad };
  Action action = Action::Play;
  std::optional<bool> fullscreen;  // unset: as last time
  std::optional<int> scale;        // whole factor of the 640 x 480 frame in a window
  std::optional<std::filesystem::path> data_dir;  // where the five stored files live
  std::string problem;             // Action::Bad: what was wrong, for the first line of the usage
};

inline constexpr int kLargestScale = 8;

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
std::string UsageText();
// "Jizdavo v1.0" and the build it comes from.
std::string VersionText();

// Prints what --help, --version or a bad option ask for; the exit code, or nothing to play on.
std::optional<int> AnswerCommandLine(const CommandLine& command);

}  // namespace jizdavo

#include "program/command_line.h"

#include <charconv>
#include <cstdio>

#ifndef JIZDAVO_BUILD
#define JIZDAVO_BUILD "unknown"
#endif

namespace jizdavo {

namespace {

std::optional<int> WholeScale(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < 1 || value > kLargestScale) return std::nullopt;
  return value;
}

CommandLine Bad(std::string problem) {
  CommandLine bad;
  bad.action = CommandLine::Action::Bad;
  bad.problem = std::move(problem);
  return bad;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine command;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool has_value = i + 1 < arguments.size();
    if (argument == "--help" || argument == "-h") {
      command.action = CommandLine::Action::Help;
    } else if (argument == "--version") {
      if (command.action == CommandLine::Action::Play) command.action = CommandLine::Action::Version;
    } else if (argument == "--windowed" || argument == "--fullscreen") {
      command.fullscreen = argument == "--fullscreen";
    } else if (argument == "--scale") {
      if (!has_value) return Bad("--scale needs a number");
      command.scale = WholeScale(arguments[++i]);
      if (!command.scale) return Bad("--scale takes a whole number from 1 to " + std::to_string(kLargestScale));
    } else if (argument == "--data-dir") {
      if (!has_value || arguments[i + 1].empty()) return Bad("--data-dir needs a folder");
      command.data_dir = arguments[++i];
    } else {
      return Bad("unknown option " + argument);
    }
  }
  return command;
}

std::string UsageText() {
  return "Usage: jizdavo [OPTION]...\n"
         "Jizdavo, a top-down arcade game: walk a pedestrian across the roads.\n"
         "\n"
         "  --windowed       play in a window\n"
         "  --fullscreen     play on the whole screen (the default)\n"
         "  --scale N        a window N times 640 x 480 (N from 1 to " +
         std::to_string(kLargestScale) +
         ")\n"
         "  --data-dir DIR   keep the settings, best times and progress in DIR\n"
         "  --help           show this text and leave\n"
         "  --version        show the version and leave\n"
         "\n"
         "The window mode and scale are remembered in Settings.ini, section [Window].\n";
}

std::string VersionText() { return std::string("Jizdavo v1.0 (build ") + JIZDAVO_BUILD + ")\n"; }

std::optional<int> AnswerCommandLine(const CommandLine& command) {
  switch (command.action) {
    case CommandLine::Action::Play:
      return std::nullopt;
    case CommandLine::Action::Help:
      std::fputs(UsageText().c_str(), stdout);
      return 0;
    case CommandLine::Action::Version:
      std::fputs(VersionText().c_str(), stdout);
      return 0;
    case CommandLine::Action::Bad:
      std::fprintf(stderr, "jizdavo: %s\n%s", command.problem.c_str(), UsageText().c_str());
      return 2;
  }
  return 2;
}

}  // namespace jizdavo

// Program entry: the command line, then the game with random numbers seeded from the machine.

#include <algorithm>
#include <optional>
#include <random>

#include "platform/quit_signal.h"
#include "platform/seeded_random.h"
#include "program/run_program.h"

int main(int argc, char** argv) {
  jizdavo::EndAtOnceOnQuitSignals();
  const jizdavo::CommandLine command = jizdavo::ParseCommandLine({argv + std::min(argc, 1), argv + argc});
  // --help, --version and mistakes are answered before any window opens.
  if (const std::optional<int> exit_code = jizdavo::AnswerCommandLine(command)) return *exit_code;
  const auto make_random = []() -> std::unique_ptr<jizdavo::RandomSource> {
    return std::make_unique<jizdavo::SeededRandom>(std::random_device{}());
  };
  return jizdavo::RunProgram(make_random, command);
}

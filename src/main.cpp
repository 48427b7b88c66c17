// Program entry: the game with random numbers seeded from the machine.

#include <random>

#include "platform/seeded_random.h"
#include "program/run_program.h"

int main(int, char**) {
  return jizdavo::RunProgram([](const jizdavo::Clock& clock) -> std::unique_ptr<jizdavo::RandomSource> {
    return std::make_unique<jizdavo::SeededRandom>(std::random_device{}(), clock);
  });
}

// The program for the end-to-end scenarios: the shipped game, except that no lane ever spawns a car,
// so a pedestrian steered by real key events can cross a level without being run over.

#include <algorithm>
#include <optional>
#include <random>

#include "platform/quit_signal.h"
#include "platform/seeded_random.h"
#include "program/run_program.h"

namespace jizdavo {
namespace {

// A lane spawns a car when its Random(15) draw falls in 1..difficulty; answering 0 there keeps
// every lane empty. Every other draw (tunes, backdrop, target cars) comes from the usual source.
constexpr int kLaneSpawnDraw = 15;

class TrafficFreeRandom final : public RandomSource {
 public:
  TrafficFreeRandom() : inner_(std::random_device{}()) {}

  int Random(int n) override { return n == kLaneSpawnDraw ? 0 : inner_.Random(n); }
  void Randomize(uint32_t now) override { inner_.Randomize(now); }
  uint64_t BaseSeed() const override { return inner_.BaseSeed(); }
  void SetBaseSeed(uint64_t seed) override { inner_.SetBaseSeed(seed); }

 private:
  SeededRandom inner_;
};

}  // namespace
}  // namespace jizdavo

// Takes the game's command line, as the web page gives it one (its saves folder).
int main(int argc, char** argv) {
  jizdavo::EndAtOnceOnQuitSignals();
  const jizdavo::CommandLine command = jizdavo::ParseCommandLine({argv + std::min(argc, 1), argv + argc});
  if (const std::optional<int> exit_code = jizdavo::AnswerCommandLine(command)) return *exit_code;
  return jizdavo::RunProgram(
      []() -> std::unique_ptr<jizdavo::RandomSource> { return std::make_unique<jizdavo::TrafficFreeRandom>(); },
      command);
}

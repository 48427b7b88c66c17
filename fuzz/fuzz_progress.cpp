// Feeds arbitrary bytes to the progress reader as a stored "Levels.dat"/"Levelsh.dat": it must always
// give a level of the mode, in the form that writing it back stores.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/progress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace jizdavo;
  const std::string_view stored(reinterpret_cast<const char*>(data), size);
  for (GameMode mode : {GameMode::Standard, GameMode::CarChase}) {
    const std::string progress = ParseProgress(stored, mode);
    const std::optional<int32_t> level = ParseInteger(progress);
    if (!level || *level < 1 || *level > LevelCount(mode)) __builtin_trap();
    if (ParseProgress(EncodeProgress(*level), mode) != progress) __builtin_trap();
  }
  return 0;
}

// Feeds arbitrary bytes to the replay reader: it must either refuse them with the game's error or give
// a replay that writes back to bytes reading as the same replay.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/replay_file.h"
#include "platform/error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace jizdavo;
  Replay replay;
  try {
    replay = DecodeReplay(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const Error&) {
    return 0;
  }
  if (DecodeReplay(EncodeReplay(replay)) != replay) __builtin_trap();
  return 0;
}

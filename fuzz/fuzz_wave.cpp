// Feeds arbitrary bytes to the WAVE reader; whatever it accepts must save and load back unchanged.
#include <algorithm>
#include <cstdlib>

#include "platform/error.h"
#include "platform/wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  jizdavo::TWave wave;
  try {
    wave.LoadFromMemory({data, size});
  } catch (const jizdavo::Error&) {
    return 0;
  }
  if (static_cast<size_t>(wave.Size()) > size) std::abort();
  jizdavo::TWave copy;
  copy.LoadFromMemory(wave.SaveToMemory());
  if (!wave.Empty() && (copy.Format() != wave.Format() || copy.Size() != wave.Size())) std::abort();
  if (!std::ranges::equal(copy.Data(), wave.Data())) std::abort();
  return 0;
}

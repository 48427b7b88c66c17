// Feeds arbitrary bytes to the WAVE reader; whatever it accepts must save and load back unchanged, and
// the mixer's conversion of it must either refuse it or, from PCM, give no more samples than there
// were bytes (a compressed form may give more: ADPCM packs four bits a sample).
#include <algorithm>
#include <cstdlib>

#include "platform/error.h"
#include "platform/sound/sound_samples.h"
#include "platform/sound/wave.h"

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
  try {
    const auto sound = jizdavo::MakeSoundSamples(wave);
    const uint16_t tag = wave.Format().format_tag;
    const bool pcm = tag == 1 || tag == 3 || tag == 0xFFFE;
    if (pcm && sound->Held().size() > wave.Data().size()) std::abort();
  } catch (const jizdavo::Error&) {
  }
  return 0;
}

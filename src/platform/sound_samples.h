#pragma once
// A wave's sample bytes converted once into what the mixer plays: signed 16-bit, mono or stereo.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/wave.h"

namespace jizdavo {

struct SoundSamples {
  int channels = 1;
  int rate = 0;
  std::vector<int16_t> samples;  // interleaved

  size_t FrameCount() const { return samples.size() / static_cast<size_t>(channels); }
};

// Takes integer PCM of 1 to 32 bits, 32- or 64-bit float, plain or in the extensible record, and any
// compressed form the media library decodes (ADPCM, mu-law, A-law, GSM ...), at any rate above 0 and
// with any number of channels (more than two are mixed down to stereo). Raises "Sound Buffer cannot
// be made" for anything else (an unknown codec, a block alignment too small for its samples, no
// whole frame of data, too large) and "Sound Buffer cannot be locked" when there is no memory for
// the copy.
std::shared_ptr<const SoundSamples> MakeSoundSamples(const TWave& wave);

}  // namespace jizdavo

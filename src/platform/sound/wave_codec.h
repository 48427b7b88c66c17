#pragma once
// Compressed WAVE forms (ADPCM, mu-law, A-law, GSM and the rest the media library knows), decoded
// once into 16-bit samples.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/sound/wave.h"

namespace jizdavo {

struct DecodedSound {
  int channels = 0;
  std::vector<int16_t> samples;  // interleaved, every channel of the recording
};

// Decodes `data` stored under `format`'s tag. Decoding stops at the first block the library refuses
// or once `max_samples` are out; raises "Sound Buffer cannot be made" when the library has no decoder
// for the tag or nothing decodes.
DecodedSound DecodeWaveCodec(const WaveFormat& format, std::span<const uint8_t> data, size_t max_samples);

}  // namespace jizdavo

#pragma once
// Compressed WAVE forms (ADPCM, mu-law, A-law, GSM and the rest the media library knows), decoded
// into 16-bit samples a packet at a time: a tune as it plays, an effect whole.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/sound/wave.h"

namespace jizdavo {

struct AvCodecObjects;

class WaveDecoder {
 public:
  // The library's decoder for `format`'s tag; raises "Sound Buffer cannot be made" when it has none.
  explicit WaveDecoder(const WaveFormat& format);
  ~WaveDecoder();
  WaveDecoder(const WaveDecoder&) = delete;
  WaveDecoder& operator=(const WaveDecoder&) = delete;

  // The bytes to hand Decode at a time: whole blocks, about 16 KB.
  size_t PacketBytes() const { return packet_bytes_; }
  // Decodes one packet (none: the decoder's last frames), appending every channel's samples,
  // interleaved, to `samples`; false once the decoder refuses its input.
  bool Decode(std::span<const uint8_t> packet, std::vector<int16_t>& samples);

 private:
  std::unique_ptr<AvCodecObjects> codec_;
  int channels_;
  size_t packet_bytes_;
};

struct DecodedSound {
  int channels = 0;
  std::vector<int16_t> samples;  // interleaved, every channel of the recording
};

// Decodes the whole of `data`. Decoding stops at the first block the library refuses or once
// `max_samples` are out; raises "Sound Buffer cannot be made" when the library has no decoder for the
// tag or nothing decodes.
DecodedSound DecodeWaveCodec(const WaveFormat& format, std::span<const uint8_t> data, size_t max_samples);

}  // namespace jizdavo

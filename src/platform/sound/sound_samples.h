#pragma once
// What the mixer plays of a wave: 16-bit samples, mono or stereo. A wave held in memory (an effect) is
// converted once and held; a wave kept in its file (a tune) is streamed: read, decoded and converted a
// block at a time while it plays, so a tune costs the same little memory however long it is, and
// nothing of it is read before it plays.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/sound/wave.h"

namespace jizdavo {

// The frames of a streamed sound, read in order, a block at a time, by whoever fills the sound's
// ring (never the audio thread): a read may wait on the disk.
class FrameSource {
 public:
  virtual ~FrameSource() = default;
  // The next frames, up to `frames` of them, interleaved into `out`; fewer only at the end of the
  // sound, none after it. Frames a file no longer holds are silence.
  virtual size_t Read(int16_t* out, size_t frames) = 0;
};

class SoundSamples {
 public:
  SoundSamples(int channels, int rate) : channels(channels), rate(rate) {}
  virtual ~SoundSamples() = default;

  const int channels;  // 1 or 2
  const int rate;

  // The frames of a held sound, interleaved; nothing for a streamed one.
  virtual std::span<const int16_t> Held() const = 0;
  // A streamed sound's frames from its first on (nothing is read until they are asked for); null
  // for a held one.
  virtual std::unique_ptr<FrameSource> OpenStream() const = 0;
  bool Streamed() const { return Held().empty(); }
};

// Samples converted once and held in memory.
class HeldSamples final : public SoundSamples {
 public:
  HeldSamples(int channels, int rate, std::vector<int16_t> samples)
      : SoundSamples(channels, rate), samples(std::move(samples)) {}

  std::span<const int16_t> Held() const override { return samples; }
  std::unique_ptr<FrameSource> OpenStream() const override { return nullptr; }

  const std::vector<int16_t> samples;  // interleaved
};

// Takes integer PCM of 1 to 32 bits, 32- or 64-bit float, plain or in the extensible record, and any
// compressed form the media library decodes (ADPCM, mu-law, A-law, GSM ...), streamed from the wave's
// file when it keeps its samples there, at any rate above 0 and with any number of channels (more than
// two are mixed down to stereo). Raises "Sound Buffer cannot be made" for anything else (an
// unknown codec, a block alignment too small for its samples, no whole frame of data, too large to
// hold) and "Sound Buffer cannot be locked" when there is no memory for the held copy.
std::shared_ptr<const SoundSamples> MakeSoundSamples(const TWave& wave);

}  // namespace jizdavo

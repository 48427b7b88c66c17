#pragma once
// What the mixer plays of a wave: 16-bit samples, mono or stereo. Effects and compressed forms are
// converted once and held; a wave kept in its file is streamed, read and converted a block at a time
// where it plays, so a tune costs the same little memory however long it is.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/sound/wave.h"

namespace jizdavo {

class SoundSamples {
 public:
  SoundSamples(int channels, int rate) : channels(channels), rate(rate) {}
  virtual ~SoundSamples() = default;

  const int channels;  // 1 or 2
  const int rate;

  virtual uint64_t FrameCount() const = 0;
  // The frames from `first` (< FrameCount()) on, interleaved: sets `frames` to them and returns how
  // many follow there, at least min(wanted, FrameCount() - first). Held samples are given in place;
  // streamed ones are read into `scratch`, room for `wanted` frames. Frames the file no longer holds
  // are silence.
  virtual uint64_t Frames(uint64_t first, uint64_t wanted, int16_t* scratch, const int16_t*& frames) const = 0;
  // Whether Frames needs a caller's scratch room.
  virtual bool Streamed() const = 0;
};

// Samples converted once and held in memory.
class HeldSamples final : public SoundSamples {
 public:
  HeldSamples(int channels, int rate, std::vector<int16_t> samples)
      : SoundSamples(channels, rate), samples(std::move(samples)) {}

  uint64_t FrameCount() const override { return samples.size() / static_cast<size_t>(channels); }
  uint64_t Frames(uint64_t first, uint64_t, int16_t*, const int16_t*& frames) const override {
    frames = samples.data() + first * static_cast<uint64_t>(channels);
    return FrameCount() - first;
  }
  bool Streamed() const override { return false; }

  const std::vector<int16_t> samples;  // interleaved
};

// Takes integer PCM of 1 to 32 bits, 32- or 64-bit float, plain or in the extensible record (streamed
// from the wave's file when it keeps its samples there), and any compressed form the media library
// decodes (ADPCM, mu-law, A-law, GSM ...), at any rate above 0 and with any number of channels (more
// than two are mixed down to stereo). Raises "Sound Buffer cannot be made" for anything else (an
// unknown codec, a block alignment too small for its samples, no whole frame of data, too large to
// hold) and "Sound Buffer cannot be locked" when there is no memory for the held copy.
std::shared_ptr<const SoundSamples> MakeSoundSamples(const TWave& wave);

}  // namespace jizdavo

#pragma once
// Small synthetic sounds and helpers for reading the mixed stereo stream.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/sound/dx_sound.h"
#include "platform/sound/sound_samples.h"
#include "platform/sound/wave.h"
#include "platform/sound/wave_list.h"

namespace jizdavo::testing_sound {

inline TWave Wave16(int channels, int rate, const std::vector<int16_t>& samples) {
  std::vector<uint8_t> bytes;
  for (int16_t s : samples) {
    bytes.push_back(static_cast<uint8_t>(s));
    bytes.push_back(static_cast<uint8_t>(static_cast<uint16_t>(s) >> 8));
  }
  TWave wave;
  wave.Assign(WaveFormat::Pcm(channels, rate, 16), bytes);
  return wave;
}

inline TWave Mono16(int rate, const std::vector<int16_t>& samples) { return Wave16(1, rate, samples); }

inline std::vector<int16_t> Constant(int frames, int16_t value) {
  return std::vector<int16_t>(frames, value);
}

inline std::vector<int16_t> Ramp(int frames, int start, int step) {
  std::vector<int16_t> out;
  for (int i = 0; i < frames; ++i) out.push_back(static_cast<int16_t>(start + i * step));
  return out;
}

// One channel (0 left, 1 right) of an interleaved stereo stream.
inline std::vector<int16_t> Channel(const std::vector<int16_t>& stereo, int channel) {
  std::vector<int16_t> out;
  for (size_t i = channel; i < stereo.size(); i += 2) out.push_back(stereo[i]);
  return out;
}

// Every sample a sound gives, interleaved: those held, or those its stream reads to its end.
inline std::vector<int16_t> AllSamples(const SoundSamples& sound) {
  if (!sound.Streamed()) return {sound.Held().begin(), sound.Held().end()};
  std::vector<int16_t> out;
  const std::unique_ptr<FrameSource> source = sound.OpenStream();
  std::vector<int16_t> block(1000 * static_cast<size_t>(sound.channels));
  for (size_t got = 1; got > 0;) {
    got = source->Read(block.data(), 1000);
    out.insert(out.end(), block.begin(), block.begin() + static_cast<ptrdiff_t>(got * sound.channels));
  }
  return out;
}

inline int CountNonZeroFrames(const std::vector<int16_t>& stereo) {
  int count = 0;
  for (size_t i = 0; i + 1 < stereo.size(); i += 2) count += stereo[i] != 0 || stereo[i + 1] != 0;
  return count;
}

// A sound device on `Output` with one collection; items are added with their wave, then Initialize.
template <class Output>
struct SoundRig {
  TWaveCollectionItem& Add(const char* name, const TWave& wave) {
    TWaveCollectionItem& item = list.Add(name);
    item.Wave() = wave;
    return item;
  }
  Output output;
  TDXSound sound{output};
  TDXWaveList list{sound};
};

}  // namespace jizdavo::testing_sound

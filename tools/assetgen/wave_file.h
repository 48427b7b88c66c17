#pragma once
// RIFF WAVE bytes from synthesised samples.

#include <cstdint>
#include <vector>

namespace jizdavo::assetgen {

struct SampleFormat {
  int channels;
  int rate;
  int bits;               // 8 or 16
  bool long_fmt = false;  // an 18-byte "fmt " chunk (with its empty extra-size field)
};

// Samples are -1..1, interleaved by channel; they are clipped and quantised to the format.
std::vector<uint8_t> EncodeWave(const SampleFormat& format, const std::vector<float>& samples);

}  // namespace jizdavo::assetgen

#include "wave_file.h"

#include <algorithm>
#include <cmath>

#include "platform/sound/wave.h"

namespace jizdavo::assetgen {

std::vector<uint8_t> EncodeWave(const SampleFormat& format, const std::vector<float>& samples) {
  std::vector<uint8_t> data;
  data.reserve(samples.size() * format.bits / 8);
  for (float s : samples) {
    double v = std::clamp(static_cast<double>(s), -1.0, 1.0);
    if (format.bits == 8) {
      data.push_back(static_cast<uint8_t>(std::lround(128 + v * 127)));  // 8-bit PCM is unsigned
    } else {
      auto word = static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767)));
      data.push_back(static_cast<uint8_t>(word));
      data.push_back(static_cast<uint8_t>(word >> 8));
    }
  }
  WaveFormat wave_format = WaveFormat::Pcm(format.channels, format.rate, format.bits);
  if (format.long_fmt) wave_format.extra = {0, 0};
  TWave wave;
  wave.Assign(std::move(wave_format), std::move(data));
  return wave.SaveToMemory();
}

}  // namespace jizdavo::assetgen

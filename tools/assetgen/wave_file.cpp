#include "wave_file.h"

#include <algorithm>
#include <cmath>

#include "byte_writer.h"

namespace jizdavo::assetgen {

namespace {

void Sample(ByteWriter& out, float value, int bits) {
  double v = std::clamp(static_cast<double>(value), -1.0, 1.0);
  if (bits == 8)
    out.U8(static_cast<uint32_t>(std::lround(128 + v * 127)));  // 8-bit PCM is unsigned around 128
  else
    out.U16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767))));
}

}  // namespace

std::vector<uint8_t> EncodeWave(const WaveFormat& format, const std::vector<float>& samples) {
  int block = format.channels * format.bits / 8;
  uint32_t data_bytes = static_cast<uint32_t>(samples.size() * format.bits / 8);
  ByteWriter out;
  out.Tag("RIFF");
  size_t riff_size_at = out.Size();
  out.U32(0);
  out.Tag("WAVE");
  out.Tag("fmt ");
  out.U32(format.long_fmt ? 18 : 16);
  out.U16(1);  // PCM
  out.U16(format.channels);
  out.U32(format.rate);
  out.U32(format.rate * block);
  out.U16(block);
  out.U16(format.bits);
  if (format.long_fmt) out.U16(0);
  out.Tag("data");
  out.U32(data_bytes);
  for (float s : samples) Sample(out, s, format.bits);
  if (data_bytes % 2) out.U8(0);  // chunks start on even offsets
  out.PatchU32(riff_size_at, static_cast<uint32_t>(out.Size() - 8));
  return out.Take();
}

}  // namespace jizdavo::assetgen

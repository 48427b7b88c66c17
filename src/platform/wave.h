#pragma once
// One block of sound in the WAVE layout: the format record as stored and the sample bytes.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace jizdavo {

// The "fmt " chunk, decoded; `extra` holds any bytes after the sixteen common ones, as stored.
struct WaveFormat {
  uint16_t format_tag = 0;
  uint16_t channels = 0;
  uint32_t samples_per_sec = 0;
  uint32_t avg_bytes_per_sec = 0;
  uint16_t block_align = 0;
  uint16_t bits_per_sample = 0;
  std::vector<uint8_t> extra;

  static constexpr uint16_t kPcm = 1;
  // Plain PCM with the derived fields filled in.
  static WaveFormat Pcm(int channels, int samples_per_sec, int bits_per_sample);
  bool operator==(const WaveFormat&) const = default;
};

class TWave {
 public:
  // Raises "Cannot open file %s" when the file cannot be opened, then as LoadFromMemory.
  void LoadFromFile(const std::string& path);
  // No bytes at all give an empty wave. Raises "Wave is invalid" for anything but RIFF WAVE with a
  // readable format record, and "Stream read error" where the format record claims more bytes than
  // there are; sample data that does keeps the bytes there are.
  // On an error the wave keeps its old contents.
  void LoadFromMemory(std::span<const uint8_t> bytes);
  // RIFF WAVE bytes with one "fmt " and one "data" chunk; an empty wave gives no bytes.
  std::vector<uint8_t> SaveToMemory() const;

  void Assign(WaveFormat format, std::vector<uint8_t> data);
  void Clear();

  bool Empty() const { return data_.empty(); }
  // The byte count of the sample data.
  int Size() const { return static_cast<int>(data_.size()); }
  const WaveFormat& Format() const { return format_; }
  std::span<const uint8_t> Data() const { return data_; }

 private:
  WaveFormat format_;
  std::vector<uint8_t> data_;
};

}  // namespace jizdavo

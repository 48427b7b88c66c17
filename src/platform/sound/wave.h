#pragma once
// One block of sound in the WAVE layout: the format record as stored and the sample bytes, held in
// memory or, for a wave loaded from a file, left in that file to be streamed from where it plays.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/open_file.h"

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

// Where a wave's sample bytes lie in the file it was loaded from.
struct WaveFileData {
  std::shared_ptr<const OpenFile> file;
  uint64_t offset = 0;
  uint64_t size = 0;
};

class TWave {
 public:
  // Reads the chunk headers and the format record, and keeps the file open with the sample bytes in
  // it. Only the first kTuneFileLimit bytes of the file count; sample data that claims more than
  // there is keeps what there is. Raises "Cannot open file %s" when the file cannot be opened, "%s is not a
  // plain file" for a FIFO, device or folder, then as LoadFromMemory.
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

  bool Empty() const { return Size() == 0; }
  // The byte count of the sample data.
  int Size() const;
  const WaveFormat& Format() const { return format_; }
  // The sample bytes held in memory; none for a wave that keeps them in its file.
  std::span<const uint8_t> Data() const { return data_; }
  // The file that holds the sample bytes, if the wave was loaded from one.
  const WaveFileData* InFile() const { return in_file_.file ? &in_file_ : nullptr; }
  // The sample bytes, read from the file where they are kept there (as many as it still holds).
  std::vector<uint8_t> ReadData() const;

 private:
  WaveFormat format_;
  std::vector<uint8_t> data_;
  WaveFileData in_file_;
};

}  // namespace jizdavo

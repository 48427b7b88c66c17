#include "platform/wave.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "platform/error.h"

namespace jizdavo {
namespace {

constexpr size_t kRiffHeaderSize = 12;
constexpr size_t kChunkHeaderSize = 8;
constexpr size_t kCommonFormatSize = 16;

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t ReadU32(const uint8_t* p) { return ReadU16(p) | static_cast<uint32_t>(ReadU16(p + 2)) << 16; }

// Appends little-endian fields to a buffer sized up front.
class ByteWriter {
 public:
  explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}
  void U16(uint16_t v) { Put(v, 2); }
  void U32(uint32_t v) { Put(v, 4); }
  void Bytes(std::span<const uint8_t> bytes) {
    if (bytes.empty()) return;  // an empty span may carry no pointer at all
    std::memcpy(out_.data() + pos_, bytes.data(), bytes.size());
    pos_ += bytes.size();
  }
  void Tag(const char* tag) { Bytes({reinterpret_cast<const uint8_t*>(tag), 4}); }

 private:
  void Put(uint32_t v, int count) {
    for (int i = 0; i < count; ++i) out_[pos_++] = static_cast<uint8_t>(v >> (8 * i));
  }
  std::vector<uint8_t>& out_;
  size_t pos_ = 0;
};

WaveFormat DecodeFormat(std::span<const uint8_t> chunk) {
  if (chunk.size() < kCommonFormatSize) throw Error("Wave is invalid");
  const uint8_t* p = chunk.data();
  WaveFormat format;
  format.format_tag = ReadU16(p);
  format.channels = ReadU16(p + 2);
  format.samples_per_sec = ReadU32(p + 4);
  format.avg_bytes_per_sec = ReadU32(p + 8);
  format.block_align = ReadU16(p + 12);
  format.bits_per_sample = ReadU16(p + 14);
  format.extra.assign(chunk.begin() + kCommonFormatSize, chunk.end());
  return format;
}

// Where the chunks of interest lie.
struct ChunkScan {
  std::optional<WaveFormat> format;
  size_t data_offset = 0;
  uint64_t data_size = 0;
};

bool IsChunkName(std::span<const uint8_t> bytes, uint64_t pos) {
  if (pos + 4 > bytes.size()) return false;
  return std::all_of(bytes.begin() + pos, bytes.begin() + pos + 4, [](uint8_t c) { return c >= 0x20 && c < 0x7F; });
}

ChunkScan ScanChunks(std::span<const uint8_t> bytes) {
  ChunkScan scan;
  uint64_t pos = kRiffHeaderSize;
  // Sizes are 64-bit here so that a hostile size cannot wrap the position around.
  while (pos + kChunkHeaderSize <= bytes.size()) {
    const uint8_t* header = bytes.data() + pos;
    const uint64_t size = ReadU32(header + 4);
    pos += kChunkHeaderSize;
    if (std::memcmp(header, "fmt ", 4) == 0) {
      if (size > bytes.size() - pos) throw Error("Stream read error");
      scan.format = DecodeFormat(bytes.subspan(pos, size));
    } else if (std::memcmp(header, "data", 4) == 0) {
      scan.data_offset = pos;
      scan.data_size = size;
    }
    pos += size;
    // A chunk of odd size is followed by a pad byte, unless its writer left that out and the next
    // chunk's name follows at once.
    if (size % 2 == 1 && !IsChunkName(bytes, pos)) ++pos;
  }
  return scan;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) throw Error("Cannot open file " + path);
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
    bytes.insert(bytes.end(), buffer, buffer + got);
  // A folder opens on some systems but cannot be read.
  if (std::ferror(file.get())) throw Error("Cannot open file " + path);
  return bytes;
}

}  // namespace

WaveFormat WaveFormat::Pcm(int channels, int samples_per_sec, int bits_per_sample) {
  WaveFormat format;
  format.format_tag = kPcm;
  format.channels = static_cast<uint16_t>(channels);
  format.samples_per_sec = static_cast<uint32_t>(samples_per_sec);
  format.block_align = static_cast<uint16_t>(channels * bits_per_sample / 8);
  format.avg_bytes_per_sec = format.samples_per_sec * format.block_align;
  format.bits_per_sample = static_cast<uint16_t>(bits_per_sample);
  return format;
}

void TWave::LoadFromFile(const std::string& path) { LoadFromMemory(ReadWholeFile(path)); }

void TWave::LoadFromMemory(std::span<const uint8_t> bytes) {
  if (bytes.empty()) {
    Clear();
    return;
  }
  if (bytes.size() < kRiffHeaderSize) throw Error("Stream read error");
  if (std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    throw Error("Wave is invalid");
  }
  ChunkScan scan = ScanChunks(bytes);
  // Sample data that claims more bytes than there are (a recording cut off, a header never finished)
  // plays what is there.
  scan.data_size = std::min<uint64_t>(scan.data_size, bytes.size() - scan.data_offset);
  // Sample bytes without a format record cannot be played or even counted in samples.
  if (!scan.format && scan.data_size > 0) throw Error("Wave is invalid");
  const auto data = bytes.subspan(scan.data_offset, scan.data_size);
  Assign(scan.format.value_or(WaveFormat{}), std::vector<uint8_t>(data.begin(), data.end()));
}

std::vector<uint8_t> TWave::SaveToMemory() const {
  std::vector<uint8_t> out;
  if (Empty()) return out;
  const uint32_t format_size = static_cast<uint32_t>(kCommonFormatSize + format_.extra.size());
  const size_t total = kRiffHeaderSize + kChunkHeaderSize + format_size + kChunkHeaderSize + data_.size();
  out.resize(total);
  ByteWriter w(out);
  w.Tag("RIFF");
  w.U32(static_cast<uint32_t>(total - kChunkHeaderSize));
  w.Tag("WAVE");
  w.Tag("fmt ");
  w.U32(format_size);
  w.U16(format_.format_tag);
  w.U16(format_.channels);
  w.U32(format_.samples_per_sec);
  w.U32(format_.avg_bytes_per_sec);
  w.U16(format_.block_align);
  w.U16(format_.bits_per_sample);
  w.Bytes(format_.extra);
  w.Tag("data");
  w.U32(static_cast<uint32_t>(data_.size()));
  w.Bytes(data_);
  return out;
}

void TWave::Assign(WaveFormat format, std::vector<uint8_t> data) {
  format_ = std::move(format);
  data_ = std::move(data);
}

void TWave::Clear() { Assign(WaveFormat{}, {}); }

}  // namespace jizdavo

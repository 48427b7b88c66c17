#include "platform/sound/wave.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>

#include "platform/error.h"
#include "platform/little_endian.h"

namespace jizdavo {
namespace {

constexpr size_t kRiffHeaderSize = 12;
constexpr size_t kChunkHeaderSize = 8;
constexpr size_t kCommonFormatSize = 16;
constexpr uint64_t kMaxFormatSize = 65536;
constexpr int kMostChunks = 1024;

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
  format.format_tag = ReadLittleEndian16(p);
  format.channels = ReadLittleEndian16(p + 2);
  format.samples_per_sec = ReadLittleEndian32(p + 4);
  format.avg_bytes_per_sec = ReadLittleEndian32(p + 8);
  format.block_align = ReadLittleEndian16(p + 12);
  format.bits_per_sample = ReadLittleEndian16(p + 14);
  format.extra.assign(chunk.begin() + kCommonFormatSize, chunk.end());
  return format;
}

// Where the chunks of interest lie.
struct ChunkScan {
  std::optional<WaveFormat> format;
  uint64_t data_offset = 0;
  uint64_t data_size = 0;
};

// The bytes at a place of the wave's bytes, as many as asked for: zeros past their end.
using ReadBytes = std::function<std::vector<uint8_t>(uint64_t pos, uint64_t count)>;

bool IsChunkName(const std::vector<uint8_t>& bytes) {
  return bytes.size() == 4 &&
         std::all_of(bytes.begin(), bytes.end(), [](uint8_t c) { return c >= 0x20 && c < 0x7F; });
}

// Chunks are found by their sizes, one read of a header each, the data between never read. The list
// ends where no further header fits, at a header without a chunk's name (a file padded with zeros,
// or junk after the last chunk), and after the most chunks any real wave has.
ChunkScan ScanChunks(uint64_t total, const ReadBytes& read) {
  ChunkScan scan;
  uint64_t pos = kRiffHeaderSize;
  // Sizes are 64-bit here so that a hostile size cannot wrap the position around.
  for (int chunks = 0; chunks < kMostChunks && pos + kChunkHeaderSize <= total; ++chunks) {
    std::vector<uint8_t> header = read(pos, kChunkHeaderSize);
    const uint64_t size = ReadLittleEndian32(header.data() + 4);
    header.resize(4);
    if (!IsChunkName(header)) break;
    pos += kChunkHeaderSize;
    if (std::memcmp(header.data(), "fmt ", 4) == 0) {
      if (size > total - pos) throw Error("Stream read error");
      // Real records are a few dozen bytes; a huge one is not read into memory.
      if (size > kMaxFormatSize) throw Error("Wave is invalid");
      scan.format = DecodeFormat(read(pos, size));
    } else if (std::memcmp(header.data(), "data", 4) == 0) {
      scan.data_offset = pos;
      scan.data_size = size;
    }
    pos += size;
    // A chunk of odd size is followed by a pad byte, unless its writer left that out and the next
    // chunk's name follows at once.
    if (size % 2 == 1 && pos < total && !IsChunkName(read(pos, 4))) ++pos;
  }
  return scan;
}

// The format record and where the samples lie, from the bytes of a whole file; nothing for no bytes.
std::optional<ChunkScan> Parse(uint64_t total, const ReadBytes& read) {
  if (total == 0) return std::nullopt;
  if (total < kRiffHeaderSize) throw Error("Stream read error");
  const std::vector<uint8_t> riff = read(0, kRiffHeaderSize);
  if (std::memcmp(riff.data(), "RIFF", 4) != 0 || std::memcmp(riff.data() + 8, "WAVE", 4) != 0) {
    throw Error("Wave is invalid");
  }
  ChunkScan scan = ScanChunks(total, read);
  // Sample data that claims more bytes than there are (a recording cut off, a header never finished)
  // plays what is there.
  scan.data_size = std::min(scan.data_size, total - std::min(scan.data_offset, total));
  // Sample bytes without a format record cannot be played or even counted in samples.
  if (!scan.format && scan.data_size > 0) throw Error("Wave is invalid");
  if (!scan.format) scan.format = WaveFormat{};
  return scan;
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

void TWave::LoadFromFile(const std::string& path) {
  std::shared_ptr<const OpenFile> file = OpenFile::Open(path);
  // Nothing past the bound is read, nor played: a longer file plays its first ten minutes.
  const std::optional<ChunkScan> scan =
      Parse(std::min<uint64_t>(file->Size(), kTuneFileLimit), [&](uint64_t pos, uint64_t count) {
        // A file cut since it was opened reads as zeros where its bytes are gone.
        std::vector<uint8_t> bytes(count);
        file->ReadAt(pos, bytes);
        return bytes;
      });
  if (!scan) {
    Clear();
    return;
  }
  format_ = *scan->format;
  data_.clear();
  in_file_ = {std::move(file), scan->data_offset, scan->data_size};
}

void TWave::LoadFromMemory(std::span<const uint8_t> bytes) {
  const std::optional<ChunkScan> scan = Parse(bytes.size(), [&](uint64_t pos, uint64_t count) {
    std::vector<uint8_t> out(count);
    if (pos < bytes.size())
      std::copy_n(bytes.begin() + pos, std::min<uint64_t>(count, bytes.size() - pos), out.begin());
    return out;
  });
  if (!scan) {
    Clear();
    return;
  }
  const auto data = bytes.subspan(scan->data_offset, scan->data_size);
  Assign(*scan->format, std::vector<uint8_t>(data.begin(), data.end()));
}

// A file's data chunk may count up to 4 GiB; past the int range the count stops there.
int TWave::Size() const {
  return static_cast<int>(std::min<uint64_t>(in_file_.file ? in_file_.size : data_.size(), INT_MAX));
}

std::vector<uint8_t> TWave::ReadData() const {
  if (!in_file_.file) return data_;
  std::vector<uint8_t> bytes(in_file_.size);
  bytes.resize(in_file_.file->ReadAt(in_file_.offset, bytes));
  return bytes;
}

std::vector<uint8_t> TWave::SaveToMemory() const {
  std::vector<uint8_t> out;
  if (Empty()) return out;
  const std::vector<uint8_t> data = ReadData();
  const uint32_t format_size = static_cast<uint32_t>(kCommonFormatSize + format_.extra.size());
  const size_t total = kRiffHeaderSize + kChunkHeaderSize + format_size + kChunkHeaderSize + data.size();
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
  w.U32(static_cast<uint32_t>(data.size()));
  w.Bytes(data);
  return out;
}

void TWave::Assign(WaveFormat format, std::vector<uint8_t> data) {
  format_ = std::move(format);
  data_ = std::move(data);
  in_file_ = {};
}

void TWave::Clear() { Assign(WaveFormat{}, {}); }

}  // namespace jizdavo

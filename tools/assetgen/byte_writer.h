#pragma once
// Little-endian byte output for the file formats the generator writes.

#include <cstdint>
#include <string_view>
#include <vector>

namespace jizdavo::assetgen {

class ByteWriter {
 public:
  void U8(uint32_t v) { bytes_.push_back(static_cast<uint8_t>(v)); }
  void U16(uint32_t v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v);
    U16(v >> 16);
  }
  void Tag(std::string_view text) {
    for (char c : text) U8(static_cast<uint8_t>(c));
  }
  void Append(const std::vector<uint8_t>& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
  // Rewrites a 32-bit field written earlier, for sizes known only at the end.
  void PatchU32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  size_t Size() const { return bytes_.size(); }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace jizdavo::assetgen

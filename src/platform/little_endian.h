#pragma once
// Unsigned numbers stored least significant byte first, as every file format the game reads has them.

#include <cstdint>

namespace jizdavo {

// The number in the `bytes` bytes (at most 8) from `p`.
inline uint64_t ReadLittleEndian(const uint8_t* p, int bytes) {
  uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<uint64_t>(p[i]) << (8 * i);
  return value;
}

inline uint16_t ReadLittleEndian16(const uint8_t* p) { return static_cast<uint16_t>(ReadLittleEndian(p, 2)); }
inline uint32_t ReadLittleEndian32(const uint8_t* p) { return static_cast<uint32_t>(ReadLittleEndian(p, 4)); }

}  // namespace jizdavo

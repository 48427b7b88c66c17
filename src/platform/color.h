#pragma once
// Colours as the game names them, and the 16-bit pixels of the display.

#include <cstdint>

namespace jizdavo {

// A colour value laid out 0x00BBGGRR: red in the lowest byte.
using TColor = uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor RGB(uint32_t r, uint32_t g, uint32_t b) { return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16; }
constexpr uint32_t GetRValue(TColor c) { return c & 0xFF; }
constexpr uint32_t GetGValue(TColor c) { return c >> 8 & 0xFF; }
constexpr uint32_t GetBValue(TColor c) { return c >> 16 & 0xFF; }

// A raw display pixel: RGB 5-6-5, no alpha, 0 is black.
using RawPixel = uint16_t;

namespace rgb565 {
constexpr RawPixel RedMask = 0xF800;
constexpr RawPixel GreenMask = 0x07E0;
constexpr RawPixel BlueMask = 0x001F;

// Widening puts each channel's top bit on bit 7 and leaves the low bits zero (no bit replication).
constexpr uint32_t Red8(RawPixel p) { return (p & RedMask) >> 8; }
constexpr uint32_t Green8(RawPixel p) { return (p & GreenMask) >> 3; }
constexpr uint32_t Blue8(RawPixel p) { return (p & BlueMask) << 3; }

// Packing drops the low bits of each 8-bit channel.
constexpr RawPixel Pack(uint32_t r8, uint32_t g8, uint32_t b8) {
  return static_cast<RawPixel>((r8 & 0xF8) << 8 | (g8 & 0xFC) << 3 | b8 >> 3);
}

// The raw value a colour becomes on a surface (the conversion pictures go through).
constexpr RawPixel FromColor(TColor c) { return Pack(GetRValue(c), GetGValue(c), GetBValue(c)); }
}  // namespace rgb565

}  // namespace jizdavo

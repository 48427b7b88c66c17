#pragma once
// The row loops one pixel at a time: all of the drawing where the vector loops are not built, and the
// tails those loops leave where they are.

#include <cstdint>

#include "platform/color.h"

namespace jizdavo::rows::plain {

// Widening shifts a channel's top bit to bit 7 with zero low bits, so the widened value is the field
// times 8 (red, blue) or 4 (green), and packing drops exactly those bits again. Hence, for a source
// field f and a destination field g (red shown):
//   ((8f * alpha + 8g * (255 - alpha)) div 256) div 8 = (f * alpha + g * (255 - alpha)) div 256,
// and the mix can work on the raw 5- and 6-bit fields without widening at all.
constexpr int kRedShift = 11;   // red field: bits 11..15
constexpr int kGreenShift = 5;  // green field: bits 5..10
constexpr RawPixel kGreenField = rgb565::GreenMask >> kGreenShift;
constexpr RawPixel kBlueField = rgb565::BlueMask;  // blue field: bits 0..4

// Every product and sum stays below 65536 (at most 63 * 255), so 16-bit arithmetic holds the exact
// integers; saying so lets the compiler mix eight or more pixels at once.
inline RawPixel BlendPixel(RawPixel s, RawPixel d, int alpha) {
  const auto a = static_cast<uint16_t>(alpha), inverse = static_cast<uint16_t>(255 - alpha);
  const auto mix = [&](uint16_t fs, uint16_t fd) {
    return static_cast<uint16_t>(static_cast<uint16_t>(fs * a) + static_cast<uint16_t>(fd * inverse)) >> 8;
  };
  const uint16_t r = mix(s >> kRedShift, d >> kRedShift);
  const uint16_t g = mix(s >> kGreenShift & kGreenField, d >> kGreenShift & kGreenField);
  const uint16_t b = mix(s & kBlueField, d & kBlueField);
  return static_cast<RawPixel>(r << kRedShift | g << kGreenShift | b);
}

// The keyed loops write a keyed pixel back unchanged rather than skip it, so that the compiler may turn
// them into vector selects. Front to back, each pixel read just before it is written.
inline void CopyKeyed(RawPixel* dst, const RawPixel* src, int count, RawPixel key) {
  for (int i = 0; i < count; ++i) dst[i] = src[i] == key ? dst[i] : src[i];
}

inline void Blend(RawPixel* dst, const RawPixel* src, int count, int alpha) {
  for (int i = 0; i < count; ++i) dst[i] = BlendPixel(src[i], dst[i], alpha);
}

inline void BlendKeyed(RawPixel* dst, const RawPixel* src, int count, int alpha, RawPixel key) {
  for (int i = 0; i < count; ++i) {
    dst[i] = src[i] == key ? dst[i] : BlendPixel(src[i], dst[i], alpha);
  }
}

inline void BlendColor(RawPixel* dst, int count, RawPixel color, int alpha) {
  for (int i = 0; i < count; ++i) dst[i] = BlendPixel(color, dst[i], alpha);
}

}  // namespace jizdavo::rows::plain

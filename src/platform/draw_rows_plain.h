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

inline RawPixel BlendPixel(RawPixel s, RawPixel d, uint32_t alpha) {
  const uint32_t inverse = 255 - alpha;
  const auto mix = [&](uint32_t fs, uint32_t fd) { return (fs * alpha + fd * inverse) >> 8; };
  const uint32_t r = mix(s >> kRedShift, d >> kRedShift);
  const uint32_t g = mix(s >> kGreenShift & kGreenField, d >> kGreenShift & kGreenField);
  const uint32_t b = mix(s & kBlueField, d & kBlueField);
  return static_cast<RawPixel>(r << kRedShift | g << kGreenShift | b);
}

// Front to back, one pixel read just before it is written, as a surface drawn onto itself expects.
inline void CopyKeyed(RawPixel* dst, const RawPixel* src, int count, RawPixel key) {
  for (int i = 0; i < count; ++i) {
    if (src[i] != key) dst[i] = src[i];
  }
}

inline void Blend(RawPixel* dst, const RawPixel* src, int count, int alpha) {
  for (int i = 0; i < count; ++i) dst[i] = BlendPixel(src[i], dst[i], static_cast<uint32_t>(alpha));
}

inline void BlendKeyed(RawPixel* dst, const RawPixel* src, int count, int alpha, RawPixel key) {
  for (int i = 0; i < count; ++i) {
    if (src[i] != key) dst[i] = BlendPixel(src[i], dst[i], static_cast<uint32_t>(alpha));
  }
}

}  // namespace jizdavo::rows::plain

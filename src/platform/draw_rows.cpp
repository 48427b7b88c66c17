#include "platform/draw_rows.h"

#include <emmintrin.h>

#include <cstring>
#include <vector>

namespace jizdavo::rows {

namespace {

constexpr int kLanes = 8;  // 16-bit pixels in one SSE2 register

// One pixel through the blend, for the tails the vector loop leaves.
RawPixel BlendPixel(RawPixel s, RawPixel d, uint32_t alpha) {
  const uint32_t inverse = 255 - alpha;
  const uint32_t r = (rgb565::Red8(s) * alpha + rgb565::Red8(d) * inverse) >> 8;
  const uint32_t g = (rgb565::Green8(s) * alpha + rgb565::Green8(d) * inverse) >> 8;
  const uint32_t b = (rgb565::Blue8(s) * alpha + rgb565::Blue8(d) * inverse) >> 8;
  return rgb565::Pack(r, g, b);
}

// Eight pixels through the blend. Every product and sum stays below 65536 (at most 252 * 255), so
// 16-bit lanes hold the exact integers and the shift by 8 is the division by 256.
__m128i BlendLanes(__m128i s, __m128i d, __m128i alpha, __m128i inverse) {
  const __m128i red_mask = _mm_set1_epi16(static_cast<short>(rgb565::RedMask));
  const __m128i green_mask = _mm_set1_epi16(rgb565::GreenMask);
  const __m128i blue_mask = _mm_set1_epi16(rgb565::BlueMask);
  // Widen: red's top bit 15 -> 7, green's top bit 10 -> 7, blue's top bit 4 -> 7; low bits stay zero.
  const __m128i sr = _mm_srli_epi16(_mm_and_si128(s, red_mask), 8);
  const __m128i sg = _mm_srli_epi16(_mm_and_si128(s, green_mask), 3);
  const __m128i sb = _mm_slli_epi16(_mm_and_si128(s, blue_mask), 3);
  const __m128i dr = _mm_srli_epi16(_mm_and_si128(d, red_mask), 8);
  const __m128i dg = _mm_srli_epi16(_mm_and_si128(d, green_mask), 3);
  const __m128i db = _mm_slli_epi16(_mm_and_si128(d, blue_mask), 3);
  const auto mix = [&](__m128i sc, __m128i dc) {
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(sc, alpha), _mm_mullo_epi16(dc, inverse)), 8);
  };
  // Pack: keep each channel's top 5 or 6 bits and move them back into place.
  const __m128i r = _mm_slli_epi16(_mm_and_si128(mix(sr, dr), _mm_set1_epi16(0xF8)), 8);
  const __m128i g = _mm_slli_epi16(_mm_and_si128(mix(sg, dg), _mm_set1_epi16(0xFC)), 3);
  const __m128i b = _mm_srli_epi16(mix(sb, db), 3);
  return _mm_or_si128(r, _mm_or_si128(g, b));
}

__m128i Load(const RawPixel* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
void Store(RawPixel* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// Where the source equals the key, take the destination lane instead of the drawn one.
__m128i KeepKeyed(__m128i drawn, __m128i s, __m128i d, __m128i key) {
  const __m128i keyed = _mm_cmpeq_epi16(s, key);
  return _mm_or_si128(_mm_and_si128(keyed, d), _mm_andnot_si128(keyed, drawn));
}

}  // namespace

void Fill(RawPixel* dst, int count, RawPixel value) {
  const __m128i v = _mm_set1_epi16(static_cast<short>(value));
  int i = 0;
  for (; i + 2 * kLanes <= count; i += 2 * kLanes) {
    Store(dst + i, v);
    Store(dst + i + kLanes, v);
  }
  for (; i < count; ++i) dst[i] = value;
}

void Copy(RawPixel* dst, const RawPixel* src, int count) {
  if (count > 0) std::memmove(dst, src, static_cast<size_t>(count) * sizeof(RawPixel));
}

void CopyKeyed(RawPixel* dst, const RawPixel* src, int count, RawPixel key) {
  const __m128i k = _mm_set1_epi16(static_cast<short>(key));
  int i = 0;
  for (; i + kLanes <= count; i += kLanes) {
    const __m128i s = Load(src + i);
    Store(dst + i, KeepKeyed(s, s, Load(dst + i), k));
  }
  for (; i < count; ++i) {
    if (src[i] != key) dst[i] = src[i];
  }
}

void Blend(RawPixel* dst, const RawPixel* src, int count, int alpha) {
  const __m128i a = _mm_set1_epi16(static_cast<short>(alpha));
  const __m128i inv = _mm_set1_epi16(static_cast<short>(255 - alpha));
  int i = 0;
  for (; i + kLanes <= count; i += kLanes) Store(dst + i, BlendLanes(Load(src + i), Load(dst + i), a, inv));
  for (; i < count; ++i) dst[i] = BlendPixel(src[i], dst[i], static_cast<uint32_t>(alpha));
}

void BlendKeyed(RawPixel* dst, const RawPixel* src, int count, int alpha, RawPixel key) {
  const __m128i a = _mm_set1_epi16(static_cast<short>(alpha));
  const __m128i inv = _mm_set1_epi16(static_cast<short>(255 - alpha));
  const __m128i k = _mm_set1_epi16(static_cast<short>(key));
  int i = 0;
  for (; i + kLanes <= count; i += kLanes) {
    const __m128i s = Load(src + i);
    const __m128i d = Load(dst + i);
    Store(dst + i, KeepKeyed(BlendLanes(s, d, a, inv), s, d, k));
  }
  for (; i < count; ++i) {
    if (src[i] != key) dst[i] = BlendPixel(src[i], dst[i], static_cast<uint32_t>(alpha));
  }
}

void Put(RawPixel* dst, const RawPixel* src, int count, int alpha, bool keyed, RawPixel key) {
  if (alpha >= 255) {
    keyed ? CopyKeyed(dst, src, count, key) : Copy(dst, src, count);
  } else {
    keyed ? BlendKeyed(dst, src, count, alpha, key) : Blend(dst, src, count, alpha);
  }
}

RawPixel* Scratch(int count) {
  thread_local std::vector<RawPixel> scratch;
  if (scratch.size() < static_cast<size_t>(count)) scratch.resize(static_cast<size_t>(count));
  return scratch.data();
}

}  // namespace jizdavo::rows

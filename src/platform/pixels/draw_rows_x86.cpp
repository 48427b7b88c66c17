// The row loops on x86-64: SSE2, which every such processor has, and AVX2 for the copies where the
// processor has it, asked once at start-up. Built only there, and only with JIZDAVO_VECTOR_LOOPS on.

#include <immintrin.h>

#include "platform/pixels/draw_rows.h"
#include "platform/pixels/draw_rows_plain.h"

namespace jizdavo::rows {

namespace {

using plain::kBlueField;
using plain::kGreenField;
using plain::kGreenShift;
using plain::kRedShift;

constexpr int kLanes = 8;  // 16-bit pixels in one SSE2 register

// Eight pixels through the blend, on the raw fields as draw_rows_plain.h explains. Every product and sum
// stays below 65536 (at most 63 * 255), so 16-bit lanes hold the exact integers and the shift by 8 is
// the division by 256.
__m128i BlendLanes(__m128i s, __m128i d, __m128i alpha, __m128i inverse) {
  const __m128i green_field = _mm_set1_epi16(kGreenField);
  const __m128i blue_field = _mm_set1_epi16(kBlueField);
  const auto mix = [&](__m128i fs, __m128i fd) {
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(fs, alpha), _mm_mullo_epi16(fd, inverse)), 8);
  };
  // Red needs no mask: shifting right by 11 leaves only its field.
  const __m128i r = mix(_mm_srli_epi16(s, kRedShift), _mm_srli_epi16(d, kRedShift));
  const __m128i g = mix(_mm_and_si128(_mm_srli_epi16(s, kGreenShift), green_field),
                        _mm_and_si128(_mm_srli_epi16(d, kGreenShift), green_field));
  const __m128i b = mix(_mm_and_si128(s, blue_field), _mm_and_si128(d, blue_field));
  // Each mixed field is no wider than its inputs, so shifting back into place needs no mask.
  return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(r, kRedShift), _mm_slli_epi16(g, kGreenShift)), b);
}

__m128i Load(const RawPixel* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
void Store(RawPixel* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// Where the source equals the key, take the destination lane instead of the drawn one.
__m128i KeepKeyed(__m128i drawn, __m128i s, __m128i d, __m128i key) {
  const __m128i keyed = _mm_cmpeq_epi16(s, key);
  return _mm_or_si128(_mm_and_si128(keyed, d), _mm_andnot_si128(keyed, drawn));
}

// A block with no keyed pixel is stored without reading the destination, and a wholly keyed one is
// skipped: a sprite's inside is mostly the former, its corners the latter.
void CopyKeyedBlock(RawPixel* dst, const RawPixel* src, __m128i key) {
  const __m128i s = Load(src);
  const int keyed = _mm_movemask_epi8(_mm_cmpeq_epi16(s, key));
  if (keyed == 0) {
    Store(dst, s);
  } else if (keyed != 0xFFFF) {
    Store(dst, KeepKeyed(s, s, Load(dst), key));
  }
}

constexpr int kWideLanes = 16;  // 16-bit pixels in one AVX2 register

__attribute__((target("avx2"))) void CopyKeyedWideBlock(RawPixel* dst, const RawPixel* src, __m256i key) {
  const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src));
  const __m256i keyed = _mm256_cmpeq_epi16(s, key);
  const int mask = _mm256_movemask_epi8(keyed);
  if (mask == 0) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), s);
  } else if (mask != -1) {
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), _mm256_blendv_epi8(s, d, keyed));
  }
}

// The keyed copy sixteen pixels at a time, for rows of at least that many that do not overlap. The
// last block reaches back over pixels the loop does too, which gives them the same values; it is read
// before the loop writes, so that its reads never wait on the loop's stores. Inlined into the block
// loop, so that a sprite's rows cost no call each.
__attribute__((target("avx2"), always_inline)) inline void CopyKeyedWide(RawPixel* dst, const RawPixel* src,
                                                                        int count, RawPixel key) {
  const __m256i k = _mm256_set1_epi16(static_cast<short>(key));
  const int last = count - kWideLanes;
  const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + last));
  const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + last));
  const __m256i tail = _mm256_blendv_epi8(s, d, _mm256_cmpeq_epi16(s, k));
  for (int i = 0; i < last; i += kWideLanes) CopyKeyedWideBlock(dst + i, src + i, k);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + last), tail);
}

__attribute__((target("avx2"))) void CopyKeyedWideRows(RawPixel* dst, int dst_pitch, const RawPixel* src,
                                                        int src_pitch, int count, int rows, RawPixel key) {
  for (int row = 0; row < rows; ++row, dst += dst_pitch, src += src_pitch) {
    CopyKeyedWide(dst, src, count, key);
  }
}

// The opaque copy sixteen pixels at a time, for rows of at least that many; the last block reaches
// back over pixels already copied.
__attribute__((target("avx2"))) void CopyWideRows(RawPixel* dst, int dst_pitch, const RawPixel* src,
                                                  int src_pitch, int count, int rows) {
  const int last = count - kWideLanes;
  for (int row = 0; row < rows; ++row, dst += dst_pitch, src += src_pitch) {
    const __m256i tail = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + last));
    for (int i = 0; i < last; i += kWideLanes) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i),
                          _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i)));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + last), tail);
  }
}

// One field of sixteen pixels mixed with one colour's field already multiplied by alpha.
__attribute__((target("avx2"), always_inline)) inline __m256i MixWide(__m256i fs_alpha, __m256i fd,
                                                                      __m256i inverse) {
  return _mm256_srli_epi16(_mm256_add_epi16(fs_alpha, _mm256_mullo_epi16(fd, inverse)), 8);
}

// Sixteen pixels mixed with one colour whose fields are already multiplied by alpha (`red`, `green`,
// `blue`): the blend of BlendLanes with the source's half done once for the whole row.
__attribute__((target("avx2"), always_inline)) inline __m256i BlendColorWideLanes(__m256i d, __m256i red,
                                                                                  __m256i green, __m256i blue,
                                                                                  __m256i inverse) {
  const __m256i green_field = _mm256_set1_epi16(kGreenField);
  const __m256i blue_field = _mm256_set1_epi16(kBlueField);
  const __m256i r = MixWide(red, _mm256_srli_epi16(d, kRedShift), inverse);
  const __m256i g = MixWide(green, _mm256_and_si256(_mm256_srli_epi16(d, kGreenShift), green_field), inverse);
  const __m256i b = MixWide(blue, _mm256_and_si256(d, blue_field), inverse);
  return _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(r, kRedShift), _mm256_slli_epi16(g, kGreenShift)), b);
}

// Rows of at least sixteen pixels. The last block reaches back over pixels the loop does too; it is
// mixed from the untouched destination before the loop writes, so those pixels get the same values.
__attribute__((target("avx2"))) void BlendColorWide(RawPixel* dst, int count, RawPixel color, int alpha) {
  const __m256i red = _mm256_set1_epi16(static_cast<short>((color >> kRedShift) * alpha));
  const __m256i green = _mm256_set1_epi16(static_cast<short>((color >> kGreenShift & kGreenField) * alpha));
  const __m256i blue = _mm256_set1_epi16(static_cast<short>((color & kBlueField) * alpha));
  const __m256i inverse = _mm256_set1_epi16(static_cast<short>(255 - alpha));
  auto* const last_block = reinterpret_cast<__m256i*>(dst + count - kWideLanes);
  const __m256i tail = BlendColorWideLanes(_mm256_loadu_si256(last_block), red, green, blue, inverse);
  for (int i = 0; i < count - kWideLanes; i += kWideLanes) {
    auto* const block = reinterpret_cast<__m256i*>(dst + i);
    _mm256_storeu_si256(block, BlendColorWideLanes(_mm256_loadu_si256(block), red, green, blue, inverse));
  }
  _mm256_storeu_si256(last_block, tail);
}

// Asked once at start-up; machines without AVX2 keep the SSE2 loop.
const bool kHasAvx2 = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}();

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

void CopyRows(RawPixel* dst, int dst_pitch, const RawPixel* src, int src_pitch, int count, int rows) {
  // Long rows go faster through the library's copy, short ones without its call.
  constexpr int kLongRow = 256;
  if (kHasAvx2 && count >= kWideLanes && count < kLongRow) {
    return CopyWideRows(dst, dst_pitch, src, src_pitch, count, rows);
  }
  for (int row = 0; row < rows; ++row, dst += dst_pitch, src += src_pitch) Copy(dst, src, count);
}

void CopyKeyed(RawPixel* dst, const RawPixel* src, int count, RawPixel key) {
  const bool apart = src + count <= dst || dst + count <= src;
  if (kHasAvx2 && count >= kWideLanes && apart) return CopyKeyedWideRows(dst, 0, src, 0, count, 1, key);
  const __m128i k = _mm_set1_epi16(static_cast<short>(key));
  const int last = count - kLanes;
  if (last > 0 && count % kLanes != 0 && apart) {
    // The tail as one block reaching back over pixels the loop does too, which gives them the same
    // values. It is read before the loop writes, so that its reads never wait on the loop's stores.
    const __m128i s = Load(src + last);
    const __m128i tail = KeepKeyed(s, s, Load(dst + last), k);
    for (int i = 0; i + kLanes <= count; i += kLanes) CopyKeyedBlock(dst + i, src + i, k);
    Store(dst + last, tail);
    return;
  }
  int i = 0;
  for (; i + kLanes <= count; i += kLanes) CopyKeyedBlock(dst + i, src + i, k);
  plain::CopyKeyed(dst + i, src + i, count - i, key);
}

void CopyKeyedRows(RawPixel* dst, int dst_pitch, const RawPixel* src, int src_pitch, int count, int rows,
                   RawPixel key) {
  if (kHasAvx2 && count >= kWideLanes) {
    return CopyKeyedWideRows(dst, dst_pitch, src, src_pitch, count, rows, key);
  }
  for (int row = 0; row < rows; ++row, dst += dst_pitch, src += src_pitch) CopyKeyed(dst, src, count, key);
}

void Blend(RawPixel* dst, const RawPixel* src, int count, int alpha) {
  const __m128i a = _mm_set1_epi16(static_cast<short>(alpha));
  const __m128i inv = _mm_set1_epi16(static_cast<short>(255 - alpha));
  int i = 0;
  for (; i + kLanes <= count; i += kLanes) Store(dst + i, BlendLanes(Load(src + i), Load(dst + i), a, inv));
  plain::Blend(dst + i, src + i, count - i, alpha);
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
  plain::BlendKeyed(dst + i, src + i, count - i, alpha, key);
}

void BlendColor(RawPixel* dst, int count, RawPixel color, int alpha) {
  if (kHasAvx2 && count >= kWideLanes) return BlendColorWide(dst, count, color, alpha);
  const __m128i s = _mm_set1_epi16(static_cast<short>(color));
  const __m128i a = _mm_set1_epi16(static_cast<short>(alpha));
  const __m128i inv = _mm_set1_epi16(static_cast<short>(255 - alpha));
  int i = 0;
  for (; i + kLanes <= count; i += kLanes) Store(dst + i, BlendLanes(s, Load(dst + i), a, inv));
  plain::BlendColor(dst + i, count - i, color, alpha);
}

}  // namespace jizdavo::rows

#include "platform/blit_kernels.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define THALRYN_X86 1
#endif

namespace plat {

void keyed_row16_reference(uint16_t* dst, const uint16_t* src, int32_t count, uint16_t key) {
  for (int32_t i = 0; i < count; ++i)
    if (src[i] != key) dst[i] = src[i];
}

void keyed_row8_reference(uint8_t* dst, const uint8_t* src, int32_t count, uint8_t key) {
  for (int32_t i = 0; i < count; ++i)
    if (src[i] != key) dst[i] = src[i];
}

void fill_row16_reference(uint16_t* dst, int32_t count, uint16_t value) {
  for (int32_t i = 0; i < count; ++i) dst[i] = value;
}

void keyed_rect16_reference(uint8_t* dst, int32_t dst_pitch, const uint8_t* src, int32_t src_pitch,
                            int32_t width, int32_t height, uint16_t key) {
  for (int32_t y = 0; y < height; ++y)
    keyed_row16_reference(reinterpret_cast<uint16_t*>(dst + y * dst_pitch),
                          reinterpret_cast<const uint16_t*>(src + y * src_pitch), width, key);
}

static inline uint32_t widen565(uint16_t p) {
  uint32_t r = p >> 11, g = (p >> 5) & 63, b = p & 31;
  r = (r << 3) | (r >> 2);
  g = (g << 2) | (g >> 4);
  b = (b << 3) | (b >> 2);
  return (r << 16) | (g << 8) | b;
}

void rgb565_to_xrgb_reference(uint32_t* dst, const uint16_t* src, int32_t count) {
  for (int32_t i = 0; i < count; ++i) dst[i] = widen565(src[i]);
}

#ifdef THALRYN_X86
namespace {

// The whole rectangle in one call: sprites are short rows, so the per-row
// call and dispatch would cost as much as the pixels.
__attribute__((target("avx2"))) void keyed_rect16_avx2(uint8_t* dst, int32_t dst_pitch,
                                                       const uint8_t* src, int32_t src_pitch,
                                                       int32_t width, int32_t height,
                                                       uint16_t key) {
  const __m256i k = _mm256_set1_epi16(static_cast<short>(key));
  const int32_t tail = width % 16;
  for (int32_t y = 0; y < height; ++y, dst += dst_pitch, src += src_pitch) {
    auto* d = reinterpret_cast<uint16_t*>(dst);
    auto* s = reinterpret_cast<const uint16_t*>(src);
    if (width < 16) {
      for (int32_t i = 0; i < width; ++i)
        if (s[i] != key) d[i] = s[i];
      continue;
    }
    // A partial last block is done as the 16 pixels ending the row, blended
    // from what was there before the loop stores over its first part: the
    // result is the same and no load waits on a just-stored overlap.
    __m256i last{};
    if (tail) {
      __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + width - 16));
      __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + width - 16));
      last = _mm256_blendv_epi8(sv, dv, _mm256_cmpeq_epi16(sv, k));
    }
    for (int32_t i = 0; i + 16 <= width; i += 16) {
      __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
      __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + i));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i),
                          _mm256_blendv_epi8(sv, dv, _mm256_cmpeq_epi16(sv, k)));
    }
    if (tail) _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + width - 16), last);
  }
}

__attribute__((target("avx2"))) void keyed_row8_avx2(uint8_t* dst, const uint8_t* src,
                                                     int32_t count, uint8_t key) {
  const __m256i k = _mm256_set1_epi8(static_cast<char>(key));
  int32_t i = 0;
  for (; i + 32 <= count; i += 32) {
    __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
    __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i),
                        _mm256_blendv_epi8(s, d, _mm256_cmpeq_epi8(s, k)));
  }
  for (; i < count; ++i)
    if (src[i] != key) dst[i] = src[i];
}

__attribute__((target("avx2"))) void fill_row16_avx2(uint16_t* dst, int32_t count, uint16_t value) {
  const __m256i v = _mm256_set1_epi16(static_cast<short>(value));
  int32_t i = 0;
  for (; i + 16 <= count; i += 16) _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), v);
  for (; i < count; ++i) dst[i] = value;
}

__attribute__((target("avx2"))) void rgb565_to_xrgb_avx2(uint32_t* dst, const uint16_t* src,
                                                         int32_t count) {
  const __m256i mask5 = _mm256_set1_epi16(31), mask6 = _mm256_set1_epi16(63);
  int32_t i = 0;
  for (; i + 16 <= count; i += 16) {
    __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
    __m256i r = _mm256_srli_epi16(p, 11);
    __m256i g = _mm256_and_si256(_mm256_srli_epi16(p, 5), mask6);
    __m256i b = _mm256_and_si256(p, mask5);
    r = _mm256_or_si256(_mm256_slli_epi16(r, 3), _mm256_srli_epi16(r, 2));
    g = _mm256_or_si256(_mm256_slli_epi16(g, 2), _mm256_srli_epi16(g, 4));
    b = _mm256_or_si256(_mm256_slli_epi16(b, 3), _mm256_srli_epi16(b, 2));
    __m256i gb = _mm256_or_si256(_mm256_slli_epi16(g, 8), b);
    __m256i lo = _mm256_unpacklo_epi16(gb, r);  // pixels 0-3 and 8-11
    __m256i hi = _mm256_unpackhi_epi16(gb, r);  // pixels 4-7 and 12-15
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i),
                        _mm256_permute2x128_si256(lo, hi, 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i + 8),
                        _mm256_permute2x128_si256(lo, hi, 0x31));
  }
  for (; i < count; ++i) dst[i] = widen565(src[i]);
}

bool has_avx2() {
  static const bool yes = __builtin_cpu_supports("avx2");
  return yes;
}

}  // namespace

void keyed_row16(uint16_t* dst, const uint16_t* src, int32_t count, uint16_t key) {
  // A row is a rectangle one pixel high.
  if (has_avx2())
    return keyed_rect16_avx2(reinterpret_cast<uint8_t*>(dst), 0,
                             reinterpret_cast<const uint8_t*>(src), 0, count, 1, key);
  keyed_row16_reference(dst, src, count, key);
}
void keyed_rect16(uint8_t* dst, int32_t dst_pitch, const uint8_t* src, int32_t src_pitch,
                  int32_t width, int32_t height, uint16_t key) {
  if (has_avx2()) return keyed_rect16_avx2(dst, dst_pitch, src, src_pitch, width, height, key);
  keyed_rect16_reference(dst, dst_pitch, src, src_pitch, width, height, key);
}
void keyed_row8(uint8_t* dst, const uint8_t* src, int32_t count, uint8_t key) {
  if (has_avx2()) return keyed_row8_avx2(dst, src, count, key);
  keyed_row8_reference(dst, src, count, key);
}
void fill_row16(uint16_t* dst, int32_t count, uint16_t value) {
  if (has_avx2()) return fill_row16_avx2(dst, count, value);
  fill_row16_reference(dst, count, value);
}
void rgb565_to_xrgb(uint32_t* dst, const uint16_t* src, int32_t count) {
  if (has_avx2()) return rgb565_to_xrgb_avx2(dst, src, count);
  rgb565_to_xrgb_reference(dst, src, count);
}

#else

void keyed_rect16(uint8_t* dst, int32_t dst_pitch, const uint8_t* src, int32_t src_pitch,
                  int32_t width, int32_t height, uint16_t key) {
  keyed_rect16_reference(dst, dst_pitch, src, src_pitch, width, height, key);
}
void keyed_row16(uint16_t* dst, const uint16_t* src, int32_t count, uint16_t key) {
  keyed_row16_reference(dst, src, count, key);
}
void keyed_row8(uint8_t* dst, const uint8_t* src, int32_t count, uint8_t key) {
  keyed_row8_reference(dst, src, count, key);
}
void fill_row16(uint16_t* dst, int32_t count, uint16_t value) {
  fill_row16_reference(dst, count, value);
}
void rgb565_to_xrgb(uint32_t* dst, const uint16_t* src, int32_t count) {
  rgb565_to_xrgb_reference(dst, src, count);
}

#endif

}  // namespace plat

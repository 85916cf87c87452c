// AVX2 versions of the vector blend formulas and of the keyed copies: eight 32-bit or sixteen
// 16-bit pixels a step; the rest of a row goes to the SSE2 routines. Only called when the
// processor reports AVX2, so the build itself needs no AVX2 flag.
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#include "media/blend_rows.h"

#define AVX2_FN __attribute__((target("avx2")))

namespace blend {
namespace {

AVX2_FN inline __m256i Load(const uint8_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
AVX2_FN inline void Store(uint8_t* p, __m256i v) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

AVX2_FN inline __m256i MixLanes(__m256i d, __m256i s, __m256i a) {
  return _mm256_add_epi16(d, _mm256_srai_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(s, d), a), 8));
}

AVX2_FN inline __m256i MixBytes(__m256i d, __m256i s, __m256i a) {
  const __m256i hs = _mm256_srli_epi16(_mm256_mullo_epi16(s, a), 8);
  const __m256i hd = _mm256_srli_epi16(_mm256_mullo_epi16(d, a), 8);
  return _mm256_add_epi16(d, _mm256_sub_epi16(hs, hd));
}

}  // namespace

AVX2_FN void Blend565LanesAvx2(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a) {
  const __m256i va = _mm256_set1_epi16(static_cast<short>(a));
  const __m256i vkey = _mm256_set1_epi16(static_cast<short>(key));
  const __m256i m6 = _mm256_set1_epi16(0x3F), m5 = _mm256_set1_epi16(0x1F);
  int i = 0;
  for (; i + 16 <= w; i += 16, d += 32, s += 32) {
    const __m256i sp = Load(s);
    const __m256i keyed = _mm256_cmpeq_epi16(sp, vkey);
    if (_mm256_movemask_epi8(keyed) == -1) continue;
    const __m256i dp = Load(d);
    const __m256i r = MixLanes(_mm256_srli_epi16(dp, 11), _mm256_srli_epi16(sp, 11), va);
    const __m256i g = MixLanes(_mm256_and_si256(_mm256_srli_epi16(dp, 5), m6),
                               _mm256_and_si256(_mm256_srli_epi16(sp, 5), m6), va);
    const __m256i b = MixLanes(_mm256_and_si256(dp, m5), _mm256_and_si256(sp, m5), va);
    const __m256i out =
        _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(r, 11), _mm256_slli_epi16(g, 5)), b);
    Store(d, _mm256_blendv_epi8(out, dp, keyed));
  }
  Blend565LanesSse2(d, s, w - i, key, a);
}

AVX2_FN void Blend32LanesAvx2(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a) {
  const __m256i va = _mm256_set1_epi16(static_cast<short>(a));
  const __m256i vkey = _mm256_set1_epi32(static_cast<int>(key & 0xFFFFFF));
  const __m256i rgb = _mm256_set1_epi32(0xFFFFFF);
  const __m256i zero = _mm256_setzero_si256();
  int i = 0;
  for (; i + 8 <= w; i += 8, d += 32, s += 32) {
    const __m256i sp = Load(s);
    const __m256i keyed = _mm256_cmpeq_epi32(_mm256_and_si256(sp, rgb), vkey);
    if (_mm256_movemask_epi8(keyed) == -1) continue;
    const __m256i dp = Load(d);
    // Unpacking and packing both work within 128-bit halves, so the pixel order is kept.
    const __m256i lo = MixBytes(_mm256_unpacklo_epi8(dp, zero), _mm256_unpacklo_epi8(sp, zero), va);
    const __m256i hi = MixBytes(_mm256_unpackhi_epi8(dp, zero), _mm256_unpackhi_epi8(sp, zero), va);
    Store(d, _mm256_blendv_epi8(_mm256_packus_epi16(lo, hi), dp, keyed));
  }
  Blend32LanesSse2(d, s, w - i, key, a);
}

AVX2_FN void KeyedCopy16Avx2(uint8_t* d, const uint8_t* s, int w, uint32_t key) {
  const __m256i vkey = _mm256_set1_epi16(static_cast<short>(key));
  int i = 0;
  for (; i + 16 <= w; i += 16, d += 32, s += 32) {
    const __m256i sp = Load(s);
    const __m256i keyed = _mm256_cmpeq_epi16(sp, vkey);
    const int bits = _mm256_movemask_epi8(keyed);
    if (bits == -1) continue;
    Store(d, bits == 0 ? sp : _mm256_blendv_epi8(sp, Load(d), keyed));
  }
  KeyedCopy16Sse2(d, s, w - i, key);
}

AVX2_FN void KeyedCopy32Avx2(uint8_t* d, const uint8_t* s, int w, uint32_t key) {
  const __m256i vkey = _mm256_set1_epi32(static_cast<int>(key & 0xFFFFFF));
  const __m256i rgb = _mm256_set1_epi32(0xFFFFFF);
  int i = 0;
  for (; i + 8 <= w; i += 8, d += 32, s += 32) {
    const __m256i sp = Load(s);
    const __m256i keyed = _mm256_cmpeq_epi32(_mm256_and_si256(sp, rgb), vkey);
    const int bits = _mm256_movemask_epi8(keyed);
    if (bits == -1) continue;
    Store(d, bits == 0 ? sp : _mm256_blendv_epi8(sp, Load(d), keyed));
  }
  KeyedCopy32Sse2(d, s, w - i, key);
}

}  // namespace blend
#endif

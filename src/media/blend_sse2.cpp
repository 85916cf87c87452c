// SSE2 versions of the vector blend formulas and of the keyed copies: four 32-bit or eight
// 16-bit pixels a step, the rest of a row through the one-pixel routines.
#if defined(__x86_64__) || defined(__i386__)
#include <emmintrin.h>

#include "media/blend_rows.h"

#define SSE2_FN __attribute__((target("sse2")))

namespace blend {
namespace {

SSE2_FN inline __m128i Load(const uint8_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
SSE2_FN inline void Store(uint8_t* p, __m128i v) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}
// Keeps d where keep is all ones, v elsewhere.
SSE2_FN inline __m128i Select(__m128i keep, __m128i d, __m128i v) {
  return _mm_or_si128(_mm_and_si128(keep, d), _mm_andnot_si128(keep, v));
}

// d + (((s - d) * a) >> 8) in 16-bit lanes; |s - d| <= 63 and a <= 256 keep the product in range.
SSE2_FN inline __m128i MixLanes(__m128i d, __m128i s, __m128i a) {
  return _mm_add_epi16(d, _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(s, d), a), 8));
}

// d + ((a * s) >> 8) - ((a * d) >> 8) on bytes widened to 16-bit lanes (a * 255 fits 16 bits).
SSE2_FN inline __m128i MixBytes(__m128i d, __m128i s, __m128i a) {
  const __m128i hs = _mm_srli_epi16(_mm_mullo_epi16(s, a), 8);
  const __m128i hd = _mm_srli_epi16(_mm_mullo_epi16(d, a), 8);
  return _mm_add_epi16(d, _mm_sub_epi16(hs, hd));
}

}  // namespace

SSE2_FN void Blend565LanesSse2(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a) {
  const __m128i va = _mm_set1_epi16(static_cast<short>(a));
  const __m128i vkey = _mm_set1_epi16(static_cast<short>(key));
  const __m128i m6 = _mm_set1_epi16(0x3F), m5 = _mm_set1_epi16(0x1F);
  int i = 0;
  for (; i + 8 <= w; i += 8, d += 16, s += 16) {
    const __m128i sp = Load(s);
    const __m128i keyed = _mm_cmpeq_epi16(sp, vkey);
    if (_mm_movemask_epi8(keyed) == 0xFFFF) continue;
    const __m128i dp = Load(d);
    const __m128i r = MixLanes(_mm_srli_epi16(dp, 11), _mm_srli_epi16(sp, 11), va);
    const __m128i g = MixLanes(_mm_and_si128(_mm_srli_epi16(dp, 5), m6),
                               _mm_and_si128(_mm_srli_epi16(sp, 5), m6), va);
    const __m128i b = MixLanes(_mm_and_si128(dp, m5), _mm_and_si128(sp, m5), va);
    const __m128i out = _mm_or_si128(_mm_or_si128(_mm_slli_epi16(r, 11), _mm_slli_epi16(g, 5)), b);
    Store(d, Select(keyed, dp, out));
  }
  Blend565Lanes(d, s, w - i, key, a);
}

SSE2_FN void Blend32LanesSse2(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a) {
  const __m128i va = _mm_set1_epi16(static_cast<short>(a));
  const __m128i vkey = _mm_set1_epi32(static_cast<int>(key & 0xFFFFFF));
  const __m128i rgb = _mm_set1_epi32(0xFFFFFF);
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + 4 <= w; i += 4, d += 16, s += 16) {
    const __m128i sp = Load(s);
    const __m128i keyed = _mm_cmpeq_epi32(_mm_and_si128(sp, rgb), vkey);
    if (_mm_movemask_epi8(keyed) == 0xFFFF) continue;
    const __m128i dp = Load(d);
    const __m128i lo = MixBytes(_mm_unpacklo_epi8(dp, zero), _mm_unpacklo_epi8(sp, zero), va);
    const __m128i hi = MixBytes(_mm_unpackhi_epi8(dp, zero), _mm_unpackhi_epi8(sp, zero), va);
    Store(d, Select(keyed, dp, _mm_packus_epi16(lo, hi)));
  }
  Blend32Lanes(d, s, w - i, key, a);
}

SSE2_FN void KeyedCopy16Sse2(uint8_t* d, const uint8_t* s, int w, uint32_t key) {
  const __m128i vkey = _mm_set1_epi16(static_cast<short>(key));
  int i = 0;
  for (; i + 8 <= w; i += 8, d += 16, s += 16) {
    const __m128i sp = Load(s);
    const __m128i keyed = _mm_cmpeq_epi16(sp, vkey);
    const int bits = _mm_movemask_epi8(keyed);
    if (bits == 0xFFFF) continue;
    Store(d, bits == 0 ? sp : Select(keyed, Load(d), sp));
  }
  KeyedCopy16(d, s, w - i, key);
}

SSE2_FN void KeyedCopy32Sse2(uint8_t* d, const uint8_t* s, int w, uint32_t key) {
  const __m128i vkey = _mm_set1_epi32(static_cast<int>(key & 0xFFFFFF));
  const __m128i rgb = _mm_set1_epi32(0xFFFFFF);
  int i = 0;
  for (; i + 4 <= w; i += 4, d += 16, s += 16) {
    const __m128i sp = Load(s);
    const __m128i keyed = _mm_cmpeq_epi32(_mm_and_si128(sp, rgb), vkey);
    const int bits = _mm_movemask_epi8(keyed);
    if (bits == 0xFFFF) continue;
    Store(d, bits == 0 ? sp : Select(keyed, Load(d), sp));
  }
  KeyedCopy32(d, s, w - i, key);
}

}  // namespace blend
#endif

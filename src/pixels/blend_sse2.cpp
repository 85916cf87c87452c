// SSE2 versions of the vector blend formulas and of the keyed copies: eight 16-bit or four
// 32-bit pixels a step; rows shorter than one step go pixel by pixel.
#include "pixels/blend_rows.h"

#ifdef TARVELLE_SSE2
#include <emmintrin.h>

#ifdef __wasm_simd128__
#define SSE2_FN
#else
#define SSE2_FN __attribute__((target("sse2")))
#endif

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

struct T565 {
  __m128i A, A8, Key, MR, MG, MB;
  SSE2_FN T565(uint32_t key, int a)
      : A(_mm_set1_epi16(static_cast<short>(a))),
        A8(_mm_set1_epi16(static_cast<short>(a * 8))),
        Key(_mm_set1_epi16(static_cast<short>(key))),
        MR(_mm_set1_epi16(static_cast<short>(0xF800))),
        MG(_mm_set1_epi16(0x07E0)),
        MB(_mm_set1_epi16(0x1F)) {}
  // The source sp over the destination dp, stored at d. Each channel's change q =
  // ((s - d) * a) >> 8 is added to the packed pixel in place: d + q stays inside the channel, so
  // nothing carries into the next one.
  SSE2_FN void Step(uint8_t* d, __m128i sp, __m128i dp) const {
    const __m128i keep = _mm_cmpeq_epi16(sp, Key);
    if (_mm_movemask_epi8(keep) == 0xFFFF) return;
    // Red: (s - d) * 8a with bits 0-10 cleared is q << 11 (the 16-bit lane drops what overflows).
    const __m128i r = _mm_and_si128(
        _mm_mullo_epi16(_mm_sub_epi16(_mm_srli_epi16(sp, 11), _mm_srli_epi16(dp, 11)), A8), MR);
    // Green: (s - d) << 5 times 8a, high half, is q.
    const __m128i g = _mm_slli_epi16(
        _mm_mulhi_epi16(_mm_sub_epi16(_mm_and_si128(sp, MG), _mm_and_si128(dp, MG)), A8), 5);
    const __m128i b = _mm_srai_epi16(
        _mm_mullo_epi16(_mm_sub_epi16(_mm_and_si128(sp, MB), _mm_and_si128(dp, MB)), A), 8);
    const __m128i out = _mm_add_epi16(_mm_add_epi16(dp, r), _mm_add_epi16(g, b));
    Store(d, Select(keep, dp, out));
  }
};

struct T32 {
  __m128i A, Key, Rgb, High;
  SSE2_FN T32(uint32_t key, int a)
      : A(_mm_set1_epi16(static_cast<short>(a))),
        Key(_mm_set1_epi32(static_cast<int>(key & 0xFFFFFF))),
        Rgb(_mm_set1_epi32(0xFFFFFF)),
        High(_mm_set1_epi32(static_cast<int>(0xFF00FF00))) {}
  // (a * byte) >> 8 for the four bytes of each pixel, back in their places.
  SSE2_FN __m128i Scaled(__m128i p) const {
    // A byte in the high half of a 16-bit lane times a, high half, is (a * byte) >> 8.
    const __m128i even = _mm_mulhi_epu16(_mm_slli_epi16(p, 8), A);
    const __m128i odd = _mm_mulhi_epu16(_mm_and_si128(p, High), A);
    return _mm_or_si128(even, _mm_slli_epi16(odd, 8));
  }
  // The source sp over the destination dp, stored at d. Each byte of d + ((a * s) >> 8) -
  // ((a * d) >> 8) lies in 0..255, so byte arithmetic that wraps gets it exactly.
  SSE2_FN void Step(uint8_t* d, __m128i sp, __m128i dp) const {
    const __m128i keep = _mm_cmpeq_epi32(_mm_and_si128(sp, Rgb), Key);
    if (_mm_movemask_epi8(keep) == 0xFFFF) return;
    const __m128i out = _mm_add_epi8(dp, _mm_sub_epi8(Scaled(sp), Scaled(dp)));
    Store(d, Select(keep, dp, out));
  }
};

struct TKeyed16 {
  __m128i Key;
  SSE2_FN void Step(uint8_t* d, __m128i sp, __m128i dp) const {
    Store(d, Select(_mm_cmpeq_epi16(sp, Key), dp, sp));
  }
};

struct TKeyed32 {
  __m128i Key, Rgb;
  SSE2_FN void Step(uint8_t* d, __m128i sp, __m128i dp) const {
    Store(d, Select(_mm_cmpeq_epi32(_mm_and_si128(sp, Rgb), Key), dp, sp));
  }
};

// A row of at least one step ends with a step over its last pixels, overlapping the step before.
// That step's pixels are read before anything of the row is written, so the overlapped pixels
// are computed from the same values twice and come out the same.
template <int Lanes, int Bpp, class Op>
SSE2_FN inline void Row(const Op& op, uint8_t* d, const uint8_t* s, int w) {
  const int t = w - Lanes;
  const __m128i lastS = Load(s + Bpp * t), lastD = Load(d + Bpp * t);
#pragma GCC unroll 2
  for (int i = 0; i < t; i += Lanes) op.Step(d + Bpp * i, Load(s + Bpp * i), Load(d + Bpp * i));
  op.Step(d + Bpp * t, lastS, lastD);
}

}  // namespace

SSE2_FN void Blend565LanesSse2Row(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a) {
  if (w < 8) return Blend565LanesRow(d, s, w, key, a);
  Row<8, 2>(T565(key, a), d, s, w);
}

SSE2_FN void Blend32LanesSse2Row(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a) {
  if (w < 4) return Blend32LanesRow(d, s, w, key, a);
  Row<4, 4>(T32(key, a), d, s, w);
}

SSE2_FN void KeyedCopy16Sse2Row(uint8_t* d, const uint8_t* s, int w, uint32_t key) {
  if (w < 8) return KeyedCopy16Row(d, s, w, key);
  Row<8, 2>(TKeyed16{_mm_set1_epi16(static_cast<short>(key))}, d, s, w);
}

SSE2_FN void KeyedCopy32Sse2Row(uint8_t* d, const uint8_t* s, int w, uint32_t key) {
  if (w < 4) return KeyedCopy32Row(d, s, w, key);
  Row<4, 4>(TKeyed32{_mm_set1_epi32(static_cast<int>(key & 0xFFFFFF)), _mm_set1_epi32(0xFFFFFF)}, d,
            s, w);
}

SSE2_FN void Blend565LanesSse2(const TBlock& b, uint32_t key, int a) {
  ForRows(Blend565LanesSse2Row, b, key, a);
}
SSE2_FN void Blend32LanesSse2(const TBlock& b, uint32_t key, int a) {
  ForRows(Blend32LanesSse2Row, b, key, a);
}
SSE2_FN void KeyedCopy16Sse2(const TBlock& b, uint32_t key) {
  ForRows(KeyedCopy16Sse2Row, b, key);
}
SSE2_FN void KeyedCopy32Sse2(const TBlock& b, uint32_t key) {
  ForRows(KeyedCopy32Sse2Row, b, key);
}

}  // namespace blend
#endif

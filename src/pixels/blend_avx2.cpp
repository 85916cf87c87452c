// AVX2 versions of the vector blend formulas and of the keyed copies: sixteen 16-bit or eight
// 32-bit pixels a step; shorter rows go to the SSE2 routines. Only called when the processor
// reports AVX2, so the build itself needs no AVX2 flag.
#include "pixels/blend_rows.h"

#ifdef TARVELLE_AVX2
#include <immintrin.h>

#define AVX2_FN __attribute__((target("avx2")))

namespace blend {
namespace {

AVX2_FN inline __m256i Load(const uint8_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
AVX2_FN inline void Store(uint8_t* p, __m256i v) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

struct T565 {
  __m256i A, A8, Key, MR, MG, MB;
  AVX2_FN T565(uint32_t key, int a)
      : A(_mm256_set1_epi16(static_cast<short>(a))),
        A8(_mm256_set1_epi16(static_cast<short>(a * 8))),
        Key(_mm256_set1_epi16(static_cast<short>(key))),
        MR(_mm256_set1_epi16(static_cast<short>(0xF800))),
        MG(_mm256_set1_epi16(0x07E0)),
        MB(_mm256_set1_epi16(0x1F)) {}
  // The source sp over the destination dp, stored at d. Each channel's change q =
  // ((s - d) * a) >> 8 is added to the packed pixel in place: d + q stays inside the channel, so
  // nothing carries into the next one.
  AVX2_FN void Step(uint8_t* d, __m256i sp, __m256i dp) const {
    const __m256i keep = _mm256_cmpeq_epi16(sp, Key);
    if (_mm256_movemask_epi8(keep) == -1) return;
    // Red: (s - d) * 8a with bits 0-10 cleared is q << 11 (the 16-bit lane drops what overflows).
    const __m256i r = _mm256_and_si256(
        _mm256_mullo_epi16(_mm256_sub_epi16(_mm256_srli_epi16(sp, 11), _mm256_srli_epi16(dp, 11)),
                           A8),
        MR);
    // Green: (s - d) << 5 times 8a, high half, is q.
    const __m256i g = _mm256_slli_epi16(
        _mm256_mulhi_epi16(_mm256_sub_epi16(_mm256_and_si256(sp, MG), _mm256_and_si256(dp, MG)),
                           A8),
        5);
    const __m256i b = _mm256_srai_epi16(
        _mm256_mullo_epi16(_mm256_sub_epi16(_mm256_and_si256(sp, MB), _mm256_and_si256(dp, MB)), A),
        8);
    const __m256i out = _mm256_add_epi16(_mm256_add_epi16(dp, r), _mm256_add_epi16(g, b));
    Store(d, _mm256_blendv_epi8(out, dp, keep));
  }
};

struct T32 {
  __m256i A, Key, Rgb, High;
  AVX2_FN T32(uint32_t key, int a)
      : A(_mm256_set1_epi16(static_cast<short>(a))),
        Key(_mm256_set1_epi32(static_cast<int>(key & 0xFFFFFF))),
        Rgb(_mm256_set1_epi32(0xFFFFFF)),
        High(_mm256_set1_epi32(static_cast<int>(0xFF00FF00))) {}
  // (a * byte) >> 8 for the four bytes of each pixel, back in their places.
  AVX2_FN __m256i Scaled(__m256i p) const {
    // A byte in the high half of a 16-bit lane times a, high half, is (a * byte) >> 8.
    const __m256i even = _mm256_mulhi_epu16(_mm256_slli_epi16(p, 8), A);
    const __m256i odd = _mm256_mulhi_epu16(_mm256_and_si256(p, High), A);
    return _mm256_or_si256(even, _mm256_slli_epi16(odd, 8));
  }
  // The source sp over the destination dp, stored at d. Each byte of d + ((a * s) >> 8) -
  // ((a * d) >> 8) lies in 0..255, so byte arithmetic that wraps gets it exactly.
  AVX2_FN void Step(uint8_t* d, __m256i sp, __m256i dp) const {
    const __m256i keep = _mm256_cmpeq_epi32(_mm256_and_si256(sp, Rgb), Key);
    if (_mm256_movemask_epi8(keep) == -1) return;
    const __m256i out = _mm256_add_epi8(dp, _mm256_sub_epi8(Scaled(sp), Scaled(dp)));
    Store(d, _mm256_blendv_epi8(out, dp, keep));
  }
};

// A row of at least one step ends with a step over its last pixels, overlapping the step before.
// That step's pixels are read before anything of the row is written, so the overlapped pixels
// are computed from the same values twice and come out the same.
template <int Lanes, int Bpp, class Op>
AVX2_FN inline void Row(const Op& op, uint8_t* d, const uint8_t* s, int w) {
  const int t = w - Lanes;
  const __m256i lastS = Load(s + Bpp * t), lastD = Load(d + Bpp * t);
#pragma GCC unroll 2
  for (int i = 0; i < t; i += Lanes) op.Step(d + Bpp * i, Load(s + Bpp * i), Load(d + Bpp * i));
  op.Step(d + Bpp * t, lastS, lastD);
}

AVX2_FN inline void Blend565Row(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a) {
  if (w < 16) return Blend565LanesSse2Row(d, s, w, key, a);
  Row<16, 2>(T565(key, a), d, s, w);
}

AVX2_FN inline void Blend32Row(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a) {
  if (w < 8) return Blend32LanesSse2Row(d, s, w, key, a);
  Row<8, 4>(T32(key, a), d, s, w);
}

struct TKeyed16 {
  __m256i Key;
  AVX2_FN void Step(uint8_t* d, __m256i sp, __m256i dp) const {
    Store(d, _mm256_blendv_epi8(sp, dp, _mm256_cmpeq_epi16(sp, Key)));
  }
};

struct TKeyed32 {
  __m256i Key, Rgb;
  AVX2_FN void Step(uint8_t* d, __m256i sp, __m256i dp) const {
    Store(d, _mm256_blendv_epi8(sp, dp, _mm256_cmpeq_epi32(_mm256_and_si256(sp, Rgb), Key)));
  }
};

AVX2_FN inline void Keyed16Row(uint8_t* d, const uint8_t* s, int w, const TKeyed16& op) {
  Row<16, 2>(op, d, s, w);
}
AVX2_FN inline void Keyed32Row(uint8_t* d, const uint8_t* s, int w, const TKeyed32& op) {
  Row<8, 4>(op, d, s, w);
}

// ForRows compiled for AVX2, so that the row routines inline.
template <class Row, class... Args>
AVX2_FN inline void Rows(Row row, const TBlock& b, const Args&... args) {
  // Copied out of the block: the rows' stores could otherwise be taken to change it.
  uint8_t* d = b.D;
  const uint8_t* s = b.S;
  const int dPitch = b.DPitch, sPitch = b.SPitch, w = b.W;
  for (int y = b.H; y > 0; --y, d += dPitch, s += sPitch) row(d, s, w, args...);
}

}  // namespace

AVX2_FN void Blend565LanesAvx2(const TBlock& b, uint32_t key, int a) {
  Rows(Blend565Row, b, key, a);
}

AVX2_FN void Blend32LanesAvx2(const TBlock& b, uint32_t key, int a) {
  Rows(Blend32Row, b, key, a);
}

AVX2_FN void KeyedCopy16Avx2(const TBlock& b, uint32_t key) {
  if (b.W < 16) return KeyedCopy16Sse2(b, key);
  Rows(Keyed16Row, b, TKeyed16{_mm256_set1_epi16(static_cast<short>(key))});
}

AVX2_FN void KeyedCopy32Avx2(const TBlock& b, uint32_t key) {
  if (b.W < 8) return KeyedCopy32Sse2(b, key);
  Rows(Keyed32Row, b,
       TKeyed32{_mm256_set1_epi32(static_cast<int>(key & 0xFFFFFF)), _mm256_set1_epi32(0xFFFFFF)});
}

}  // namespace blend
#endif

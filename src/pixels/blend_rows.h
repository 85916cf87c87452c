#pragma once
// The routines behind BlendImage and the keyed copies. Each works on a block of rows; the key is
// a pixel value (16 bits on 16-bit surfaces, the low 24 bits on 24- and 32-bit surfaces); a is
// the weight 1..256. A source pixel equal to the key leaves its destination pixel unchanged.
#include <cstdint>

// The vector routines: SSE2 on x86 and on WebAssembly's SIMD (through Emscripten's SSE2
// intrinsics, built with -msimd128 -msse2); AVX2 on x86 alone.
#if defined(__x86_64__) || defined(__i386__) || (defined(__wasm_simd128__) && defined(__SSE2__))
#define TARVELLE_SSE2 1
#endif
#if defined(__x86_64__) || defined(__i386__)
#define TARVELLE_AVX2 1
#endif

struct TPixelFormat;

namespace blend {

// H rows of W pixels; the pitches are the bytes from one row to the next.
struct TBlock {
  uint8_t* D;
  int DPitch;
  const uint8_t* S;
  int SPitch;
  int W, H;
};

// Runs a row routine over every row of a block.
template <class Row, class... Args>
inline void ForRows(Row row, const TBlock& b, Args... args) {
  // Copied out of the block: the rows' stores could otherwise be taken to change it.
  uint8_t* d = b.D;
  const uint8_t* s = b.S;
  const int dPitch = b.DPitch, sPitch = b.SPitch, w = b.W;
  for (int y = b.H; y > 0; --y, d += dPitch, s += sPitch) row(d, s, w, args...);
}

using TBlendFn = void (*)(const TBlock& b, uint32_t key, int a);
using TKeyedFn = void (*)(const TBlock& b, uint32_t key);

// The routines for a destination format at the current vector level (pixels/simd_level.h); nullptr
// where there is none (24-bit keyed copies go pixel by pixel).
TBlendFn PickBlend(const TPixelFormat& f);
TKeyedFn PickKeyedCopy(const TPixelFormat& f);

// Plain routines: two 16-bit pixels per 32-bit word, d + ((a * (s - d + 64)) >> 8) - (a >> 2)
// per channel, an odd last pixel d + ((a * (s - d)) >> 8).
void Blend565Pairs(const TBlock& b, uint32_t key, int a);
void Blend555Pairs(const TBlock& b, uint32_t key, int a);
// One pixel at a time, d + (((s - d) * a) >> 8) on red, green and blue; the top byte of a
// 32-bit pixel stays as it was.
void Blend24(const TBlock& b, uint32_t key, int a);
void Blend32(const TBlock& b, uint32_t key, int a);

// The formulas of the vector routines, one pixel at a time (rows of w pixels). They finish rows
// too short for the vector code.
// 5-6-5: d + (((s - d) * a) >> 8) per channel.
void Blend565LanesRow(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);
// 32-bit: d + ((a * s) >> 8) - ((a * d) >> 8) on each of the four bytes, limited to 0..255.
void Blend32LanesRow(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);
void Blend565Lanes(const TBlock& b, uint32_t key, int a);
void Blend32Lanes(const TBlock& b, uint32_t key, int a);

void KeyedCopy16Row(uint8_t* d, const uint8_t* s, int w, uint32_t key);
void KeyedCopy32Row(uint8_t* d, const uint8_t* s, int w, uint32_t key);
void KeyedCopy16(const TBlock& b, uint32_t key);
void KeyedCopy32(const TBlock& b, uint32_t key);

#ifdef TARVELLE_SSE2
// Vector routines. Rows of at least one vector end with a last vector that overlaps the one
// before it; shorter rows go to the narrower routine or the one-pixel routine.
void Blend565LanesSse2Row(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);
void Blend32LanesSse2Row(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);
void KeyedCopy16Sse2Row(uint8_t* d, const uint8_t* s, int w, uint32_t key);
void KeyedCopy32Sse2Row(uint8_t* d, const uint8_t* s, int w, uint32_t key);
void Blend565LanesSse2(const TBlock& b, uint32_t key, int a);
void Blend32LanesSse2(const TBlock& b, uint32_t key, int a);
void KeyedCopy16Sse2(const TBlock& b, uint32_t key);
void KeyedCopy32Sse2(const TBlock& b, uint32_t key);
#endif
#ifdef TARVELLE_AVX2
void Blend565LanesAvx2(const TBlock& b, uint32_t key, int a);
void Blend32LanesAvx2(const TBlock& b, uint32_t key, int a);
void KeyedCopy16Avx2(const TBlock& b, uint32_t key);
void KeyedCopy32Avx2(const TBlock& b, uint32_t key);
#endif

}  // namespace blend

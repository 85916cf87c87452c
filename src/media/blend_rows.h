#pragma once
// Row routines behind BlendImage and the keyed copies. Each works on one row of w pixels; the
// key is a pixel value (16 bits on 16-bit rows, the low 24 bits on 24- and 32-bit rows); a is
// the weight 1..256. A source pixel equal to the key leaves its destination pixel unchanged.
#include <cstdint>

struct TPixelFormat;

namespace blend {

using TBlendRow = void (*)(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);
using TKeyedRow = void (*)(uint8_t* d, const uint8_t* s, int w, uint32_t key);

// Plain routines: two 16-bit pixels per 32-bit word, d + ((a * (s - d + 64)) >> 8) - (a >> 2)
// per channel, an odd last pixel d + ((a * (s - d)) >> 8).
void Blend565Pairs(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);
void Blend555Pairs(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);
// One pixel at a time, d + (((s - d) * a) >> 8) on red, green and blue; the top byte of a
// 32-bit pixel stays as it was.
void Blend24(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);
void Blend32(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);

// The formulas of the vector routines, one pixel at a time. They finish the rows the vector
// code leaves over, and are the reference the vector code is held to.
// 5-6-5: d + (((s - d) * a) >> 8) per channel.
void Blend565Lanes(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);
// 32-bit: d + ((a * s) >> 8) - ((a * d) >> 8) on each of the four bytes, limited to 0..255.
void Blend32Lanes(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);

// The routines for a destination format at the current vector level (see SetSimdLevel); nullptr
// where there is none (24-bit keyed copies go pixel by pixel).
TBlendRow PickBlendRow(const TPixelFormat& f);
TKeyedRow PickKeyedRow(const TPixelFormat& f);

void KeyedCopy16(uint8_t* d, const uint8_t* s, int w, uint32_t key);
void KeyedCopy32(uint8_t* d, const uint8_t* s, int w, uint32_t key);

#if defined(__x86_64__) || defined(__i386__)
void Blend565LanesSse2(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);
void Blend32LanesSse2(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);
void KeyedCopy16Sse2(uint8_t* d, const uint8_t* s, int w, uint32_t key);
void KeyedCopy32Sse2(uint8_t* d, const uint8_t* s, int w, uint32_t key);

void Blend565LanesAvx2(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);
void Blend32LanesAvx2(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a);
void KeyedCopy16Avx2(uint8_t* d, const uint8_t* s, int w, uint32_t key);
void KeyedCopy32Avx2(uint8_t* d, const uint8_t* s, int w, uint32_t key);
#endif

}  // namespace blend

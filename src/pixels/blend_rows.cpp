#include "pixels/blend_rows.h"

#include <cstring>

namespace blend {
namespace {

uint16_t Load16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
uint32_t Load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
void Store16(uint8_t* p, uint16_t v) {
  std::memcpy(p, &v, 2);
}
void Store32(uint8_t* p, uint32_t v) {
  std::memcpy(p, &v, 4);
}

// One channel of a pixel pair: both 16-bit halves at once, each lane biased by 64 so that
// s - d stays positive and no lane borrows from its neighbour.
inline uint32_t PairChannel(uint32_t s, uint32_t d, int shift, uint32_t mask, uint32_t a,
                            uint32_t corr) {
  const uint32_t sc = (s >> shift) & mask, dc = (d >> shift) & mask;
  return (((((sc - dc + 0x00400040u) * a) >> 8) + dc - corr) & mask) << shift;
}

inline int Mix(int d, int s, int a) {
  return d + (((s - d) * a) >> 8);
}

template <int RShift, uint32_t RMask, int GShift, uint32_t GMask>
void BlendPairsRow(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a) {
  key &= 0xFFFF;
  const uint32_t keyPair = key | (key << 16);
  const uint32_t corr = static_cast<uint32_t>(a >> 2) * 0x00010001u;
  const uint32_t ua = static_cast<uint32_t>(a);
  const int pairs = w / 2;
  for (int i = 0; i < pairs; ++i, d += 4, s += 4) {
    const uint32_t sp = Load32(s);
    if (sp == keyPair) continue;
    const uint32_t dp = Load32(d);
    uint32_t r = PairChannel(sp, dp, RShift, RMask * 0x00010001u, ua, corr) |
                 PairChannel(sp, dp, GShift, GMask * 0x00010001u, ua, corr) |
                 PairChannel(sp, dp, 0, 0x001F001Fu, ua, corr);
    if ((sp & 0xFFFF) == key) r = (r & 0xFFFF0000u) | (dp & 0xFFFF);
    if ((sp >> 16) == key) r = (r & 0xFFFF) | (dp & 0xFFFF0000u);
    Store32(d, r);
  }
  if (w & 1) {
    const uint32_t sp = Load16(s);
    if (sp == key) return;
    const uint32_t dp = Load16(d);
    const auto ch = [&](int shift, uint32_t mask) {
      const int v =
          Mix(static_cast<int>((dp >> shift) & mask), static_cast<int>((sp >> shift) & mask), a);
      return static_cast<uint32_t>(v) << shift;
    };
    Store16(d, static_cast<uint16_t>(ch(RShift, RMask) | ch(GShift, GMask) | ch(0, 0x1F)));
  }
}

void Blend24Row(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a) {
  key &= 0xFFFFFF;
  for (int i = 0; i < w; ++i, d += 3, s += 3) {
    if ((s[0] | (s[1] << 8) | (s[2] << 16)) == static_cast<int>(key)) continue;
    for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>(Mix(d[c], s[c], a));
  }
}

void Blend32Row(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a) {
  key &= 0xFFFFFF;
  for (int i = 0; i < w; ++i, d += 4, s += 4) {
    if ((Load32(s) & 0xFFFFFF) == key) continue;
    for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>(Mix(d[c], s[c], a));
  }
}

}  // namespace

void Blend565LanesRow(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a) {
  key &= 0xFFFF;
  for (int i = 0; i < w; ++i, d += 2, s += 2) {
    const int sp = Load16(s);
    if (sp == static_cast<int>(key)) continue;
    const int dp = Load16(d);
    const int r = Mix(dp >> 11, sp >> 11, a);
    const int g = Mix((dp >> 5) & 0x3F, (sp >> 5) & 0x3F, a);
    const int b = Mix(dp & 0x1F, sp & 0x1F, a);
    Store16(d, static_cast<uint16_t>((r << 11) | (g << 5) | b));
  }
}

void Blend32LanesRow(uint8_t* d, const uint8_t* s, int w, uint32_t key, int a) {
  key &= 0xFFFFFF;
  for (int i = 0; i < w; ++i, d += 4, s += 4) {
    if ((Load32(s) & 0xFFFFFF) == key) continue;
    for (int c = 0; c < 4; ++c) {
      const int v = d[c] + ((a * s[c]) >> 8) - ((a * d[c]) >> 8);
      d[c] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
  }
}

void KeyedCopy16Row(uint8_t* d, const uint8_t* s, int w, uint32_t key) {
  key &= 0xFFFF;
  for (int i = 0; i < w; ++i)
    if (Load16(s + 2 * i) != key) std::memcpy(d + 2 * i, s + 2 * i, 2);
}

void KeyedCopy32Row(uint8_t* d, const uint8_t* s, int w, uint32_t key) {
  key &= 0xFFFFFF;
  for (int i = 0; i < w; ++i) {
    const uint32_t p = Load32(s + 4 * i);
    if ((p & 0xFFFFFF) != key) Store32(d + 4 * i, p);
  }
}

void Blend565Pairs(const TBlock& b, uint32_t key, int a) {
  ForRows(BlendPairsRow<11, 0x1F, 5, 0x3F>, b, key, a);
}
void Blend555Pairs(const TBlock& b, uint32_t key, int a) {
  ForRows(BlendPairsRow<10, 0x1F, 5, 0x1F>, b, key, a);
}
void Blend24(const TBlock& b, uint32_t key, int a) {
  ForRows(Blend24Row, b, key, a);
}
void Blend32(const TBlock& b, uint32_t key, int a) {
  ForRows(Blend32Row, b, key, a);
}
void Blend565Lanes(const TBlock& b, uint32_t key, int a) {
  ForRows(Blend565LanesRow, b, key, a);
}
void Blend32Lanes(const TBlock& b, uint32_t key, int a) {
  ForRows(Blend32LanesRow, b, key, a);
}
void KeyedCopy16(const TBlock& b, uint32_t key) {
  ForRows(KeyedCopy16Row, b, key);
}
void KeyedCopy32(const TBlock& b, uint32_t key) {
  ForRows(KeyedCopy32Row, b, key);
}

}  // namespace blend

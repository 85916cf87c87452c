#pragma once
// Reading and writing single pixels of 2, 3 or 4 bytes, for the drawing routines that work
// pixel by pixel.
#include <cstdint>
#include <cstring>

#include "pixels/surface.h"

namespace pixel_io {

template <int Bpp>
inline uint32_t Load(const uint8_t* p) {
  if constexpr (Bpp == 2) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
  } else if constexpr (Bpp == 3) {
    return p[0] | (p[1] << 8) | (p[2] << 16);
  } else {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  }
}

template <int Bpp>
inline void Store(uint8_t* p, uint32_t v) {
  if constexpr (Bpp == 2) {
    const uint16_t h = static_cast<uint16_t>(v);
    std::memcpy(p, &h, 2);
  } else if constexpr (Bpp == 3) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
  } else {
    std::memcpy(p, &v, 4);
  }
}

// The bits of a pixel that take part in the colour-key test.
template <int Bpp>
constexpr uint32_t KeyMask() {
  return Bpp == 2 ? 0xFFFFu : 0xFFFFFFu;
}

// Where the three channels of a format sit: shift and width mask of red, green and blue.
struct TChannels {
  int Shift[3];
  uint32_t Mask[3];
  static TChannels Of(const TPixelFormat& f) {
    if (f.BitCount == 16)
      return f.Is565() ? TChannels{{11, 5, 0}, {0x1F, 0x3F, 0x1F}}
                       : TChannels{{10, 5, 0}, {0x1F, 0x1F, 0x1F}};
    return TChannels{{16, 8, 0}, {0xFF, 0xFF, 0xFF}};
  }
};

// d + (((s - d) * a) >> 8) on each channel; bits outside the channels keep d's value.
inline uint32_t Mix(const TChannels& ch, uint32_t d, uint32_t s, int a) {
  uint32_t out = d;
  for (int c = 0; c < 3; ++c) {
    const int dc = static_cast<int>((d >> ch.Shift[c]) & ch.Mask[c]);
    const int sc = static_cast<int>((s >> ch.Shift[c]) & ch.Mask[c]);
    const uint32_t v = static_cast<uint32_t>(dc + (((sc - dc) * a) >> 8));
    out = (out & ~(ch.Mask[c] << ch.Shift[c])) | (v << ch.Shift[c]);
  }
  return out;
}

}  // namespace pixel_io

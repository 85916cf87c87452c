#pragma once
// Picture files made in memory for the tests (each test file gets its own copy of the encoder).
#include <cstdint>
#include <vector>

#include "pixels/surface.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace picture_files {

enum class TKind { Png, Bmp, Jpeg };

// Encodes a 32-bit surface (0x00RRGGBB); with alpha (one byte per pixel) as an RGBA PNG.
inline std::vector<uint8_t> Encode(const TSurface& s, TKind kind = TKind::Png,
                                   const std::vector<uint8_t>& alpha = {}) {
  const int comp = alpha.empty() ? 3 : 4;
  std::vector<uint8_t> raw;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      const uint32_t p = s.GetPixel(x, y);
      raw.insert(raw.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
      if (comp == 4) raw.push_back(alpha[size_t(y) * s.Width() + x]);
    }
  std::vector<uint8_t> out;
  auto sink = [](void* ctx, void* data, int size) {
    auto* v = static_cast<std::vector<uint8_t>*>(ctx);
    v->insert(v->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
  };
  switch (kind) {
    case TKind::Png:
      stbi_write_png_to_func(sink, &out, s.Width(), s.Height(), comp, raw.data(), s.Width() * comp);
      break;
    case TKind::Bmp:
      stbi_write_bmp_to_func(sink, &out, s.Width(), s.Height(), comp, raw.data());
      break;
    case TKind::Jpeg:
      stbi_write_jpg_to_func(sink, &out, s.Width(), s.Height(), comp, raw.data(), 95);
      break;
  }
  return out;
}

// A picture whose every pixel differs from its neighbours: 0x00RRGGBB with x in red, y in
// green and the seed in blue.
inline TSurface Gradient(int w, int h, uint8_t seed = 0) {
  TSurface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      s.SetPixel(x, y, (uint32_t(x * 3) << 16) | (uint32_t(y * 5) << 8) | seed);
  return s;
}

}  // namespace picture_files

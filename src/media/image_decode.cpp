#include "media/image_decode.h"

#include <climits>
#include <memory>

#include "media/jpeg_decode.h"

// The one place the PNG and BMP decoder is compiled. JPEG files go to libjpeg instead: this
// decoder's JPEG reader trusts the sizes of a file's Huffman tables and writes past them.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 8192  // a damaged header must not ask for gigabytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

std::optional<TDecodedImage> DecodeImage(const uint8_t* data, size_t size) {
  if (!data || size == 0 || size > INT_MAX) return std::nullopt;
  if (IsJpeg(data, size)) return DecodeJpeg(data, size);
  int w = 0, h = 0, channels = 0;
  std::unique_ptr<stbi_uc, void (*)(void*)> rgba(
      stbi_load_from_memory(data, static_cast<int>(size), &w, &h, &channels, 4), stbi_image_free);
  if (!rgba || w <= 0 || h <= 0) return std::nullopt;
  TDecodedImage out;
  out.Pixels.Resize(w, h, TPixelFormat::XRGB8888());
  const bool hasAlpha = channels == 2 || channels == 4;
  if (hasAlpha) out.Alpha.resize(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    const stbi_uc* p = rgba.get() + static_cast<size_t>(y) * w * 4;
    auto* row = reinterpret_cast<uint32_t*>(out.Pixels.Row(y));
    for (int x = 0; x < w; ++x, p += 4) {
      row[x] = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
      if (hasAlpha) out.Alpha[static_cast<size_t>(y) * w + x] = p[3];
    }
  }
  return out;
}

bool ImageSize(const uint8_t* data, size_t size, int& width, int& height) {
  if (!data || size == 0 || size > INT_MAX) return false;
  if (IsJpeg(data, size)) return JpegSize(data, size, width, height);
  int channels = 0;
  return stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &channels) != 0;
}

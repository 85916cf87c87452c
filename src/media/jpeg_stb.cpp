// JPEG for the web browser's build, which has no libjpeg: the picture pack's water pictures
// are read by stb_image's JPEG reader (about a sixth of the download they would be as PNG).
// The pack is the build's own file, packed with the game: no player's file reaches this
// reader. The desktop builds read JPEG with libjpeg (jpeg_decode.cpp).
#ifdef __EMSCRIPTEN__
#include <climits>
#include <memory>

#include "media/jpeg_decode.h"

#define STB_IMAGE_STATIC  // apart from the PNG and BMP decoder of image_decode.cpp
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 8192
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

bool IsJpeg(const uint8_t* data, size_t size) {
  return data && size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

std::optional<TDecodedImage> DecodeJpeg(const uint8_t* data, size_t size) {
  if (!IsJpeg(data, size) || size > INT_MAX) return std::nullopt;
  int w = 0, h = 0, channels = 0;
  std::unique_ptr<stbi_uc, void (*)(void*)> rgb(
      stbi_load_from_memory(data, static_cast<int>(size), &w, &h, &channels, 3), stbi_image_free);
  if (!rgb || w <= 0 || h <= 0) return std::nullopt;
  TDecodedImage out;
  out.Pixels.Resize(w, h, TPixelFormat::XRGB8888());
  for (int y = 0; y < h; ++y) {
    const stbi_uc* p = rgb.get() + static_cast<size_t>(y) * w * 3;
    auto* row = reinterpret_cast<uint32_t*>(out.Pixels.Row(y));
    for (int x = 0; x < w; ++x, p += 3) row[x] = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
  }
  return out;
}

bool JpegSize(const uint8_t* data, size_t size, int& width, int& height) {
  if (!IsJpeg(data, size) || size > INT_MAX) return false;
  int channels = 0;
  return stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &channels) &&
         width > 0 && height > 0;
}
#endif

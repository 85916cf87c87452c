#include "media/image_decode.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

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

namespace {

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// A PNG file without its empty IDAT chunks, or nothing when it has none (or is no PNG file).
// An empty IDAT chunk carries nothing, but stb_image copies it from a null pointer when it
// comes first, which is undefined.
std::vector<uint8_t> WithoutEmptyIdat(const uint8_t* data, size_t size) {
  static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size < 8 || std::memcmp(data, signature, 8) != 0) return {};
  std::vector<uint8_t> out;
  bool found = false;
  size_t at = 8;
  while (at + 12 <= size) {  // length, type, data, CRC
    const uint32_t length = BigEndian32(data + at);
    if (length > size - at - 12) break;
    if (length == 0 && std::memcmp(data + at + 4, "IDAT", 4) == 0) {
      if (!found) out.assign(data, data + at);
      found = true;
    } else if (found) {
      out.insert(out.end(), data + at, data + at + 12 + length);
    }
    at += 12 + length;
  }
  if (!found) return {};
  out.insert(out.end(), data + at, data + size);  // whatever follows, as it was
  return out;
}

}  // namespace

std::optional<TDecodedImage> DecodeImage(const uint8_t* data, size_t size) {
  if (!data || size == 0 || size > INT_MAX) return std::nullopt;
  if (IsJpeg(data, size)) return DecodeJpeg(data, size);
  const std::vector<uint8_t> cleaned = WithoutEmptyIdat(data, size);
  if (!cleaned.empty()) {
    data = cleaned.data();
    size = cleaned.size();
  }
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
  int channels = 0, w = 0, h = 0;
  if (!stbi_info_from_memory(data, static_cast<int>(size), &w, &h, &channels)) return false;
  // stb_image gives the height of a top-down BMP file as stored: negative.
  width = std::abs(w);
  height = std::abs(h);
  return width > 0 && height > 0;
}

#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "pixels/surface.h"

// A picture file (PNG, JPEG or BMP) decoded from memory.
struct TDecodedImage {
  TSurface Pixels;             // 32-bit 0x00RRGGBB
  std::vector<uint8_t> Alpha;  // one byte per pixel, row by row; empty without alpha
};

// Decodes a picture file held in memory; nothing when the data is not a picture it can read.
std::optional<TDecodedImage> DecodeImage(const uint8_t* data, size_t size);

// The width and height a picture file declares, without decoding it.
bool ImageSize(const uint8_t* data, size_t size, int& width, int& height);

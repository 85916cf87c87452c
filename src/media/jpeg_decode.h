#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

#include "media/image_decode.h"

// JPEG files, read with libjpeg: it checks every table of a damaged file before using it.

// Whether the data starts like a JPEG file (the start-of-image marker).
bool IsJpeg(const uint8_t* data, size_t size);
// Decodes a JPEG file held in memory; nothing when libjpeg refuses it or the data ends before
// the last row of the picture.
std::optional<TDecodedImage> DecodeJpeg(const uint8_t* data, size_t size);
// The width and height in the file's header.
bool JpegSize(const uint8_t* data, size_t size, int& width, int& height);

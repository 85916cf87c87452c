// JPEG for builds without libjpeg (the web browser's): such a build ships its pictures as PNG,
// so a JPEG file is recognised but not read.
#include "media/jpeg_decode.h"

bool IsJpeg(const uint8_t* data, size_t size) {
  return data && size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

std::optional<TDecodedImage> DecodeJpeg(const uint8_t*, size_t) {
  return std::nullopt;
}

bool JpegSize(const uint8_t*, size_t, int&, int&) {
  return false;
}

#include "media/png_writer.h"

#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

bool WritePng(const TSurface& surface, const std::string& fileName) {
  const int w = surface.Width(), h = surface.Height();
  if (w <= 0 || h <= 0) return false;
  std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t c = PixelToColor(surface.Format(), surface.GetPixel(x, y));
      unsigned char* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
      p[0] = c & 0xFF;
      p[1] = (c >> 8) & 0xFF;
      p[2] = (c >> 16) & 0xFF;
    }
  return stbi_write_png(fileName.c_str(), w, h, 3, rgb.data(), w * 3) != 0;
}

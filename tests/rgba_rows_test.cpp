#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "pixels/rgba_rows.h"
#include "pixels/surface.h"

namespace {

// Every format the display can have: each pixel comes out as the colour PixelToColor reads, with
// alpha 255, and only the rectangle asked for (clipped to the picture) is written.
TEST(RgbaRows, EveryFormatGivesThePixelsColoursInTheRectangleOnly) {
  const TPixelFormat formats[] = {TPixelFormat::XRGB8888(), TPixelFormat::RGB888(),
                                  TPixelFormat::RGB565(), TPixelFormat::RGB555()};
  std::mt19937 rng(7);
  for (const TPixelFormat& f : formats) {
    SCOPED_TRACE(f.BitCount * 10 + (f.Is565() ? 5 : 0));
    TSurface pic(9, 5, f);
    for (int y = 0; y < pic.Height(); ++y)
      for (int x = 0; x < pic.Width(); ++x)
        pic.SetPixel(x, y, ToSurfaceColor(f, rng() & 0xFF, rng() & 0xFF, rng() & 0xFF));
    pic.SetPixel(0, 0, ToSurfaceColor(f, 255, 255, 255));
    const int pitch = pic.Width() * 4;
    std::vector<uint8_t> rgba(size_t(pitch) * pic.Height(), 0xAB);
    // Past the right and bottom edges: clipped.
    const TRect r{2, 1, 20, 9};
    CopyToRgba(pic, r, rgba.data(), pitch);
    CopyToRgba(pic, {0, 0, 1, 1}, rgba.data(), pitch);
    for (int y = 0; y < pic.Height(); ++y)
      for (int x = 0; x < pic.Width(); ++x) {
        const uint8_t* p = &rgba[size_t(y) * pitch + size_t(x) * 4];
        if ((x >= 2 && y >= 1) || (x == 0 && y == 0)) {
          const uint32_t c = PixelToColor(f, pic.GetPixel(x, y));  // 0x00BBGGRR
          EXPECT_EQ((std::vector<int>{p[0], p[1], p[2], p[3]}),
                    (std::vector<int>{int(c & 0xFF), int((c >> 8) & 0xFF), int(c >> 16), 255}))
              << x << "," << y;
        } else {
          EXPECT_EQ((std::vector<int>{p[0], p[1], p[2], p[3]}),
                    (std::vector<int>{0xAB, 0xAB, 0xAB, 0xAB}))
              << x << "," << y;
        }
      }
    EXPECT_EQ(rgba[0], 255);  // white stays white at every depth
    EXPECT_EQ(rgba[2], 255);
  }
}

}  // namespace

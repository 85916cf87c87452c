#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
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

// Only the pixels that differ from what the buffer holds are written, and the rectangle returned
// is the smallest holding them all: none for a picture drawn again unchanged, one pixel, a
// block, and changes outside the rectangle asked for (left alone).
TEST(RgbaRows, OnlyTheChangedPixelsAreWrittenAndBounded) {
  struct TCase {
    const char* What;
    std::vector<TPoint> Changed;
    TRect Asked, Expected;
  };
  const TCase cases[] = {
      {"nothing changed", {}, {0, 0, 12, 8}, {}},
      {"one pixel", {{5, 3}}, {0, 0, 12, 8}, {5, 3, 6, 4}},
      {"corners of a block", {{2, 1}, {9, 6}}, {1, 0, 11, 8}, {2, 1, 10, 7}},
      {"a change outside what was asked", {{11, 7}, {3, 2}}, {0, 0, 8, 5}, {3, 2, 4, 3}},
      {"asked past the edges", {{0, 0}, {11, 7}}, {-4, -4, 30, 30}, {0, 0, 12, 8}},
  };
  for (const TPixelFormat& f : {TPixelFormat::XRGB8888(), TPixelFormat::RGB565()}) {
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(c.What) + " at " + std::to_string(f.BitCount) + " bits");
      TSurface pic(12, 8, f);
      for (int y = 0; y < pic.Height(); ++y)
        for (int x = 0; x < pic.Width(); ++x)
          pic.SetPixel(x, y, ToSurfaceColor(f, x * 20, y * 30, 99));
      const int pitch = pic.Width() * 4;
      std::vector<uint8_t> shown(size_t(pitch) * pic.Height());
      CopyToRgba(pic, pic.ClientRect(), shown.data(), pitch);
      for (const TPoint& p : c.Changed) pic.SetPixel(p.X, p.Y, ToSurfaceColor(f, 255, 255, 255));
      std::vector<uint8_t> expected = shown;
      CopyToRgba(pic, c.Asked, expected.data(), pitch);
      std::vector<uint8_t> before = shown;
      EXPECT_EQ(CopyChangedToRgba(pic, c.Asked, shown.data(), pitch), c.Expected);
      EXPECT_EQ(shown, expected);
      // Only pixels inside the rectangle returned were touched.
      for (int y = 0; y < pic.Height(); ++y)
        for (int x = 0; x < pic.Width(); ++x)
          if (x < c.Expected.Left || x >= c.Expected.Right || y < c.Expected.Top ||
              y >= c.Expected.Bottom) {
            EXPECT_EQ(std::memcmp(&shown[size_t(y) * pitch + x * 4],
                                  &before[size_t(y) * pitch + x * 4], 4), 0) << x << "," << y;
          }
    }
  }
}

}  // namespace

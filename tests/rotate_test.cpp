#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/draw_ops.h"

namespace {

constexpr uint32_t kBack = 0x010101, kKey = 0xFF00FF;

// The picture
//   A B C
//   D E F
// with F the colour key.
TSurface Picture(const TPixelFormat& f) {
  TSurface s(3, 2, f);
  const uint32_t colours[6] = {0x0000F0, 0x00F000, 0xF00000, 0x00F0F0, 0xF0F000, kKey};
  for (int i = 0; i < 6; ++i) s.SetPixel(i % 3, i / 3, ColorToPixel(f, colours[i]));
  return s;
}

// The destination as text: the letter of the picture pixel found at each place, '.' for the
// background; rows separated by '|'. Only the 8 x 8 square around (8, 8) is shown.
std::string Show(const TSurface& dst, const TSurface& pic) {
  std::string out;
  for (int y = 4; y < 12; ++y) {
    if (!out.empty()) out += '|';
    for (int x = 4; x < 12; ++x) {
      const uint32_t p = dst.GetPixel(x, y);
      char c = p == ColorToPixel(dst.Format(), kBack) ? '.' : '?';
      for (int i = 0; i < 6; ++i)
        if (p == pic.GetPixel(i % 3, i / 3)) c = static_cast<char>('A' + i);
      out += c;
    }
  }
  return out;
}

}  // namespace

TEST(RotateDraw, QuarterTurnsClockwise) {
  struct TCase {
    int Angle;
    double Cx, Cy;
    int Width, Height;
    const char* Want;
  };
  const TCase cases[] = {
      {0, 0, 0, 3, 2,  // top-left corner on (8, 8)
       "........|........|........|........|....ABC.|....DE..|........|........"},
      {64, 0, 0, 3, 2,  // a quarter turn clockwise: the left column becomes the top row
       "........|........|........|........|..DA....|..EB....|...C....|........"},
      {-192, 0, 0, 3, 2,  // the same angle modulo 256
       "........|........|........|........|..DA....|..EB....|...C....|........"},
      {128, 0, 0, 3, 2, "........|........|..ED....|.CBA....|........|........|........|........"},
      {384, 0, 0, 3, 2, "........|........|..ED....|.CBA....|........|........|........|........"},
      {64, 0.5, 0.5, 6, 4,  // doubled and turned about its middle
       "........|..DDAA..|..DDAA..|..EEBB..|..EEBB..|....CC..|....CC..|........"},
  };
  for (const TPixelFormat& f : {TPixelFormat::XRGB8888(), TPixelFormat::RGB565()}) {
    const TSurface pic = Picture(f);
    for (const TCase& c : cases) {
      SCOPED_TRACE("angle " + std::to_string(c.Angle) + " bits " + std::to_string(f.BitCount));
      TSurface dst(16, 16, f);
      dst.Fill(ColorToPixel(f, kBack));
      RotateDraw(dst, 8, 8, c.Width, c.Height, pic, pic.ClientRect(), c.Cx, c.Cy, c.Angle, true,
                 ColorToPixel(f, kKey));
      EXPECT_EQ(Show(dst, pic), c.Want);
    }
  }
}

TEST(RotateDraw, OpacityAndKey) {
  const TPixelFormat f = TPixelFormat::XRGB8888();
  TSurface pic(2, 1, f);
  pic.SetPixel(0, 0, 0xC86432);
  pic.SetPixel(1, 0, kKey);
  struct TCase {
    int Opacity;
    bool Transparent;
    uint32_t Left, Right;
  };
  const TCase cases[] = {
      {0, true, 0x143C64, 0x143C64},    // nothing
      {-5, false, 0x143C64, 0x143C64},  // nothing
      {128, true, 0x6E504B, 0x143C64},  // half way, key skipped
      {255, true, 0xC86432, 0x143C64},  // opaque
      {400, false, 0xC86432, kKey},     // opaque, key drawn as a colour
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Opacity);
    TSurface dst(4, 4, f);
    dst.Fill(0x143C64);
    RotateDraw(dst, 1, 1, 2, 1, pic, pic.ClientRect(), 0, 0, 256, c.Transparent, kKey, c.Opacity);
    EXPECT_EQ(dst.GetPixel(1, 1), c.Left);
    EXPECT_EQ(dst.GetPixel(2, 1), c.Right);
    EXPECT_EQ(dst.GetPixel(0, 1), 0x143C64u);
    EXPECT_EQ(dst.GetPixel(3, 1), 0x143C64u);
  }
}

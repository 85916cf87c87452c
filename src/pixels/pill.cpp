#include "pixels/pill.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "pixels/surface.h"

namespace {

struct TRgb {
  uint8_t R, G, B;
};

constexpr TRgb kNavy{0x1A, 0x24, 0x33};
constexpr TRgb kCream{0xFF, 0xF3, 0xB0};
constexpr TRgb kButtonTop{0x3E, 0x8E, 0xDB}, kButtonBottom{0x1F, 0x5F, 0xA8};
constexpr TRgb kFocusTop{0x6C, 0xD0, 0x5A}, kFocusBottom{0x2F, 0x8A, 0x36};

TRgb Mix(TRgb a, TRgb b, int num, int den) {
  auto m = [&](uint8_t x, uint8_t y) { return uint8_t(x + (int(y) - x) * num / den); };
  return {m(a.R, b.R), m(a.G, b.G), m(a.B, b.B)};
}

}  // namespace

void DrawPill(TSurface& s, const TRect& r, TPillLook look) {
  const int w = r.Width(), h = r.Height();
  const double rad = h / 2.0;
  TRgb top = look.Focused ? kFocusTop : kButtonTop;
  TRgb bottom = look.Focused ? kFocusBottom : kButtonBottom;
  if (look.Hot) top = Mix(top, {255, 255, 255}, 1, 5);
  if (look.Pressed) std::swap(top, bottom);
  for (int y = 0; y < h; ++y) {
    const TRgb row = Mix(top, bottom, y, h - 1);
    for (int x = 0; x < w; ++x) {
      // Distance from the pixel's centre to the pill's middle line, less the radius.
      const double px = x + 0.5, py = y + 0.5;
      const double cx = std::clamp(px, rad, w - rad);
      const double d = std::hypot(px - cx, py - rad) - rad;
      if (d > 0) continue;
      TRgb c = row;
      if (d > -1.2)
        c = kNavy;
      else if (look.Focused && d > -2.4)
        c = kCream;
      else if (y == (look.Focused ? 3 : 2))
        c = Mix(row, {255, 255, 255}, 2, 5);
      s.SetPixel(r.Left + x, r.Top + y, ToSurfaceColor(s.Format(), c.R, c.G, c.B));
    }
  }
}

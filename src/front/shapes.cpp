#include "front/shapes.h"

#include <algorithm>
#include <cstdlib>

#include "pixels/surface.h"

void DrawOutlinedRect(TSurface& s, const TRect& r, uint32_t outline, uint32_t fill) {
  if (r.Empty()) return;
  s.FillRect(r, outline);
  s.FillRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, fill);
}

namespace {

// The pixels of a line from a to b, both ends included.
void DrawLine(TSurface& s, TPoint a, TPoint b, uint32_t pixel) {
  const int dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
  const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    s.SetPixel(a.X, a.Y, pixel);
    if (a.X == b.X && a.Y == b.Y) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      a.X += sx;
    }
    if (e2 <= dx) {
      err += dx;
      a.Y += sy;
    }
  }
}

}  // namespace

void DrawOutlinedTriangle(TSurface& s, TPoint a, TPoint b, TPoint c, uint32_t outline,
                          uint32_t fill) {
  const TPoint p[3] = {a, b, c};
  const int top = std::min({a.Y, b.Y, c.Y}), bottom = std::max({a.Y, b.Y, c.Y});
  // Each row is filled between the edges' crossings at the row's centre line.
  for (int y = top; y <= bottom; ++y) {
    const double cy = y + 0.5;
    double lo = 1e9, hi = -1e9;
    for (int i = 0; i < 3; ++i) {
      const TPoint u = p[i], v = p[(i + 1) % 3];
      if ((u.Y <= cy) == (v.Y <= cy)) continue;
      const double x = u.X + (cy - u.Y) * (v.X - u.X) / double(v.Y - u.Y);
      lo = std::min(lo, x);
      hi = std::max(hi, x);
    }
    if (lo > hi) continue;
    for (int x = static_cast<int>(lo + 0.5); x < static_cast<int>(hi + 0.5); ++x)
      s.SetPixel(x, y, fill);
  }
  DrawLine(s, a, b, outline);
  DrawLine(s, b, c, outline);
  DrawLine(s, c, a, outline);
}

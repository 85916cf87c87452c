#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "media/draw_ops.h"
#include "media/pixel_io.h"

namespace {

const std::array<double, 256>& CosTable() {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = std::cos(2 * std::numbers::pi * i / 256);
    return t;
  }();
  return table;
}

// Source positions are stepped in 32.32 fixed point.
constexpr double kOne = 4294967296.0;
inline int64_t Fixed(double v) {
  return std::llround(v * kOne);
}

struct TMapping {
  // Source position (relative to the source rectangle, in source pixels) of the centre of
  // destination pixel (X, Y): U = U0 + X * UX + Y * UY, likewise V.
  double U0, UX, UY, V0, VX, VY;
  // Allowed source positions [ULo, UHi) x [VLo, VHi) in fixed point.
  int64_t ULo, UHi, VLo, VHi;
};

template <int Bpp>
void RotateRows(TSurface& dst, const TSurface& src, const TRect& sr, const TMapping& m,
                const TRect& box, bool transparent, uint32_t key, int opacity) {
  using namespace pixel_io;
  const uint32_t k = key & KeyMask<Bpp>();
  const bool opaque = opacity >= 255;
  const TChannels ch = TChannels::Of(dst.Format());
  const int64_t ux = Fixed(m.UX), vx = Fixed(m.VX);
  for (int y = box.Top; y < box.Bottom; ++y) {
    int64_t u = Fixed(m.U0 + box.Left * m.UX + y * m.UY);
    int64_t v = Fixed(m.V0 + box.Left * m.VX + y * m.VY);
    uint8_t* d = dst.Row(y) + box.Left * Bpp;
    for (int x = box.Left; x < box.Right; ++x, d += Bpp, u += ux, v += vx) {
      if (u < m.ULo || u >= m.UHi || v < m.VLo || v >= m.VHi) continue;
      const int sx = sr.Left + static_cast<int>(u >> 32);
      const int sy = sr.Top + static_cast<int>(v >> 32);
      const uint32_t p = Load<Bpp>(src.Row(sy) + sx * Bpp);
      if (transparent && (p & KeyMask<Bpp>()) == k) continue;
      Store<Bpp>(d, opaque ? p : Mix(ch, Load<Bpp>(d), p, opacity));
    }
  }
}

}  // namespace

double Cos256(int angle) {
  return CosTable()[angle & 255];
}
double Sin256(int angle) {
  return CosTable()[(angle - 64) & 255];
}

void RotateDraw(TSurface& dst, int x, int y, int width, int height, const TSurface& src,
                const TRect& srcRect, double cx, double cy, int angle, bool transparent,
                uint32_t key, int opacity) {
  if (opacity <= 0 || width <= 0 || height <= 0 || srcRect.Empty()) return;
  const int bpp = dst.Format().BytesPerPixel();
  if (src.Format().BytesPerPixel() != bpp) return;
  const double c = Cos256(angle), s = Sin256(angle);
  const double ox = cx * width, oy = cy * height;  // the turning point in the scaled picture

  // Screen bounds of the turned picture: a point (u, v) from the turning point goes to
  // (x + u c - v s, y + u s + v c).
  double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
  for (const double u : {-ox, width - ox})
    for (const double v : {-oy, height - oy}) {
      const double px = x + u * c - v * s, py = y + u * s + v * c;
      minX = std::min(minX, px), maxX = std::max(maxX, px);
      minY = std::min(minY, py), maxY = std::max(maxY, py);
    }
  const TRect box =
      Intersect({static_cast<int>(std::floor(minX)), static_cast<int>(std::floor(minY)),
                 static_cast<int>(std::ceil(maxX)), static_cast<int>(std::ceil(maxY))},
                dst.ClientRect());
  if (box.Empty()) return;
  dst.Touch(box);

  // Back from a destination pixel centre (X + 0.5, Y + 0.5): offset (dx, dy) from (x, y) turns
  // back to u = dx c + dy s, v = -dx s + dy c, then scales into the source rectangle.
  const double kx = static_cast<double>(srcRect.Width()) / width;
  const double ky = static_cast<double>(srcRect.Height()) / height;
  const double bx = 0.5 - x, by = 0.5 - y;
  TMapping m;
  m.UX = kx * c, m.UY = kx * s, m.U0 = kx * (bx * c + by * s + ox);
  m.VX = -ky * s, m.VY = ky * c, m.V0 = ky * (-bx * s + by * c + oy);
  // Source pixels outside the source surface are never read.
  m.ULo = int64_t{std::max(0, -srcRect.Left)} << 32;
  m.UHi = int64_t{std::min(srcRect.Width(), src.Width() - srcRect.Left)} << 32;
  m.VLo = int64_t{std::max(0, -srcRect.Top)} << 32;
  m.VHi = int64_t{std::min(srcRect.Height(), src.Height() - srcRect.Top)} << 32;
  switch (bpp) {
    case 2:
      RotateRows<2>(dst, src, srcRect, m, box, transparent, key, opacity);
      break;
    case 3:
      RotateRows<3>(dst, src, srcRect, m, box, transparent, key, opacity);
      break;
    case 4:
      RotateRows<4>(dst, src, srcRect, m, box, transparent, key, opacity);
      break;
    default:
      break;
  }
}

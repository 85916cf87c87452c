#include "media/surface.h"

#include <cstring>

#include "media/blend_rows.h"

TPixelFormat TPixelFormat::ForDepth(int bits) {
  switch (bits) {
    case 16: return RGB565();
    case 15: return RGB555();
    case 24: return RGB888();
    default: return XRGB8888();
  }
}

uint32_t ToSurfaceColor(const TPixelFormat& f, uint8_t r, uint8_t g, uint8_t b) {
  switch (f.BitCount) {
    case 16:
      if (f.Is565()) return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
      return (((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)) & 0x7FFF;
    case 24:
    case 32: return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
    default: return 0;
  }
}

uint32_t ColorToPixel(const TPixelFormat& f, uint32_t c) {
  return ToSurfaceColor(f, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

uint32_t PixelToColor(const TPixelFormat& f, uint32_t p) {
  uint32_t r, g, b;
  if (f.BitCount == 16) {
    if (f.Is565()) {
      r = (p >> 11) & 31; g = (p >> 5) & 63; b = p & 31;
      r = (r << 3) | (r >> 2); g = (g << 2) | (g >> 4); b = (b << 3) | (b >> 2);
    } else {
      r = (p >> 10) & 31; g = (p >> 5) & 31; b = p & 31;
      r = (r << 3) | (r >> 2); g = (g << 3) | (g >> 2); b = (b << 3) | (b >> 2);
    }
  } else {
    r = (p >> 16) & 0xFF; g = (p >> 8) & 0xFF; b = p & 0xFF;
  }
  return r | (g << 8) | (b << 16);
}

TSurface::TSurface(int width, int height, const TPixelFormat& format) {
  Resize(width, height, format);
}

void TSurface::Resize(int width, int height, const TPixelFormat& format) {
  width_ = width > 0 ? width : 0;
  height_ = height > 0 ? height : 0;
  format_ = format;
  // Rows are padded to 4 bytes, so every row of a 24- or 16-bit surface starts aligned.
  pitch_ = (width_ * format_.BytesPerPixel() + 3) & ~3;
  pixels_.assign(static_cast<size_t>(pitch_) * height_, 0);
}

uint32_t TSurface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const uint8_t* p = Row(y) + x * format_.BytesPerPixel();
  switch (format_.BitCount) {
    case 16: { uint16_t v; std::memcpy(&v, p, 2); return v; }
    case 24: return p[0] | (p[1] << 8) | (p[2] << 16);
    default: { uint32_t v; std::memcpy(&v, p, 4); return v; }
  }
}

void TSurface::SetPixel(int x, int y, uint32_t pixel) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint8_t* p = Row(y) + x * format_.BytesPerPixel();
  switch (format_.BitCount) {
    case 16: { uint16_t v = uint16_t(pixel); std::memcpy(p, &v, 2); break; }
    case 24: p[0] = pixel & 0xFF; p[1] = (pixel >> 8) & 0xFF; p[2] = (pixel >> 16) & 0xFF; break;
    default: std::memcpy(p, &pixel, 4); break;
  }
}

void TSurface::Fill(uint32_t pixel) { FillRect(ClientRect(), pixel); }

void TSurface::FillRect(const TRect& rect, uint32_t pixel) {
  const TRect r = Intersect(rect, ClientRect());
  if (r.Empty()) return;
  const int bpp = format_.BytesPerPixel();
  // Fill the first row pixel by pixel, then copy it to the others.
  for (int x = r.Left; x < r.Right; ++x) SetPixel(x, r.Top, pixel);
  const size_t bytes = static_cast<size_t>(r.Width()) * bpp;
  for (int y = r.Top + 1; y < r.Bottom; ++y)
    std::memcpy(Row(y) + r.Left * bpp, Row(r.Top) + r.Left * bpp, bytes);
}

namespace {
// Clips a copy of srcRect (in src) to (x, y) in dst; returns false when nothing is left.
bool ClipCopy(const TSurface& dst, int& x, int& y, const TSurface& src, TRect& s) {
  if (src.Format().BytesPerPixel() != dst.Format().BytesPerPixel()) return false;
  // Parts of the rectangle outside the source are dropped without moving the rest.
  const TRect inside = Intersect(s, src.ClientRect());
  x += inside.Left - s.Left;
  y += inside.Top - s.Top;
  s = inside;
  if (s.Empty()) return false;
  if (x < 0) { s.Left -= x; x = 0; }
  if (y < 0) { s.Top -= y; y = 0; }
  s.Right = std::min(s.Right, s.Left + (dst.Width() - x));
  s.Bottom = std::min(s.Bottom, s.Top + (dst.Height() - y));
  return !s.Empty();
}
}  // namespace

void TSurface::CopyFrom(int x, int y, const TSurface& src, const TRect& srcRect) {
  TRect s = srcRect;
  if (!ClipCopy(*this, x, y, src, s)) return;
  const int bpp = format_.BytesPerPixel();
  for (int row = 0; row < s.Height(); ++row)
    std::memcpy(Row(y + row) + x * bpp, src.Row(s.Top + row) + s.Left * bpp,
                static_cast<size_t>(s.Width()) * bpp);
}

void TSurface::CopyFromKeyed(int x, int y, const TSurface& src, const TRect& srcRect,
                             uint32_t key) {
  TRect s = srcRect;
  if (!ClipCopy(*this, x, y, src, s)) return;
  const int bpp = format_.BytesPerPixel();
  uint8_t* d = Row(y) + x * bpp;
  const uint8_t* p = src.Row(s.Top) + s.Left * bpp;
  if (const blend::TKeyedFn copy = blend::PickKeyedCopy(format_)) {
    copy({d, pitch_, p, src.pitch_, s.Width(), s.Height()}, key);
    return;
  }
  const int key24 = static_cast<int>(key & 0xFFFFFF);
  for (int row = 0; row < s.Height(); ++row, d += pitch_, p += src.pitch_)
    for (int i = 0; i < 3 * s.Width(); i += 3)
      if ((p[i] | (p[i + 1] << 8) | (p[i + 2] << 16)) != key24) std::memcpy(d + i, p + i, 3);
}

TSurface TSurface::Converted(const TPixelFormat& f) const {
  TSurface out(width_, height_, f);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const uint32_t c = PixelToColor(format_, GetPixel(x, y));
      out.SetPixel(x, y, ColorToPixel(f, c));
    }
  return out;
}

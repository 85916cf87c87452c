#include "pixels/surface.h"

#include <cstring>

#include "pixels/blend_rows.h"

TPixelFormat TPixelFormat::ForDepth(int bits) {
  switch (bits) {
    case 16:
      return RGB565();
    case 15:
      return RGB555();
    case 24:
      return RGB888();
    default:
      return XRGB8888();
  }
}

uint32_t ToSurfaceColor(const TPixelFormat& f, uint8_t r, uint8_t g, uint8_t b) {
  switch (f.BitCount) {
    case 16:
      if (f.Is565()) return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
      return (((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)) & 0x7FFF;
    case 24:
    case 32:
      return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
    default:
      return 0;
  }
}

uint32_t ColorToPixel(const TPixelFormat& f, uint32_t c) {
  return ToSurfaceColor(f, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

uint32_t PixelToColor(const TPixelFormat& f, uint32_t p) {
  uint32_t r, g, b;
  if (f.BitCount == 16) {
    if (f.Is565()) {
      r = (p >> 11) & 31;
      g = (p >> 5) & 63;
      b = p & 31;
      r = (r << 3) | (r >> 2);
      g = (g << 2) | (g >> 4);
      b = (b << 3) | (b >> 2);
    } else {
      r = (p >> 10) & 31;
      g = (p >> 5) & 31;
      b = p & 31;
      r = (r << 3) | (r >> 2);
      g = (g << 3) | (g >> 2);
      b = (b << 3) | (b >> 2);
    }
  } else {
    r = (p >> 16) & 0xFF;
    g = (p >> 8) & 0xFF;
    b = p & 0xFF;
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
    case 16: {
      uint16_t v;
      std::memcpy(&v, p, 2);
      return v;
    }
    case 24:
      return p[0] | (p[1] << 8) | (p[2] << 16);
    default: {
      uint32_t v;
      std::memcpy(&v, p, 4);
      return v;
    }
  }
}

void TSurface::SetPixel(int x, int y, uint32_t pixel) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  if (damage_.P) damage_.P->Add({x, y, x + 1, y + 1});
  uint8_t* p = Row(y) + x * format_.BytesPerPixel();
  switch (format_.BitCount) {
    case 16: {
      uint16_t v = uint16_t(pixel);
      std::memcpy(p, &v, 2);
      break;
    }
    case 24:
      p[0] = pixel & 0xFF;
      p[1] = (pixel >> 8) & 0xFF;
      p[2] = (pixel >> 16) & 0xFF;
      break;
    default:
      std::memcpy(p, &pixel, 4);
      break;
  }
}

void TSurface::Fill(uint32_t pixel) {
  FillRect(ClientRect(), pixel);
}

void TSurface::FillRect(const TRect& rect, uint32_t pixel) {
  const TRect r = Intersect(rect, ClientRect());
  if (r.Empty()) return;
  Touch(r);
  const int bpp = format_.BytesPerPixel();
  // Fill the first row pixel by pixel, then copy it to the others.
  for (int x = r.Left; x < r.Right; ++x) SetPixel(x, r.Top, pixel);
  const size_t bytes = static_cast<size_t>(r.Width()) * bpp;
  for (int y = r.Top + 1; y < r.Bottom; ++y)
    std::memcpy(Row(y) + r.Left * bpp, Row(r.Top) + r.Left * bpp, bytes);
}

namespace {
// What is left of a copy of srcRect (in src) to (x, y) in dst: W x H pixels from (SX, SY) in src
// to (X, Y) in dst. Parts of the rectangle outside the source are dropped without moving the
// rest. Works on single fields, which keeps the small per-draw cost down.
struct TCopyClip {
  int X, Y, SX, SY, W, H;
};

inline bool ClipCopy(const TSurface& dst, int x, int y, const TSurface& src, const TRect& r,
                     TCopyClip& c) {
  if (src.Format().BytesPerPixel() != dst.Format().BytesPerPixel()) return false;
  int left = r.Left, top = r.Top;
  if (left < 0) {
    x -= left;
    left = 0;
  }
  if (top < 0) {
    y -= top;
    top = 0;
  }
  int right = std::min(r.Right, src.Width()), bottom = std::min(r.Bottom, src.Height());
  if (x < 0) {
    left -= x;
    x = 0;
  }
  if (y < 0) {
    top -= y;
    y = 0;
  }
  right = std::min(right, left + (dst.Width() - x));
  bottom = std::min(bottom, top + (dst.Height() - y));
  c = {x, y, left, top, right - left, bottom - top};
  return c.W > 0 && c.H > 0;
}
}  // namespace

void TSurface::CopyFrom(int x, int y, const TSurface& src, const TRect& srcRect) {
  TCopyClip c;
  if (!ClipCopy(*this, x, y, src, srcRect, c)) return;
  Touch(Bounds(c.X, c.Y, c.W, c.H));
  const int bpp = format_.BytesPerPixel();
  for (int row = 0; row < c.H; ++row)
    std::memcpy(Row(c.Y + row) + c.X * bpp, src.Row(c.SY + row) + c.SX * bpp,
                static_cast<size_t>(c.W) * bpp);
}

void TSurface::CopyFromKeyed(int x, int y, const TSurface& src, const TRect& srcRect,
                             uint32_t key) {
  TCopyClip c;
  if (!ClipCopy(*this, x, y, src, srcRect, c)) return;
  Touch(Bounds(c.X, c.Y, c.W, c.H));
  const int bpp = format_.BytesPerPixel();
  uint8_t* d = Row(c.Y) + c.X * bpp;
  const uint8_t* p = src.Row(c.SY) + c.SX * bpp;
  if (const blend::TKeyedFn copy = blend::PickKeyedCopy(format_)) {
    copy({d, pitch_, p, src.pitch_, c.W, c.H}, key);
    return;
  }
  const int key24 = static_cast<int>(key & 0xFFFFFF);
  for (int row = 0; row < c.H; ++row, d += pitch_, p += src.pitch_)
    for (int i = 0; i < 3 * c.W; i += 3)
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

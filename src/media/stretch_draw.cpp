#include <algorithm>
#include <vector>

#include "media/draw_ops.h"
#include "media/pixel_io.h"

namespace {

// Nearest neighbour: step i of m destination pixels takes the source pixel under its centre,
// one of n source pixels.
inline int SourceIndex(int i, int n, int m) {
  return static_cast<int>((int64_t{2} * i + 1) * n / (int64_t{2} * m));
}

// The steps [lo, hi) of a span of m destination pixels starting at `start` that land inside
// [0, limit) and take their source pixel from inside [0, srcLimit) (source span at srcStart).
void Span(int start, int m, int limit, int srcStart, int n, int srcLimit, int& lo, int& hi) {
  lo = std::max(0, -start);
  hi = std::min(m, limit - start);
  while (lo < hi && srcStart + SourceIndex(lo, n, m) < 0) ++lo;
  while (lo < hi && srcStart + SourceIndex(hi - 1, n, m) >= srcLimit) --hi;
}

template <int Bpp>
void StretchRows(TSurface& dst, const TRect& dr, const TSurface& src, const TRect& sr, int x0,
                 int x1, int y0, int y1, bool transparent, uint32_t key) {
  using namespace pixel_io;
  thread_local std::vector<int> cols;
  const int n = x1 - x0;
  cols.resize(n);
  for (int i = 0; i < n; ++i)
    cols[i] = (sr.Left + SourceIndex(x0 + i, sr.Width(), dr.Width())) * Bpp;
  const int* col = cols.data();
  const uint32_t k = key & KeyMask<Bpp>();
  for (int j = y0; j < y1; ++j) {
    const uint8_t* s = src.Row(sr.Top + SourceIndex(j, sr.Height(), dr.Height()));
    uint8_t* d = dst.Row(dr.Top + j) + (dr.Left + x0) * Bpp;
    if (!transparent) {
      for (int i = 0; i < n; ++i) Store<Bpp>(d + i * Bpp, Load<Bpp>(s + col[i]));
      continue;
    }
    for (int i = 0; i < n; ++i) {
      const uint32_t p = Load<Bpp>(s + col[i]);
      if ((p & KeyMask<Bpp>()) != k) Store<Bpp>(d + i * Bpp, p);
    }
  }
}

}  // namespace

void StretchDraw(TSurface& dst, const TRect& dstRect, const TSurface& src, const TRect& srcRect,
                 bool transparent, uint32_t key) {
  if (dstRect.Empty() || srcRect.Empty()) return;
  const int bpp = dst.Format().BytesPerPixel();
  if (src.Format().BytesPerPixel() != bpp) return;
  if (dstRect.Width() == srcRect.Width() && dstRect.Height() == srcRect.Height()) {
    if (transparent)
      dst.CopyFromKeyed(dstRect.Left, dstRect.Top, src, srcRect, key);
    else
      dst.CopyFrom(dstRect.Left, dstRect.Top, src, srcRect);
    return;
  }
  int x0, x1, y0, y1;
  Span(dstRect.Left, dstRect.Width(), dst.Width(), srcRect.Left, srcRect.Width(), src.Width(), x0,
       x1);
  Span(dstRect.Top, dstRect.Height(), dst.Height(), srcRect.Top, srcRect.Height(), src.Height(), y0,
       y1);
  if (x0 >= x1 || y0 >= y1) return;
  dst.Touch({dstRect.Left + x0, dstRect.Top + y0, dstRect.Left + x1, dstRect.Top + y1});
  switch (bpp) {
    case 2:
      StretchRows<2>(dst, dstRect, src, srcRect, x0, x1, y0, y1, transparent, key);
      break;
    case 3:
      StretchRows<3>(dst, dstRect, src, srcRect, x0, x1, y0, y1, transparent, key);
      break;
    case 4:
      StretchRows<4>(dst, dstRect, src, srcRect, x0, x1, y0, y1, transparent, key);
      break;
    default:
      break;
  }
}

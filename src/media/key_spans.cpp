#include "media/key_spans.h"

#include <algorithm>

#include "media/pixel_io.h"

namespace {

template <int Bpp>
void FindRuns(const TSurface& s, uint32_t key, TKeySpans& out) {
  using namespace pixel_io;
  const uint32_t k = key & KeyMask<Bpp>();
  for (int y = 0; y < s.Height(); ++y) {
    out.RowStart.push_back(static_cast<uint32_t>(out.Runs.size()));
    const uint8_t* row = s.Row(y);
    int x = 0;
    while (x < s.Width()) {
      while (x < s.Width() && (Load<Bpp>(row + x * Bpp) & KeyMask<Bpp>()) == k) ++x;
      if (x == s.Width()) break;
      const int start = x;
      while (x < s.Width() && (Load<Bpp>(row + x * Bpp) & KeyMask<Bpp>()) != k) ++x;
      out.Runs.push_back(static_cast<uint16_t>(start));
      out.Runs.push_back(static_cast<uint16_t>(x));
    }
  }
  out.RowStart.push_back(static_cast<uint32_t>(out.Runs.size()));
}

// Nearest neighbour, without divisions in the loop: walks the source indices
// floor((2i + 1) n / 2m) of the m destination steps.
class TStepper {
 public:
  TStepper(int n, int m)
      : den_(2 * m), stepQ_(2 * n / den_), stepR_(2 * n % den_), q_(n / den_), r_(n % den_) {}
  int Next() {
    const int v = q_;
    q_ += stepQ_;
    r_ += stepR_;
    if (r_ >= den_) {
      r_ -= den_;
      ++q_;
    }
    return v;
  }

 private:
  int den_, stepQ_, stepR_, q_, r_;
};

template <int Bpp>
void Stretch(TSurface& dst, const TRect& dr, const TSurface& src, const TRect& sr,
             const TKeySpans& spans) {
  using namespace pixel_io;
  const int m = dr.Width(), n = sr.Width();
  // Destination columns and rows that land on the destination surface.
  const int x0 = std::max(0, -dr.Left), x1 = std::min(m, dst.Width() - dr.Left);
  const int y0 = std::max(0, -dr.Top), y1 = std::min(dr.Height(), dst.Height() - dr.Top);
  if (x0 >= x1 || y0 >= y1) return;
  dst.Touch({dr.Left + x0, dr.Top + y0, dr.Left + x1, dr.Top + y1});
  // Source column of each destination column, and the first destination column that takes
  // each source column or one right of it.
  thread_local std::vector<int> col, firstDest;
  col.resize(m);
  firstDest.assign(n + 1, m);
  TStepper cs(n, m);
  for (int i = 0; i < m; ++i) col[i] = cs.Next();
  for (int i = m - 1; i >= 0; --i) firstDest[col[i]] = i;
  for (int c = n - 1; c >= 0; --c) firstDest[c] = std::min(firstDest[c], firstDest[c + 1]);
  TStepper rs(sr.Height(), dr.Height());
  for (int j = 0; j < y0; ++j) rs.Next();
  for (int j = y0; j < y1; ++j) {
    const int sy = sr.Top + rs.Next();
    if (sy < 0 || sy >= src.Height()) continue;
    const uint8_t* s = src.Row(sy) + sr.Left * Bpp;
    uint8_t* d = dst.Row(dr.Top + j) + dr.Left * Bpp;
    for (uint32_t r = spans.RowStart[sy]; r < spans.RowStart[sy + 1]; r += 2) {
      const int a = std::max(int{spans.Runs[r]} - sr.Left, 0);
      const int b = std::min(int{spans.Runs[r + 1]} - sr.Left, n);
      if (a >= b) continue;
      const int from = std::max(firstDest[a], x0), to = std::min(firstDest[b], x1);
      for (int i = from; i < to; ++i) Store<Bpp>(d + i * Bpp, Load<Bpp>(s + col[i] * Bpp));
    }
  }
}

}  // namespace

TKeySpans FindKeySpans(const TSurface& s, uint32_t key) {
  TKeySpans out;
  switch (s.Format().BytesPerPixel()) {
    case 2:
      FindRuns<2>(s, key, out);
      break;
    case 3:
      FindRuns<3>(s, key, out);
      break;
    case 4:
      FindRuns<4>(s, key, out);
      break;
    default:
      break;
  }
  return out;
}

void StretchDrawSpans(TSurface& dst, const TRect& dstRect, const TSurface& src,
                      const TRect& srcRect, const TKeySpans& spans) {
  if (dstRect.Empty() || srcRect.Empty() || spans.Empty()) return;
  if (src.Format().BytesPerPixel() != dst.Format().BytesPerPixel()) return;
  if (spans.RowStart.size() != static_cast<size_t>(src.Height()) + 1) return;
  if (srcRect.Left < 0 || srcRect.Top < 0 || srcRect.Right > src.Width() ||
      srcRect.Bottom > src.Height())
    return;
  switch (dst.Format().BytesPerPixel()) {
    case 2:
      Stretch<2>(dst, dstRect, src, srcRect, spans);
      break;
    case 3:
      Stretch<3>(dst, dstRect, src, srcRect, spans);
      break;
    case 4:
      Stretch<4>(dst, dstRect, src, srcRect, spans);
      break;
    default:
      break;
  }
}

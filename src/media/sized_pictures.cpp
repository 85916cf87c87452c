#include "media/sized_pictures.h"

#include <algorithm>
#include <cstring>

#include "media/draw_ops.h"
#include "pixels/blend_rows.h"

namespace {

size_t totalBytes = 0;

size_t EntryBytes(const TSizedPictures::TEntry& e) {
  return static_cast<size_t>(e.Surface.Pitch()) * e.Surface.Height() +
         e.Spans.RowStart.size() * sizeof(uint32_t) + e.Spans.Runs.size() * sizeof(uint16_t);
}

}  // namespace

size_t TSizedPictures::TotalBytes() {
  return totalBytes;
}

const TSizedPictures::TEntry* TSizedPictures::Get(const TSurface& src, const TRect& srcRect,
                                                  int width, int height, uint32_t key) {
  if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) return nullptr;
  const uint64_t id = (uint64_t(uint16_t(srcRect.Left)) << 48) |
                      (uint64_t(uint16_t(srcRect.Top)) << 32) | (uint64_t(width) << 16) |
                      uint64_t(height);
  ++clock_;
  if (auto it = entries_.find(id); it != entries_.end()) {
    it->second.LastUse = clock_;
    return &it->second;
  }
  const size_t pixelBytes = size_t(width) * height * src.Format().BytesPerPixel();
  if (pixelBytes > kBudget / 4) return nullptr;
  TEntry e;
  e.Surface = TSurface(width, height, src.Format());
  ::StretchDraw(e.Surface, {0, 0, width, height}, src, srcRect, false, key);
  e.Spans = FindKeySpans(e.Surface, key);
  e.Key = key;
  e.LastUse = clock_;
  const size_t bytes = EntryBytes(e);
  while (bytes_ + bytes > kBudget && !entries_.empty())
    Drop(std::min_element(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) {
      return a.second.LastUse < b.second.LastUse;
    }));
  bytes_ += bytes;
  totalBytes += bytes;
  return &entries_.emplace(id, std::move(e)).first->second;
}

void TSizedPictures::Drop(std::unordered_map<uint64_t, TEntry>::iterator it) {
  const size_t bytes = EntryBytes(it->second);
  bytes_ -= bytes;
  totalBytes -= bytes;
  entries_.erase(it);
}

void TSizedPictures::Clear() {
  totalBytes -= bytes_;
  bytes_ = 0;
  entries_.clear();
}

namespace {

// Copies n bytes of a short run without a call: moves of Chunk bytes, the last one overlapping.
template <size_t Chunk>
[[gnu::always_inline]] inline void CopyRun(uint8_t* d, const uint8_t* s, size_t n) {
  if (n >= Chunk) {
    for (size_t i = 0; i + Chunk < n; i += Chunk) std::memcpy(d + i, s + i, Chunk);
    std::memcpy(d + n - Chunk, s + n - Chunk, Chunk);
  } else if (Chunk > 16 && n >= 16) {
    CopyRun<16>(d, s, n);
  } else if (n >= 8) {
    uint64_t a, b;
    std::memcpy(&a, s, 8);
    std::memcpy(&b, s + n - 8, 8);
    std::memcpy(d, &a, 8);
    std::memcpy(d + n - 8, &b, 8);
  } else if (n >= 4) {
    uint32_t a, b;
    std::memcpy(&a, s, 4);
    std::memcpy(&b, s + n - 4, 4);
    std::memcpy(d, &a, 4);
    std::memcpy(d + n - 4, &b, 4);
  } else {
    for (size_t i = 0; i < n; ++i) d[i] = s[i];
  }
}

// The runs of rows [y0, y1) of pic, columns [x0, x1), to (x, y) on dst.
template <size_t Chunk>
[[gnu::always_inline]] inline void CopyRows(TSurface& dst, int x, int y, const TSurface& pic,
                                            const TKeySpans& spans, int bpp, int x0, int x1, int y0,
                                            int y1) {
  const uint16_t* runs = spans.Runs.data();
  const uint32_t* rowStart = spans.RowStart.data();
  const bool whole = x0 == 0 && x1 == pic.Width();
  for (int j = y0; j < y1; ++j) {
    const uint8_t* s = pic.Row(j);
    uint8_t* d = dst.Row(y + j) + x * bpp;
    const uint32_t end = rowStart[j + 1];
    if (whole) {
      for (uint32_t r = rowStart[j]; r < end; r += 2)
        CopyRun<Chunk>(d + runs[r] * bpp, s + runs[r] * bpp, size_t(runs[r + 1] - runs[r]) * bpp);
      continue;
    }
    for (uint32_t r = rowStart[j]; r < end; r += 2) {
      const int a = std::max<int>(runs[r], x0), b = std::min<int>(runs[r + 1], x1);
      if (a < b) CopyRun<Chunk>(d + a * bpp, s + a * bpp, size_t(b - a) * bpp);
    }
  }
}

void CopyRows16(TSurface& dst, int x, int y, const TSurface& pic, const TKeySpans& spans, int bpp,
                int x0, int x1, int y0, int y1) {
  CopyRows<16>(dst, x, y, pic, spans, bpp, x0, x1, y0, y1);
}

#if defined(__x86_64__) || defined(__i386__)
[[gnu::target("avx2")]] void CopyRows32(TSurface& dst, int x, int y, const TSurface& pic,
                                        const TKeySpans& spans, int bpp, int x0, int x1, int y0,
                                        int y1) {
  CopyRows<32>(dst, x, y, pic, spans, bpp, x0, x1, y0, y1);
}
#endif

}  // namespace

void DrawKeySpans(TSurface& dst, int x, int y, const TSurface& pic, const TKeySpans& spans) {
  const int bpp = dst.Format().BytesPerPixel();
  if (pic.Format().BytesPerPixel() != bpp || spans.Empty()) return;
  const int y0 = std::max(0, -y), y1 = std::min(pic.Height(), dst.Height() - y);
  const int x0 = std::max(0, -x), x1 = std::min(pic.Width(), dst.Width() - x);
  if (x0 >= x1 || y0 >= y1) return;
  dst.Touch({x + x0, y + y0, x + x1, y + y1});
#if defined(__x86_64__) || defined(__i386__)
  if (ActiveSimdLevel() == TSimdLevel::AVX2)
    return CopyRows32(dst, x, y, pic, spans, bpp, x0, x1, y0, y1);
#endif
  CopyRows16(dst, x, y, pic, spans, bpp, x0, x1, y0, y1);
}

void DrawSized(TSurface& dst, int x, int y, const TSizedPictures::TEntry& e) {
  const TSurface& pic = e.Surface;
  const int bpp = dst.Format().BytesPerPixel();
  if (ActiveSimdLevel() == TSimdLevel::None || (bpp != 2 && bpp != 4) ||
      pic.Format().BytesPerPixel() != bpp)
    return DrawKeySpans(dst, x, y, pic, e.Spans);
  const int y0 = std::max(0, -y), y1 = std::min(pic.Height(), dst.Height() - y);
  const int x0 = std::max(0, -x), x1 = std::min(pic.Width(), dst.Width() - x);
  if (x0 >= x1 || y0 >= y1) return;
  dst.Touch({x + x0, y + y0, x + x1, y + y1});
  blend::PickKeyedCopy(dst.Format())({dst.Row(y + y0) + (x + x0) * bpp, dst.Pitch(),
                                      pic.Row(y0) + x0 * bpp, pic.Pitch(), x1 - x0, y1 - y0},
                                     e.Key);
}

#include "pixels/rgba_rows.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// A channel of `bits` bits widened to 8 by repeating its top bits.
constexpr uint32_t Widen(uint32_t v, int bits) {
  return (v << (8 - bits)) | (v >> (2 * bits - 8));
}

void Row32(const uint8_t* s, uint8_t* d, int w) {
  int x = 0;
#if defined(__clang__) || (defined(__GNUC__) && __GNUC__ >= 12)
  // Four pixels at a time: one byte shuffle (WebAssembly's and SSSE3's) and the alpha.
  using TBytes = uint8_t __attribute__((vector_size(16)));
  const TBytes alpha{0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};
  for (; x + 4 <= w; x += 4) {
    TBytes v;
    std::memcpy(&v, s + 4 * x, 16);
    v = __builtin_shufflevector(v, v, 2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15) | alpha;
    std::memcpy(d + 4 * x, &v, 16);
  }
#endif
  for (; x < w; ++x) {
    uint32_t p;
    std::memcpy(&p, s + 4 * x, 4);
    // 0x00RRGGBB to the bytes R, G, B, 255 (a little-endian word 0xFFBBGGRR).
    const uint32_t q = 0xFF000000u | ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
    std::memcpy(d + 4 * x, &q, 4);
  }
}

void Row24(const uint8_t* s, uint8_t* d, int w) {
  for (int x = 0; x < w; ++x, s += 3, d += 4) {
    d[0] = s[2];
    d[1] = s[1];
    d[2] = s[0];
    d[3] = 255;
  }
}

template <bool Is565>
void Row16(const uint8_t* s, uint8_t* d, int w) {
  constexpr int gBits = Is565 ? 6 : 5;
  for (int x = 0; x < w; ++x, s += 2, d += 4) {
    const uint32_t p = s[0] | (s[1] << 8);
    d[0] = static_cast<uint8_t>(Widen((p >> (5 + gBits)) & 0x1F, 5));
    d[1] = static_cast<uint8_t>(Widen((p >> 5) & ((1u << gBits) - 1), gBits));
    d[2] = static_cast<uint8_t>(Widen(p & 0x1F, 5));
    d[3] = 255;
  }
}

using TRowFunction = void (*)(const uint8_t*, uint8_t*, int);

TRowFunction RowOf(const TPixelFormat& f) {
  return f.BitCount == 32   ? Row32
         : f.BitCount == 24 ? Row24
         : f.Is565()        ? Row16<true>
                            : Row16<false>;
}

bool SamePixel(const uint8_t* a, const uint8_t* b) {
  return std::memcmp(a, b, 4) == 0;
}

}  // namespace

void CopyToRgba(const TSurface& pic, const TRect& r, uint8_t* rgba, int rgbaPitch) {
  const TRect c = Intersect(r, pic.ClientRect());
  if (c.Empty()) return;
  const TRowFunction row = RowOf(pic.Format());
  const int bpp = pic.Format().BytesPerPixel();
  for (int y = c.Top; y < c.Bottom; ++y)
    row(pic.Row(y) + c.Left * bpp, rgba + size_t(y) * rgbaPitch + size_t(c.Left) * 4, c.Width());
}

TRect CopyChangedToRgba(const TSurface& pic, const TRect& r, uint8_t* rgba, int rgbaPitch) {
  const TRect c = Intersect(r, pic.ClientRect());
  if (c.Empty()) return {};
  const TRowFunction row = RowOf(pic.Format());
  const int bpp = pic.Format().BytesPerPixel();
  const int w = c.Width();
  thread_local std::vector<uint8_t> line;
  line.resize(size_t(w) * 4);
  TRect changed{c.Right, c.Bottom, c.Left, c.Top};  // grows from nothing
  for (int y = c.Top; y < c.Bottom; ++y) {
    row(pic.Row(y) + c.Left * bpp, line.data(), w);
    uint8_t* shown = rgba + size_t(y) * rgbaPitch + size_t(c.Left) * 4;
    if (std::memcmp(line.data(), shown, line.size()) == 0) continue;
    int first = 0, last = w - 1;
    while (SamePixel(line.data() + 4 * first, shown + 4 * first)) ++first;
    while (SamePixel(line.data() + 4 * last, shown + 4 * last)) --last;
    std::memcpy(shown + 4 * first, line.data() + 4 * first, size_t(last - first + 1) * 4);
    changed.Left = std::min(changed.Left, c.Left + first);
    changed.Right = std::max(changed.Right, c.Left + last + 1);
    changed.Top = std::min(changed.Top, y);
    changed.Bottom = y + 1;
  }
  return changed.Left < changed.Right ? changed : TRect{};
}

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "media/draw_ops.h"

namespace {

// Runs the body once for every vector level this processor has, and puts the best one back.
std::vector<TSimdLevel> Levels() {
  std::vector<TSimdLevel> out{TSimdLevel::None};
  if (SupportedSimdLevel() >= TSimdLevel::SSE2) out.push_back(TSimdLevel::SSE2);
  if (SupportedSimdLevel() >= TSimdLevel::AVX2) out.push_back(TSimdLevel::AVX2);
  return out;
}

struct TSimdReset {
  ~TSimdReset() { SetSimdLevel(SupportedSimdLevel()); }
};

std::string Name(TSimdLevel l) {
  return l == TSimdLevel::None ? "scalar" : l == TSimdLevel::SSE2 ? "sse2" : "avx2";
}

TSurface Row(const TPixelFormat& f, const std::vector<uint32_t>& px) {
  TSurface s(static_cast<int>(px.size()), 1, f);
  for (size_t i = 0; i < px.size(); ++i) s.SetPixel(static_cast<int>(i), 0, px[i]);
  return s;
}

std::vector<uint32_t> Pixels(const TSurface& s) {
  std::vector<uint32_t> out;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) out.push_back(s.GetPixel(x, y));
  return out;
}

}  // namespace

// One row of 39 pixels: six times [K K S K K S], then S S S. With two pixels to a word the
// pairs are (K,K) skipped, (S,K) and (K,S) half drawn, and the last S is the odd pixel.
TEST(BlendImage, RoutinesPerFormatAndLevel) {
  struct TCase {
    const char* Routine;
    TPixelFormat Format;
    bool Vector;  // the vector formulas (any vector level) or the plain routines
    uint32_t K, S, D;
    int Level;
    uint32_t Pair, Odd;  // expected blend of S over D inside the row and as the odd pixel
  };
  const auto f565 = TPixelFormat::RGB565(), f555 = TPixelFormat::RGB555();
  const auto f24 = TPixelFormat::RGB888(), f32 = TPixelFormat::XRGB8888();
  // S and D: 5-6-5 (25,50,10) over (5,10,30); 5-5-5 (25,20,10) over (5,30,30); 8-8-8
  // (200,100,50) over (20,60,100).
  const TCase cases[] = {
      {"565 pairs", f565, false, 0xF81F, 0xCE4A, 0x295E, 77, 0x5AD8, 0x5AD7},
      {"565 pairs", f565, false, 0xF81F, 0xCE4A, 0x295E, 128, 0x7BD4, 0x7BD4},
      {"565 lanes", f565, true, 0xF81F, 0xCE4A, 0x295E, 77, 0x5AD7, 0x5AD7},
      {"565 lanes", f565, true, 0xF81F, 0xCE4A, 0x295E, 128, 0x7BD4, 0x7BD4},
      {"555 pairs", f555, false, 0x7C1F, 0x668A, 0x17DE, 77, 0x2F78, 0x2F57},
      {"555 pairs", f555, true, 0x7C1F, 0x668A, 0x17DE, 128, 0x3F34, 0x3F34},
      {"24-bit", f24, false, 0xFF00FF, 0xC86432, 0x143C64, 77, 0x4A4854, 0x4A4854},
      {"24-bit", f24, true, 0xFF00FF, 0xC86432, 0x143C64, 128, 0x6E504B, 0x6E504B},
      {"32-bit", f32, false, 0xFF00FF, 0xC86432, 0x143C64, 77, 0x4A4854, 0x4A4854},
      {"32-bit", f32, false, 0xFF00FF, 0xC86432, 0x143C64, 128, 0x6E504B, 0x6E504B},
      {"32-bit lanes", f32, true, 0xFF00FF, 0xC86432, 0x143C64, 77, 0x4A4855, 0x4A4855},
      {"32-bit lanes", f32, true, 0xFF00FF, 0xC86432, 0x143C64, 128, 0x6E504B, 0x6E504B},
  };
  TSimdReset reset;
  for (const TCase& c : cases)
    for (const TSimdLevel simd : Levels()) {
      if (c.Vector != (simd != TSimdLevel::None)) continue;
      SetSimdLevel(simd);
      // Levels 0 (nothing), 256 and 300 (a plain copy of the unkeyed pixels) hold for every
      // routine; the table's level gives its own values.
      for (const int level : {0, c.Level, 256, 300}) {
        SCOPED_TRACE(std::string(c.Routine) + " " + Name(simd) + " level " + std::to_string(level));
        std::vector<uint32_t> src, want;
        const uint32_t pair = level == 0 ? c.D : level >= 256 ? c.S : c.Pair;
        const uint32_t odd = level == 0 ? c.D : level >= 256 ? c.S : c.Odd;
        for (int i = 0; i < 6; ++i) {
          src.insert(src.end(), {c.K, c.K, c.S, c.K, c.K, c.S});
          want.insert(want.end(), {c.D, c.D, pair, c.D, c.D, pair});
        }
        src.insert(src.end(), {c.S, c.S, c.S});
        want.insert(want.end(), {pair, pair, odd});
        TSurface dest = Row(c.Format, std::vector<uint32_t>(src.size(), c.D));
        const TSurface source = Row(c.Format, src);
        BlendImage(dest, 0, 0, source, {0, 0, source.Width() - 1, 0}, c.K, level);
        EXPECT_EQ(Pixels(dest), want);
      }
    }
}

// A 5 x 4 source drawn at full weight onto an 8 x 6 destination: which destination rectangle
// changes, and from which source pixel its top-left corner comes.
TEST(BlendImage, ClipsAtEveryEdge) {
  struct TCase {
    const char* What;
    int X, Y;
    TRect Src;  // inclusive
    TRect Drawn;
    TPoint From;
  };
  const TCase cases[] = {
      {"inside", 1, 1, {0, 0, 4, 3}, {1, 1, 6, 5}, {0, 0}},
      {"part of the source", 2, 2, {1, 1, 2, 2}, {2, 2, 4, 4}, {1, 1}},
      {"over the left edge", -2, 1, {0, 0, 4, 3}, {0, 1, 3, 5}, {2, 0}},
      {"over the top edge", 1, -3, {0, 0, 4, 3}, {1, 0, 6, 1}, {0, 3}},
      {"over the right edge", 6, 1, {0, 0, 4, 3}, {6, 1, 8, 5}, {0, 0}},
      {"over the bottom edge", 1, 4, {0, 0, 4, 3}, {1, 4, 6, 6}, {0, 0}},
      {"over all edges", -1, -1, {0, 0, 4, 3}, {0, 0, 4, 3}, {1, 1}},
      // The source rectangle is cut to the source without moving the drawing.
      {"source rectangle too big", 1, 1, {-2, -1, 9, 9}, {1, 1, 6, 5}, {0, 0}},
      {"wholly left", -5, 1, {0, 0, 4, 3}, {}, {}},
      {"wholly above", 1, -4, {0, 0, 4, 3}, {}, {}},
      {"at the right edge", 8, 1, {0, 0, 4, 3}, {}, {}},
      {"at the bottom edge", 1, 6, {0, 0, 4, 3}, {}, {}},
      {"empty source rectangle", 1, 1, {3, 0, 2, 3}, {}, {}},
  };
  TSimdReset reset;
  for (const TPixelFormat& f : {TPixelFormat::RGB565(), TPixelFormat::XRGB8888()})
    for (const TSimdLevel simd : Levels())
      for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.What) + " " + Name(simd) + " " + std::to_string(f.BitCount));
        SetSimdLevel(simd);
        TSurface source(5, 4, f);
        for (int y = 0; y < 4; ++y)
          for (int x = 0; x < 5; ++x) source.SetPixel(x, y, 0x100 + y * 16 + x);
        TSurface dest(8, 6, f);
        dest.Fill(1);
        BlendImage(dest, c.X, c.Y, source, c.Src, 0, 256);
        TSurface want(8, 6, f);
        want.Fill(1);
        for (int y = c.Drawn.Top; y < c.Drawn.Bottom; ++y)
          for (int x = c.Drawn.Left; x < c.Drawn.Right; ++x)
            want.SetPixel(x, y,
                          source.GetPixel(c.From.X + x - c.Drawn.Left, c.From.Y + y - c.Drawn.Top));
        EXPECT_EQ(Pixels(dest), Pixels(want));
      }
}

namespace {

// The formulas of the routines, written out per pixel and channel.
struct TRef {
  int Shift[3], Bits[3];
};
const TRef kRef565{{11, 5, 0}, {5, 6, 5}}, kRef555{{10, 5, 0}, {5, 5, 5}};
const TRef kRef888{{16, 8, 0}, {8, 8, 8}};

uint32_t ForChannels(const TRef& r, uint32_t s, uint32_t d, int (*f)(int, int, int), int a) {
  uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    const int m = (1 << r.Bits[c]) - 1;
    out |= static_cast<uint32_t>(f(static_cast<int>((s >> r.Shift[c]) & m),
                                   static_cast<int>((d >> r.Shift[c]) & m), a))
           << r.Shift[c];
  }
  return out;
}
int PlainMix(int s, int d, int a) {
  return d + (((s - d) * a) >> 8);
}
int PairMix(int s, int d, int a) {
  return d + ((a * (s - d + 64)) >> 8) - (a >> 2);
}
int SatMix(int s, int d, int a) {
  return std::clamp(d + ((a * s) >> 8) - ((a * d) >> 8), 0, 255);
}

// Expected pixel i of a row of w: the vector formulas when vector is set.
uint32_t Expected(const TPixelFormat& f, bool vector, int i, int w, uint32_t s, uint32_t d,
                  uint32_t key, int a) {
  if (f.BitCount == 16) {
    if (s == (key & 0xFFFF)) return d;
    const TRef& r = f.Is565() ? kRef565 : kRef555;
    const bool plainPixel = (f.Is565() && vector) || (w % 2 == 1 && i == w - 1);
    return ForChannels(r, s, d, plainPixel ? PlainMix : PairMix, a);
  }
  if ((s & 0xFFFFFF) == (key & 0xFFFFFF)) return d;
  if (f.BitCount == 32 && vector) {
    uint32_t out = 0;
    for (int c = 0; c < 32; c += 8)
      out |= static_cast<uint32_t>(SatMix((s >> c) & 0xFF, (d >> c) & 0xFF, a)) << c;
    return out;
  }
  return (d & 0xFF000000) | ForChannels(kRef888, s, d, PlainMix, a);
}

}  // namespace

// Random pictures with runs and scattered pixels of the key, random sizes and levels: every
// routine at every vector level against the formulas above, and the keyed copies against a
// pixel-by-pixel copy.
TEST(BlendImage, EveryLevelMatchesItsFormulaOnRandomPictures) {
  std::mt19937 rng(20240611);
  const auto rnd = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  TSimdReset reset;
  for (const TPixelFormat& f : {TPixelFormat::RGB565(), TPixelFormat::RGB555(),
                                TPixelFormat::RGB888(), TPixelFormat::XRGB8888()})
    for (int round = 0; round < 60; ++round) {
      const int sw = rnd(1, 75), sh = rnd(1, 4);
      const uint32_t mask = f.BitCount == 16 ? 0xFFFF : f.BitCount == 24 ? 0xFFFFFF : 0xFFFFFFFF;
      const uint32_t key =
          static_cast<uint32_t>(rng()) & mask & (f.BitCount == 32 ? 0xFFFFFF : ~0u);
      TSurface source(sw, sh, f), dest0(sw + 20, sh + 2, f);
      for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw;) {
          const int run = rnd(1, 20);
          const bool keyed = rnd(0, 2) == 0;
          for (int n = 0; n < run && x < sw; ++n, ++x) {
            // Keyed pixels on 32-bit surfaces may carry any top byte.
            const uint32_t top = f.BitCount == 32 ? static_cast<uint32_t>(rng()) & 0xFF000000 : 0;
            source.SetPixel(x, y, keyed || rnd(0, 9) == 0 ? key | top : rng() & mask);
          }
        }
      for (int y = 0; y < dest0.Height(); ++y)
        for (int x = 0; x < dest0.Width(); ++x) dest0.SetPixel(x, y, rng() & mask);
      const TRect r{rnd(0, sw - 1), rnd(0, sh - 1), sw - 1, sh - 1};
      const int w = r.Right - r.Left + 1, h = r.Bottom - r.Top + 1;
      const int x0 = rnd(0, dest0.Width() - w), y0 = rnd(0, dest0.Height() - h);
      const int a = rnd(1, 300);
      for (const TSimdLevel simd : Levels()) {
        SCOPED_TRACE("format " + std::to_string(f.BitCount) + (f.Is565() ? "/565 " : " ") +
                     Name(simd) + " round " + std::to_string(round));
        SetSimdLevel(simd);
        TSurface dest = dest0, copied = dest0;
        BlendImage(dest, x0, y0, source, r, key, a);
        copied.CopyFromKeyed(x0, y0, source, {r.Left, r.Top, r.Right + 1, r.Bottom + 1}, key);
        TSurface want = dest0, wantCopy = dest0;
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            const uint32_t s = source.GetPixel(r.Left + x, r.Top + y);
            const uint32_t d = dest0.GetPixel(x0 + x, y0 + y);
            want.SetPixel(x0 + x, y0 + y,
                          Expected(f, simd != TSimdLevel::None, x, w, s, d, key, std::min(a, 256)));
            const bool keyed = (s & (f.BitCount == 16 ? 0xFFFF : 0xFFFFFF)) == key;
            wantCopy.SetPixel(x0 + x, y0 + y, keyed ? d : s);
          }
        ASSERT_EQ(Pixels(dest), Pixels(want));
        ASSERT_EQ(Pixels(copied), Pixels(wantCopy));
      }
    }
}

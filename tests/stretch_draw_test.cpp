#include <gtest/gtest.h>

#include <random>
#include <string>

#include "media/draw_ops.h"
#include "media/image_item.h"
#include "media/key_spans.h"
#include "media/sized_pictures.h"

namespace {

constexpr uint32_t kLetterKey = 0xFF;  // one value that fits every format

// A 4 x 4 picture of the letters A..P (as pixel values 'A'..'P'), with F the colour key.
TSurface Letters(const TPixelFormat& f) {
  TSurface s(4, 4, f);
  for (int i = 0; i < 16; ++i) s.SetPixel(i % 4, i / 4, i == 5 ? kLetterKey : 'A' + i);
  return s;
}

// The 6 x 6 destination as text, '.' for the background, '*' for the key; rows split by '|'.
std::string Show(const TSurface& d) {
  std::string out;
  for (int y = 0; y < d.Height(); ++y) {
    if (y) out += '|';
    for (int x = 0; x < d.Width(); ++x) {
      const uint32_t p = d.GetPixel(x, y);
      out += p == 0 ? '.' : p == kLetterKey ? '*' : static_cast<char>(p);
    }
  }
  return out;
}

}  // namespace

TEST(StretchDraw, NearestNeighbourWithKey) {
  struct TCase {
    const char* What;
    TRect Dst, Src;
    bool Transparent;
    const char* Want;
  };
  const TCase cases[] = {
      {"doubled, key skipped",
       {1, 1, 5, 5},
       {0, 0, 2, 2},
       true,
       "......|.AABB.|.AABB.|.EE...|.EE...|......"},
      {"doubled, key drawn",
       {1, 1, 5, 5},
       {0, 0, 2, 2},
       false,
       "......|.AABB.|.AABB.|.EE**.|.EE**.|......"},
      {"halved takes the pixels under the centres",
       {0, 0, 2, 2},
       {0, 0, 4, 4},
       true,
       ".H....|NP....|......|......|......|......"},
      {"same size is a keyed copy",
       {2, 0, 5, 2},
       {1, 1, 4, 3},
       true,
       "...GH.|..JKL.|......|......|......|......"},
      {"stretched one way only",
       {0, 0, 6, 1},
       {1, 0, 4, 1},
       true,
       "BBCCDD|......|......|......|......|......"},
      {"cut at the surface's edges",
       {-2, 3, 2, 7},
       {1, 1, 3, 3},
       true,
       "......|......|......|GG....|GG....|KK...."},
      {"parts outside the source are not read",
       {0, 0, 4, 2},
       {2, 0, 6, 1},
       true,
       "CD....|CD....|......|......|......|......"},
  };
  for (const TPixelFormat& f :
       {TPixelFormat::XRGB8888(), TPixelFormat::RGB565(), TPixelFormat::RGB888()})
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(c.What) + " bits " + std::to_string(f.BitCount));
      const TSurface src = Letters(f);
      TSurface dst(6, 6, f);
      StretchDraw(dst, c.Dst, src, c.Src, c.Transparent, kLetterKey);
      EXPECT_EQ(Show(dst), c.Want);
    }
}

// Drawing through the picture's opaque runs gives exactly the pixels of the keyed stretch, at
// every size, clipped at every edge, in every format.
TEST(StretchDraw, OpaqueRunsDrawTheSamePixels) {
  std::mt19937 rng(11);
  for (const TPixelFormat& f :
       {TPixelFormat::XRGB8888(), TPixelFormat::RGB888(), TPixelFormat::RGB565()}) {
    TSurface src(23, 17, f);
    for (int y = 0; y < src.Height(); ++y)
      for (int x = 0; x < src.Width(); ++x)
        src.SetPixel(x, y, rng() % 3 == 0 ? kLetterKey : 0x100 + rng() % 0x7000);
    const TKeySpans spans = FindKeySpans(src, kLetterKey);
    for (int i = 0; i < 300; ++i) {
      const int sl = rng() % 20, st = rng() % 14;
      const TRect sr{sl, st, sl + 1 + static_cast<int>(rng() % (23 - sl)),
                     st + 1 + static_cast<int>(rng() % (17 - st))};
      const TRect dr = Bounds(static_cast<int>(rng() % 60) - 20, static_cast<int>(rng() % 50) - 15,
                              1 + rng() % 70, 1 + rng() % 50);
      TSurface want(40, 30, f), got(40, 30, f);
      want.Fill(7);
      got.Fill(7);
      StretchDraw(want, dr, src, sr, true, kLetterKey);
      StretchDrawSpans(got, dr, src, sr, spans);
      bool same = true;
      for (int y = 0; y < 30 && same; ++y)
        for (int x = 0; x < 40 && same; ++x) same = want.GetPixel(x, y) == got.GetPixel(x, y);
      ASSERT_TRUE(same) << f.BitCount << " bits, case " << i;
    }
  }
}

namespace {

void DrawSizedPictures() {
  std::mt19937 rng(5);
  TSurface picture(24, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 24; ++x)
      picture.SetPixel(x, y, rng() % 3 == 0 ? 0xFFFFFF : (rng() % 2 ? 0x00FF00 : 0x102030 + x));
  TPictureCollectionItem item("Pad");
  item.SetPicture(picture);
  item.PatternWidth = 12;  // two patterns of 12 x 10
  item.SetTransparentColor(clWhite);
  for (const TPixelFormat& f :
       {TPixelFormat::XRGB8888(), TPixelFormat::RGB565(), TPixelFormat::RGB888()}) {
    for (int i = 0; i < 200; ++i) {
      if (i == 100) item.SetTransparentColor(0x00FF00);
      const int pattern = i % 2;
      const TRect dr = Bounds(static_cast<int>(rng() % 50) - 15, static_cast<int>(rng() % 40) - 12,
                              1 + rng() % 30, 1 + rng() % 25);
      TSurface want(36, 28, f), got(36, 28, f);
      want.Fill(7);
      got.Fill(7);
      const TSurface& surface = item.SurfaceIn(f);
      StretchDraw(want, dr, surface, item.PatternSurface(pattern).Rect, true, item.KeyPixel());
      item.StretchDraw(got, dr, pattern);
      bool same = true;
      for (int y = 0; y < 28 && same; ++y)
        for (int x = 0; x < 36 && same; ++x) same = want.GetPixel(x, y) == got.GetPixel(x, y);
      ASSERT_TRUE(same) << f.BitCount << " bits, case " << i;
    }
    EXPECT_GT(item.SizedBytes(), 0u);
  }
}

}  // namespace

// A picture kept at the sizes it is drawn at draws the pixels of the keyed stretch of its
// pattern, clipped at every edge, in every format, with every processor's copy routine, and
// after its key or format changed.
TEST(SizedPictures, DrawTheSamePixelsAsTheKeyedStretch) {
  for (TSimdLevel simd : {TSimdLevel::None, TSimdLevel::SSE2, TSimdLevel::AVX2}) {
    SetSimdLevel(simd);
    SCOPED_TRACE("simd level " + std::to_string(static_cast<int>(ActiveSimdLevel())));
    DrawSizedPictures();
  }
  SetSimdLevel(SupportedSimdLevel());
}

// The cache keeps to its budget, dropping the least recently used sizes, and the program's
// total follows every cache as it grows, shrinks and goes.
TEST(SizedPictures, KeepToTheBudget) {
  TSurface src(100, 100);
  src.Fill(0x123456);
  const size_t before = TSizedPictures::TotalBytes();
  {
    TSizedPictures cache;
    const TSizedPictures::TEntry* big = cache.Get(src, {0, 0, 100, 100}, 200, 150, 0);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->Surface.GetPixel(199, 149), 0x123456u);
    for (int w = 150; w < 250; ++w) {
      ASSERT_NE(cache.Get(src, {0, 0, 100, 100}, w, 100, 0), nullptr);
      cache.Get(src, {0, 0, 100, 100}, 200, 150, 0);  // kept in use
      ASSERT_LE(cache.Bytes(), TSizedPictures::kBudget);
    }
    EXPECT_LT(cache.Count(), 100u);
    EXPECT_EQ(TSizedPictures::TotalBytes(), before + cache.Bytes());
    TSizedPictures copy = cache;
    EXPECT_EQ(copy.Count(), 0u);
    // Still there: the size drawn all along was never the least recently used.
    const size_t count = cache.Count();
    cache.Get(src, {0, 0, 100, 100}, 200, 150, 0);
    EXPECT_EQ(cache.Count(), count);
    // One size bigger than a quarter of the budget is not kept.
    EXPECT_EQ(cache.Get(src, {0, 0, 100, 100}, 400, 400, 0), nullptr);
  }
  EXPECT_EQ(TSizedPictures::TotalBytes(), before);
}

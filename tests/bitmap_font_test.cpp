// The bitmap font's glyph table, measuring and drawing, and the pointer's hit test.
#include "game/bitmap_font.h"

#include <gtest/gtest.h>

#include "core/globals.h"
#include "game/screen_text.h"
#include "media/image_catalogue.h"
#include "pixels/surface.h"

namespace {

TEST(BitmapFont, GlyphsFillTheStripInOrderWithoutGaps) {
  // Digits, upper case, lower case, then the punctuation in its strip order.
  const std::string order =
      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz.,:!?-$/\\()'";
  uint16_t x = 0;
  for (char c : order) {
    const TGlyph& g = FontGlyphs[c - 33];
    EXPECT_EQ(g.X, x) << c;
    EXPECT_GT(g.Width, 0) << c;
    x = static_cast<uint16_t>(x + g.Width);
  }
  EXPECT_EQ(x, 935);
  int withGlyph = 0;
  for (const TGlyph& g : FontGlyphs) withGlyph += g.Width > 0;
  EXPECT_EQ(withGlyph, static_cast<int>(order.size()));
  EXPECT_EQ(FontGlyphs['M' - 33].Width, 22);
  EXPECT_EQ(FontGlyphs['R' - 33].Width, 15);
  EXPECT_EQ(FontGlyphs['i' - 33].Width, 7);
}

TEST(BitmapFont, TextWidth) {
  const TBitmapFont font(nullptr);
  struct Case {
    const char* text;
    int32_t width;
  };
  for (const Case c :
       {Case{"Press any key to continue...", 340}, Case{"Exit to menu? (Y/N)", 235},
        Case{"Page 1/2", 100}, Case{" ", 10}, Case{"'", 4}, Case{"_\"#%&*+;<=>@[]^`", 0},
        Case{"a_b", 28}, Case{"\t\x7f\xe9", 0}, Case{"", 0}})
    EXPECT_EQ(font.TextWidth(c.text), c.width) << c.text;
}

// The columns that hold drawn pixels, as [first, last]; {-1, -1} for none.
std::pair<int, int> InkColumns(const TSurface& s) {
  int first = -1, last = -1;
  for (int x = 0; x < s.Width(); ++x)
    for (int y = 0; y < s.Height(); ++y)
      if (s.GetPixel(x, y) != 0) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}

TEST(BitmapFont, DrawsCentredClippedAndSkipsUnknownCharacters) {
  TDXImageList images, food;
  LoadGameImages(images, food);
  const TBitmapFont font(&images.Find("fnt1"));
  EXPECT_EQ(font.GlyphHeight, 19);
  for (const TPixelFormat& format : {TPixelFormat::XRGB8888(), TPixelFormat::RGB565()}) {
    TSurface s(640, 40, format);
    font.DrawStringCentred(s, 640, 10, "Press any key to continue...");
    const auto [first, last] = InkColumns(s);
    EXPECT_GE(first, 150);
    EXPECT_LT(first, 150 + 12);
    EXPECT_LT(last, 490);
    EXPECT_GT(last, 490 - 12);

    TSurface t(640, 40, format);
    font.DrawString(t, 0, 0, "_\"_");
    EXPECT_EQ(InkColumns(t).first, -1);
    // A line wider than the display starts left of it and is clipped on both sides.
    font.DrawStringCentred(t, 640, 30, std::string(60, 'W'));
    EXPECT_EQ(InkColumns(t).first, 0);
    EXPECT_EQ(InkColumns(t).second, 639);
  }
}

TEST(PointerInRect, AllFourEdgesCountAsInside) {
  const TRect r{10, 20, 30, 40};
  struct Case {
    int32_t x, y;
    bool inside;
  };
  for (const Case c :
       {Case{10, 20, true}, Case{30, 40, true}, Case{20, 30, true}, Case{9, 30, false},
        Case{31, 30, false}, Case{20, 19, false}, Case{20, 41, false}}) {
    G.PointerPos = {c.x, c.y};
    EXPECT_EQ(PointerInRect(r), c.inside) << c.x << "," << c.y;
  }
}

}  // namespace

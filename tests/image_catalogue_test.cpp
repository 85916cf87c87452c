#include "media/image_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/image_list.h"
#include "support/picture_files.h"

using picture_files::Encode;
using picture_files::Gradient;

namespace {

TEST(ImageList, FindIgnoresCaseAndNamesTheMissing) {
  TDXImageList list;
  auto& prize = list.Add("Prize");
  list.Add("Water1");
  EXPECT_EQ(&list.Find("prize"), &prize);
  EXPECT_EQ(&list["PRIZE"], &prize);
  EXPECT_EQ(list.TryFind("Prize2"), nullptr);
  try {
    list.Find("Nope");
    FAIL();
  } catch (const EImageNotFound& e) {
    EXPECT_STREQ(e.what(), "Image 'Nope' not found");
  }
  EXPECT_THROW(list.Add("WATER1"), std::invalid_argument);
  EXPECT_EQ(list.Count(), 2);
}

TEST(ImageItem, PatternGrid) {
  struct TCase {
    int PicW, PicH, PatW, PatH;
    int Width, Height, Count;
    TRect Last;
  };
  const TCase cases[] = {
      {84, 42, 42, 42, 42, 42, 2, {42, 0, 84, 42}},
      {137, 60, 0, 30, 137, 30, 2, {0, 30, 137, 60}},  // whole width, two rows
      {250, 23, 25, 23, 25, 23, 10, {225, 0, 250, 23}},
      {50, 28, 0, 0, 50, 28, 1, {0, 0, 50, 28}},
      {7, 5, 3, 2, 3, 2, 4, {3, 2, 6, 4}},  // a ragged edge is no pattern
      {0, 0, 160, 120, 160, 120, 0, {}},    // no picture, no patterns
  };
  for (const TCase& c : cases) {
    TPictureCollectionItem item("x");
    item.SetPicture(TSurface(c.PicW, c.PicH));
    item.PatternWidth = c.PatW;
    item.PatternHeight = c.PatH;
    EXPECT_EQ(item.Width(), c.Width);
    EXPECT_EQ(item.Height(), c.Height);
    ASSERT_EQ(item.PatternCount(), c.Count) << c.PicW << "x" << c.PicH;
    if (c.Count) {
      EXPECT_EQ(item.PatternSurface(c.Count - 1).Rect, c.Last);
      EXPECT_NE(item.PatternSurface(0).Surface, nullptr);
    }
    EXPECT_EQ(item.PatternSurface(c.Count).Surface, nullptr);
    EXPECT_EQ(item.PatternSurface(-1).Surface, nullptr);
  }
}

TEST(ImageItem, DrawClipsAndKeysInEveryFormat) {
  // 3 x 2 picture: red, key, green / blue, blue, blue.
  TSurface pic(3, 2);
  pic.Fill(0x0000FF);
  pic.SetPixel(0, 0, 0xFF0000);
  pic.SetPixel(1, 0, 0xFF00FF);
  pic.SetPixel(2, 0, 0x00FF00);
  for (const TPixelFormat& f : {TPixelFormat::XRGB8888(), TPixelFormat::RGB888(),
                                TPixelFormat::RGB565(), TPixelFormat::RGB555()}) {
    TPictureCollectionItem item("x");
    item.SetPicture(pic);
    item.SetTransparentColor(clFuchsia);
    TSurface dst(3, 2, f);
    const uint32_t grey = ColorToPixel(f, 0x808080);
    dst.Fill(grey);
    item.Draw(dst, -1, 1, 0);  // the first column and the second row fall outside
    EXPECT_EQ(dst.GetPixel(0, 1), grey) << f.BitCount;  // key
    EXPECT_EQ(dst.GetPixel(1, 1), ColorToPixel(f, 0x00FF00)) << f.BitCount;
    EXPECT_EQ(dst.GetPixel(2, 1), grey);
    EXPECT_EQ(dst.GetPixel(0, 0), grey);
    item.Draw(dst, 0, 0, 1);  // no such pattern
    EXPECT_EQ(dst.GetPixel(0, 0), grey);
    item.SetTransparentColor(0x00FF00);  // the new key counts at once
    item.Draw(dst, 0, 0, 0);
    EXPECT_EQ(dst.GetPixel(0, 0), ColorToPixel(f, 0x0000FF)) << f.BitCount;  // red
    EXPECT_EQ(dst.GetPixel(1, 0), ColorToPixel(f, 0xFF00FF));
    EXPECT_EQ(dst.GetPixel(2, 0), grey);
    item.Transparent = false;
    item.Draw(dst, 0, 0, 0);
    EXPECT_EQ(dst.GetPixel(2, 0), ColorToPixel(f, 0x00FF00));
  }
}

// Two 2 x 2 patterns: pattern 0 red with its top-left pixel keyed, pattern 1 green.
TPictureCollectionItem TwoPatterns() {
  TPictureCollectionItem item("x");
  TSurface pic(4, 2);
  pic.FillRect({0, 0, 2, 2}, 0xFF0000);
  pic.FillRect({2, 0, 4, 2}, 0x00FF00);
  pic.SetPixel(0, 0, 0xFFFFFF);
  item.SetPicture(std::move(pic));
  item.PatternWidth = item.PatternHeight = 2;
  item.SetTransparentColor(clWhite);
  return item;
}

// The scaled, turned and translucent draws take the pattern's own rectangle and the key in
// the destination's format.
TEST(ImageItem, ScaledTurnedAndBlendedDrawsUseThePatternAndKey) {
  const TPixelFormat f = TPixelFormat::RGB565();
  const uint32_t grey = ColorToPixel(f, 0x808080), red = ColorToPixel(f, 0x0000FF),
                 green = ColorToPixel(f, 0x00FF00);
  TPictureCollectionItem item = TwoPatterns();
  TSurface want(8, 8, f), got(8, 8, f);
  want.Fill(grey);
  want.FillRect({1, 1, 5, 5}, red);
  want.FillRect({1, 1, 3, 3}, grey);  // the keyed pixel, doubled
  got.Fill(grey);
  item.StretchDraw(got, {1, 1, 5, 5}, 0);
  item.StretchDraw(got, {0, 0, 8, 8}, 2);  // no such pattern
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(got.GetPixel(x, y), want.GetPixel(x, y)) << x << "," << y;

  // Unturned and unscaled, the rotated draws are plain keyed copies.
  for (int angle : {0, 256, -256}) {
    want.Fill(grey);
    got.Fill(grey);
    item.Draw(want, 3, 4, 1);
    item.Draw(want, 5, 2, 0);
    item.DrawRotate(got, 4, 5, 2, 2, 1, 0.5, 0.5, angle);
    item.DrawRotateAlpha(got, 5, 2, 2, 2, 0, 0, 0, angle, 300);
    item.DrawRotateAlpha(got, 0, 0, 2, 2, 0, 0, 0, angle, 0);  // opacity 0 draws nothing
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) ASSERT_EQ(got.GetPixel(x, y), want.GetPixel(x, y)) << angle;
  }

  // BlendImage reads pattern surface 0, the whole strip, with an inclusive rectangle.
  got.Fill(grey);
  BlendImage(got, 0, 0, item, {0, 0, 3, 1}, 256);
  BlendImage(got, 4, 4, item, {0, 0, 3, 1}, 0);
  EXPECT_EQ(got.GetPixel(0, 0), grey);
  EXPECT_EQ(got.GetPixel(1, 0), red);
  EXPECT_EQ(got.GetPixel(3, 1), green);
  EXPECT_EQ(got.GetPixel(4, 0), grey);
  EXPECT_EQ(got.GetPixel(4, 4), grey);
  EXPECT_EQ(got.GetPixel(5, 5), grey);
}

TEST(LoadCatalogue, BuildsItemsFromManifestRows) {
  const auto rows = ParseImageManifest(
      "# list name picture pattern key transp sysmem\n"
      "ImageList Pulse   4x2    2x2 clFuchsia yes yes\n"
      "FoodImg   1_1     4x2    0x0 clWhite   yes no\n"
      "ImageList Water1  pack   0x0 none      no  no\n"
      "ImageList DotL    mirror:DotR 2x2 mirror yes no   # made at start\n");
  TSurface pic = Gradient(4, 2, 7);
  // The last pixel is see-through: it takes the colour key.
  const auto png = Encode(pic, picture_files::TKind::Png, {255, 255, 255, 255, 255, 255, 255, 0});
  const TEmbeddedFile files[] = {{"Pulse.png", png.data(), png.size()}};
  TDXImageList list;
  LoadCatalogue(list, "ImageList", rows, files);
  ASSERT_EQ(list.Count(), 3);
  const auto& pulse = list.Find("pulse");
  EXPECT_EQ(pulse.PatternCount(), 2);
  EXPECT_TRUE(pulse.Transparent);
  EXPECT_TRUE(pulse.SystemMemory);
  EXPECT_EQ(pulse.TransparentColor(), clFuchsia);
  EXPECT_EQ(pulse.Picture().GetPixel(1, 1), pic.GetPixel(1, 1));
  EXPECT_EQ(pulse.Picture().GetPixel(3, 1), 0xFF00FFu);
  EXPECT_FALSE(list.Find("Water1").Transparent);
  EXPECT_TRUE(list.Find("Water1").Picture().IsEmpty());
  EXPECT_TRUE(list.Find("DotL").Picture().IsEmpty());
}

TEST(LoadCatalogue, PictureErrorsNameThePicture) {
  const auto rows = ParseImageManifest("ImageList Splash 50x28 0x0 0xFED76F yes no\n");
  const auto small = Encode(Gradient(10, 10));
  const uint8_t junk[] = {0x89, 'P', 'N', 'G', 1, 2, 3};
  struct TCase {
    std::vector<TEmbeddedFile> Files;
    std::string Message;
  };
  const TCase cases[] = {
      {{}, "Picture 'Splash.png' is missing from the program"},
      {{{"splash.png", small.data(), small.size()}},
       "Picture 'Splash.png' is missing from the program"},
      {{{"Splash.png", small.data(), small.size()}},
       "Picture 'Splash.png' is 10x10, expected 50x28"},
      {{{"Splash.png", junk, sizeof junk}}, "Picture 'Splash.png' cannot be decoded"},
  };
  for (const TCase& c : cases) {
    TDXImageList list;
    try {
      LoadCatalogue(list, "ImageList", rows, c.Files);
      ADD_FAILURE() << c.Message;
    } catch (const EImageLoadError& e) {
      EXPECT_EQ(e.what(), c.Message);
    }
  }
}

TEST(ParseImageManifest, NamesTheBadLine) {
  const char* bad[] = {
      "ImageList Splash 50x28 0x0 0xFED76F yes",      // a field short
      "Images Splash 50x28 0x0 0xFED76F yes no",      // unknown list
      "ImageList Splash 50-28 0x0 0xFED76F yes no",   // picture size
      "ImageList Splash 50x28 0x 0xFED76F yes no",    // pattern
      "ImageList Splash 50x28 0x0 0x1FED76F yes no",  // key beyond 24 bits
      "ImageList Splash 50x28 0x0 clPink yes no",     // unknown colour
      "ImageList Splash 50x28 0x0 0xFED76F true no",  // flag
  };
  for (const char* line : bad) {
    try {
      ParseImageManifest(std::string("# header\n") + line + "\n");
      ADD_FAILURE() << line;
    } catch (const EManifestError& e) {
      EXPECT_TRUE(std::string(e.what()).starts_with("images.manifest line 2: ")) << e.what();
    }
  }
}

// Every pixel of L's pattern p is the mirrored pixel of R's pattern count - 1 - p.
void ExpectMirrored(TDXImageList& list, const std::string& base) {
  auto& r = list.Find(base + "R");
  auto& l = list.Find(base + "L");
  ASSERT_EQ(l.PatternCount(), r.PatternCount());
  ASSERT_GE(r.PatternCount(), 2);
  EXPECT_EQ(l.TransparentColor(), r.TransparentColor());
  const int w = r.Width(), h = r.Height();
  for (int p = 0; p < r.PatternCount(); ++p) {
    const TRect rr = r.PatternSurface(r.PatternCount() - 1 - p).Rect;
    const TRect lr = l.PatternSurface(p).Rect;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(l.Picture().GetPixel(lr.Left + x, lr.Top + y),
                  r.Picture().GetPixel(rr.Left + w - 1 - x, rr.Top + y))
            << base << " pattern " << p << " at " << x << "," << y;
  }
}

TEST(MirrorSprites, LeftPatternsMirrorRightOnesInReverseOrder) {
  TDXImageList list;
  const struct {
    const char* Base;
    int W, H;
    uint32_t Key;
  } items[] = {{"Dragon", 42, 42, 0x0AF4F7},
               {"Monster1", 36, 37, 0x04FE04},
               {"Monster2", 44, 49, 0x009900},
               {"Monster3", 45, 48, 0x1172FF}};
  uint8_t seed = 1;
  for (const auto& it : items) {
    auto& r = list.Add(std::string(it.Base) + "R");
    r.SetPicture(Gradient(2 * it.W, it.H, seed++));
    r.PatternWidth = it.W;
    r.PatternHeight = it.H;
    r.SetTransparentColor(it.Key);
    auto& l = list.Add(std::string(it.Base) + "L");
    l.PatternWidth = it.W;
    l.PatternHeight = it.H;
  }
  MirrorSprites(list);
  for (const auto& it : items) ExpectMirrored(list, it.Base);
}

bool Embedded(const std::string& file) {
  for (const TEmbeddedFile& f : EmbeddedImages())
    if (file == f.Name) return true;
  return false;
}

// Until every picture is drawn the game stops at start naming one that is missing; once they
// are all there, both catalogues load and the real Dragon mirrors.
TEST(GameImages, LoadOrNameAMissingPicture) {
  TDXImageList imageList, foodImg;
  try {
    LoadGameImages(imageList, foodImg);
  } catch (const EImageLoadError& e) {
    const std::string m = e.what();
    const size_t a = m.find('\''), b = m.find('\'', a + 1);
    ASSERT_NE(b, std::string::npos) << m;
    EXPECT_FALSE(Embedded(m.substr(a + 1, b - a - 1))) << m;
    EXPECT_NE(m.find("is missing"), std::string::npos) << m;
    return;
  }
  EXPECT_EQ(imageList.Count(), 46);
  EXPECT_EQ(foodImg.Count(), 61);
  MirrorSprites(imageList);
  ExpectMirrored(imageList, "Dragon");
}

}  // namespace

// Checks on the shipped pictures: colour-keyed pictures are fully opaque, the font strip has no
// black fringe, the icons have their sizes, and the picture pack holds the two water pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace fs = std::filesystem;

namespace {

// The data folder of the sources: TARVELLE_TEST_DATA is <repo>/tests/data.
const fs::path kData =
    fs::path(TARVELLE_TEST_DATA).lexically_normal().parent_path().parent_path() / "src" / "data";

struct TDecoded {
  int Width = 0, Height = 0, Channels = 0;
  std::vector<uint8_t> Pixels;  // as stored, Channels bytes per pixel
};

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Decode(const uint8_t* data, size_t size, TDecoded& out) {
  int w = 0, h = 0, n = 0;
  stbi_uc* px = stbi_load_from_memory(data, static_cast<int>(size), &w, &h, &n, 0);
  if (!px) return false;
  out.Width = w;
  out.Height = h;
  out.Channels = n;
  out.Pixels.assign(px, px + static_cast<size_t>(w) * h * n);
  stbi_image_free(px);
  return true;
}

bool DecodeFile(const fs::path& path, TDecoded& out) {
  std::vector<uint8_t> bytes = ReadFile(path);
  return !bytes.empty() && Decode(bytes.data(), bytes.size(), out);
}

std::vector<fs::path> PicturesIn(const fs::path& dir) {
  std::vector<fs::path> out;
  std::error_code error;
  for (const auto& e : fs::directory_iterator(dir, error))
    if (e.path().extension() == ".png") out.push_back(e.path());
  std::sort(out.begin(), out.end());
  return out;
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

}  // namespace

// A colour key gives hard edges only: a picture with an alpha channel would either be blended
// (fringes on the water) or lose its half-transparent pixels.
TEST(ArtPictures, EveryPictureDecodesFullyOpaque) {
  std::vector<fs::path> pictures = PicturesIn(kData / "images");
  ASSERT_GT(pictures.size(), 90u) << "pictures missing from " << kData / "images";
  for (const fs::path& p : pictures) {
    SCOPED_TRACE(p.filename().string());
    TDecoded img;
    ASSERT_TRUE(DecodeFile(p, img)) << stbi_failure_reason();
    EXPECT_GT(img.Width, 0);
    if (img.Channels == 2 || img.Channels == 4) {
      size_t seen = 0;
      for (size_t i = img.Channels - 1; i < img.Pixels.size(); i += img.Channels)
        if (img.Pixels[i] != 255) ++seen;
      EXPECT_EQ(seen, 0u) << "partly transparent pixels";
    }
  }
}

// Black is the font strip's colour key: a glyph pixel that is black, or nearly so, would be a hole
// or a dark fringe where the edges were smoothed against the key.
TEST(ArtPictures, FontStripHasNoBlackInsideGlyphs) {
  TDecoded fnt;
  ASSERT_TRUE(DecodeFile(kData / "images" / "Fnt1.png", fnt));
  ASSERT_EQ(fnt.Width, 935);
  ASSERT_EQ(fnt.Height, 19);
  ASSERT_GE(fnt.Channels, 3);
  std::vector<int> inkPerColumn(fnt.Width, 0);
  for (int y = 0; y < fnt.Height; ++y)
    for (int x = 0; x < fnt.Width; ++x) {
      const uint8_t* px = &fnt.Pixels[(static_cast<size_t>(y) * fnt.Width + x) * fnt.Channels];
      int brightest = std::max({px[0], px[1], px[2]});
      if (brightest == 0) continue;  // the key
      EXPECT_GE(brightest, 16) << "near-black glyph pixel at " << x << "," << y;
      ++inkPerColumn[x];
    }
  // The glyph table's widths in strip order (digits, A-Z, a-z, then . , : ! ? - $ / \\ ( ) '):
  // the glyphs tile the strip without gaps and every one of them holds ink.
  const int widths[] = {12, 12, 12, 12, 12, 12, 12, 12, 12, 12,              // 0-9
                        14, 14, 14, 14, 12, 11, 14, 14, 6,  11, 14, 12, 22,  // A-M
                        14, 14, 14, 14, 15, 14, 12, 14, 14, 22, 14, 14, 14,  // N-Z
                        14, 14, 14, 14, 14, 10, 14, 14, 7,  10, 14, 7,  22,  // a-m
                        14, 14, 14, 14, 12, 14, 14, 14, 14, 22, 14, 14, 14,  // n-z
                        5,  5,  6,  6,  12, 12, 12, 10, 10, 8,  8,  4};      // punctuation
  int x = 0;
  for (int w : widths) {
    int ink = 0;
    for (int c = x; c < x + w; ++c) ink += inkPerColumn[c];
    EXPECT_GT(ink, 0) << "no glyph in the span at x = " << x;
    x += w;
  }
  EXPECT_EQ(x, fnt.Width);
}

// The game draws the pointer picture with its top-left corner at the pointer: the arrow's tip must
// be that pixel, so it may not be the white colour key.
TEST(ArtPictures, PointerTipIsTheTopLeftPixel) {
  TDecoded cursor;
  ASSERT_TRUE(DecodeFile(kData / "images" / "Cursor.png", cursor));
  ASSERT_GE(cursor.Channels, 3);
  const uint8_t* tip = cursor.Pixels.data();
  EXPECT_FALSE(tip[0] == 255 && tip[1] == 255 && tip[2] == 255);
}

TEST(ArtPictures, ApplicationIconsHaveTheirSizes) {
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    std::string dir = std::to_string(size) + "x" + std::to_string(size);
    TDecoded icon;
    ASSERT_TRUE(DecodeFile(kData / "icons" / dir / "tarvelle.png", icon));
    EXPECT_EQ(icon.Width, size);
    EXPECT_EQ(icon.Height, size);
  }
  EXPECT_TRUE(fs::exists(kData / "icons" / "scalable" / "tarvelle.svg"));
}

// The pack starts with six offsets; entries 0 and 1 are the two water pictures, JPEG files of
// 640 x 480 that stay close to the plain water colour (70, 177, 221) and differ from each other.
TEST(ArtPack, HoldsTheTwoWaterPicturesAtItsOffsets) {
  std::vector<uint8_t> pack = ReadFile(kData / "files" / "TvFree.dat");
  ASSERT_GE(pack.size(), 24u);
  uint32_t off[6];
  for (int i = 0; i < 6; ++i) off[i] = Le32(pack, 4 * i);
  EXPECT_EQ(off[0], 24u);
  for (int i = 0; i < 5; ++i) EXPECT_LE(off[i], off[i + 1]) << "entry " << i;
  ASSERT_LE(off[5], pack.size());

  std::vector<uint8_t> pixels[2];
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const uint8_t* entry = pack.data() + off[i];
    size_t size = off[i + 1] - off[i];
    ASSERT_GT(size, 4u);
    EXPECT_EQ(entry[0], 0xFF);  // JPEG start-of-image marker
    EXPECT_EQ(entry[1], 0xD8);
    TDecoded water;
    ASSERT_TRUE(Decode(entry, size, water)) << stbi_failure_reason();
    EXPECT_EQ(water.Width, 640);
    EXPECT_EQ(water.Height, 480);
    ASSERT_EQ(water.Channels, 3);
    double sum[3] = {0, 0, 0};
    for (size_t p = 0; p < water.Pixels.size(); p += 3)
      for (int c = 0; c < 3; ++c) sum[c] += water.Pixels[p + c];
    const double mean[3] = {70, 177, 221};
    for (int c = 0; c < 3; ++c)
      EXPECT_NEAR(sum[c] / (640.0 * 480.0), mean[c], 8.0) << "channel " << c;
    pixels[i] = std::move(water.Pixels);
  }
  EXPECT_NE(pixels[0], pixels[1]) << "the two water pictures must differ to shimmer";
}

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "actors/effects.h"
#include "core/globals.h"
#include "game/playfield.h"
#include "media/image_decode.h"
#include "media/jpeg_loader.h"
#include "media/messages.h"
#include "support/picture_files.h"

using picture_files::Encode;
using picture_files::Gradient;
using picture_files::TKind;

namespace {

using TBytes = std::vector<uint8_t>;

// A pack of the given entries with a correct offset table.
TBytes Pack(const std::vector<TBytes>& entries) {
  std::vector<uint32_t> offsets{24};
  for (const auto& e : entries) offsets.push_back(offsets.back() + uint32_t(e.size()));
  while (offsets.size() < 6) offsets.push_back(offsets.back());
  TBytes out;
  for (uint32_t o : offsets)
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(o >> (8 * i)));
  for (const auto& e : entries) out.insert(out.end(), e.begin(), e.end());
  return out;
}

void SetOffset(TBytes& pack, int i, uint32_t value) {
  for (int k = 0; k < 4; ++k) pack[i * 4 + k] = uint8_t(value >> (8 * k));
}

struct PicturePackTest : ::testing::Test {
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("tarvelle_pack_" + std::to_string(::getpid()));
  TDXImageList list;
  TSurface water1 = Gradient(6, 4, 1), water2 = Gradient(3, 2, 2);
  TBytes png = Encode(water1, TKind::Png), bmp = Encode(water2, TKind::Bmp);

  PicturePackTest() {
    std::filesystem::create_directories(dir);
    for (const char* name : {"Water1", "Water2", "LevScr", "LevScr0"}) list.Add(name);
    ResetGlobals();
  }
  ~PicturePackTest() override {
    std::filesystem::remove_all(dir);
    ResetGlobals();
  }
  std::string Write(const TBytes& bytes) {
    const auto path = (dir / "TvFree.dat").string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
  }
  bool Has(const char* name) { return !list.Find(name).Picture().IsEmpty(); }
};

TEST_F(PicturePackTest, LoadsTwoEntriesIntoTheWater) {
  G.ProgramFolder = dir.string() + "/";
  Write(Pack({png, bmp}));
  EXPECT_TRUE(LoadWaterPictures(list));
  EXPECT_TRUE(G.WaterLoaded);
  const TSurface& a = list.Find("Water1").Picture();
  const TSurface& b = list.Find("Water2").Picture();
  ASSERT_EQ(a.Width(), 6);
  ASSERT_EQ(b.Width(), 3);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(a.GetPixel(x, y), water1.GetPixel(x, y));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) ASSERT_EQ(b.GetPixel(x, y), water2.GetPixel(x, y));
  // Restored: the surface shows the new picture.
  EXPECT_EQ(list.Find("Water1").PatternSurface(0).Surface->GetPixel(5, 3), water1.GetPixel(5, 3));
}

TEST_F(PicturePackTest, ReadsJpegEntries) {
  TJPEGLoader loader;
  loader.Open(Write(Pack({Encode(Gradient(16, 8), TKind::Jpeg)})));
  EXPECT_TRUE(loader.Load(0, "water2", list));
  EXPECT_EQ(list.Find("Water2").Picture().Width(), 16);
  EXPECT_FALSE(loader.Load(1, "Water1", list));  // an empty entry
  EXPECT_THROW(loader.Load(0, "Sky", list), EImageNotFound);
  loader.Close();
}

TEST_F(PicturePackTest, DamagedPacksStopTheLoadingQuietly) {
  TBytes good = Pack({png, bmp});
  const uint32_t end0 = 24 + uint32_t(png.size());
  struct TCase {
    const char* What;
    TBytes File;
    bool Water1, Water2;
  };
  std::vector<TCase> cases = {
      {"shorter than the table", TBytes(good.begin(), good.begin() + 10), false, false},
      {"cut inside entry 0", TBytes(good.begin(), good.begin() + end0 - 1), false, false},
      {"cut inside entry 1", TBytes(good.begin(), good.end() - 1), true, false},
      {"garbage in entry 0", Pack({TBytes(40, 0x55), bmp}), false, false},
      {"garbage in entry 1", Pack({png, TBytes(40, 0x55)}), true, false},
      {"half a picture", Pack({TBytes(png.begin(), png.begin() + png.size() / 2), bmp}), false,
       false},
  };
  TBytes t = good;
  SetOffset(t, 0, end0 + 1);  // entry 0 ends before it starts
  cases.push_back({"reversed offsets", t, false, false});
  t = good;
  SetOffset(t, 1, 0xFFFFFFF0);
  cases.push_back({"offset beyond the file", t, false, false});
  t = good;
  SetOffset(t, 0, 0);  // entry 0 takes in the table: no picture
  cases.push_back({"entry over the table", t, false, false});
  for (const TCase& c : cases) {
    TDXImageList fresh;
    for (const char* name : {"Water1", "Water2", "LevScr", "LevScr0"}) fresh.Add(name);
    list = std::move(fresh);
    ResetGlobals();
    EXPECT_EQ(LoadWaterPictures(list, Write(c.File)), c.Water1) << c.What;
    EXPECT_EQ(G.WaterLoaded, c.Water1) << c.What;
    EXPECT_EQ(Has("Water1"), c.Water1) << c.What;
    EXPECT_EQ(Has("Water2"), c.Water2) << c.What;
  }
}

// A Huffman table may hold at most 256 codes; one that claims more (here 510 codes of 15 and 16
// bits, which still fit the code space) must be refused, not read past its end.
TEST_F(PicturePackTest, JpegWithAnOversizedHuffmanTableIsRefused) {
  const TBytes jpeg = Encode(Gradient(16, 8), TKind::Jpeg);
  TBytes dht = {0xFF, 0xC4, 0, 0, 0x03};  // DC table 3, which the picture never uses
  for (int i = 0; i < 16; ++i) dht.push_back(i >= 14 ? 255 : 0);
  for (int i = 0; i < 510; ++i) dht.push_back(uint8_t(i));
  const size_t length = dht.size() - 2;
  dht[2] = uint8_t(length >> 8);
  dht[3] = uint8_t(length);
  TBytes bad(jpeg.begin(), jpeg.begin() + 2);  // the start-of-image marker
  bad.insert(bad.end(), dht.begin(), dht.end());
  bad.insert(bad.end(), jpeg.begin() + 2, jpeg.end());
  EXPECT_TRUE(DecodeImage(jpeg.data(), jpeg.size()));
  EXPECT_FALSE(DecodeImage(bad.data(), bad.size()));
  int w = 0, h = 0;
  EXPECT_TRUE(ImageSize(jpeg.data(), jpeg.size(), w, h));
  EXPECT_EQ(w, 16);
  EXPECT_FALSE(ImageSize(bad.data(), bad.size(), w, h));
  TJPEGLoader loader;
  loader.Open(Write(Pack({bad, jpeg})));
  EXPECT_FALSE(loader.Load(0, "Water1", list));
  EXPECT_TRUE(loader.Load(1, "Water2", list));
}

// A JPEG file that ends before its last row would be read on as grey: it is refused.
TEST_F(PicturePackTest, JpegCutShortIsRefused) {
  const TBytes jpeg = Encode(Gradient(64, 48), TKind::Jpeg);
  const TBytes cut(jpeg.begin(), jpeg.begin() + jpeg.size() / 2);
  EXPECT_TRUE(DecodeImage(jpeg.data(), jpeg.size()));
  EXPECT_FALSE(DecodeImage(cut.data(), cut.size()));
}

TEST_F(PicturePackTest, MissingPackOrItemLeavesThePlainWater) {
  EXPECT_FALSE(LoadWaterPictures(list, (dir / "nothing.dat").string()));
  TJPEGLoader loader;
  EXPECT_THROW(loader.Open((dir / "nothing.dat").string()), std::ios_base::failure);
  TDXImageList noWater;
  EXPECT_FALSE(LoadWaterPictures(noWater, Write(Pack({png, bmp}))));
  EXPECT_FALSE(G.WaterLoaded);
}

TEST(MessageTable, LooksUpWithoutRegardToCase) {
  EXPECT_EQ(Messages().Value("FIN1"), "Congratulations!");
  EXPECT_EQ(Messages().Value("Fin1a"), "You have finished all levels!");
  EXPECT_EQ(Messages().Value("fin2"), "");
  EXPECT_EQ(Messages().Value("fin"), "");
  const std::string_view lines[] = {"no equals sign", "a=x=y", "B=1", "b=2", "=empty key"};
  const TMessageTable t(lines);
  EXPECT_EQ(t.Value("A"), "x=y");
  EXPECT_EQ(t.Value("b"), "2");
  EXPECT_EQ(t.Value("no equals sign"), "");
}

}  // namespace

// The image manifest against the game's catalogue tables, and the pictures against the
// manifest.
#include "media/image_manifest.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "data/embedded.h"
#include "media/image_decode.h"
#include "media/image_item.h"

namespace {

// name, picture ("WxH", "pack", "mirror" or "none"), pattern W x H (0 = whole), colour key
// (-1 none, -2 copied from the mirrored twin), system memory.
struct TExpected {
  const char* Name;
  const char* Picture;
  int PatW, PatH;
  int64_t Key;
  bool SysMem;
};
constexpr int64_t kNone = -1, kMirror = -2;

const TExpected kImageList[] = {
    {"Water1", "pack", 0, 0, kNone, false},
    {"Water2", "pack", 0, 0, kNone, false},
    {"Splash", "50x28", 0, 0, 16701295, false},
    {"Normal", "90x47", 0, 0, 11185067, false},
    {"DragonR", "84x42", 42, 42, 718071, false},
    {"DragonL", "mirror", 42, 42, kMirror, false},
    {"Stable", "90x45", 0, 0, 11250860, false},
    {"Prize", "360x46", 36, 46, clFuchsia, false},
    {"Level", "27x35", 0, 0, 16759615, false},
    {"Life", "29x25", 0, 0, clWhite, false},
    {"Time", "35x35", 0, 0, 12563331, false},
    {"Score", "35x35", 0, 0, 15514172, false},
    {"GameOver", "351x45", 0, 0, clWhite, true},
    {"Complete", "390x44", 0, 0, clFuchsia, true},
    {"Pause", "157x49", 0, 0, clWhite, true},
    {"Exit", "118x37", 0, 0, clWhite, false},
    {"New", "154x38", 0, 0, clWhite, false},
    {"Stepped", "90x47", 0, 0, 11185067, false},
    {"Monster1L", "mirror", 36, 37, kMirror, false},
    {"Monster1R", "72x37", 36, 37, 327172, false},
    {"Hiscore", "254x37", 0, 0, clWhite, false},
    {"MegaPrize", "120x30", 30, 30, clBlack, false},
    {"ArrowUp", "76x29", 19, 29, clFuchsia, false},
    {"Monster2L", "mirror", 44, 49, kMirror, false},
    {"Monster2R", "88x49", 44, 49, 39168, false},
    {"Options", "220x38", 0, 0, clWhite, false},
    {"Title", "449x35", 0, 0, clWhite, false},
    {"Stars", "330x55", 55, 55, clBlack, false},
    {"SandClock", "80x36", 20, 36, clWhite, false},
    {"Pulse", "116x25", 29, 25, clFuchsia, false},
    {"Monster3L", "mirror", 45, 48, kMirror, false},
    {"Monster3R", "90x48", 45, 48, 1143551, false},
    {"Fnt1", "935x19", 0, 0, clBlack, false},
    {"HeartEmpty", "29x25", 0, 0, clWhite, false},
    {"Numz", "250x23", 25, 23, clBlack, false},
    {"Help", "130x35", 0, 0, clWhite, false},
    {"Cursor", "20x20", 0, 0, clWhite, false},
    {"HurryUp", "165x29", 0, 0, clWhite, true},
    {"Hungry", "248x23", 0, 0, clWhite, true},
    {"Ok", "90x60", 90, 30, 11007, false},
    {"SNums", "130x12", 13, 12, clWhite, true},
    {"MenuBtn", "137x60", 0, 30, clFuchsia, false},
    {"LevScr", "none", 160, 120, kNone, false},
    {"LevScr0", "none", 160, 120, kNone, false},
    {"Keys", "117x78", 0, 0, clFuchsia, true},
    {"Demo", "152x36", 0, 0, clWhite, false},
};

// The food pictures, group by group, name and size.
const char* const kFood =
    "1_1 15x31, 1_2 31x23, 1_3 30x27, 1_4 19x32, 1_5 19x32, 1_6 17x31, 1_7 32x23, 1_8 32x23, "
    "1_9 17x31, 1_10 31x14, 1_11 30x26, 1_12 31x26, 1_13 17x31, 1_14 31x14, 1_15 31x14, "
    "1_16 31x14, 1_17 20x31, 1_18 16x29, 1_19 21x24, 1_20 21x24, "
    "2_1 26x31, 2_2 26x31, 2_3 33x23, 2_4 29x26, 2_5 27x31, 2_6 31x28, 2_7 18x32, 2_8 25x30, "
    "2_9 32x12, 2_10 20x31, 2_11 24x24, 2_12 31x19, 2_13 25x16, 2_14 28x28, 2_15 20x31, "
    "3_1 22x31, 3_2 20x30, 3_3 29x17, 3_4 32x21, 3_5 29x22, 3_6 29x28, 3_7 31x28, 3_8 31x30, "
    "3_9 27x29, 3_10 31x17, 3_11 30x18, 3_12 26x28, 3_13 16x16, 3_14 30x18, 3_15 28x26, "
    "3_16 28x28, "
    "4_1 27x28, 4_2 32x26, 4_3 31x18, 4_4 13x23, 4_5 31x24, 4_6 31x24, "
    "5_1 21x31, 5_2 32x25, 5_3 26x32, 5_4 27x30";
const char* const kFoodOnBlack[] = {"1_13", "1_17", "3_10", "3_11", "5_4"};

std::string PictureOf(const TManifestRow& r) {
  switch (r.Source) {
    case TPictureSource::Pack:
      return "pack";
    case TPictureSource::Mirror:
      return "mirror";
    case TPictureSource::None:
      return "none";
    case TPictureSource::Embedded:
      return std::to_string(r.PictureWidth) + "x" + std::to_string(r.PictureHeight);
  }
  return "?";
}

int64_t KeyOf(const TManifestRow& r) {
  switch (r.KeySource) {
    case TKeySource::None:
      return kNone;
    case TKeySource::Mirror:
      return kMirror;
    case TKeySource::Value:
      return r.Key;
  }
  return 0;
}

std::vector<TManifestRow> Rows(const std::string& list) {
  std::vector<TManifestRow> out;
  for (auto& r : ParseImageManifest(EmbeddedImageManifest()))
    if (r.List == list) out.push_back(r);
  return out;
}

void ExpectRow(const TManifestRow& r, const TExpected& e) {
  EXPECT_EQ(r.Name, e.Name);
  EXPECT_EQ(PictureOf(r), e.Picture) << e.Name;
  EXPECT_EQ(r.PatternWidth, e.PatW) << e.Name;
  EXPECT_EQ(r.PatternHeight, e.PatH) << e.Name;
  EXPECT_EQ(KeyOf(r), e.Key) << e.Name;
  EXPECT_EQ(r.Transparent, e.Key != kNone) << e.Name;
  EXPECT_EQ(r.SystemMemory, e.SysMem) << e.Name;
  if (r.Source == TPictureSource::Mirror) {
    std::string twin = e.Name;
    twin.back() = 'R';
    EXPECT_EQ(r.MirrorOf, twin);
  }
}

TEST(ImageManifest, ImageListMatchesTheTable) {
  const auto rows = Rows("ImageList");
  ASSERT_EQ(rows.size(), std::size(kImageList));
  for (size_t i = 0; i < rows.size(); ++i) ExpectRow(rows[i], kImageList[i]);
}

TEST(ImageManifest, FoodImgMatchesTheTable) {
  std::vector<TExpected> expected;
  std::vector<std::string> names, sizes;
  std::istringstream in(kFood);
  for (std::string name, size; in >> name >> size;) {
    if (size.back() == ',') size.pop_back();
    names.push_back(name);
    sizes.push_back(size);
  }
  for (size_t i = 0; i < names.size(); ++i) {
    int64_t key = clWhite;
    for (const char* n : kFoodOnBlack)
      if (names[i] == n) key = clBlack;
    expected.push_back({names[i].c_str(), sizes[i].c_str(), 0, 0, key, false});
  }
  const auto rows = Rows("FoodImg");
  ASSERT_EQ(expected.size(), 61u);
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t i = 0; i < rows.size(); ++i) ExpectRow(rows[i], expected[i]);
}

// Every picture carried in the program belongs to an embedded item and has its size.
TEST(ImageManifest, PicturesHaveTheirManifestSize) {
  std::map<std::string, const TManifestRow*> byFile;
  const auto rows = ParseImageManifest(EmbeddedImageManifest());
  for (const auto& r : rows)
    if (r.Source == TPictureSource::Embedded) byFile[r.Name + ".png"] = &r;
  for (const TEmbeddedFile& f : EmbeddedImages()) {
    const auto it = byFile.find(f.Name);
    if (it == byFile.end()) {
      ADD_FAILURE() << f.Name << " is no picture of the catalogues";
      continue;
    }
    int w = 0, h = 0;
    ASSERT_TRUE(ImageSize(f.Data, f.Size, w, h)) << f.Name << " cannot be read";
    EXPECT_EQ(w, it->second->PictureWidth) << f.Name;
    EXPECT_EQ(h, it->second->PictureHeight) << f.Name;
  }
}

}  // namespace

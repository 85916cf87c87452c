// The level tool's text form of a level, and the level file the build ships.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/level_set.h"
#include "game/level_check.h"
#include "game/level_fields.h"
#include "game/level_reader.h"
#include "support/level_files.h"
#include "tools/levels/level_show.h"
#include "tools/levels/level_text.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Encode(const TLevelRecord& r) {
  return level_files::Bytes({r});
}

const std::string Shipped = std::string(TARVELLE_BUILD_DIR) + "/LevelsFree.dat";

TEST(LevelTool, ShippedFileCompilesBackFromItsDump) {
  const std::vector<uint8_t> shipped = ReadFile(Shipped);
  ASSERT_EQ(shipped.size(), size_t{LevelSetSize} * LevelRecordSize);
  const level_files::TTempFolder folder;
  const std::string tool = std::string(TARVELLE_BUILD_DIR) + "/tarvelle-levels";
  std::string sources;
  for (int level = 1; level <= LevelSetSize; ++level) {
    sources += ' ';
    sources += folder.Folder();
    sources += level < 10 ? "level0" : "level";
    sources += std::to_string(level);
    sources += ".txt";
  }
  const std::string dump = tool + " dump " + Shipped + " " + folder.Folder() + " >/dev/null";
  const std::string compile = tool + " compile " + folder.Folder() + "again.dat" + sources;
  ASSERT_EQ(std::system(dump.c_str()), 0) << dump;
  ASSERT_EQ(std::system(compile.c_str()), 0) << compile;
  EXPECT_TRUE(ReadFile(folder.Folder() + "again.dat") == shipped);
}

TEST(LevelTool, ShippedLevelsLoadWithoutProblems) {
  const TLevelReader reader(Shipped);
  for (int level = 1; level <= LevelSetSize; ++level) {
    for (const TLevelProblem& p : CheckLevelRecord(reader.ReadLevel(level))) {
      ADD_FAILURE() << "level " << level << ": " << p.Text;
    }
  }
}

TEST(LevelTool, OddRecordsSurviveTheRoundTrip) {
  TLevelRecord r = level_files::Islands(3, 2);
  r.FoodShare = {1, 2, 3, 4, 5};
  r.BonusCounts[0] = 3;
  r.BonusCounts[17] = 2;
  r.IslandPercent = 250;
  r.Cell(1, 1) = {
      .Kind = 7, .MaxSize = 1, .Size = 2, .HoldFull = 3, .HoldEmpty = 4, .Period = 5, .Growing = 9};
  r.Cell(2, 1) = {.Kind = pkWater, .Period = 300};  // water with a cycle nobody reads
  r.Cell(3, 1) = {.Kind = pkRandom, .MaxSize = 6, .Objects = {{{otFood, 0}}}};
  r.Cell(1, 2).Objects = {
      {{}, {otFood, 9}, {otBonus, bkLifeBonus}, {12, 34}, {otMonster, mkShaggy}}};
  r.Cell(2, 2).Objects = {{{otNone, 5}}};
  const TLevelSource back = ParseLevelSource(FormatLevelSource(r, "odd"), "odd");
  EXPECT_TRUE(Encode(back.Record) == Encode(r));
  EXPECT_EQ(back.Note, "odd");
}

// Each header number is written under its own name and read back into its own field.
TEST(LevelTool, EveryHeaderFieldKeepsItsOwnValue) {
  TLevelRecord r = level_files::Islands(3, 2);
  for (size_t i = 2; i < LevelFields.size(); ++i) LevelFields[i].Set(r, 1000 + i);
  const TLevelRecord back = ParseLevelSource(FormatLevelSource(r, ""), "fields").Record;
  for (const THeaderField& f : LevelFields) EXPECT_EQ(f.Get(back), f.Get(r)) << f.Name;
}

TEST(LevelTool, SourceMistakesNameTheLine) {
  const std::string head =
      "Note n\nGridCols 2\nGridRows 2\nDragonX 1\nDragonY 2\nDiamondX 2\nDiamondY 1\n"
      "Pad I island MaxSize 4\n";  // lines 1 to 8
  const struct {
    std::string Tail, Message;
  } cases[] = {
      {"Map\nI I\nI I\nEnd\n", ""},
      {"Columns 3\nMap\nI I\nI I\nEnd\n", "t.txt:9: unknown field 'Columns'"},
      {"Map\nI I\nI I I\nEnd\n", "t.txt:11: row 2 has 3 cells, GridCols is 2"},
      {"Map\nI I\nEnd\n", "t.txt:9: the map has 1 rows, GridRows is 2"},
      {"Map\nI J\nI I\nEnd\n", "t.txt:10: no pad is called 'J'"},
      {"Map\nI I\nI I\n", "t.txt:11: the map has no 'End'"},
      {"Map\nI I\nI I\nEnd\nAt 1 1 food 1 food 2 food 3 food 4 food 5 food 1\n",
       "t.txt:13: a cell has five object slots"},
      {"Map\nI I\nI I\nEnd\nAt 1 1 monster blue\n", "t.txt:13: unknown monster 'blue'"},
      {"TimeLimit 70000\nMap\nI I\nI I\nEnd\n", "t.txt:9: 70000 is above 65535"},
  };
  for (const auto& c : cases) {
    std::string message;
    try {
      ParseLevelSource(head + c.Tail, "t.txt");
    } catch (const ELevelSyntax& e) {
      message = e.what();
    }
    EXPECT_EQ(message, c.Message);
  }
}

TEST(LevelTool, ShowDrawsTheMap) {
  TLevelRecord r = level_files::Islands(3, 2);
  r.Cell(2, 1) = {.Kind = pkLily, .MaxSize = 4, .Size = 4, .Period = 1000};
  r.Cell(2, 2) = {.Kind = pkStepped, .MaxSize = 3, .Size = 3, .Period = 1000};
  r.Cell(3, 2) = {.Kind = pkRandom};
  r.RandomMaxSize = 4;
  r.Cell(1, 1).Objects[0] = {otMonster, mkGreen};
  r.Cell(1, 1).Objects[1] = {otFood, 2};
  const std::string shown = ShowLevel(r, 4, "note");
  EXPECT_NE(shown.find(" 1  #4Gf3 O4    #4*\n 2  #4D   s3    ?\n"), std::string::npos) << shown;
}

}  // namespace

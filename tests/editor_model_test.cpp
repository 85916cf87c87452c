// The level editor's model: edits as the level tool would write them, undo and redo, saving,
// opening damaged files, and the checks marked on their cells.
#include "tools/editor/editor_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/level_set.h"
#include "game/in_out_error.h"
#include "core/pad.h"
#include "support/level_files.h"
#include "tools/editor/recovery.h"
#include "tools/levels/level_text.h"

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::string RecordBytes(const TLevelRecord& r) {
  const std::vector<uint8_t> b = level_files::Bytes({r});
  return {b.begin(), b.end()};
}

const std::string ShippedLevels = std::string(TARVELLE_BUILD_DIR) + "/LevelsFree.dat";

// The 3 x 1 pond the editor test builds by hand: an island, a growing lily pad with food and a
// green monster, the diamond's island; two time bonuses.
constexpr const char* SmallPondSource = R"(
GridCols 3
GridRows 1
TimeLimit 30
DragonX 1
DragonY 1
DiamondX 3
DiamondY 1
FoodShare 40 30 15 10 5
Bonus time 2
Pad I island MaxSize 6 Size 6
Pad L lily MaxSize 7 Size 3 HoldFull 3000 HoldEmpty 1200 Period 2000 Growing 1
Map
  I L I
End
At 2 1 food 3 monster green
)";

void BuildSmallPond(TEditorModel& m) {
  EXPECT_EQ(m.SetLevelField(TLevelField::GridCols, 3), "");
  EXPECT_EQ(m.SetLevelField(TLevelField::GridRows, 1), "");
  EXPECT_EQ(m.SetLevelField(TLevelField::TimeLimit, 30), "");
  m.PlaceDragon(1, 1);
  m.Paint(1, 1, pkIsland);
  m.Paint(2, 1, pkLily);
  m.Paint(3, 1, pkIsland);
  m.PlaceDiamond(3, 1);
  // Sizes typed in pixels: 90 px is 7 units, 39 px the nearest to 3 units (38 px).
  EXPECT_EQ(m.SetCellField(2, 1, TCellField::MaxSize, 90), "");
  EXPECT_EQ(m.SetCellField(2, 1, TCellField::Size, 39), "");
  EXPECT_EQ(m.SetCellField(2, 1, TCellField::HoldEmpty, 1200), "");
  EXPECT_EQ(m.SetCellField(2, 1, TCellField::Growing, 1), "");
  EXPECT_TRUE(m.AddObject(2, 1, {otFood, 2}));
  EXPECT_TRUE(m.AddObject(2, 1, {otMonster, mkGreen}));
  EXPECT_EQ(m.SetBonusCount(bkTimeBonus + 1, 2), "");
}

TEST(EditorModel, EditsGiveTheBytesTheLevelToolCompiles) {
  TEditorModel m;
  BuildSmallPond(m);
  const TLevelRecord compiled = ParseLevelSource(SmallPondSource, "pond.txt").Record;
  EXPECT_EQ(m.FileBytes().substr(0, LevelRecordSize), RecordBytes(compiled));
  EXPECT_EQ(m.CellFieldValue(2, 1, TCellField::Size), 38);  // shown in pixels as stored
  // Cells left outside a shrunk grid are kept for growing back, but not written.
  TEditorModel wide;
  wide.Paint(4, 3, pkLily);
  EXPECT_EQ(wide.SetLevelField(TLevelField::GridCols, 3), "");
  EXPECT_EQ(wide.FileBytes().substr(0, LevelRecordSize), RecordBytes([] {
              TLevelRecord r = TEditorModel::EmptyPond();
              r.GridCols = 3;
              r.DiamondX = 3;
              r.Cell(4, 2) = TLevelCell{};
              return r;
            }()));
  EXPECT_EQ(wide.SetLevelField(TLevelField::GridCols, 4), "");
  EXPECT_EQ(wide.Level().Cell(4, 3).Kind, pkLily);
}

TEST(EditorModel, ShippedFileSavesBackByteForByte) {
  TEditorModel m;
  m.Open(ShippedLevels, true);
  EXPECT_TRUE(m.OpenMessages().empty());
  EXPECT_EQ(m.LevelCount(), LevelSetSize);
  EXPECT_FALSE(m.Dirty());
  std::string error;
  EXPECT_FALSE(m.Save(&error));  // read-only: Save As only
  EXPECT_NE(error.find("read-only"), std::string::npos);

  level_files::TTempFolder dir;
  const std::string copy = dir.Folder() + "copy.dat";
  ASSERT_TRUE(m.SaveAs(copy, &error)) << error;
  EXPECT_EQ(ReadBytes(copy), ReadBytes(ShippedLevels));
  EXPECT_FALSE(m.ReadOnly());

  // An edit saved and opened again comes back as it was made.
  m.Select(4);
  m.Paint(1, 1, pkStepped);
  const TLevelRecord edited = m.Level();
  EXPECT_TRUE(m.Dirty());
  ASSERT_TRUE(m.Save(&error)) << error;
  EXPECT_FALSE(m.Dirty());
  TEditorModel again;
  again.Open(copy, false);
  EXPECT_EQ(again.LevelAt(4), edited);
}

TEST(EditorModel, UndoAndRedoEveryChangeWithStrokesAsOneStep) {
  TEditorModel m;
  const TLevelRecord start = m.Level();
  m.BeginStroke();
  for (int x = 1; x <= 4; ++x) m.Paint(x, 1, pkLily);  // a drag of the brush
  m.EndStroke();
  const TLevelRecord painted = m.Level();
  m.PlaceDragon(2, 1);
  EXPECT_TRUE(m.Dirty());

  ASSERT_TRUE(m.Undo());
  EXPECT_EQ(m.Level(), painted);
  ASSERT_TRUE(m.Undo());
  EXPECT_EQ(m.Level(), start);
  EXPECT_FALSE(m.Dirty());
  EXPECT_FALSE(m.Undo());
  ASSERT_TRUE(m.Redo());
  EXPECT_EQ(m.Level(), painted);

  // A new change drops what could be redone; painting what is there already is no change.
  m.Paint(1, 3, pkIsland);
  EXPECT_FALSE(m.CanRedo());
  const TLevelRecord before = m.Level();
  m.Paint(1, 3, pkIsland);
  m.Undo();
  EXPECT_EQ(m.Level(), painted);
  m.Redo();
  EXPECT_EQ(m.Level(), before);

  // Undo shows the level it changes, and moving levels is undone as a whole.
  m.Select(6);
  m.SetLevelField(TLevelField::TimeLimit, 90);
  m.CopyLevel();
  m.MoveLevel(6, 0);
  EXPECT_EQ(m.LevelAt(0).TimeLimit, 90);
  m.Select(9);
  m.PasteLevel();
  EXPECT_EQ(m.LevelAt(9).TimeLimit, 90);
  m.Undo();  // the paste
  EXPECT_EQ(m.Current(), 9);
  EXPECT_EQ(m.LevelAt(9).TimeLimit, 60);
  m.Undo();  // the move
  EXPECT_EQ(m.Current(), 6);
  EXPECT_EQ(m.LevelAt(0), before);
  EXPECT_EQ(m.LevelAt(6).TimeLimit, 90);
  m.Undo();
  EXPECT_EQ(m.LevelAt(6), TEditorModel::EmptyPond());
}

TEST(EditorModel, TypedValuesOutOfRangeAreRefusedWithTheRange) {
  struct Case {
    TLevelField Field;
    int32_t Value;
    const char* Refusal;
  };
  const Case cases[] = {
      {TLevelField::GridCols, 17, "GridCols: 1 to 16"},
      {TLevelField::GridRows, 0, "GridRows: 1 to 11"},
      {TLevelField::TimeLimit, 1000, "TimeLimit: 1 to 999 s"},
      {TLevelField::IslandPercent, 101, "IslandPercent: 0 to 100 %"},
      {TLevelField::RandomMaxSize, 65533, "RandomMaxSize: 0 to 65532 px"},
      {TLevelField::RandomPeriod, 65500, "RandomPeriod: 0 to 65486 ms"},
  };
  TEditorModel m;
  for (const Case& c : cases) {
    EXPECT_EQ(m.SetLevelField(c.Field, c.Value), c.Refusal);
  }
  EXPECT_EQ(m.SetCellField(1, 2, TCellField::Period, -1), "Period: 0 to 65535 ms");
  EXPECT_EQ(m.SetFoodShare(1, 101), "FoodShare: 0 to 100 %");
  EXPECT_EQ(m.SetBonusCount(1, 600), "");
  EXPECT_EQ(m.SetBonusCount(2, 80), "BonusCounts: at most 679 in all, 79 left");
  EXPECT_EQ(m.SetBonusCount(1, 599), "");  // its own count is not counted twice
  m.Undo();
  m.Undo();
  EXPECT_FALSE(m.CanUndo());  // refused values made no step
  EXPECT_EQ(m.Level(), TEditorModel::EmptyPond());
}

// The editor takes a number up to the end of its range without a word from the checker, and the
// checker names the field one past it.
TEST(EditorModel, TypedRangesEndWhereTheCheckersProblemsBegin) {
  const auto named = [](const TLevelRecord& r, const char* name) {
    for (const TLevelProblem& p : CheckLevelRecord(r))
      if (p.Text.starts_with(std::string(name) + " ")) return true;
    return false;
  };
  for (const TLevelField f :
       {TLevelField::GridCols, TLevelField::GridRows, TLevelField::TimeLimit,
        TLevelField::IslandPercent, TLevelField::SteppedPercent, TLevelField::RandomMaxSize,
        TLevelField::RandomHoldFull, TLevelField::RandomHoldEmpty, TLevelField::RandomPeriod}) {
    const TFieldRange range = RangeOf(f);
    TEditorModel m;
    m.Paint(2, 1, pkRandom);  // so that RandomMaxSize is checked
    ASSERT_EQ(m.SetLevelField(f, range.Max), "") << range.Name;
    EXPECT_FALSE(named(m.Level(), range.Name)) << range.Name;
    TLevelRecord past = m.Level();
    FieldOf(f).Set(past, FieldOf(f).Get(past) + 1);
    EXPECT_TRUE(named(past, range.Name)) << range.Name;
  }
}

TEST(EditorModel, ChecksMarkTheCellsTheyConcern) {
  TEditorModel m;
  EXPECT_FALSE(m.HasErrors());
  m.AddObject(2, 2, {otMonster, mkRed});  // on water, next to the Dragon
  m.Paint(3, 3, pkLily);                  // cut off
  ASSERT_TRUE(m.SetCellField(3, 3, TCellField::MaxSize, 0).empty());
  bool nextTo = false, cutOff = false, zero = false;
  for (const TLevelProblem& p : m.Problems()) {
    using Cells = std::vector<std::pair<int32_t, int32_t>>;
    if (p.Text.find("next to the Dragon") != std::string::npos) {
      nextTo = true;
      EXPECT_EQ(p.Cells, (Cells{{2, 2}}));
    }
    if (p.Text.find("cut off") != std::string::npos) {
      cutOff = true;
      EXPECT_EQ(p.Cells, (Cells{{3, 3}, {4, 2}}));
    }
    if (p.Error) {
      zero = true;
      EXPECT_EQ(p.Cells, (Cells{{3, 3}}));
    }
  }
  EXPECT_TRUE(nextTo && cutOff && zero);
  EXPECT_TRUE(m.HasErrors());
  EXPECT_FALSE(m.HasErrors(1));

  // A problem about the Dragon with no cell in its text marks the Dragon's cell.
  m.PlaceDragon(2, 1);
  bool water = false;
  for (const TLevelProblem& p : m.Problems()) {
    if (p.Text == "the Dragon starts on water") {
      water = true;
      EXPECT_EQ(p.Cells, (std::vector<std::pair<int32_t, int32_t>>{{2, 1}}));
    }
  }
  EXPECT_TRUE(water);
}

TEST(EditorModel, DamagedFilesOpenMarkedOrAreRefusedWithTheReadersMessage) {
  level_files::TTempFolder dir;
  std::vector<TLevelRecord> levels(LevelSetSize, level_files::Islands());
  levels[6].GridCols = 19;
  dir.Write("bad.dat", level_files::Bytes(levels));
  dir.Write("short.dat", level_files::Bytes({levels[0], levels[1], levels[2]}));
  std::vector<uint8_t> cut = level_files::Bytes({levels[0]});
  cut.resize(100);
  dir.Write("cut.dat", cut);

  TEditorModel m;
  m.Open(dir.Folder() + "bad.dat", false);
  ASSERT_EQ(m.OpenMessages().size(), 1u);
  EXPECT_EQ(m.OpenMessages()[0], "bad.dat, level 7: GridCols is 19, at most 16");
  EXPECT_TRUE(m.HasErrors(6));
  m.Select(6);
  EXPECT_EQ(m.LevelFieldValue(TLevelField::GridCols), 19);  // held as it is, marked
  EXPECT_TRUE(m.Problems().front().Error);

  m.Open(dir.Folder() + "short.dat", false);
  EXPECT_EQ(m.LevelCount(), LevelSetSize);
  EXPECT_EQ(m.LevelAt(3), TEditorModel::EmptyPond());
  EXPECT_TRUE(m.Dirty());  // the added ponds are not in the file yet

  const std::string before = m.FileBytes();
  for (const char* name : {"cut.dat", "missing.dat"}) {
    EXPECT_THROW(m.Open(dir.Folder() + name, false), EInOutError) << name;
    EXPECT_EQ(m.FileBytes(), before);
    EXPECT_EQ(m.Path(), dir.Folder() + "short.dat");
  }
}

TEST(EditorRecovery, UnsavedLevelsComeBackAsUnsavedChangesOfTheirPack) {
  level_files::TTempFolder dir;
  TRecovery recovery(dir.Folder() + "recovery/");
  const std::string pack = dir.Folder() + "a/pond.dat";
  EXPECT_NE(recovery.FileFor(pack), recovery.FileFor(dir.Folder() + "b/pond.dat"));
  EXPECT_NE(recovery.FileFor(pack), recovery.FileFor(""));

  TEditorModel m;
  m.Select(3);
  m.Paint(2, 2, pkStepped);
  EXPECT_FALSE(recovery.Exists(pack));
  ASSERT_TRUE(recovery.Keep(m, pack));
  ASSERT_TRUE(recovery.Exists(pack));
  EXPECT_FALSE(recovery.Exists(""));

  TEditorModel after;  // the next start of the editor, the pack opened
  after.Open(ShippedLevels, false);
  after.AdoptPath(pack, true);
  recovery.Restore(after, after.Path(), true);
  EXPECT_EQ(after.FileBytes(), m.FileBytes());
  EXPECT_EQ(after.Path(), pack);
  EXPECT_TRUE(after.ReadOnly());
  EXPECT_TRUE(after.Dirty());
  recovery.Drop(pack);
  EXPECT_FALSE(recovery.Exists(pack));
}

}  // namespace

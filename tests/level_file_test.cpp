// Reading the level file: records the game refuses, missing and short files, and the checker's
// warnings about settings that quietly break a rule.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "actors/effects.h"
#include "actors/image_sprite.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "fake_video.h"
#include "front/input.h"
#include "game/in_out_error.h"
#include "game/level.h"
#include "game/level_check.h"
#include "game/level_reader.h"
#include "platform/clock.h"
#include "support/level_files.h"
#include "support/session_test.h"

namespace {

using level_files::Islands;

struct TBadRecord {
  const char* Message;  // after "LevelsFree.dat, level 7: "
  std::function<void(TLevelRecord&)> Spoil;
};

const TBadRecord BadRecords[] = {
    {"GridCols is 19, at most 16", [](TLevelRecord& r) { r.GridCols = 19; }},
    {"GridCols is 0, at least 1", [](TLevelRecord& r) { r.GridCols = 0; }},
    {"GridRows is 12, at most 11", [](TLevelRecord& r) { r.GridRows = 12; }},
    {"DragonX is 5, at most 4", [](TLevelRecord& r) { r.DragonX = 5; }},
    {"DragonY is 0, at least 1", [](TLevelRecord& r) { r.DragonY = 0; }},
    {"DiamondY is 0, at least 1", [](TLevelRecord& r) { r.DiamondY = 0; }},
    {"DiamondX is 5, at most 4",
     [](TLevelRecord& r) {
       r.DiamondDelay = 30;
       r.DiamondX = 5;
     }},
    {"cell (2, 3): Kind is 5, at most 4", [](TLevelRecord& r) { r.Cell(2, 3).Kind = 5; }},
    {"cell (2, 3), slot 2: food ObjKind is 5, at most 4",
     [](TLevelRecord& r) {
       r.Cell(2, 3).Objects[1] = {otFood, 5};
     }},
    {"BonusCounts add up to 680, at most 679",
     [](TLevelRecord& r) {
       r.BonusCounts[0] = 600;
       r.BonusCounts[19] = 80;
     }},
    {"cell (2, 3): MaxSize is 0, at least 1 for a lily pad",
     [](TLevelRecord& r) { r.Cell(2, 3) = {.Kind = pkLily, .Period = 1000}; }},
    {"cell (2, 3): MaxSize is 0, at least 1 for an island",
     [](TLevelRecord& r) { r.Cell(2, 3).MaxSize = 0; }},
    {"cell (2, 3): MaxSize is 6000, at most 5097",
     [](TLevelRecord& r) { r.Cell(2, 3).MaxSize = 6000; }},
    {"RandomMaxSize is 0, at least 1 for random pads that are not islands",
     [](TLevelRecord& r) {
       r.Cell(2, 3).Kind = pkRandom;
       r.IslandPercent = 50;
     }},
};

// The level file's reader itself is under test: its levels are written to a file.
class LevelFileTest : public SessionTest {
 protected:
  void SetUp() override { G.ProgramFolder = folder.Folder(); }

  // Six good levels, then the given one as level 7.
  void WriteWithLevel7(const TLevelRecord& seventh) {
    std::vector<TLevelRecord> records(6, Islands());
    records.push_back(seventh);
    folder.Write("LevelsFree.dat", level_files::Bytes(records));
  }

  // Runs LoadLevel, which must fail; returns the error.
  EInOutError LoadFails() {
    try {
      LoadLevel();
    } catch (const EInOutError& e) {
      return e;
    }
    ADD_FAILURE() << "LoadLevel did not fail";
    return EInOutError(-1, "");
  }

  level_files::TTempFolder folder;
};

TEST_F(LevelFileTest, RefusedRecordsStopBeforeAnythingIsTouched) {
  for (const TBadRecord& bad : BadRecords) {
    TLevelRecord r = Islands(4, 3);
    bad.Spoil(r);
    WriteWithLevel7(r);
    // What an earlier level left behind stays as it was.
    ClearAllSprites();
    new TImageSprite(&SpriteRoot());
    G.GameState = gsMenu;
    G.GridCols = 9;
    G.TimeLeft = 42;
    G.LevelNo = 7;
    const EInOutError e = LoadFails();
    EXPECT_EQ(e.what(), std::string("LevelsFree.dat, level 7: ") + bad.Message);
    EXPECT_EQ(e.ErrorCode, EInOutError::ecInvalidData);
    EXPECT_EQ(SpriteRoot().ChildCount(), 1) << bad.Message;
    EXPECT_EQ(std::make_tuple(G.GameState, G.GridCols, G.TimeLeft), std::make_tuple(gsMenu, 9, 42));
    EXPECT_EQ(G.MaxLevel, 7);  // these two may change first
    EXPECT_EQ(G.JoyRepeat, 3);
  }
}

TEST_F(LevelFileTest, TheCheckerListsEveryError) {
  TLevelRecord r = Islands(4, 3);
  r.DragonX = 5;
  r.BonusCounts[0] = 680;
  r.Cell(1, 1).Kind = 5;
  r.Cell(2, 1).Objects[2] = {otFood, 7};
  r.Cell(3, 1) = {.Kind = pkLily};
  r.Cell(4, 2).Kind = pkRandom;
  std::vector<std::string> found;
  for (const TLevelProblem& p : LevelRecordErrors(r)) found.push_back(p.Text);
  EXPECT_EQ(found, (std::vector<std::string>{
                       "DragonX is 5, at most 4",
                       "BonusCounts add up to 680, at most 679",
                       "cell (1, 1): Kind is 5, at most 4",
                       "cell (2, 1), slot 3: food ObjKind is 7, at most 4",
                       "cell (3, 1): MaxSize is 0, at least 1 for a lily pad",
                       "RandomMaxSize is 0, at least 1 for random pads that are not islands",
                   }));
}

TEST_F(LevelFileTest, RecordsAtTheLimitsLoad) {
  const std::function<void(TLevelRecord&)> fine[] = {
      [](TLevelRecord& r) {
        r = Islands(16, 11);
        r.BonusCounts[0] = 679;
      },
      [](TLevelRecord& r) {  // a late diamond may go to a random island
        r.DiamondDelay = 10;
        r.DiamondX = r.DiamondY = 0;
      },
      [](TLevelRecord& r) {  // random pads that all become islands need no size
        r.Cell(2, 3).Kind = pkRandom;
        r.IslandPercent = 100;
      },
      [](TLevelRecord& r) { r.Cell(2, 3) = {.Kind = pkWater}; },
      [](TLevelRecord& r) {
        r.Cell(2, 3).Objects[0] = {otBonus, 77};
      },  // creates nothing
  };
  for (const auto& change : fine) {
    TLevelRecord r = Islands(4, 3);
    change(r);
    WriteWithLevel7(r);
    G.LevelNo = 7;
    EXPECT_NO_THROW(LoadLevel());
    EXPECT_EQ(G.GameState, gsPlaying);
  }
}

// Fields checked only where the level uses them: out of range where nothing reads them, they
// load, and the level tool warns about them.
TEST_F(LevelFileTest, FieldsTheLevelNeverUsesOnlyWarn) {
  const struct {
    const char* Warning;
    std::function<void(TLevelRecord&)> Change;
  } cases[] = {
      {"RandomMaxSize is 6000, above 5097, but the level has no random pad",
       [](TLevelRecord& r) { r.RandomMaxSize = 6000; }},
      {"cell (2, 3) is water: its MaxSize 9000 and Size 60000 are not used",
       [](TLevelRecord& r) { r.Cell(2, 3) = {.Kind = pkWater, .MaxSize = 9000, .Size = 60000}; }},
      {"DiamondX 0 and DiamondY 40 are not used: the diamond goes to a random island",
       [](TLevelRecord& r) {
         r.DiamondDelay = 10;
         r.DiamondX = 0;
         r.DiamondY = 40;
       }},
  };
  for (const auto& c : cases) {
    TLevelRecord r = Islands(4, 3);
    c.Change(r);
    const auto problems = CheckLevelRecord(r);
    ASSERT_EQ(problems.size(), 1u) << c.Warning;
    EXPECT_FALSE(problems[0].Error);
    EXPECT_EQ(problems[0].Text, c.Warning);
    WriteWithLevel7(r);
    G.LevelNo = 7;
    EXPECT_NO_THROW(LoadLevel()) << c.Warning;
    EXPECT_EQ(G.GameState, gsPlaying);
  }
  // Where they are used, they are still refused.
  TLevelRecord r = Islands(4, 3);
  r.Cell(2, 3).Kind = pkRandom;
  r.RandomMaxSize = 6000;
  EXPECT_EQ(LevelRecordErrors(r).at(0).Text, "RandomMaxSize is 6000, at most 5097");
}

TEST_F(LevelFileTest, MissingFileAndLevelsBeyondTheEnd) {
  G.LevelNo = 1;
  EInOutError e = LoadFails();
  EXPECT_EQ(e.ErrorCode, EInOutError::ecFileNotFound);
  EXPECT_TRUE(std::string(e.what()).starts_with("LevelsFree.dat: file not found (")) << e.what();

  folder.Write("LevelsFree.dat", level_files::Bytes({Islands(), Islands()}));
  G.LevelNo = 3;
  e = LoadFails();
  EXPECT_EQ(e.ErrorCode, EInOutError::ecReadBeyondEnd);
  EXPECT_STREQ(e.what(), "LevelsFree.dat, level 3: read beyond end of file");

  // The last record cut short.
  std::vector<uint8_t> bytes = level_files::Bytes({Islands(), Islands()});
  bytes.resize(bytes.size() - 1);
  folder.Write("LevelsFree.dat", bytes);
  G.LevelNo = 2;
  e = LoadFails();
  EXPECT_STREQ(e.what(), "LevelsFree.dat, level 2: read beyond end of file");
  G.LevelNo = 1;
  EXPECT_NO_THROW(LoadLevel());

  EXPECT_EQ(TLevelReader(folder.Folder() + "LevelsFree.dat").RecordCount(), 1);
}

TEST_F(LevelFileTest, WarningsForSettingsThatBreakARule) {
  const struct {
    const char* Text;
    std::function<void(TLevelRecord&)> Change;
  } cases[] = {
      {"the bonus bag holds 1 entry over 70 s, one every 70000 ms: above 65535, so no bonus ever "
       "comes",
       [](TLevelRecord& r) {
         r.TimeLimit = 70;
         r.BonusCounts[2] = 1;
       }},
      {"FoodShare adds up to 99, not 100: the default 40 30 15 10 5 is used",
       [](TLevelRecord& r) {
         r.FoodShare = {30, 30, 30, 5, 4};
       }},
      {"the diamond lies on a lily pad: it is lost when the pad shrinks below 10 pixels",
       [](TLevelRecord& r) { r.Cell(4, 1).Kind = pkLily; }},
      {"the Dragon starts on water", [](TLevelRecord& r) { r.Cell(1, 3).Kind = pkWater; }},
      {"1 pad(s) cut off from the Dragon's start by water: (4, 1)",
       [](TLevelRecord& r) { r.Cell(3, 1).Kind = r.Cell(4, 2).Kind = pkWater; }},
      {"the diamond goes to a random island, but the level has no island",
       [](TLevelRecord& r) {
         r.DiamondDelay = 20;
         r.DiamondX = r.DiamondY = 0;
         for (auto& column : r.Cells)
           for (TLevelCell& c : column)
             if (c.Kind == pkIsland) c.Kind = pkLily;
       }},
      {"a monster starts next to the Dragon, at (2, 3)",
       [](TLevelRecord& r) {
         r.Cell(2, 3).Objects[0] = {otMonster, mkRed};
       }},
  };
  EXPECT_TRUE(CheckLevelRecord(Islands(4, 3)).empty());
  // The Dragon is placed before the pads are built, so leaving its first cell (1, GridRows)
  // wears away the previous level's pad, never this one's.
  TLevelRecord steppedStart = Islands(4, 3);
  steppedStart.Cell(1, 3).Kind = pkStepped;
  EXPECT_TRUE(CheckLevelRecord(steppedStart).empty());
  for (const auto& c : cases) {
    TLevelRecord r = Islands(4, 3);
    c.Change(r);
    const auto problems = CheckLevelRecord(r);
    ASSERT_EQ(problems.size(), 1u) << c.Text << "\n" << ::testing::PrintToString(problems.size());
    EXPECT_FALSE(problems[0].Error);
    EXPECT_EQ(problems[0].Text, c.Text);
  }
}

TEST_F(LevelFileTest, ProblemsCarryTheCellsTheyConcern) {
  const struct {
    const char* Start;  // of the problem's text
    std::function<void(TLevelRecord&)> Change;
    std::vector<std::pair<int32_t, int32_t>> Cells;
  } cases[] = {
      {"cell (2, 1): Kind is 9", [](TLevelRecord& r) { r.Cell(2, 1).Kind = 9; }, {{2, 1}}},
      {"cell (3, 2), slot 2: food", [](TLevelRecord& r) { r.Cell(3, 2).Objects[1] = {otFood, 7}; },
       {{3, 2}}},
      {"the diamond lies", [](TLevelRecord& r) { r.Cell(5, 1).Kind = pkLily; }, {{5, 1}}},
      {"the Dragon starts", [](TLevelRecord& r) { r.Cell(1, 3).Kind = pkWater; }, {{1, 3}}},
      {"a monster starts on", [](TLevelRecord& r) { r.Cell(1, 3).Objects[0] = {otMonster, 1}; },
       {{1, 3}}},
      // Every pad cut off, also those the text leaves out.
      {"9 pad(s) cut off",
       [](TLevelRecord& r) {
         for (int y = 1; y <= 3; ++y) r.Cell(2, y).Kind = pkWater;
       },
       {{3, 1}, {3, 2}, {3, 3}, {4, 1}, {4, 2}, {4, 3}, {5, 1}, {5, 2}, {5, 3}}},
      // The header's numbers concern no cell.
      {"TimeLimit is 1000", [](TLevelRecord& r) { r.TimeLimit = 1000; }, {}},
      {"DragonX is 0", [](TLevelRecord& r) { r.DragonX = 0; }, {}},
  };
  for (const auto& c : cases) {
    TLevelRecord r = Islands(5, 3);
    c.Change(r);
    bool found = false;
    for (const TLevelProblem& p : CheckLevelRecord(r)) {
      if (!p.Text.starts_with(c.Start)) continue;
      found = true;
      EXPECT_EQ(p.Cells, c.Cells) << p.Text;
    }
    EXPECT_TRUE(found) << c.Start;
  }
}

}  // namespace

// Monsters: going for the Dragon, following it into water, sinking, the cells they choose
// from, and the random draws of each kind's rule.
#include "actors/monsters.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/random.h"
#include "support/pond.h"

namespace {

using TMake = std::function<TEnemy*(int, int)>;
const TMake MakeRed = [](int c, int r) -> TEnemy* { return new TRedMonster(c, r); };
const TMake MakeGreen = [](int c, int r) -> TEnemy* { return new TGreenMonster(c, r); };
const TMake MakeShaggy = [](int c, int r) -> TEnemy* { return new TShaggyMonster(c, r); };

// The random state after n draws from seed.
uint32_t After(uint32_t seed, int n) {
  for (int i = 0; i < n; ++i) seed = seed * 134775813u + 1u;
  return seed;
}

bool Alive(TSprite* s) {
  for (TSprite* c : SpriteRoot().Children())
    if (c == s) return true;
  return false;
}

using MonsterTest = PondTest;

TEST_F(MonsterTest, EveryKindHopsOntoTheDragonBesideIt) {
  for (const auto& [name, make] : {std::pair{"red", MakeRed}, std::pair{"green", MakeGreen},
                                   std::pair{"shaggy", MakeShaggy}}) {
    ClearAllSprites();
    Pond(4, 3);
    G.Pads[1][2].Size = 60;  // a bigger pad on the other side does not tempt it
    TEnemy* m = make(2, 2);
    PutDragon(3, 2);
    Frame(400);
    EXPECT_EQ(m->JumpStart, 0) << name << ": no decision before 400 ms have passed";
    Frame(1);
    EXPECT_EQ(std::make_pair(m->TargetColumn, m->TargetRow), std::make_pair(3, 2)) << name;
    EXPECT_NE(m->JumpStart, 0) << name;
    EXPECT_FALSE(m->FacingLeft) << name;
    Frame(249);
    EXPECT_EQ(m->Column, 2) << name << ": still in the air";
    Frame(1);
    EXPECT_EQ(std::make_tuple(m->Column, m->Row, m->JumpStart, m->X, m->Y),
              std::make_tuple(3, 2, 0, m->StandX(3), m->StandY(2)))
        << name;
  }
}

TEST_F(MonsterTest, MonstersAimAtTheCellTheDragonHopsTo) {
  Pond(4, 3);
  TEnemy* m = MakeRed(2, 2);
  TDragon* d = PutDragon(3, 1);
  d->JumpStart = G.LevelTicks;  // hopping down to (3, 2), beside the monster
  d->TargetColumn = 3;
  d->TargetRow = 2;
  int32_t c = 0, r = 0;
  d->AimCell(c, r);
  if (c != 3 || r != 2) GTEST_SKIP() << "the Dragon does not report its hop's target yet";
  m->Decide();
  EXPECT_EQ(std::make_pair(m->TargetColumn, m->TargetRow), std::make_pair(3, 2));
}

// The red and green rules rate the Dragon's cell before its pad, the shaggy rule the pad first.
TEST_F(MonsterTest, RedAndGreenFollowTheDragonIntoWaterAndSinkTheShaggyOneDoesNot) {
  const struct {
    const char* Name;
    TMake Make;
    bool Follows;
  } cases[] = {{"red", MakeRed, true}, {"green", MakeGreen, true}, {"shaggy", MakeShaggy, false}};
  for (const auto& k : cases) {
    ClearAllSprites();
    Pond(4, 3);
    Pad(3, 2, pkWater, 0);
    TEnemy* m = k.Make(2, 2);
    PutDragon(3, 2);
    const size_t drowns = Plays("Drown");
    Frame(401);
    Frame(250);  // landed (or stayed away)
    EXPECT_EQ(m->Column == 3, k.Follows) << k.Name;
    G.GameState = gsDying;  // the Dragon drowns (or is caught); the monsters go on
    Frame(1);
    EXPECT_EQ(m->Sinking, k.Follows) << k.Name;
    if (!k.Follows) continue;
    EXPECT_FALSE(m->Visible) << k.Name << ": drawn only by its sinking spin";
    Frame(600);
    EXPECT_EQ(Plays("Drown"), drowns) << k.Name;
    Frame(1);
    EXPECT_EQ(Plays("Drown"), drowns + 1) << k.Name;
    Frame(898);
    EXPECT_TRUE(Alive(m)) << k.Name;
    Frame(1);  // 1500 ms
    EXPECT_FALSE(Alive(m)) << k.Name;
  }
}

TEST_F(MonsterTest, APadGrowingBackCutsTheSinkingShort) {
  Pond(3, 3);
  TEnemy* m = MakeRed(2, 2);
  G.Pads[2][2].Size = 0;
  Frame(1);
  ASSERT_TRUE(m->Sinking);
  Frame(100);
  G.Pads[2][2].Size = 12;
  const size_t drowns = Plays("Drown");
  Frame(10);
  EXPECT_FALSE(Alive(m));
  EXPECT_EQ(Plays("Drown"), drowns);
}

TEST_F(MonsterTest, AStandingMonsterStartsToSinkOutsidePlayButSpinsOnlyInPlay) {
  Pond(3, 3);
  TEnemy* m = MakeGreen(2, 2);
  G.GameState = gsPaused;
  G.Pads[2][2].Size = 0;
  Frame(5000);
  EXPECT_TRUE(m->Sinking);
  EXPECT_TRUE(Alive(m));
  G.GameState = gsDying;  // monsters go on during the Dragon's death
  Frame(1);
  Frame(1500);
  EXPECT_FALSE(Alive(m));
}

TEST_F(MonsterTest, CandidatesAreTheOwnCellThenLeftAboveBelowRightOnTheGrid) {
  const struct {
    int Cols, Rows, Column, Row;
    std::vector<std::pair<int, int>> Cells;
  } cases[] = {
      {3, 3, 2, 2, {{2, 2}, {1, 2}, {2, 1}, {2, 3}, {3, 2}}},
      {3, 3, 1, 1, {{1, 1}, {1, 2}, {2, 1}}},
      {3, 3, 3, 3, {{3, 3}, {2, 3}, {3, 2}}},
      {1, 1, 1, 1, {{1, 1}}},
  };
  for (const auto& c : cases) {
    G.GridCols = static_cast<uint16_t>(c.Cols);
    G.GridRows = static_cast<uint16_t>(c.Rows);
    const TCandidates got = CandidateCells(c.Column, c.Row);
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < got.Count; ++i)
      cells.push_back({got.Entries[i].Column, got.Entries[i].Row});
    EXPECT_EQ(cells, c.Cells) << c.Cols << " x " << c.Rows << " at " << c.Column << ", " << c.Row;
  }
}

TEST_F(MonsterTest, AMonsterAloneOnOneCellOnlyTurns) {
  Pond(1, 1);
  TEnemy* m = MakeRed(1, 1);
  RandomState = 1;
  m->Decide();
  EXPECT_EQ(m->JumpStart, 0);
  EXPECT_EQ(std::make_pair(m->Column, m->Row), std::make_pair(1, 1));
}

// Each rule's random draws, in order and only under their conditions. The monster stands on
// (2, 2) of a 5 x 5 pond of equal pads; the candidates come as own, left, above, below, right.
TEST_F(MonsterTest, EachRuleDrawsItsRandomNumbersInOrder) {
  const struct {
    const char* Name;
    TMake Make;
    std::function<void()> Setup;
    uint32_t Seed;
    int Draws;
    std::pair<int, int> Target;  // (2, 2): stays and turns
  } cases[] = {
      // Red: Random(15) = 0, then Random(5) = 3 among the five equal cells: below.
      {"red, five equal", MakeRed, [] {}, 2, 2, {2, 3}},
      // Red: Random(15) = 10, the odd move: the last scoring entry is 5, so entry 5 div 2 + 1 = 3.
      {"red, odd move", MakeRed, [] {}, 22, 1, {2, 1}},
      // Red: one best cell still draws Random(1).
      {"red, one best", MakeRed, [] { G.Pads[1][2].Size = 60; }, 1, 2, {1, 2}},
      // Red beside the Dragon: no Random(15), only Random(1).
      {"red, beside the Dragon", MakeRed, [] { PutDragon(3, 2); }, 1, 1, {3, 2}},
      // Green beside the Dragon: no draw at all.
      {"green, beside the Dragon", MakeGreen, [] { PutDragon(2, 3); }, 1, 0, {2, 3}},
      // Green: the inner cells score 48, the border ones 40; sorted own, right, below, above,
      // left. Random(20) = 1, then Random(3) = 1: right.
      {"green, three best", MakeGreen, [] {}, 3, 2, {3, 2}},
      // Green: Random(20) = 10, the odd move: Random(2) = 1, the second entry: right.
      {"green, odd move", MakeGreen, [] {}, 48, 2, {3, 2}},
      // Green with water all around: no Random(20) as entry 2 scores 0; Random(1) picks its own
      // cell and the turn draws Random(2).
      {"green, water around",
       MakeGreen,
       [] {
         for (auto [x, y] : {std::pair{1, 2}, std::pair{2, 1}, std::pair{2, 3}, std::pair{3, 2}})
           Pad(x, y, pkWater, 0);
       },
       1,
       2,
       {2, 2}},
      // Shaggy: Random(5) = 2 among five equal pads: above.
      {"shaggy, five equal", MakeShaggy, [] {}, 13, 1, {2, 1}},
  };
  for (const auto& c : cases) {
    ClearAllSprites();
    Pond(5, 5);
    TEnemy* m = c.Make(2, 2);
    c.Setup();
    RandomState = c.Seed;
    m->Decide();
    EXPECT_EQ(RandomState, After(c.Seed, c.Draws)) << c.Name;
    const auto target = m->JumpStart ? std::make_pair(m->TargetColumn, m->TargetRow)
                                     : std::make_pair(m->Column, m->Row);
    EXPECT_EQ(target, c.Target) << c.Name;
  }
}

TEST_F(MonsterTest, ConstructionDrawsFrameAndOffsetAndFacesTheNearSide) {
  Pond(6, 3);
  RandomState = 7;
  TEnemy* left = MakeRed(3, 2);
  EXPECT_EQ(RandomState, After(7, 5));  // frame, |x|, sign, |y|, sign
  EXPECT_TRUE(left->FacingLeft);        // 6 div 2 >= 3
  EXPECT_FALSE(MakeRed(4, 2)->FacingLeft);
  EXPECT_GE(left->JitterX, -2);
  EXPECT_LE(left->JitterX, 2);
  EXPECT_EQ(std::make_pair(left->Width, left->Height), std::make_pair(36, 37));
  EXPECT_EQ(left->X, 106 * 2 + (106 - 36) / 2 + left->JitterX);
  EXPECT_EQ(left->Y, 20 + 146 + 73 - 37 + left->JitterY);
}

// Each kind's rating of one cell, worked out by hand from its rule. The pad is at (3, 3), in
// the middle of a 5 x 5 pond, or at (1, 3) on its border.
TEST_F(MonsterTest, EachKindRatesACellByItsRule) {
  struct TCase {
    const char* what;
    TMake make;
    int c;
    uint8_t kind;
    int size, maxSize;
    bool growing;
    std::pair<int, int> aim;
    int32_t score;
  };
  const std::pair far{5, 5}, beside{3, 2}, diagonal{4, 4}, onIt{3, 3};
  const TCase cases[] = {
      // Red: the size, doubled on a growing lily or stepped pad, 3/2 beside the Dragon.
      {"red shrinking", MakeRed, 3, pkLily, 41, 60, false, far, 41},
      {"red growing", MakeRed, 3, pkStepped, 41, 60, true, far, 82},
      {"red island", MakeRed, 3, pkIsland, 41, 60, true, far, 41},
      {"red beside", MakeRed, 3, pkLily, 41, 60, false, beside, 61},
      {"red growing beside", MakeRed, 3, pkLily, 41, 60, true, beside, 123},
      {"red diagonal", MakeRed, 3, pkLily, 41, 60, false, diagonal, 41},
      {"red water", MakeRed, 3, pkWater, 0, 0, false, far, 0},
      {"red on the Dragon in water", MakeRed, 3, pkWater, 0, 0, false, onIt, 65535},
      // Green: 2 x MaxSize - Size while growing, 17/10 beside, 5/4 diagonal, 12/10 inside.
      {"green growing on the border", MakeGreen, 1, pkLily, 30, 40, true, {5, 5}, 50},
      {"green growing at size 0", MakeGreen, 1, pkLily, 0, 40, true, {5, 5}, 0},
      {"green growing inside", MakeGreen, 3, pkLily, 30, 40, true, far, 60},
      {"green beside on the border", MakeGreen, 1, pkLily, 30, 40, true, {1, 2}, 85},
      {"green beside inside", MakeGreen, 3, pkLily, 30, 40, true, beside, 102},
      {"green diagonal inside", MakeGreen, 3, pkLily, 30, 40, true, diagonal, 74},
      {"green shrinking beside", MakeGreen, 1, pkLily, 33, 40, false, {1, 2}, 56},
      {"green water", MakeGreen, 3, pkWater, 0, 0, false, far, 0},
      {"green on the Dragon in water", MakeGreen, 3, pkWater, 0, 0, false, onIt, 65535},
      // Shaggy: how long the pad stays afloat (4 s period, 500 ms at full size), 3/2 beside,
      // 5/4 diagonal; the Dragon's cell only on a pad.
      {"shaggy full", MakeShaggy, 3, pkLily, 40, 40, true, far, 4250},
      {"shaggy full beside", MakeShaggy, 3, pkLily, 40, 40, true, beside, 6375},
      {"shaggy full diagonal", MakeShaggy, 3, pkLily, 40, 40, true, diagonal, 5312},
      {"shaggy growing", MakeShaggy, 3, pkLily, 30, 40, true, far, 5500},
      {"shaggy growing beside", MakeShaggy, 3, pkLily, 30, 40, true, beside, 8250},
      {"shaggy shrinking", MakeShaggy, 3, pkLily, 30, 40, false, far, 3000},
      {"shaggy shrinking diagonal", MakeShaggy, 3, pkLily, 30, 40, false, diagonal, 3750},
      {"shaggy on the Dragon", MakeShaggy, 3, pkLily, 30, 40, false, onIt, 16777215},
      {"shaggy water", MakeShaggy, 3, pkWater, 0, 0, false, onIt, 0},
  };
  for (const TCase& c : cases) {
    ClearAllSprites();
    Pond(5, 5);
    TPad& p = G.Pads[c.c][3];
    p = TPad{.Kind = c.kind,
             .MaxSize = static_cast<uint16_t>(c.maxSize),
             .Size = static_cast<uint16_t>(c.size),
             .HoldFull = 500,
             .Period = 4000,
             .Growing = c.growing};
    TEnemy* m = c.make(5, 1);
    EXPECT_EQ(m->Score(c.c, 3, c.aim.first, c.aim.second), c.score) << c.what;
  }
  EXPECT_EQ(MakeShaggy(5, 1)->Score(0, 3, 3, 3), -1) << "off the grid";
}

// Starting on or next to the Dragon would catch it before the player could move.
TEST_F(MonsterTest, TheShaggyMonsterStartsTwoHopsAwayFromTheDragon) {
  const struct {
    int Cols, Rows, Column, Row;
    std::pair<int, int> Start;  // (0, 0): removed
    std::pair<int, int> Water = {0, 0};
  } cases[] = {
      {5, 3, 4, 2, {4, 2}},  // far enough: its own cell
      {5, 3, 2, 2, {1, 1}},  // on the Dragon: the first cell two hops away, column by column
      {5, 3, 3, 2, {3, 1}},  // next to it: (3, 1) is the nearest
      {5, 3, 3, 2, {3, 3}, {3, 1}},  // the nearest is water: the next pad
      {1, 3, 1, 1, {0, 0}},          // no cell is far enough on a 1 x 3 pond
  };
  for (const auto& c : cases) {
    ClearAllSprites();
    Pond(c.Cols, c.Rows);
    if (c.Water.first != 0) Pad(c.Water.first, c.Water.second, pkWater, 0);
    PutDragon(c.Cols == 1 ? 1 : 2, 2);
    const uint32_t seed = RandomState;
    TEnemy* m = MakeShaggy(c.Column, c.Row);
    MoveShaggyMonstersOffTheDragon();
    EXPECT_EQ(RandomState, After(seed, 5)) << "the same draws wherever it starts";
    if (c.Start.first == 0) {
      EXPECT_TRUE(m->IsDead);
      EXPECT_FALSE(m->CanCollide);
      continue;
    }
    EXPECT_EQ(std::make_pair(m->Column, m->Row), c.Start) << c.Column << ", " << c.Row;
    EXPECT_EQ(m->X, m->StandX(c.Start.first));
  }
}

}  // namespace

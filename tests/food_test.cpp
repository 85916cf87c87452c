// Food, the diamond and the bonuses: sinking with the pad, pick-up, points and energy, and what
// each bonus does.
#include "actors/food.h"

#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "actors/monsters.h"
#include "actors/score.h"
#include "core/random.h"
#include "game/rules.h"
#include "support/pond.h"

namespace {

uint32_t After(uint32_t seed, int n) {
  for (int i = 0; i < n; ++i) seed = seed * 134775813u + 1u;
  return seed;
}

bool Alive(TSprite* s) {
  for (TSprite* c : SpriteRoot().Children())
    if (c == s) return true;
  return false;
}

// The food items on the pond, as (column, row).
std::set<std::pair<int, int>> Food() {
  std::set<std::pair<int, int>> out;
  for (TSprite* s : SpriteRoot().Children())
    if (auto* p = dynamic_cast<TPrize*>(s); p && p->PrizeKind != 0) out.insert({p->Column, p->Row});
  return out;
}

using FoodTest = PondTest;

TEST_F(FoodTest, ItemsSinkWithTheirPadExceptOnIslands) {
  const struct {
    uint8_t Kind;  // 0 the diamond, 3 food, 9 a bonus
    uint8_t PadKind;
    bool Growing;
    int Size;
    bool Stays;
  } cases[] = {
      {0, pkLily, false, 15, false},  // the diamond on a shrinking pad below 20
      {3, pkLily, false, 19, false},  // food likewise
      {3, pkLily, false, 20, true},
      {3, pkStepped, true, 12, true},  // food on a growing pad stays at any size
      {0, pkLily, true, 9, false},     // the diamond goes below 10 even while the pad grows
      {0, pkLily, true, 10, true},
      {3, pkIsland, false, 5, true},  // islands never sink
      {0, pkIsland, false, 5, true},
      {9, pkIsland, false, 5, true},
      {9, pkLily, true, 5, true},  // a bonus on a growing pad stays until it is gone
      {9, pkLily, true, 0, false},
      {9, pkLily, false, 19, false},
  };
  for (const auto& c : cases) {
    ClearAllSprites();
    Pond(3, 3);
    Pad(2, 2, c.PadKind, c.Size, c.Growing);
    TSprite* item =
        c.Kind == 9 ? static_cast<TSprite*>(new TLifeBonus(2, 2)) : new TPrize(2, 2, c.Kind);
    EXPECT_EQ(G.Pads[2][2].FoodCount, 1);
    Frame(10);
    Frame(10);
    const std::string what = "kind " + std::to_string(c.Kind) + " on pad kind " +
                             std::to_string(c.PadKind) + " size " + std::to_string(c.Size);
    EXPECT_EQ(Alive(item), c.Stays) << what;
    EXPECT_EQ(G.Pads[2][2].FoodCount, c.Stays ? 1 : 0) << what;
  }
}

TEST_F(FoodTest, ABonusExpiresAfterItsLifetimeByDifficultyEvenOnAnIsland) {
  for (auto [difficulty, lifetime] : {std::pair{1, 4500}, std::pair{2, 4000}, std::pair{3, 3500}}) {
    ClearAllSprites();
    G.Difficulty = difficulty;
    Pond(3, 3);
    Pad(2, 2, pkIsland, 40);
    TBonus* b = new TTimeBonus(2, 2);
    Frame(lifetime);
    EXPECT_TRUE(Alive(b)) << difficulty;
    Frame(1);
    EXPECT_FALSE(Alive(b)) << difficulty;
    EXPECT_EQ(G.Pads[2][2].FoodCount, 0);
  }
}

TEST_F(FoodTest, AnItemKilledFromOutsideStillGivesItsCountBack) {
  Pond(3, 3);
  auto* food = new TPrize(1, 1, 2);
  new TMegaPrize(1, 1);
  EXPECT_EQ(G.Pads[1][1].FoodCount, 2);
  food->Kill();
  SpriteRoot().SweepDead();
  EXPECT_EQ(G.Pads[1][1].FoodCount, 1);
}

TEST_F(FoodTest, TheStandingDragonEatsFoodAndOvereatingCostsPoints) {
  G.Difficulty = 1;
  Pond(3, 3);
  TDragon* d = PutDragon(2, 2);
  d->Energy = 140;
  auto* food = new TPrize(2, 2, 5);
  d->JumpStart = G.LevelTicks;  // hopping over it: nothing
  Frame(10);
  EXPECT_TRUE(Alive(food));
  d->JumpStart = 0;
  const size_t hams = Plays("Ham");
  Frame(10);
  EXPECT_FALSE(Alive(food));
  EXPECT_EQ(G.Pads[2][2].FoodCount, 0);
  // 17 energy: 157, capped at 150 for 70 points, then 200 points for group 5 at difficulty 1.
  EXPECT_EQ(std::make_tuple(d->Energy, G.Score, Plays("Ham")), std::make_tuple(150, 130, hams + 1));
  const TScoreUp& shown = Effects().ScorePopups[0];
  EXPECT_TRUE(shown.Active);
  EXPECT_EQ(shown.DigitCount, 3);  // the pop-up shows the 200, not the loss
  EXPECT_EQ(shown.Digits[3], 2);
}

TEST_F(FoodTest, OnlyPlayAndDemoLetTheDragonPickUpFoodButBonusesAnyTime) {
  Pond(3, 3);
  PutDragon(2, 2);
  G.GameState = gsDying;
  auto* food = new TPrize(2, 2, 1);
  auto* bonus = new TLifeBonus(2, 2);
  Frame(10);
  EXPECT_TRUE(Alive(food));
  EXPECT_FALSE(Alive(bonus));
  G.GameState = gsDemo;
  Frame(10);
  EXPECT_FALSE(Alive(food));
}

TEST_F(FoodTest, TheDiamondEndsTheLevelWithItsPoints) {
  const struct {
    int32_t TimeLeft, Difficulty, LevelNo, Energy, Points;
  } cases[] = {
      // 30 div 2 x 10 + 200 + 30 + (100 div 5) x 10 x 2
      {30, 2, 3, 100, 150 + 200 + 30 + 400},
      {31, 1, 1, 4, 100 + 100 + 10 + 0},
      // At 0 seconds the level number counts twice over.
      {0, 3, 15, 150, 0 + 300 + 150 + 900 + 450},
  };
  for (const auto& c : cases) {
    ClearAllSprites();
    G.GameState = gsPlaying;
    G.Score = 0;
    G.TimeLeft = c.TimeLeft;
    G.Difficulty = c.Difficulty;
    G.LevelNo = c.LevelNo;
    Pond(3, 3);
    PutDragon(1, 1)->Energy = c.Energy;
    new TPrize(1, 1, 0);
    Frame(10);
    EXPECT_EQ(G.GameState, gsLevelDone);
    EXPECT_EQ(G.Score, c.Points) << c.TimeLeft << " s, difficulty " << c.Difficulty;
  }
}

TEST_F(FoodTest, TheGreenMonsterEatsFoodButNotTheDiamondAndOthersPassBy) {
  Pond(3, 3);
  new TGreenMonster(1, 1);
  new TRedMonster(3, 3);
  auto* eaten = new TPrize(1, 1, 4);
  auto* diamond = new TPrize(1, 1, 0);
  auto* passed = new TPrize(3, 3, 4);
  Frame(10);
  EXPECT_FALSE(Alive(eaten));
  EXPECT_TRUE(Alive(diamond));
  EXPECT_TRUE(Alive(passed));
  EXPECT_EQ(G.Score, 0);
  EXPECT_EQ(G.Pads[1][1].FoodCount, 1);
}

// Pick-up follows the rectangles: with 11 rows (cells 40 high) the standing Dragon reaches into
// the food of the cell above and the tall diamond below reaches into the Dragon; with 10 rows
// (44 high) they only touch.
TEST_F(FoodTest, PickUpReachesIntoTheNextCellOnlyOnElevenRows) {
  const struct {
    int Rows, Below;  // the item: -1 food in the cell above, +1 the diamond below
    bool Taken;
  } cases[] = {{11, -1, true}, {11, 1, true}, {10, -1, false}, {10, 1, false}};
  for (const auto& c : cases) {
    ClearAllSprites();
    G.GameState = gsPlaying;
    Pond(16, c.Rows);
    PutDragon(5, 5);
    auto* item = new TPrize(5, 5 + c.Below, c.Below < 0 ? 1 : 0);
    Frame(10);
    EXPECT_EQ(!Alive(item), c.Taken) << c.Rows << " rows, item at " << c.Below;
  }
}

TEST_F(FoodTest, MegaPrizePutsFoodOnEveryFreePadLargeEnough) {
  Pond(3, 2);
  Pad(1, 1, pkLily, 40);  // already carries food
  new TPrize(1, 1, 1);
  Pad(2, 1, pkWater, 0);
  Pad(3, 1, pkLily, 10, true);  // growing at 10: enough
  Pad(1, 2, pkLily, 20);        // shrinking at 20: not enough
  Pad(2, 2, pkIsland, 21);
  Pad(3, 2, pkLily, 40);  // the bonus's own pad, free again once it is taken
  new TMegaPrize(3, 2);
  PutDragon(3, 2);
  RandomState = 99;
  Frame(10);
  EXPECT_EQ(Food(), (std::set<std::pair<int, int>>{{1, 1}, {3, 1}, {2, 2}, {3, 2}}));
  EXPECT_EQ(RandomState, After(99, 6));  // the kind, then the picture, for each of three
  for (auto [x, y] : {std::pair{3, 1}, std::pair{2, 2}, std::pair{3, 2}})
    EXPECT_EQ(G.Pads[x][y].FoodCount, 1);
}

TEST_F(FoodTest, LifeAndTimeBonusesGivePointsWhenFull) {
  const struct {
    bool Life;
    int32_t Before, After, Points;
  } cases[] = {
      {true, 8, 9, 0},
      {true, 9, 9, 1000},
      {false, 94, 99, 0},
      {false, 95, 95, 3 * 250},
  };
  for (const auto& c : cases) {
    ClearAllSprites();
    G.Difficulty = 3;
    G.Score = 0;
    G.Lives = G.TimeLeft = c.Before;
    Pond(3, 3);
    if (c.Life)
      new TLifeBonus(2, 2);
    else
      new TTimeBonus(2, 2);
    PutDragon(2, 2);
    const size_t collects = Plays("Collect");
    Frame(10);
    EXPECT_EQ(c.Life ? G.Lives : G.TimeLeft, c.After);
    EXPECT_EQ(G.Score, c.Points);
    EXPECT_EQ(Plays("Collect"), collects + 1);
  }
}

TEST_F(FoodTest, BonusUpTurnsShrinkingPadsToGrowingAtTheirSize) {
  Pond(3, 1);
  G.LevelTicks = 10000;
  TPad& shrinking = Pad(1, 1, pkStepped, 30);
  shrinking.PhaseStart = 9000;  // shrunk for 1000 ms of 4000
  shrinking.EmptySince = 123;
  const TPad island = Pad(2, 1, pkIsland, 30);
  new TBonusUp(3, 1);
  PutDragon(3, 1);
  Frame(0);
  EXPECT_TRUE(shrinking.Growing);
  EXPECT_EQ(shrinking.PhaseStart, 10000 - 3000);  // as if grown for 3000 ms
  EXPECT_EQ(shrinking.EmptySince, 0);
  EXPECT_EQ(G.Pads[2][1].Growing, island.Growing);
  EXPECT_EQ(G.Pads[2][1].PhaseStart, island.PhaseStart);
}

TEST_F(FoodTest, StableBonusDrawsForEveryPadAboveWaterAndMakesIslands) {
  Pond(4, 4);
  Pad(1, 1, pkWater, 0);
  Pad(1, 2, pkLily, 0);
  Pad(1, 3, pkIsland, 30);
  for (int y = 1; y <= 4; ++y) G.Pads[4][y].Size = 5;
  new TStableBonus(2, 2);
  PutDragon(2, 2);
  RandomState = 4242;
  Frame(10);
  EXPECT_EQ(RandomState, After(4242, 14));  // 16 cells but the water and the sunk pad
  int islands = 0;
  for (int x = 1; x <= 4; ++x)
    for (int y = 1; y <= 4; ++y)
      if (G.Pads[x][y].Kind == pkIsland && !(x == 1 && y == 3)) {
        ++islands;
        EXPECT_GE(G.Pads[x][y].Size, 20);
      }
  EXPECT_GT(islands, 0);
  EXPECT_EQ(G.Pads[1][2].Kind, pkLily);
}

// Which pads food and bonuses may appear on: one pad at (2, 1) beside the Dragon's cell, the
// rest of the pond water.
TEST_F(FoodTest, FoodAndBonusesAppearOnlyOnPadsThatQualify) {
  struct TCase {
    const char* what;
    uint8_t kind;
    int size;
    bool growing;
    bool food, bonus;
    int foodCount = 0;
    bool dragonOnIt = false, dragonHops = false;
  };
  const TCase cases[] = {
      {"growing at 10", pkLily, 10, true, true, true},
      {"growing at 9", pkLily, 9, true, false, true},
      {"shrinking at 21", pkLily, 21, false, true, true},
      {"shrinking at 20", pkStepped, 20, false, false, true},
      {"stepped growing at 10", pkStepped, 10, true, true, true},
      {"island", pkIsland, 15, false, true, true},
      {"sunk lily pad", pkLily, 0, true, false, false},
      {"water", pkWater, 0, false, false, false},
      {"food on it already", pkIsland, 40, false, false, true, 1},
      {"the standing Dragon's", pkIsland, 40, false, false, false, 0, true},
      {"the Dragon hops from it", pkIsland, 40, false, true, true, 0, true, true},
  };
  for (const TCase& c : cases) {
    for (const bool bonus : {false, true}) {
      ClearAllSprites();
      Pond(3, 1);
      for (int x = 1; x <= 3; ++x) Pad(x, 1, pkWater, 0);
      TPad& p = Pad(2, 1, c.kind, c.size, c.growing);
      p.FoodCount = c.foodCount;
      TDragon* d = PutDragon(c.dragonOnIt ? 2 : 1, 1);
      if (c.dragonHops) d->JumpStart = G.LevelTicks;
      G.FoodShare = {0, 40, 30, 15, 10, 5};
      G.BonusCount = 1;
      G.BonusBag[1] = 3;
      G.BonusInterval = 100;
      G.BonusAcc = 100;
      const size_t before = SpriteRoot().Children().size();
      bonus ? SpawnBonus() : SpawnFood();
      const bool appeared = SpriteRoot().Children().size() > before;
      EXPECT_EQ(appeared, bonus ? c.bonus : c.food) << c.what << (bonus ? ": bonus" : ": food");
    }
  }
}

// The food's kind: the first group whose running share passes a draw of Random(100).
TEST_F(FoodTest, FoodKindFollowsTheSharesAtTheirBoundaries) {
  const struct {
    uint32_t draw;
    uint8_t kind;
  } cases[] = {{0, 1},  {39, 1}, {40, 2}, {69, 2}, {70, 3},
               {84, 3}, {85, 4}, {94, 4}, {95, 5}, {99, 5}};
  for (const auto& c : cases) {
    ClearAllSprites();
    Pond(1, 1);
    G.FoodShare = {0, 40, 30, 15, 10, 5};
    // A seed whose second draw (the first picks the only pad) is c.draw.
    uint32_t seed = 0;
    for (;; ++seed) {
      RandomState = seed;
      Random(1);
      if (Random(100) == c.draw) break;
    }
    RandomState = seed;
    SpawnFood();
    ASSERT_EQ(SpriteRoot().Children().size(), 1u) << c.draw;
    const auto* food = dynamic_cast<TPrize*>(SpriteRoot().Children()[0]);
    ASSERT_NE(food, nullptr);
    EXPECT_EQ(food->PrizeKind, c.kind) << "draw " << c.draw;
  }
}

}  // namespace

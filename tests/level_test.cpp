// Building a level from the level file: pads, random pads, sprites, bonus bag and food pacing.
#include "game/level.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "actors/dragon.h"
#include "actors/effects.h"
#include "actors/food.h"
#include "actors/monsters.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "core/random.h"
#include "fake_video.h"
#include "front/input.h"
#include "platform/clock.h"
#include "support/level_files.h"
#include "support/session_test.h"

namespace {

using level_files::Islands;

class LoadLevelTest : public SessionTest {
 protected:
  // Plays the records as the level set and builds level levelNo of it.
  void Load(const std::vector<TLevelRecord>& records, int levelNo = 1) {
    session.PlayLevels(records);
    G.LevelNo = levelNo;
    G.GameState = gsMenu;  // levels are built from the menu, or between lives and levels
    LoadLevel();
  }

  // The sprites on the pond, described as "class column row [kind]".
  static std::vector<std::string> Sprites() {
    std::vector<std::string> out;
    for (TSprite* s : SpriteRoot().Children()) {
      auto at = [](const char* name, int32_t c, int32_t r) {
        return std::string(name) + " " + std::to_string(c) + " " + std::to_string(r);
      };
      if (auto* d = dynamic_cast<TDragon*>(s)) out.push_back(at("Dragon", d->Column, d->Row));
      if (auto* p = dynamic_cast<TPrize*>(s))
        out.push_back(at("Prize", p->Column, p->Row) + " " + std::to_string(p->PrizeKind));
      if (auto* b = dynamic_cast<TMegaPrize*>(s)) out.push_back(at("Mega", b->Column, b->Row));
      if (auto* b = dynamic_cast<TBonusUp*>(s)) out.push_back(at("Up", b->Column, b->Row));
      if (auto* b = dynamic_cast<TTimeBonus*>(s)) out.push_back(at("Time", b->Column, b->Row));
      if (auto* b = dynamic_cast<TStableBonus*>(s)) out.push_back(at("Stable", b->Column, b->Row));
      if (auto* b = dynamic_cast<TLifeBonus*>(s)) out.push_back(at("Life", b->Column, b->Row));
      if (auto* m = dynamic_cast<TRedMonster*>(s)) out.push_back(at("Red", m->Column, m->Row));
      if (auto* m = dynamic_cast<TGreenMonster*>(s)) out.push_back(at("Green", m->Column, m->Row));
      if (auto* m = dynamic_cast<TShaggyMonster*>(s))
        out.push_back(at("Shaggy", m->Column, m->Row));
    }
    return out;
  }

};

// 4 x 3 cells, all random but two islands: 10 random pads, half of them islands and 70 % stepped.
TLevelRecord RandomPads() {
  TLevelRecord r = Islands(4, 3);
  r.DiamondY = 2;
  for (int x = 1; x <= 4; ++x)
    for (int y = 1; y <= 3; ++y) r.Cell(x, y) = TLevelCell{.Kind = pkRandom};
  for (auto [x, y] : {std::pair{1, 3}, std::pair{4, 2}}) {
    r.Cell(x, y) = TLevelCell{.Kind = pkIsland, .MaxSize = 4, .Size = 4};
  }
  r.IslandPercent = 50;
  r.SteppedPercent = 70;
  r.RandomMaxSize = 7;
  r.RandomHoldFull = 1000;
  r.RandomHoldEmpty = 500;
  r.RandomPeriod = 800;
  r.BonusCounts[0] = 2;  // code 1 twice
  r.BonusCounts[2] = 1;  // code 3 once
  r.BonusCounts[6] = 2;  // code 7 twice
  return r;
}

TEST_F(LoadLevelTest, RandomPadsAreDrawnShuffledAndDecidedInOrder) {
  RandomState = 12345;
  Load({RandomPads()});
  // Kind, Size, MaxSize by row; worked out by hand from the draws for seed 12345.
  const std::tuple<int, int, int> want[3][4] = {
      {{3, 26, 90}, {3, 28, 90}, {2, 34, 34}, {3, 5, 90}},
      {{3, 39, 90}, {3, 75, 90}, {2, 15, 15}, {2, 51, 51}},
      {{2, 51, 51}, {2, 15, 15}, {2, 72, 72}, {2, 19, 19}},
  };
  int islands = 0, stepped = 0, lily = 0;
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 4; ++x) {
      const TPad& p = G.Pads[x][y];
      EXPECT_EQ(std::make_tuple(int{p.Kind}, int{p.Size}, int{p.MaxSize}), want[y - 1][x - 1])
          << "cell " << x << ", " << y;
      const bool fixed = (x == 1 && y == 3) || (x == 4 && y == 2);
      if (fixed) continue;
      islands += p.Kind == pkIsland;
      stepped += p.Kind == pkStepped;
      lily += p.Kind == pkLily;
    }
  }
  // 50 % of 10 are islands; 70 % would be 7 stepped pads, capped to the 5 that are left.
  EXPECT_EQ(islands, 5);
  EXPECT_EQ(stepped, 5);
  EXPECT_EQ(lily, 0);
  // The cycle of two random pads: Period, HoldFull, HoldEmpty, Growing, PhaseStart.
  const TPad& a = G.Pads[1][1];
  EXPECT_EQ(std::make_tuple(a.Period, a.HoldFull, a.HoldEmpty, a.Growing, a.PhaseStart),
            std::make_tuple(819, 1011, 512, false, -581));
  const TPad& b = G.Pads[4][1];
  EXPECT_EQ(std::make_tuple(b.Period, b.HoldFull, b.HoldEmpty, b.Growing, b.PhaseStart),
            std::make_tuple(818, 1004, 518, true, -44));
  // Then the bag, shuffled in three passes.
  ASSERT_EQ(G.BonusCount, 5);
  EXPECT_EQ(std::vector<int>(G.BonusBag.begin() + 1, G.BonusBag.begin() + 6),
            (std::vector<int>{7, 1, 1, 3, 7}));
  EXPECT_EQ(RandomState, 1791883734u);
}

TEST_F(LoadLevelTest, RandomIslandsAreAtLeast15PixelsAndNeverChange) {
  TLevelRecord r = RandomPads();
  r.RandomMaxSize = 1;  // 12 pixels: every drawn size is below 15
  r.IslandPercent = 100;
  Load({r});
  for (int x = 1; x <= 4; ++x) {
    for (int y = 1; y <= 3; ++y) {
      if ((x == 1 && y == 3) || (x == 4 && y == 2)) continue;
      EXPECT_EQ(G.Pads[x][y].Kind, pkIsland);
      EXPECT_EQ(G.Pads[x][y].Size, 15);
      EXPECT_EQ(G.Pads[x][y].MaxSize, 15);
    }
  }
}

TEST_F(LoadLevelTest, SameSeedBuildsTheSameLevel) {
  TLevelRecord r = RandomPads();
  r.Cell(4, 2).Objects[0] = {otMonster, mkRed};
  r.Cell(1, 3).Objects[0] = {otFood, 2};
  auto build = [&] {
    RandomState = 987654321;
    Load({r});
    std::vector<std::vector<int32_t>> pads;
    for (int x = 1; x <= 4; ++x)
      for (int y = 1; y <= 3; ++y) {
        const TPad& p = G.Pads[x][y];
        pads.push_back({p.Kind, p.MaxSize, p.Size, p.HoldFull, p.HoldEmpty, p.Period, p.FullSince,
                        p.EmptySince, p.PhaseStart, p.Growing});
      }
    return std::make_tuple(pads, G.BonusBag, Sprites(), RandomState);
  };
  const auto first = build();
  const auto second = build();
  EXPECT_EQ(first, second);
}

TEST_F(LoadLevelTest, FoodShareIsUsedOnlyWhenItAddsUpTo100) {
  const struct {
    std::array<uint8_t, 5> Given, Used;
  } cases[] = {
      {{30, 30, 30, 5, 5}, {30, 30, 30, 5, 5}},
      {{30, 30, 30, 5, 4}, {40, 30, 15, 10, 5}},
      {{0, 0, 0, 0, 0}, {40, 30, 15, 10, 5}},
      {{100, 0, 0, 0, 0}, {100, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    TLevelRecord r = Islands();
    r.FoodShare = c.Given;
    Load({r});
    EXPECT_EQ(std::vector<uint8_t>(G.FoodShare.begin() + 1, G.FoodShare.end()),
              std::vector<uint8_t>(c.Used.begin(), c.Used.end()));
  }
}

TEST_F(LoadLevelTest, BonusAndFoodPacing) {
  const struct {
    uint16_t TimeLimit;
    uint16_t Entries;
    int32_t Difficulty;
    int32_t BonusInterval;
    uint16_t FoodInterval;
  } cases[] = {
      {100, 3, 1, 33333, 938},  // the worked example: v = 900, W = 845
      {100, 3, 2, 33333, 823},  // v = 650, W = 535
      {60, 2, 3, 30000, 865},   // v = 360 - 100, W = 375
      {70, 1, 1, 70000, 985},   // beyond the 16-bit accumulator: kept in full, never reached
      {1, 3, 1, 333, 281},      // v = 10 becomes 30
  };
  for (const auto& c : cases) {
    TLevelRecord r = Islands();
    r.TimeLimit = c.TimeLimit;
    r.BonusCounts[5] = c.Entries;
    G.Difficulty = c.Difficulty;
    Load({r});
    EXPECT_EQ(G.BonusCount, c.Entries);
    EXPECT_EQ(G.BonusInterval, c.BonusInterval) << c.TimeLimit << " s";
    EXPECT_EQ(G.FoodInterval, c.FoodInterval) << c.TimeLimit << " s";
  }
  // An empty bag leaves the interval as it was.
  G.BonusInterval = 777;
  Load({Islands()});
  EXPECT_EQ(G.BonusCount, 0);
  EXPECT_EQ(G.BonusInterval, 777);
}

TEST_F(LoadLevelTest, CellsBecomePads) {
  TLevelRecord r = Islands(5, 1);
  r.DragonX = 5;
  r.DiamondX = 4;
  // MaxSize 7 units = 90 px, Size 3 units = 38 px.
  r.Cell(1, 1) = {.Kind = pkLily,
                  .MaxSize = 7,
                  .Size = 3,
                  .HoldFull = 900,
                  .HoldEmpty = 800,
                  .Period = 1000,
                  .Growing = 1};
  r.Cell(2, 1) = {.Kind = pkStepped, .MaxSize = 7, .Size = 3, .Period = 1000, .Growing = 0};
  r.Cell(3, 1) = {.Kind = pkLily, .MaxSize = 7, .Size = 0, .Period = 0};
  r.Cell(4, 1) = {.Kind = pkIsland, .MaxSize = 2, .Size = 2};
  r.Cell(5, 1) = {.Kind = pkWater, .MaxSize = 7, .Size = 7, .Period = 500};
  Load({r});
  const TPad* p = &G.Pads[1][1];
  // Growing, 38 of 90 px: 38 * 1000 / 90 = 422 ms into the phase.
  EXPECT_EQ(std::make_tuple(p->Kind, p->MaxSize, p->Size, p->HoldFull, p->HoldEmpty, p->Growing,
                            p->PhaseStart, p->FullSince, p->EmptySince),
            std::make_tuple(pkLily, 90, 38, 900, 800, true, 1 - 422, 0, 0));
  p = &G.Pads[2][1];  // shrinking: (90 - 38) * 1000 / 90 = 577 ms in
  EXPECT_EQ(std::make_tuple(p->Kind, p->Growing, p->PhaseStart),
            std::make_tuple(pkStepped, false, 1 - 577));
  p = &G.Pads[3][1];  // under water from the start; a period of 0 divides nothing here
  EXPECT_EQ(std::make_tuple(p->Size, p->EmptySince, p->PhaseStart, p->FullSince),
            std::make_tuple(0, 1, 1, 0));
  p = &G.Pads[4][1];  // full from the start
  EXPECT_EQ(std::make_tuple(p->Kind, p->Size, p->FullSince), std::make_tuple(pkIsland, 25, 1));
  p = &G.Pads[5][1];  // water has no size, whatever the cell says
  EXPECT_EQ(std::make_tuple(p->Kind, p->Size), std::make_tuple(pkWater, 0));
}

TEST_F(LoadLevelTest, SlotsCreateTheirSprites) {
  TLevelRecord r = Islands(5, 2);
  r.DiamondX = 5;
  r.DiamondY = 2;
  r.Cell(1, 1).Objects = {{{otFood, 0},
                           {otFood, 4},
                           {otBonus, bkMegaPrize},
                           {otBonus, bkBonusUp},
                           {otBonus, bkTimeBonus}}};
  r.Cell(2, 1).Objects = {{{otBonus, bkStableBonus}, {otBonus, bkLifeBonus}, {otMonster, mkRed}}};
  r.Cell(3, 2).Objects = {
      {{otMonster, mkGreen}, {otMonster, mkShaggy}, {otBonus, 5}, {otMonster, 3}, {9, 0}}};
  r.Cell(4, 2) = TLevelCell{.Kind = pkRandom, .Objects = {{{otFood, 0}}}};
  r.RandomMaxSize = 4;
  Load({r});
  EXPECT_EQ(Sprites(),
            (std::vector<std::string>{"Dragon 1 2", "Prize 1 1 1", "Prize 1 1 5", "Mega 1 1",
                                      "Up 1 1", "Time 1 1", "Stable 2 1", "Life 2 1", "Red 2 1",
                                      "Green 3 2", "Shaggy 3 2", "Prize 5 2 0"}));
  EXPECT_EQ(Dragon, SpriteRoot().Children().front());

  // A late diamond is not there at the start.
  r.DiamondDelay = 30;
  Load({r});
  EXPECT_EQ(Sprites().back(), "Shaggy 3 2");
}

TEST_F(LoadLevelTest, DragonFacesTheMiddle) {
  // With 5 columns the Dragon looks left from column 4 on ((5 + 1) div 2 = 3).
  for (auto [column, left] :
       {std::pair{1, false}, std::pair{3, false}, std::pair{4, true}, std::pair{5, true}}) {
    TLevelRecord r = Islands(5, 2);
    r.DragonX = static_cast<uint16_t>(column);
    Load({r});
    ASSERT_NE(Dragon, nullptr);
    EXPECT_EQ(Dragon->FacingLeft, left) << "column " << column;
    EXPECT_EQ(std::make_pair(Dragon->Column, Dragon->Row), std::make_pair(column, 2));
  }
}

TEST_F(LoadLevelTest, StartsPlay) {
  TLevelRecord second = Islands(3, 2);
  second.TimeLimit = 75;
  second.DiamondDelay = 20;
  second.DiamondX = second.DiamondY = 0;
  G.Pads[4][1].Kind = pkLily;  // outside the new grid: left alone
  G.MaxLevel = 1;
  G.SecondsElapsed = 9;
  G.LevelTicks = 123456;
  G.BonusAcc = G.FoodAcc = G.SecondAcc = 500;
  G.GameState = gsMenu;
  clock.Set(777000);
  Load({Islands(), second}, 2);
  EXPECT_EQ(G.GameState, gsPlaying);
  EXPECT_TRUE(form.DXTimer1.Enabled());
  EXPECT_EQ(G.LastTick, 777000);
  EXPECT_EQ(G.LevelTicks, 1);
  EXPECT_EQ(std::make_tuple(G.BonusAcc, G.FoodAcc, G.SecondAcc), std::make_tuple(0, 0, 0));
  EXPECT_EQ(std::make_tuple(G.TimeLeft, G.SecondsElapsed, G.DiamondDelay, G.DiamondX, G.DiamondY),
            std::make_tuple(75, 0, 20, 0, 0));
  EXPECT_EQ(std::make_pair(G.GridCols, G.GridRows), std::make_pair(uint16_t{3}, uint16_t{2}));
  EXPECT_EQ(G.MaxLevel, 2);
  EXPECT_EQ(G.JoyRepeat, 3);
  EXPECT_EQ(G.Pads[4][1].Kind, pkLily);

  // A demo does not raise the highest level reached.
  G.DemoMode = true;
  G.MaxLevel = 1;
  Load({Islands(), second}, 2);
  EXPECT_EQ(G.MaxLevel, 1);
}

}  // namespace

#include "game/level.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "actors/dragon.h"
#include "actors/effects.h"
#include "actors/food.h"
#include "actors/monsters.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "core/level_pacing.h"
#include "core/random.h"
#include "game/level_pack.h"
#include "game/levels_in_memory.h"
#include "game/main_form.h"
#include "game/playfield.h"
#include "platform/clock.h"

namespace {

// Smallest size of an island made from a random pad, in pixels.
constexpr uint16_t MinRandomIsland = 15;

// When the current phase began, so that a pad of this size is that far into growing or
// shrinking.
int32_t PhaseStartFor(const TPad& p) {
  const int64_t done =
      p.Growing ? int64_t{p.Size} * p.Period : (int64_t{p.MaxSize} - p.Size) * p.Period;
  return static_cast<int32_t>(G.LevelTicks - done / p.MaxSize);
}

void BuildRandomPad(TPad& p, const TLevelRecord& level) {
  p.Kind = pkLily;  // decided once every random pad is known
  p.Period = static_cast<uint16_t>(Random(50) + level.RandomPeriod);
  p.MaxSize = SizeUnitsToPixels(level.RandomMaxSize);
  p.Size = static_cast<uint16_t>(Random(p.MaxSize));
  p.Growing = Random(2) == 1;
  if (p.MaxSize > 0) p.PhaseStart = PhaseStartFor(p);
  p.HoldFull = static_cast<uint16_t>(Random(20) + level.RandomHoldFull);
  p.HoldEmpty = static_cast<uint16_t>(Random(20) + level.RandomHoldEmpty);
  if (p.Size == 0) p.EmptySince = static_cast<int32_t>(Random(p.HoldEmpty + 1u));
}

void CreateObject(const TLevelObject& o, int32_t x, int32_t y) {
  switch (o.ObjType) {
    case otFood:
      new TPrize(x, y, static_cast<uint8_t>(o.ObjKind + 1));  // kinds 0..4 were checked
      break;
    case otBonus:
      switch (o.ObjKind) {
        case bkMegaPrize:
          new TMegaPrize(x, y);
          break;
        case bkBonusUp:
          new TBonusUp(x, y);
          break;
        case bkTimeBonus:
          new TTimeBonus(x, y);
          break;
        case bkStableBonus:
          new TStableBonus(x, y);
          break;
        case bkLifeBonus:
          new TLifeBonus(x, y);
          break;
      }
      break;
    case otMonster:
      // Every monster starts on the cell that holds its slot; the shaggy one moves off a cell
      // on or beside the Dragon (see TShaggyMonster).
      switch (o.ObjKind) {
        case mkRed:
          new TRedMonster(x, y);
          break;
        case mkGreen:
          new TGreenMonster(x, y);
          break;
        case mkShaggy:
          new TShaggyMonster(x, y);
          break;
      }
      break;
  }
}

void BuildCellPad(TPad& p, const TLevelCell& cell, int32_t x, int32_t y) {
  p.Period = cell.Period;
  p.MaxSize = SizeUnitsToPixels(cell.MaxSize);
  p.Size = SizeUnitsToPixels(cell.Size);
  p.Growing = cell.Growing != 0;
  if (p.MaxSize > 0) p.PhaseStart = PhaseStartFor(p);
  p.HoldFull = cell.HoldFull;
  p.HoldEmpty = cell.HoldEmpty;
  if (p.Size == 0) p.EmptySince = G.LevelTicks;
  if (p.Size == p.MaxSize) p.FullSince = G.LevelTicks;
  p.Kind = cell.Kind;
  if (p.Kind == pkWater) p.Size = 0;
  for (const TLevelObject& o : cell.Objects) CreateObject(o, x, y);
}

// Shuffles the random pads and makes the first share islands, the next stepped pads and the
// rest lily pads.
void DecideRandomPads(std::vector<std::pair<int32_t, int32_t>>& pads, const TLevelRecord& level) {
  const uint32_t n = static_cast<uint32_t>(pads.size());
  for (uint64_t k = 0; k < uint64_t{n} * n; ++k) {
    const uint32_t i = Random(n);
    const uint32_t j = Random(n);
    std::swap(pads[i], pads[j]);
  }
  const uint32_t islands = std::min(n, level.IslandPercent * n / 100);
  const uint32_t stepped = std::min(n, level.SteppedPercent * n / 100 + islands);
  for (uint32_t e = 0; e < n; ++e) {
    TPad& p = G.Pads[pads[e].first][pads[e].second];
    if (e < islands) {
      p.Kind = pkIsland;
      p.Size = std::max(p.Size, MinRandomIsland);
      p.MaxSize = p.Size;
    } else {
      p.Kind = e < stepped ? pkStepped : pkLily;
    }
  }
}

void FillBonusBag(const TLevelRecord& level) {
  G.BonusCount = 0;
  for (int code = 1; code <= LevelBonusCodes; ++code) {
    for (int k = 0; k < level.BonusCounts[code - 1]; ++k) {
      G.BonusBag[++G.BonusCount] = static_cast<uint8_t>(code);
    }
  }
  for (int pass = 0; pass < 3; ++pass) {
    for (int32_t p = 1; p <= G.BonusCount; ++p) {
      const int32_t r = static_cast<int32_t>(Random(static_cast<uint32_t>(G.BonusCount))) + 1;
      std::swap(G.BonusBag[p], G.BonusBag[r]);
    }
  }
}

}  // namespace

void LoadLevel() {
  if (G.LevelNo > G.MaxLevel && !G.DemoMode) G.MaxLevel = G.LevelNo;
  G.JoyRepeat = 3;
  const TLevelRecord level = PlayedLevel(G.LevelNo);

  G.TimeLeft = level.TimeLimit;
  G.SecondsElapsed = 0;
  G.DiamondDelay = level.DiamondDelay;
  G.GridCols = level.GridCols;
  G.GridRows = level.GridRows;
  G.DiamondX = level.DiamondX;
  G.DiamondY = level.DiamondY;
  std::vector<std::pair<int32_t, int32_t>> randomPads;

  ClearAllSprites();
  Dragon = new TDragon(&SpriteRoot());
  Dragon->PlaceAt(level.DragonX, level.DragonY);
  Dragon->Face(level.DragonX > (G.GridCols + 1) / 2);

  G.LevelTicks = 1;
  G.SecondAcc = G.FoodAcc = G.BonusAcc = 0;

  for (int32_t x = 1; x <= G.GridCols; ++x) {
    for (int32_t y = 1; y <= G.GridRows; ++y) {
      TPad& p = G.Pads[x][y];
      p.FullSince = p.EmptySince = p.PhaseStart = p.FoodCount = 0;
      const TLevelCell& cell = level.Cell(x, y);
      if (cell.Kind == pkRandom) {
        BuildRandomPad(p, level);
        randomPads.push_back({x, y});
      } else {
        BuildCellPad(p, cell, x, y);
      }
    }
  }
  DecideRandomPads(randomPads, level);
  MoveShaggyMonstersOffTheDragon();

  if (G.DiamondDelay == 0) new TPrize(G.DiamondX, G.DiamondY, 0);

  const auto share = EffectiveFoodShare(level.FoodShare);
  std::copy(share.begin(), share.end(), G.FoodShare.begin() + 1);
  FillBonusBag(level);
  if (G.BonusCount > 0) G.BonusInterval = BonusIntervalFor(G.TimeLeft, G.BonusCount);
  G.FoodInterval = FoodIntervalFor(G.TimeLeft, G.Difficulty, share);

  StopFallingCaption();
  ResetScorePopups();
  DrawPlayfield();

  G.GameState = gsPlaying;
  G.LastTick = game_clock::Now();
  if (MainForm) MainForm->DXTimer1.SetEnabled(true);
}

// What each bonus does when the Dragon takes it. Sweeps go column by column, and row by row
// within a column, so the random draws come in a fixed order.
#include "actors/food.h"
#include "actors/pond.h"
#include "actors/score.h"
#include "core/globals.h"
#include "core/random.h"

void TMegaPrize::Effect() {
  for (int32_t x = 1; x <= LastColumn(); ++x) {
    for (int32_t y = 1; y <= LastRow(); ++y) {
      const TPad& p = G.Pads[x][y];
      if (p.FoodCount != 0) continue;
      if ((p.Growing && p.Size >= 10) || (!p.Growing && p.Size > 20)) {
        const auto kind = static_cast<uint8_t>(Random(100) % 5 + 1);
        new TPrize(x, y, kind);
      }
    }
  }
}

// A pad that has shrunk for e ms of its cycle grows on as if it had grown for Period - e.
void TBonusUp::Effect() {
  for (int32_t x = 1; x <= LastColumn(); ++x) {
    for (int32_t y = 1; y <= LastRow(); ++y) {
      TPad& p = G.Pads[x][y];
      if (p.Growing || (p.Kind != pkLily && p.Kind != pkStepped) || p.Size == 0) continue;
      p.PhaseStart = G.LevelTicks - (p.Period - (G.LevelTicks - p.PhaseStart));
      p.EmptySince = 0;
      p.Growing = true;
    }
  }
}

void TLifeBonus::Effect() {
  if (G.Lives < 9)
    ++G.Lives;
  else
    AddScore(1000);
}

void TTimeBonus::Effect() {
  if (G.TimeLeft < 95)
    G.TimeLeft += 5;
  else
    AddScore(G.Difficulty * 250);
}

void TStableBonus::Effect() {
  for (int32_t x = 1; x <= LastColumn(); ++x) {
    for (int32_t y = 1; y <= LastRow(); ++y) {
      TPad& p = G.Pads[x][y];
      if (p.Size == 0 || p.Kind == pkWater) continue;
      if (Random(3) == 1) {
        p.Kind = pkIsland;
        if (p.Size < 20) p.Size = 20;
      }
    }
  }
}

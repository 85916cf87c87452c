// What appears on the pond during play: bonuses from the level's bag, food, the late diamond.
#include <tuple>
#include <utility>
#include <vector>

#include "actors/dragon.h"
#include "actors/food.h"
#include "core/globals.h"
#include "core/random.h"
#include "core/sound.h"
#include "game/rules.h"

namespace {

using TCells = std::vector<std::pair<int32_t, int32_t>>;

// The standing Dragon's cell, which nothing may appear on; none while it hops.
bool IsStandingDragonCell(int32_t x, int32_t y) {
  return Dragon && !Dragon->Hopping() && Dragon->Column == x && Dragon->Row == y;
}

// Cells of the grid, column by column, that pass the test.
template <typename Test>
TCells CellsWhere(Test test) {
  TCells cells;
  for (int32_t x = 1; x <= G.GridCols; ++x)
    for (int32_t y = 1; y <= G.GridRows; ++y)
      if (test(x, y, G.Pads[x][y])) cells.push_back({x, y});
  return cells;
}

// One of the cells, drawn at random.
const std::pair<int32_t, int32_t>& Pick(const TCells& cells) {
  return cells[Random(static_cast<uint32_t>(cells.size()))];
}

bool OnGrid(int32_t x, int32_t y) {
  return x >= 1 && y >= 1 && x <= G.GridCols && y <= G.GridRows;
}

}  // namespace

void SpawnBonus() {
  if (G.BonusCount < 1 || G.BonusAcc < G.BonusInterval) return;
  G.BonusAcc = static_cast<uint16_t>(G.BonusAcc - G.BonusInterval);
  const TCells cells = CellsWhere([](int32_t x, int32_t y, const TPad& p) {
    return p.Kind >= pkLily && p.Kind <= pkStepped && p.Size > 0 && !IsStandingDragonCell(x, y);
  });
  if (cells.empty()) return;  // the bag entry waits for the next interval
  const auto [x, y] = Pick(cells);
  const uint8_t code = G.BonusBag[G.BonusCount--];
  switch (code) {
    case 1:
      new TMegaPrize(x, y);
      break;
    case 2:
      new TBonusUp(x, y);
      break;
    case 3:
      new TTimeBonus(x, y);
      break;
    case 4:
      new TStableBonus(x, y);
      break;
    case 5:
      new TLifeBonus(x, y);
      break;
    default:
      break;  // an empty slot that spaces the bonuses out
  }
}

void SpawnFood() {
  const TCells cells = CellsWhere([](int32_t x, int32_t y, const TPad& p) {
    if (p.FoodCount != 0 || IsStandingDragonCell(x, y)) return false;
    if (p.Kind == pkIsland) return true;
    if (p.Kind != pkLily && p.Kind != pkStepped) return false;
    return p.Growing ? p.Size >= 10 : p.Size > 20;
  });
  if (cells.empty()) return;  // this food is lost
  const auto [x, y] = Pick(cells);
  const int32_t r = static_cast<int32_t>(Random(100));
  int32_t kind = 5, sum = 0;
  for (int32_t k = 1; k <= 5; ++k) {
    sum += G.FoodShare[k];
    if (r < sum) {
      kind = k;
      break;
    }
  }
  new TPrize(x, y, static_cast<uint8_t>(kind));
}

void PlaceDiamond() {
  int32_t x = G.DiamondX, y = G.DiamondY;
  if (x > 0 && y > 0 && OnGrid(x, y)) {
    // A late diamond waits while the Dragon stands on its cell.
    if (Dragon && Dragon->Column == x && Dragon->Row == y) return;
  } else {
    const TCells islands = CellsWhere([](int32_t cx, int32_t cy, const TPad& p) {
      return p.Kind == pkIsland && !(Dragon && Dragon->Column == cx && Dragon->Row == cy);
    });
    if (islands.empty()) return;
    std::tie(x, y) = Pick(islands);
  }
  new TPrize(x, y, 0);
  G.DiamondDelay = 0;
  PlaySound("Exit");
}

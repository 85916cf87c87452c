// The green monster: growing pads, cells near the Dragon and away from the border.
#include "actors/monsters.h"
#include "actors/pond.h"
#include "core/globals.h"
#include "core/random.h"

namespace {
constexpr int32_t GreenOnTheDragon = 65535;
}

TGreenMonster::TGreenMonster(int32_t column, int32_t row) : TEnemy(column, row, "Monster2") {}

int32_t TGreenMonster::Score(int32_t column, int32_t row, int32_t dc, int32_t dr) {
  if (column == dc && row == dr) return GreenOnTheDragon;
  const TPad& p = PadOf(column, row);
  if (!Standable(p)) return 0;
  int32_t s = p.Growing && p.Size > 0 ? 2 * p.MaxSize - p.Size : p.Size;
  const int32_t dx = dc > column ? dc - column : column - dc;
  const int32_t dy = dr > row ? dr - row : row - dr;
  if (dx + dy == 1) s = s * 17 / 10;
  if (dx == 1 && dy == 1) s = s * 5 / 4;
  if (column > 1 && column < G.GridCols && row > 1 && row < G.GridRows) s = s * 12 / 10;
  return s;
}

int32_t TGreenMonster::Pick(const TCandidates& c) {
  const int32_t best = c.Entries[0].Score;
  if (best == GreenOnTheDragon) return 0;
  if (c.Count > 1 && c.Entries[1].Score > 0 && Random(20) == 10) {
    return static_cast<int32_t>(Random(2));  // the odd move: one of the two best
  }
  int32_t tied = 1;
  for (int32_t i = 0; i < c.Count; ++i) {
    if (c.Entries[i].Score == best) tied = i + 1;
  }
  return static_cast<int32_t>(Random(static_cast<uint32_t>(tied)));
}

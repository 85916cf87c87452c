// The red monster: the biggest pad near it, and now and then a middling one.
#include "actors/monsters.h"
#include "actors/pond.h"
#include "core/random.h"

namespace {
constexpr int32_t RedOnTheDragon = 65535;
}

TRedMonster::TRedMonster(int32_t column, int32_t row) : TEnemy(column, row, "Monster1") {}

int32_t TRedMonster::Score(int32_t column, int32_t row, int32_t dc, int32_t dr) {
  if (column == dc && row == dr) return RedOnTheDragon;
  const TPad& p = PadOf(column, row);
  if (!Standable(p)) return 0;
  int32_t s = p.Size;
  if (p.Kind != pkIsland && p.Growing) s *= 2;
  const int32_t dx = dc - column, dy = dr - row;
  if ((dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy) == 1) s = 3 * s / 2;
  return s;
}

int32_t TRedMonster::Pick(const TCandidates& c) {
  const int32_t best = c.Entries[0].Score;
  if (best != RedOnTheDragon && Random(15) == 10) {
    // The odd move: halfway down the cells that score anything.
    int32_t last = 0;  // 1-based index of the last cell scoring above 0
    for (int32_t i = 0; i < c.Count; ++i) {
      if (c.Entries[i].Score > 0) last = i + 1;
    }
    return last / 2;
  }
  int32_t tied = c.Count;
  for (int32_t j = 1; j < c.Count; ++j) {
    if (c.Entries[j].Score < best) {
      tied = j;
      break;
    }
  }
  return static_cast<int32_t>(Random(static_cast<uint32_t>(tied)));
}

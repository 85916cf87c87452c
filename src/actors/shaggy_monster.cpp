// The shaggy monster: rates pads by how long they will stay afloat.
#include <algorithm>
#include <cstdlib>

#include "actors/dragon.h"
#include "actors/monsters.h"
#include "actors/pond.h"
#include "actors/sprite_tree.h"
#include "core/random.h"

namespace {

constexpr int32_t ShaggyOnTheDragon = 16777215;

int32_t Distance(int32_t c1, int32_t r1, int32_t c2, int32_t r2) {
  return std::abs(c1 - c2) + std::abs(r1 - r2);
}

}  // namespace

int32_t TCleverEnemy::Score(int32_t column, int32_t row, int32_t dc, int32_t dr) {
  return LookAheadScore(column, row, dc, dr, LookAhead);
}

// With a look-ahead the cell scores the best of what it and its neighbours score one hop
// less far ahead; a cell rated 0 or less keeps its own rating.
int32_t TCleverEnemy::LookAheadScore(int32_t column, int32_t row, int32_t dc, int32_t dr,
                                     int32_t depth) {
  const int32_t v = Value(column, row, dc, dr);
  if (depth <= 0 || v <= 0) return v;
  int32_t best = LookAheadScore(column, row, dc, dr, depth - 1);
  best = std::max(best, LookAheadScore(column - 1, row, dc, dr, depth - 1));
  best = std::max(best, LookAheadScore(column, row - 1, dc, dr, depth - 1));
  best = std::max(best, LookAheadScore(column, row + 1, dc, dr, depth - 1));
  best = std::max(best, LookAheadScore(column + 1, row, dc, dr, depth - 1));
  return best;
}

// Level construction puts the shaggy monster on the cell of its slot. Where that is on or next
// to the Dragon, the Dragon would be caught before the player could move, so once the whole grid
// is built the monster moves to the nearest cell (fewest hops from its slot, the first in
// column-by-column order among equals) that holds a pad it may stand on and is two or more hops
// from the Dragon. No random draw is involved, so the level's random sequence is the same either
// way. A pond with no such cell gets no shaggy monster: it is removed at once, before it can
// meet the Dragon.
TShaggyMonster::TShaggyMonster(int32_t column, int32_t row)
    : TCleverEnemy(column, row, "Monster3") {
  LookAhead = 0;
  NeedsStartCell = Dragon && Distance(Column, Row, Dragon->Column, Dragon->Row) <= 1;
}

void TShaggyMonster::MoveToStartCell() {
  NeedsStartCell = false;
  int32_t bestColumn = 0, bestRow = 0, bestDistance = 0;
  for (int32_t c = 1; c <= LastColumn(); ++c) {
    for (int32_t r = 1; r <= LastRow(); ++r) {
      const TPad& p = PadOf(c, r);
      if (!Standable(p) || p.Size == 0) continue;
      if (Distance(c, r, Dragon->Column, Dragon->Row) < 2) continue;
      const int32_t d = Distance(c, r, Column, Row);
      if (bestColumn == 0 || d < bestDistance) {
        bestColumn = c;
        bestRow = r;
        bestDistance = d;
      }
    }
  }
  if (bestColumn == 0) {
    CanCollide = false;
    Visible = false;
    Kill();
    return;
  }
  PlaceAt(bestColumn, bestRow);
  Face(G.GridCols / 2 >= Column);
}

void MoveShaggyMonstersOffTheDragon() {
  if (!Dragon) return;
  for (TSprite* s : SpriteRoot().Children()) {
    auto* m = dynamic_cast<TShaggyMonster*>(s);
    if (m && m->NeedsStartCell && !m->IsDead) m->MoveToStartCell();
  }
}

int32_t TShaggyMonster::Value(int32_t column, int32_t row, int32_t dc, int32_t dr) {
  if (!OnGrid(column, row)) return -1;
  const TPad& p = PadOf(column, row);
  if (!Standable(p)) return 0;
  if (column == dc && row == dr) return ShaggyOnTheDragon;
  // Milliseconds the pad will stay afloat; a pad without a full size has none to give.
  int64_t v = 0;
  if (p.MaxSize > 0) {
    if (p.Growing && p.Size > 0) {
      v = p.Size == p.MaxSize
              ? p.Period + p.HoldFull / 2
              : (2 * int64_t{p.MaxSize} - p.Size) * p.Period / p.MaxSize + p.HoldFull;
    } else {
      v = int64_t{p.Size} * p.Period / p.MaxSize;
    }
  }
  const int32_t dx = std::abs(dc - column), dy = std::abs(dr - row);
  if (dx + dy == 1) v = 3 * v / 2;
  if (dx == 1 && dy == 1) v = 5 * v / 4;
  return static_cast<int32_t>(v);
}

int32_t TShaggyMonster::Pick(const TCandidates& c) {
  int32_t tied = 1;
  for (int32_t i = 0; i < c.Count; ++i) {
    if (c.Entries[i].Score == c.Entries[0].Score) tied = i + 1;
  }
  return static_cast<int32_t>(Random(static_cast<uint32_t>(tied)));
}

// The decision every monster takes after standing for more than 400 ms: score the cells it
// may hop to, sort them, and let its kind pick one.
#include <utility>

#include "actors/dragon.h"
#include "actors/monsters.h"
#include "actors/pond.h"

TCandidates CandidateCells(int32_t column, int32_t row) {
  TCandidates c;
  auto add = [&](int32_t col, int32_t r) { c.Entries[c.Count++] = {col, r, 0}; };
  add(column, row);
  if (OnGrid(column - 1, row)) add(column - 1, row);
  if (OnGrid(column, row - 1)) add(column, row - 1);
  if (OnGrid(column, row + 1)) add(column, row + 1);
  if (OnGrid(column + 1, row)) add(column + 1, row);
  return c;
}

void SortCandidates(TCandidates& c) {
  for (int32_t i = 0; i < c.Count - 1; ++i) {
    for (int32_t j = c.Count - 1; j > i; --j) {
      if (c.Entries[j].Score > c.Entries[i].Score) std::swap(c.Entries[i], c.Entries[j]);
    }
  }
}

void TEnemy::Decide() {
  int32_t dc = -10, dr = -10;
  if (Dragon) Dragon->AimCell(dc, dr);
  TCandidates c = CandidateCells(Column, Row);
  for (int32_t i = 0; i < c.Count; ++i) {
    c.Entries[i].Score = Score(c.Entries[i].Column, c.Entries[i].Row, dc, dr);
  }
  SortCandidates(c);
  const TCandidate& picked = c.Entries[Pick(c)];
  Hop(picked.Column - Column, picked.Row - Row);
}

#pragma once
#include <cstdint>

#include "core/globals.h"

// The cells of the pond as the actors see them.

// True for a cell of the current grid (and of the pad array).
inline bool OnGrid(int32_t column, int32_t row) {
  return column >= 1 && row >= 1 && column <= G.GridCols && row <= G.GridRows && column <= 20 &&
         row <= 20;
}

// The pad of a cell. A cell off the grid reads as open water; what is written to it is lost.
TPad& PadOf(int32_t column, int32_t row);

// Kinds of pad an actor can stand on: lily pads, islands and stepped pads.
inline bool Standable(const TPad& p) {
  return p.Kind == pkLily || p.Kind == pkIsland || p.Kind == pkStepped;
}

// The last column and row a sweep over the grid visits.
inline int32_t LastColumn() {
  return G.GridCols < 20 ? G.GridCols : 20;
}
inline int32_t LastRow() {
  return G.GridRows < 20 ? G.GridRows : 20;
}

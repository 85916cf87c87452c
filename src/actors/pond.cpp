#include "actors/pond.h"

TPad& PadOf(int32_t column, int32_t row) {
  if (OnGrid(column, row)) return G.Pads[column][row];
  static TPad offGrid;
  offGrid = TPad{};
  return offGrid;
}

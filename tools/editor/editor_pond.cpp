#include "tools/editor/editor_pond.h"

#include <algorithm>
#include <string>

#include "core/pad.h"
#include "tools/editor/editor_draw.h"

using namespace editor_draw;

namespace {

int32_t CellW(const TLevelRecord& r) {
  return 640 / PondCols(r);
}
int32_t CellH(const TLevelRecord& r) {
  return 440 / PondRows(r);
}

constexpr uint32_t GridLine = 0x1F6FA8, Warning = 0xFF9F1C;

}  // namespace

int32_t PondCols(const TLevelRecord& r) {
  return std::clamp<int32_t>(r.GridCols, 1, LevelMaxCols);
}

int32_t PondRows(const TLevelRecord& r) {
  return std::clamp<int32_t>(r.GridRows, 1, LevelMaxRows);
}

TRect PondCellRect(const TLevelRecord& r, int32_t x, int32_t y) {
  return Bounds((x - 1) * CellW(r), 20 + (y - 1) * CellH(r), CellW(r), CellH(r));
}

bool PondCellAt(const TLevelRecord& r, int32_t px, int32_t py, int32_t& x, int32_t& y) {
  if (px < 0 || py < 20 || px >= 640 || py >= 460) return false;
  x = px / CellW(r) + 1;
  y = (py - 20) / CellH(r) + 1;
  return x <= PondCols(r) && y <= PondRows(r);
}

void DrawPlainPond(TSurface& pic, const TLevelRecord& r) {
  Fill(pic, {0, 0, 640, 480}, Water);
  static const uint32_t colours[] = {Water, Lily, Sand, Worn, 0x7CC85A};
  for (int32_t x = 1; x <= PondCols(r); ++x) {
    for (int32_t y = 1; y <= PondRows(r); ++y) {
      const uint8_t kind = r.Cell(x, y).Kind;
      if (kind == pkWater) continue;
      const TRect c = PondCellRect(r, x, y);
      Fill(pic, {c.Left + 6, c.Top + 6, c.Right - 6, c.Bottom - 6},
           kind <= pkRandom ? colours[kind] : Heart);
    }
  }
}

void DrawPondMarks(TSurface& pic, const TLevelRecord& r,
                   const std::vector<TLevelProblem>& problems, int32_t cellX, int32_t cellY) {
  for (int32_t x = 1; x < PondCols(r); ++x) Fill(pic, Bounds(x * CellW(r), 20, 1, 440), GridLine);
  for (int32_t y = 0; y <= PondRows(r); ++y) {
    Fill(pic, Bounds(0, 20 + y * CellH(r), 640, 1), GridLine);
  }
  for (int32_t x = 1; x <= PondCols(r); ++x) {
    for (int32_t y = 1; y <= PondRows(r); ++y) {
      const TRect c = PondCellRect(r, x, y);
      if (r.Cell(x, y).Kind == pkRandom) Text(pic, c.Left + 3, c.Top + 2, "?", Navy);
    }
  }
  if (r.DiamondDelay > 0 && r.DiamondX > 0 && r.DiamondY > 0 && r.DiamondX <= PondCols(r) &&
      r.DiamondY <= PondRows(r)) {
    const TRect c = PondCellRect(r, r.DiamondX, r.DiamondY);
    Text(pic, c.Left + 3, c.Bottom - 16, "diamond " + std::to_string(r.DiamondDelay) + " s", Navy);
  }
  for (const TLevelProblem& p : problems) {
    for (const auto& [x, y] : p.Cells) {
      Frame(pic, PondCellRect(r, x, y), p.Error ? Heart : Warning, 3);
    }
  }
  if (cellX > 0) Frame(pic, PondCellRect(r, cellX, cellY), Ring, 2);
}

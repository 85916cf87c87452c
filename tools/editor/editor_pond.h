#pragma once
#include <cstdint>
#include <vector>

#include "game/level_check.h"
#include "game/level_record.h"
#include "pixels/rect.h"
#include "pixels/surface.h"

// The pond in the editor's picture, laid out as the game lays out a level: GridCols x GridRows
// cells over the 640 x 440 pixels under the top line (a grid out of range is drawn clamped).
int32_t PondCols(const TLevelRecord& r);
int32_t PondRows(const TLevelRecord& r);
TRect PondCellRect(const TLevelRecord& r, int32_t x, int32_t y);
// The cell under a point of the picture; false off the grid.
bool PondCellAt(const TLevelRecord& r, int32_t px, int32_t py, int32_t& x, int32_t& y);

// A level the game refuses to build, in plain colours until it is mended (a kind the game does
// not know in red).
void DrawPlainPond(TSurface& pic, const TLevelRecord& r);
// Over the level's picture: the grid, "?" on random pads, the late diamond's cell, the cells of
// the problems (red for errors, orange for warnings) and the chosen cell (x 0: none).
void DrawPondMarks(TSurface& pic, const TLevelRecord& r,
                   const std::vector<TLevelProblem>& problems, int32_t cellX, int32_t cellY);

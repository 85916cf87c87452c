#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game/level_record.h"

// A problem found in a level record. Errors are records the game refuses to build (they would
// overflow the pad grid or divide by zero); warnings are settings that load but quietly break a
// rule of play (a bonus that never comes, a diamond that sinks away).
struct TLevelProblem {
  bool Error = false;
  std::string Text;  // e.g. "GridCols is 19, at most 16"
  // The cells it concerns, (column, row) from 1, all on the grid: the cell named in the text,
  // the Dragon's or the diamond's cell, every pad cut off; none for a header's number.
  std::vector<std::pair<int32_t, int32_t>> Cells;
};

// Every problem of a record, errors and warnings, in a fixed order: header fields first, then
// the cells column by column.
std::vector<TLevelProblem> CheckLevelRecord(const TLevelRecord& record);

// The errors only; the first one is what the game reports.
std::vector<TLevelProblem> LevelRecordErrors(const TLevelRecord& record);

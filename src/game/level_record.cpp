#include "game/level_record.h"

#include <algorithm>

namespace {

uint16_t Get16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Header fields stored as 16-bit words, in file order from offset 0.
template <typename Record>
auto HeaderWords(Record& r) {
  return std::array{&r.GridCols,        &r.GridRows,       &r.TimeLimit,     &r.DiamondDelay,
                    &r.DragonX,         &r.DragonY,        &r.DiamondX,      &r.DiamondY,
                    &r.IslandPercent,   &r.SteppedPercent, &r.RandomMaxSize, &r.RandomHoldFull,
                    &r.RandomHoldEmpty, &r.RandomPeriod};
}

constexpr int FoodShareOffset = 28;
constexpr int BonusCountsOffset = 38;

int CellOffset(int col, int row) {  // both from 0
  return LevelHeaderSize + col * LevelMaxRows * LevelCellSize + row * LevelCellSize;
}

}  // namespace

TLevelRecord DecodeLevelRecord(std::span<const uint8_t, LevelRecordSize> bytes) {
  const uint8_t* b = bytes.data();
  TLevelRecord r;
  int offset = 0;
  for (uint16_t* field : HeaderWords(r)) {
    *field = Get16(b + offset);
    offset += 2;
  }
  for (int k = 0; k < LevelFoodKinds; ++k) r.FoodShare[k] = b[FoodShareOffset + k];
  for (int c = 0; c < LevelBonusCodes; ++c) r.BonusCounts[c] = Get16(b + BonusCountsOffset + 2 * c);
  for (int x = 0; x < LevelMaxCols; ++x) {
    for (int y = 0; y < LevelMaxRows; ++y) {
      const uint8_t* p = b + CellOffset(x, y);
      TLevelCell& cell = r.Cells[x][y];
      cell.Kind = p[0];
      cell.MaxSize = Get16(p + 2);
      cell.Size = Get16(p + 4);
      cell.HoldFull = Get16(p + 6);
      cell.HoldEmpty = Get16(p + 8);
      cell.Period = Get16(p + 10);
      cell.Growing = p[12];
      for (int s = 0; s < LevelObjectSlots; ++s) {
        cell.Objects[s].ObjType = p[16 + 8 * s];
        cell.Objects[s].ObjKind = Get32(p + 16 + 8 * s + 4);
      }
    }
  }
  return r;
}

void EncodeLevelRecord(const TLevelRecord& record, std::span<uint8_t, LevelRecordSize> bytes) {
  uint8_t* b = bytes.data();
  std::fill(bytes.begin(), bytes.end(), uint8_t{0});
  int offset = 0;
  for (const uint16_t* field : HeaderWords(record)) {
    Put16(b + offset, *field);
    offset += 2;
  }
  for (int k = 0; k < LevelFoodKinds; ++k) b[FoodShareOffset + k] = record.FoodShare[k];
  for (int c = 0; c < LevelBonusCodes; ++c) {
    Put16(b + BonusCountsOffset + 2 * c, record.BonusCounts[c]);
  }
  for (int x = 0; x < LevelMaxCols; ++x) {
    for (int y = 0; y < LevelMaxRows; ++y) {
      uint8_t* p = b + CellOffset(x, y);
      const TLevelCell& cell = record.Cells[x][y];
      p[0] = cell.Kind;
      Put16(p + 2, cell.MaxSize);
      Put16(p + 4, cell.Size);
      Put16(p + 6, cell.HoldFull);
      Put16(p + 8, cell.HoldEmpty);
      Put16(p + 10, cell.Period);
      p[12] = cell.Growing;
      for (int s = 0; s < LevelObjectSlots; ++s) {
        p[16 + 8 * s] = cell.Objects[s].ObjType;
        Put32(p + 16 + 8 * s + 4, cell.Objects[s].ObjKind);
      }
    }
  }
}

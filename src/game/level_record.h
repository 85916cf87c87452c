#pragma once
#include <array>
#include <cstdint>
#include <span>

// One level record of the level file, field by field. The file is a flat run of these records
// with no header; record n starts at byte (n - 1) * LevelRecordSize. Integers are little-endian.
constexpr int32_t LevelRecordSize = 9934;
constexpr int32_t LevelHeaderSize = 78;
constexpr int32_t LevelCellSize = 56;
constexpr int32_t LevelMaxCols = 16;
constexpr int32_t LevelMaxRows = 11;
constexpr int32_t LevelObjectSlots = 5;
constexpr int32_t LevelBonusCodes = 20;
constexpr int32_t LevelFoodKinds = 5;
// Room in the bonus bag: the twenty BonusCounts of a level must not add up to more.
constexpr int32_t BonusBagRoom = 679;

// ObjType of an object slot.
enum : uint8_t { otNone = 0, otFood = 1, otBonus = 2, otMonster = 3 };
// ObjKind of a bonus slot (the bag's event code is the ObjKind + 1).
enum : uint32_t {
  bkMegaPrize = 0,
  bkBonusUp = 1,
  bkTimeBonus = 2,
  bkStableBonus = 3,
  bkLifeBonus = 4
};
// ObjKind of a monster slot.
enum : uint32_t { mkRed = 0, mkGreen = 1, mkShaggy = 2 };

struct TLevelObject {
  uint8_t ObjType = otNone;
  uint32_t ObjKind = 0;
  bool operator==(const TLevelObject&) const = default;
};

// A cell as stored; sizes are in size units (7 units = 90 pixels).
struct TLevelCell {
  uint8_t Kind = 0;  // 0 water, 1 lily pad, 2 island, 3 stepped pad, 4 random pad
  uint16_t MaxSize = 0;
  uint16_t Size = 0;
  uint16_t HoldFull = 0;
  uint16_t HoldEmpty = 0;
  uint16_t Period = 0;
  uint8_t Growing = 0;
  std::array<TLevelObject, LevelObjectSlots> Objects{};
  bool operator==(const TLevelCell&) const = default;
};

struct TLevelRecord {
  uint16_t GridCols = 0;
  uint16_t GridRows = 0;
  uint16_t TimeLimit = 0;
  uint16_t DiamondDelay = 0;
  uint16_t DragonX = 0;
  uint16_t DragonY = 0;
  uint16_t DiamondX = 0;
  uint16_t DiamondY = 0;
  uint16_t IslandPercent = 0;
  uint16_t SteppedPercent = 0;
  uint16_t RandomMaxSize = 0;
  uint16_t RandomHoldFull = 0;
  uint16_t RandomHoldEmpty = 0;
  uint16_t RandomPeriod = 0;
  std::array<uint8_t, LevelFoodKinds> FoodShare{};      // food kinds 1..5 at [0..4]
  std::array<uint16_t, LevelBonusCodes> BonusCounts{};  // event codes 1..20 at [0..19]
  std::array<std::array<TLevelCell, LevelMaxRows>, LevelMaxCols> Cells{};  // [x - 1][y - 1]

  // The cell of column x, row y, both from 1.
  TLevelCell& Cell(int x, int y) { return Cells[x - 1][y - 1]; }
  const TLevelCell& Cell(int x, int y) const { return Cells[x - 1][y - 1]; }

  bool operator==(const TLevelRecord&) const = default;
};

// Unpacks a record; the reserved bytes are not read. Every cell of the 16 x 11 area is unpacked,
// also those outside the level's grid.
TLevelRecord DecodeLevelRecord(std::span<const uint8_t, LevelRecordSize> bytes);
// Packs a record; the reserved bytes are written as zeros.
void EncodeLevelRecord(const TLevelRecord& record, std::span<uint8_t, LevelRecordSize> bytes);

// Pixel size of a stored size: s * 90 div 7, kept in 16 bits.
inline uint16_t SizeUnitsToPixels(uint32_t units) {
  return static_cast<uint16_t>(units * 90 / 7);
}
// The largest stored size whose pixel size still fits in 16 bits.
constexpr uint16_t MaxSizeUnits = 5097;

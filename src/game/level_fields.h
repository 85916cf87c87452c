#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "game/level_record.h"

// The numbers of a level record, one table for all that read or write them by name: the level
// text and its tool, the checker and the editor. Each field has its name in the level text,
// where the record keeps it, the range in which it plays as meant (in the record's own units),
// and the unit an author reads it in ("px": kept in size units of 90/7 pixel, shown in pixels).
// The record itself may hold any 16-bit (Growing: 8-bit) value; the checker says what a value
// outside the range does.
template <typename Owner>
struct TRecordField {
  const char* Name;
  uint16_t Owner::*Word;  // the field, when it is a 16-bit word
  uint8_t Owner::*Byte;   // the field, when it is a byte
  int32_t Min, Max;
  const char* Unit;  // "", "s", "%", "ms", "px"

  constexpr uint32_t Get(const Owner& o) const { return Word ? o.*Word : o.*Byte; }
  constexpr void Set(Owner& o, uint32_t v) const {
    if (Word) {
      o.*Word = static_cast<uint16_t>(v);
    } else {
      o.*Byte = static_cast<uint8_t>(v);
    }
  }
  // The largest value the record can hold in the field.
  constexpr uint32_t Largest() const { return Word ? 65535 : 255; }
  // Kept in size units, shown in pixels.
  constexpr bool InPixels() const { return std::string_view(Unit) == "px"; }
};

// The header's numbers, in the record's order.
enum class TLevelField {
  GridCols,
  GridRows,
  TimeLimit,
  DiamondDelay,
  DragonX,
  DragonY,
  DiamondX,
  DiamondY,
  IslandPercent,
  SteppedPercent,
  RandomMaxSize,
  RandomHoldFull,
  RandomHoldEmpty,
  RandomPeriod
};
// A cell's numbers, in the order of the level text's pad lines.
enum class TCellField { MaxSize, Size, HoldFull, HoldEmpty, Period, Growing };

using THeaderField = TRecordField<TLevelRecord>;
using TPadField = TRecordField<TLevelCell>;

// A random pad gets up to 49 ms added to RandomPeriod and up to 19 to RandomHoldFull and
// RandomHoldEmpty when the level is built, in 16 bits.
inline constexpr int32_t RandomPeriodSpread = 49, RandomHoldSpread = 19;

inline constexpr std::array<THeaderField, 14> LevelFields{{
    {"GridCols", &TLevelRecord::GridCols, nullptr, 1, LevelMaxCols, ""},
    {"GridRows", &TLevelRecord::GridRows, nullptr, 1, LevelMaxRows, ""},
    {"TimeLimit", &TLevelRecord::TimeLimit, nullptr, 1, 999, "s"},  // the clock shows 3 digits
    {"DiamondDelay", &TLevelRecord::DiamondDelay, nullptr, 0, 999, "s"},
    {"DragonX", &TLevelRecord::DragonX, nullptr, 1, LevelMaxCols, ""},
    {"DragonY", &TLevelRecord::DragonY, nullptr, 1, LevelMaxRows, ""},
    {"DiamondX", &TLevelRecord::DiamondX, nullptr, 0, LevelMaxCols, ""},  // 0: a random island
    {"DiamondY", &TLevelRecord::DiamondY, nullptr, 0, LevelMaxRows, ""},
    {"IslandPercent", &TLevelRecord::IslandPercent, nullptr, 0, 100, "%"},
    {"SteppedPercent", &TLevelRecord::SteppedPercent, nullptr, 0, 100, "%"},
    {"RandomMaxSize", &TLevelRecord::RandomMaxSize, nullptr, 0, MaxSizeUnits, "px"},
    {"RandomHoldFull", &TLevelRecord::RandomHoldFull, nullptr, 0, 65535 - RandomHoldSpread, "ms"},
    {"RandomHoldEmpty", &TLevelRecord::RandomHoldEmpty, nullptr, 0, 65535 - RandomHoldSpread,
     "ms"},
    {"RandomPeriod", &TLevelRecord::RandomPeriod, nullptr, 0, 65535 - RandomPeriodSpread, "ms"},
}};
static_assert(LevelFields.size() == static_cast<size_t>(TLevelField::RandomPeriod) + 1);

inline constexpr std::array<TPadField, 6> PadFields{{
    {"MaxSize", &TLevelCell::MaxSize, nullptr, 0, MaxSizeUnits, "px"},
    {"Size", &TLevelCell::Size, nullptr, 0, MaxSizeUnits, "px"},
    {"HoldFull", &TLevelCell::HoldFull, nullptr, 0, 65535, "ms"},
    {"HoldEmpty", &TLevelCell::HoldEmpty, nullptr, 0, 65535, "ms"},
    {"Period", &TLevelCell::Period, nullptr, 0, 65535, "ms"},
    {"Growing", nullptr, &TLevelCell::Growing, 0, 1, ""},
}};
static_assert(PadFields.size() == static_cast<size_t>(TCellField::Growing) + 1);

constexpr const THeaderField& FieldOf(TLevelField f) {
  return LevelFields[static_cast<size_t>(f)];
}
constexpr const TPadField& FieldOf(TCellField f) {
  return PadFields[static_cast<size_t>(f)];
}

// The numbers kept as lists: a share for each food kind, a count for each bonus event code.
struct TListField {
  const char* Name;
  int32_t Min, Max;  // of each entry; the bonus counts also in all
  const char* Unit;
};
inline constexpr TListField FoodShareField{"FoodShare", 0, 100, "%"};
inline constexpr TListField BonusCountField{"BonusCounts", 0, BonusBagRoom, ""};
